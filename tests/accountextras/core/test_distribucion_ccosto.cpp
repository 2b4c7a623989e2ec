// The cost-centre distribution without its window: reading percentages, the
// checks of typed values and totals, and the one-transaction save and delete
// of one distribution.

#include "cuentas_fixture.h"

#include "accountextras/core/distribucion_ccosto.h"

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

TEST(PorcentajeTexto, ReadsTheRegionalDecimal) {
    const struct {
        const char* texto;
        std::optional<double> valor;
    } casos[] = {
        {"12,5", 12.5},      {"12.5", 12.5},        {" 7 ", 7.0},          {"", 0.0},
        {"-1", -1.0},        {"100", 100.0},        {"abc", std::nullopt}, {"1,2,3", std::nullopt},
        {"-", std::nullopt}, {"1-2", std::nullopt}, {"50%", std::nullopt},
    };
    for (const auto& c : casos)
        EXPECT_EQ(LeePorcentaje(QString::fromUtf8(c.texto)), c.valor) << c.texto;
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

    // Totals: while typing each line is rounded first; a save takes the exact sum.
    const struct {
        Lineas lineas;
        bool tecleando;
        QString alGrabar;
    } totales[] = {
        {Con({{"0101", "40"}, {"0102", "40"}, {"AB01", "20"}}), true, {}},
        {Con({{"0101", "30"}, {"0102", "30"}}), true, {}}, // nothing asks for 100
        {Con({{"0101", "60"}, {"0102", "50"}}), false, MsgSumaTotal},
        {Con({{"0101", "50,4"}, {"0102", "50,4"}}), true, MsgSumaTotal},
        {Con({{"0101", "60"}, {"0102", "40,5"}}), true, MsgSumaTotal}, // 40,5 rounds to 40
        {Con({{"0101", "33,33"}, {"0102", "33,33"}, {"AB01", "33,34"}}), true, {}},
        // A line without a centre counts while typing, never in a save.
        {Con({{"0101", "60"}, {"", "50"}}), false, {}},
    };
    for (const auto& t : totales) {
        QString mensaje;
        EXPECT_EQ(VerificarSumaPorcentajes(t.lineas, mensaje), t.tecleando)
            << t.lineas[2].Porcentaje.toStdString();
        EXPECT_EQ(mensaje, t.tecleando ? QString() : MsgSumaPorcentajes);
        EXPECT_EQ(VerificaSumaTotal(t.lineas), t.alGrabar) << t.lineas[2].Porcentaje.toStdString();
    }
    // An account spread whole without asking the user: exactly 100.
    EXPECT_EQ(VerificaSumaTotal(Con({{"0101", "12,5"}, {"0102", "87,5"}}), true), QString());
    EXPECT_EQ(VerificaSumaTotal(Con({{"0101", "12,5"}, {"0102", "86,5"}}), true),
              MsgSumaIncompleta);
    EXPECT_EQ(VerificaSumaTotal(Con({{"0101", "60"}, {"0102", "50"}}), true), MsgSumaTotal);

    // Before a save every used line is checked again, then the total.
    const struct {
        Lineas lineas;
        std::optional<Rechazo> rechazo;
    } antes[] = {
        {Con({{"0101", "50"}, {"", ""}, {"0102", "50"}}), std::nullopt},
        {Con({{"0101", "50"}, {"0100", "10"}}), Rechazo{2, 1, MsgCentroTitulo}},
        {Con({{"0101", "50"}, {"0101", "10"}}), Rechazo{2, 1, MsgCentroRepetido}},
        {Con({{"0101", "150"}}), Rechazo{1, 3, MsgRangoPorcentaje}},
        {Con({{"0101", "50,4"}, {"0102", "50,4"}}), Rechazo{1, 3, MsgSumaTotal}},
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

    ASSERT_TRUE(BorraDistribucion("520101001", "0002"));
    EXPECT_EQ(filas("SELECT UNEGOCIO FROM MA_CUENTASCCOSTO_UNEG GROUP BY 1"),
              (QList<QVariantList>{{"0001"}}));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO"), 3);
    ASSERT_TRUE(BorraDistribucion("520101001", QString()));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASCCOSTO"), 1);
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
