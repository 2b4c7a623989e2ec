// The cost-centre distribution without its window: reading percentages, the
// checks of typed values and totals, and the one-transaction save and delete
// of one distribution.

#include "cuentas_fixture.h"

#include "accountextras/core/distribucion_ccosto.h"
#include "data/mod_gruposemp.h"

using namespace ccosto;

namespace {

Lineas Con(std::initializer_list<std::pair<const char*, const char*>> filas) {
    Lineas l{LineaCCosto{}};
    for (const auto& [centro, porcentaje] : filas)
        l.push_back({QString::fromUtf8(centro), QString(), QString::fromUtf8(porcentaje)});
    return l;
}

class Distribucion : public CuentasTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CuentasTest::SetUp());
        db.exec("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION, TITULO) VALUES "
                "('0100', 'COMERCIAL', 1), ('0101', 'Mayoristas', 0), ('0102', 'Minoristas', NULL),"
                "('AB01', 'Letras', 0)");
        cuenta("5", "EGRESOS", true);
        cuenta("520101001", "Sueldos");
    }
    QList<QVariantList> filas(const QString& sql) const { return db.rows(sql); }
};

TEST(PorcentajeTexto, ReadsTheRegionalDecimalToTheHundredThousandth) {
    const std::pair<const char*, const char*> casos[] = {
        {"12,5", "12,5"}, {"12.5", "12,5"},     {" 7 ", "7"},          {"", "0"},
        {"-1,5", "-1,5"}, {"100,00000", "100"}, {",00001", "0,00001"},
    };
    for (const auto& [texto, mostrado] : casos) {
        const std::optional<std::int64_t> u = LeePorcentaje(QString::fromUtf8(texto));
        ASSERT_TRUE(u) << texto;
        EXPECT_EQ(TextoPorcentaje(*u), QString::fromUtf8(mostrado)) << texto;
    }
    EXPECT_EQ(LeePorcentaje("33,33333"), 3333333);
    EXPECT_EQ(NumeroPorcentaje(-150000), "-1.5");
    for (const char* t : {"33,333333", "abc", "1,2,3", "-", "1-2", "50%"})
        EXPECT_EQ(LeePorcentaje(t), std::nullopt) << t;
}

TEST_F(Distribucion, ChecksOfTypedValuesAndTotals) {
    // Centres: the code as the table keeps it, refusals in their order.
    const struct {
        const char* valor;
        int fila;
        QString mensaje;
        const char* codigo;
    } centros[] = {
        {" 0101 ", 2, {}, "0101"},
        {"ab01", 2, {}, "AB01"},
        {"", 2, {}, ""},
        {"9999", 2, MsgCentroInexistente, ""},
        {"0100", 2, MsgCentroTitulo, "0100"},
        {"0102", 2, MsgCentroRepetido, "0102"}, // on line 1 already
        {"0102", 1, {}, "0102"},                // its own line
    };
    const Lineas conLinea = Con({{"0102", "10"}});
    for (const auto& c : centros) {
        QString codigo, descripcion;
        EXPECT_EQ(ValidaCentro(conLinea, c.fila, c.valor, codigo, descripcion), c.mensaje)
            << c.valor;
        EXPECT_EQ(codigo, QString::fromUtf8(c.codigo)) << c.valor;
    }
    QString codigo, descripcion; // letter case does not tell two centres apart
    EXPECT_EQ(ValidaCentro(Con({{"ab01", "1"}}), 2, "AB01", codigo, descripcion),
              MsgCentroRepetido);

    for (const char* v : {"0", "100", "0,5"})
        EXPECT_EQ(ValidaPorcentaje(v), QString()) << v;
    for (const char* v : {"100,01", "-1", "x"})
        EXPECT_EQ(ValidaPorcentaje(v), MsgRangoPorcentaje) << v;

    // A line without a centre takes no part; an account spread whole
    // without asking the user must total exactly 100.
    QString mensaje;
    EXPECT_TRUE(VerificarSumaPorcentajes(Con({{"0101", "60"}, {"", "50"}}), mensaje));
    EXPECT_EQ(VerificaSumaTotal(Con({{"0101", "12,5"}, {"0102", "87,5"}}), true), QString());
    EXPECT_EQ(VerificaSumaTotal(Con({{"0101", "12,5"}, {"0102", "86,5"}}), true),
              MsgSumaIncompleta);
    EXPECT_EQ(VerificaSumaTotal(Con({{"0101", "60"}, {"0102", "50"}}), true), MsgSumaTotal);
    EXPECT_EQ(VerificaSumaTotal(Con({{"", "40"}}), true), QString()); // spreads nothing

    // Before a save every used line is checked again, then the total.
    const struct {
        Lineas lineas;
        std::optional<Rechazo> rechazo;
    } antes[] = {
        {Con({{"0101", "50"}, {"", ""}, {"0102", "50"}}), std::nullopt},
        {Con({{"0101", "50"}, {"0100", "10"}}), Rechazo{2, 1, MsgCentroTitulo}},
        {Con({{"0101", "50"}, {"0101", "10"}}), Rechazo{2, 1, MsgCentroRepetido}},
        {Con({{"0101", "150"}}), Rechazo{1, 3, MsgRangoPorcentaje}},
        {Con({{"0101", "50,4"}, {"0102", "50,4"}}), Rechazo{1, 3, MsgSumaPorcentajes}},
    };
    for (const auto& a : antes) {
        const std::optional<Rechazo> r = VerificaLineas(a.lineas);
        ASSERT_EQ(r.has_value(), a.rechazo.has_value()) << a.lineas[1].Porcentaje.toStdString();
        if (r) {
            EXPECT_EQ(r->Fila, a.rechazo->Fila);
            EXPECT_EQ(r->Columna, a.rechazo->Columna);
            EXPECT_EQ(r->Mensaje, a.rechazo->Mensaje);
        }
    }
}

// The same shares judged cell by cell while typing and again by the save: the
// same verdict with the same text, and what is stored in the company and its
// group copy adds up exactly to what was judged.
class Participaciones : public Distribucion {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(Distribucion::SetUp());
        CNStuffContable::InstalaReplicacion();
        db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                               "('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
                               "'MA_CUENTASCCOSTO|'), ('GRP_Tipos', '111', NULL), "
                               "('GRP_Server', %1, NULL), ('GRP_Base', 'GRUPO', NULL), "
                               "('GRP_User', 'GRUPO', NULL)")
                    .arg(sqltext::literal(db.folder())));
        for (int n = 1; n <= 40; ++n)
            db.exec(QStringLiteral("INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION, TITULO) VALUES "
                                   "('C%1', 'Centro', 0)")
                        .arg(n, 3, 10, QLatin1Char('0')));
    }
    void TearDown() override {
        ModGruposEmp::setServicios(nullptr);
        Distribucion::TearDown();
    }
    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
};

TEST_F(Participaciones, SameVerdictWhileTypingAndAtTheSaveAndStoredAsJudged) {
    const auto veces = [](int n, const char* p) { return std::vector<const char*>(size_t(n), p); };
    auto mas = [](std::vector<const char*> v, const char* p) {
        v.push_back(p);
        return v;
    };
    const struct {
        const char* caso;
        std::vector<const char*> partes;
        bool completa;
        QString mensaje; // empty: stored
    } casos[] = {
        {"whole", {"40", "40", "20"}, false, {}},
        {"one decimal", {"15,5", "20", "25", "39,5"}, false, {}},
        {"two decimals", {"33,33", "33,33", "33,34"}, true, {}},
        {"four decimals", {"12,3456", "87,6544"}, true, {}},
        {"thirds", {"33,33333", "33,33333", "33,33334"}, true, {}},
        {"just over", {"50,00004", "50,00004"}, false, MsgSumaPorcentajes},
        {"99,99", {"99,99"}, false, {}},
        {"99,99 spread whole", {"99,99"}, true, MsgSumaIncompleta},
        {"100,01", {"100,01"}, false, MsgRangoPorcentaje},
        {"100,01 in two", {"50", "50,01"}, false, MsgSumaPorcentajes},
        {"many small", mas(veces(30, "3,33333"), "0,0001"), true, {}},
        {"many tenths", mas(veces(39, "0,1"), "96,1"), true, {}},
        {"many over", mas(veces(30, "3,33334"), "0,0001"), false, MsgSumaPorcentajes},
        {"negative", {"50", "-5"}, false, MsgRangoPorcentaje},
        {"six decimals", {"33,333333"}, false, MsgRangoPorcentaje},
        {"empty", {"", "100"}, true, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        db.exec("DELETE FROM MA_CUENTASCCOSTO");
        grupo.exec("DELETE FROM MA_CUENTASCCOSTO");
        Lineas lineas{LineaCCosto{}};
        QString tecleando;
        QList<QVariantList> juzgadas;
        for (size_t n = 0; n < c.partes.size(); ++n) {
            const QString v = QString::fromUtf8(c.partes[n]);
            lineas.push_back({QStringLiteral("C%1").arg(n + 1, 3, 10, QLatin1Char('0')), {}, v});
            juzgadas << QVariantList{lineas.back().CCosto, qlonglong(LeePorcentaje(v).value_or(0))};
            // As the grid checks each typed percentage.
            if (tecleando.isEmpty() && !v.isEmpty())
                tecleando = ValidaPorcentaje(v);
            if (tecleando.isEmpty())
                VerificarSumaPorcentajes(lineas, tecleando);
        }
        // Only the save asks for the whole 100.
        EXPECT_EQ(tecleando, c.mensaje == MsgSumaIncompleta ? QString() : c.mensaje);

        Grabacion g;
        g.Cuenta = QStringLiteral("520101001");
        g.Filas = lineas;
        g.PideConfirmacion = c.completa;
        g.Ahora = vb::MakeDate(2024, 3, 15, 10, 0, 0);
        const Resultado r = GrabaDistribucion(g);
        EXPECT_EQ(r.Mensaje, c.mensaje);
        EXPECT_EQ(r.hecho(), c.mensaje.isEmpty());
        // Each share stored as judged, in whole hundred-thousandths.
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(d->rows("SELECT CCOSTO, CAST(ROUND(PORCENTAJE * 100000) AS INTEGER) FROM "
                              "MA_CUENTASCCOSTO ORDER BY CCOSTO"),
                      c.mensaje.isEmpty() ? juzgadas : QList<QVariantList>())
                << d->dbName().toStdString();
        const ccosto::Distribucion leida = LeeDistribucion(g.Cuenta, QString());
        for (size_t n = 1; n < leida.Filas.size(); ++n)
            EXPECT_EQ(LeePorcentaje(leida.Filas[n].Porcentaje),
                      LeePorcentaje(lineas[n].Porcentaje));
    }
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

TEST_F(Distribucion, AccountsAndMovements) {
    const struct {
        const char* codigo;
        QString mensaje;
    } casos[] = {{"  ", MsgSinCuenta},
                 {"999", MsgCuentaInexistente},
                 {"5", MsgCuentaTitulo},
                 {" 520101001 ", {}},
                 {"5' OR '1'='1", MsgCuentaInexistente}};
    for (const auto& c : casos) {
        QString descripcion;
        EXPECT_EQ(ValidaCuenta(c.codigo, descripcion), c.mensaje) << c.codigo;
        EXPECT_EQ(descripcion.isEmpty(),
                  c.mensaje == MsgSinCuenta || c.mensaje == MsgCuentaInexistente);
    }
    db.exec("INSERT INTO MV_ASIENTOSCCOSTO (CUENTA, CCOSTO, Importe) VALUES "
            "('520101001', '0101', NULL), (' 520101002 ', '0101', 10)");
    EXPECT_FALSE(TieneMov("520101001")); // only a Null amount
    EXPECT_TRUE(TieneMov("520101002"));
}

// Each save and delete touches the one distribution it names, in one
// transaction, with every value quoted.
TEST_F(Distribucion, SaveAndDeleteOneDistribution) {
    db.exec("INSERT INTO MA_CUENTASCCOSTO VALUES ('520101001', '0102', 100, NULL, NULL, NULL);"
            "INSERT INTO MA_CUENTASCCOSTO_UNEG VALUES ('520101001', '0001', '0101', 100),"
            "('520101001', '0002', '0101', 100)");
    ccosto::Distribucion leida = LeeDistribucion("520101001", QString());
    EXPECT_TRUE(leida.HayFilas);
    EXPECT_TRUE(leida.PideConfirmacion); // a Null flag reads as set
    EXPECT_TRUE(leida.VariablePorUD);
    ASSERT_EQ(leida.Filas.size(), 2u);
    EXPECT_EQ(leida.Filas[1].Descripcion, "Minoristas");
    EXPECT_FALSE(LeeDistribucion("520101009", QString()).HayFilas);

    Grabacion g;
    g.Cuenta = " 520101001 ";
    g.Unidad = "0001";
    g.Filas = Con({{"0101", "12,5"}, {"", ""}, {"0102", "87,5"}});
    g.PideConfirmacion = false;
    g.VariablePorUD = true;
    g.Ahora = vb::MakeDate(2024, 3, 15, 10, 0, 0);
    ASSERT_TRUE(GrabaDistribucion(g));
    EXPECT_EQ(filas("SELECT UNEGOCIO, CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO_UNEG ORDER BY 1, 2"),
              (QList<QVariantList>{
                  {"0001", "0101", 12.5}, {"0001", "0102", 87.5}, {"0002", "0101", 100.0}}));
    // The unit's save keeps the general lines and gives them the flags.
    EXPECT_EQ(filas("SELECT CCOSTO, PORCENTAJE, PideConfirmacion, VariablePorUD FROM "
                    "MA_CUENTASCCOSTO"),
              (QList<QVariantList>{{"0102", 100.0, 0, 1}}));

    g.Unidad.clear();
    g.Filas = Con({{"0101", "40"}, {"AB01", "60"}});
    g.PideConfirmacion = true;
    ASSERT_TRUE(GrabaDistribucion(g));
    EXPECT_EQ(filas("SELECT CCOSTO, PORCENTAJE, FECHAHORA_MODIFICACION, PideConfirmacion, "
                    "VariablePorUD FROM MA_CUENTASCCOSTO ORDER BY 1"),
              (QList<QVariantList>{{"0101", 40.0, "2024-03-15 10:00:00", 1, 1},
                                   {"AB01", 60.0, "2024-03-15 10:00:00", 1, 1}}));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO_UNEG"), 3);

    // An account code holding an apostrophe is a value, not SQL.
    cuenta("5201'9", "Rara");
    g.Cuenta = "5201'9";
    g.Filas = Con({{"0101", "1"}});
    // Spread without asking the user, it must total 100: refused on its line.
    const Resultado incompleta = GrabaDistribucion(g);
    EXPECT_TRUE(incompleta.rechazado());
    EXPECT_EQ(incompleta.Mensaje, MsgSumaIncompleta);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '5201''9'"), 0);
    g.Filas = Con({{"0101", "100"}});
    ASSERT_TRUE(GrabaDistribucion(g));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO WHERE CODIGO = '5201''9'"), 1);

    Grabacion baja;
    baja.Cuenta = "520101001";
    baja.Unidad = "0002";
    ASSERT_TRUE(BorraDistribucion(baja));
    EXPECT_EQ(filas("SELECT UNEGOCIO FROM MA_CUENTASCCOSTO_UNEG GROUP BY 1"),
              (QList<QVariantList>{{"0001"}}));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO"), 3);
    // The general lines go; the unit lines that stay keep the flags.
    baja.Unidad.clear();
    baja.PideConfirmacion = true;
    baja.VariablePorUD = true;
    ASSERT_TRUE(BorraDistribucion(baja));
    EXPECT_EQ(filas("SELECT CCOSTO, PORCENTAJE, PideConfirmacion, VariablePorUD FROM "
                    "MA_CUENTASCCOSTO WHERE CODIGO = '520101001'"),
              (QList<QVariantList>{{" ", 0.0, 1, 1}}));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO_UNEG"), 2);

    // A row refused half-way leaves the distribution as it was.
    db.exec("CREATE TRIGGER falla BEFORE INSERT ON MA_CUENTASCCOSTO_UNEG WHEN NEW.CCOSTO = 'AB01' "
            "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    g.Cuenta = "520101001";
    g.Unidad = "0001";
    g.Filas = Con({{"0102", "10"}, {"AB01", "20"}});
    EXPECT_FALSE(GrabaDistribucion(g));
    EXPECT_EQ(filas("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO_UNEG ORDER BY 1"),
              (QList<QVariantList>{{"0101", 12.5}, {"0102", 87.5}}));
}

} // namespace
