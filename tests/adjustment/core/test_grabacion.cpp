// The entry's save without the window: the header values and the lines go in,
// journal-entry rows and the voucher book's advance come out.

#include "ajuste_fixture.h"

#include "adjustment/core/grabacion.h"
#include "common/oracle_dialect.h"
#include "data/oracle_dicc.h"
#include "entries/lbc_asiento.h"
#include "platform/win/clsutilidades.h"

class GrabacionSinVentana : public AjusteTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(AjusteTest::SetUp());
        comprobantes();
        // The accounts the entries' lines are on.
        cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
        for (const char* c : {"1201", "1301", "1401"})
            cuenta(QLatin1String(c), QStringLiteral("Cuenta ") + QLatin1String(c), 0);
    }

    // The header of a new entry of 2023 with the book's voucher accepted.
    static CabeceraAjuste cabecera() {
        CabeceraAjuste c;
        c.FECHA = QStringLiteral("31/12/2023");
        c.TagFecha = QStringLiteral("fecha");
        c.CampoFecha = QStringLiteral("FECHA");
        c.TC = QStringLiteral("AJUS");
        c.SUCURSAL = QStringLiteral("0001");
        c.NUMERO = QStringLiteral("00000002");
        c.LETRA = QStringLiteral("X");
        c.CABIMPORTE = QStringLiteral("90,74");
        c.DETALLE = QStringLiteral("Ajuste");
        c.PERIODO_DESDE = QStringLiteral("01/2023");
        c.PERIODO_HASTA = QStringLiteral("12/2023");
        c.Ejercicio = QStringLiteral("2023");
        return c;
    }

    // A general entry of December stored by someone else.
    void otroAsiento(int numero) {
        db.exec(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO "
                               "ASIENTO\", FECHA, CUENTA, TIPO_REG) VALUES (2023, 12, %1, "
                               "'2023-12-15 00:00:00', '5901', '')")
                    .arg(numero));
    }

    Lbc_AsientoRef reglas;
};

// Someone stores entry 8 of December between the moment the number could have
// been read and the insert: the save still takes the next free number, the
// same for all its lines.
TEST_F(GrabacionSinVentana, ElNumeroSeTomaDentroDeLaTransaccion) {
    otroAsiento(7);
    const LineasAjuste lineas = {TipoLineaAjuste(), lineaDe("1101", "90,7402", ""),
                                 lineaDe("5901", "", "90,74"), lineaDe("1201", "0", "")};
    bool hecho = false;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (!hecho && s.contains(QStringLiteral("BEGIN TRANSACTION"), Qt::CaseInsensitive)) {
            hecho = true;
            otroAsiento(8);
        }
        return std::nullopt;
    });
    const bool grabado = GrabacionAjuste::Graba(cabecera(), lineas, reglas);
    gDatos().cnn()->setFaultInjector({});
    ASSERT_TRUE(hecho);
    ASSERT_TRUE(grabado) << responder->messages().join(u'|').toStdString();
    const auto filas = db.rows(QStringLiteral(
        "SELECT \"NUMERO ASIENTO\", MES_OPERATIVO, SECUENCIA FROM MV_ASIENTOS WHERE ESAJUSTE = 1 "
        "ORDER BY SECUENCIA"));
    ASSERT_EQ(filas.size(), 3);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(filas[i][0].toLongLong(), 9);
        EXPECT_EQ(filas[i][1].toLongLong(), 12);
        EXPECT_EQ(filas[i][2].toLongLong(), i + 1);
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT \"NUMERO ASIENTO\") FROM "
                                       "MV_ASIENTOS WHERE MES_OPERATIVO = 12"))
                  .toLongLong(),
              3);
    EXPECT_EQ(libroX().toLongLong(), 3);
}

// Every line stores its own account, sequence, amount, side and due date
// (none, or the date at midnight), in the lines' order, with the entry's and
// the voucher's numbers the first line took; lines with and without a due
// date alternate.
TEST_F(GrabacionSinVentana, CadaLineaGuardaSusValoresEnSuOrden) {
    auto conVence = [](TipoLineaAjuste l, const char* vence) {
        l.Vencimiento = QLatin1String(vence);
        return l;
    };
    const LineasAjuste lineas = {TipoLineaAjuste(),
                                 lineaDe("1101", "90,7402", ""),
                                 conVence(lineaDe("1201", "", "12,3456"), "15/03/2024"),
                                 conVence(lineaDe("1301", "0", ""), "20/03/2024"),
                                 lineaDe("  ", "5", ""),
                                 lineaDe("5901", "", "78,3946"),
                                 conVence(lineaDe("1401", "1", ""), " 01/04/2024 ")};
    ASSERT_TRUE(GrabacionAjuste::Graba(cabecera(), lineas, reglas))
        << responder->messages().join(u'|').toStdString();
    const auto filas = db.rows(QStringLiteral(
        "SELECT SECUENCIA, CUENTA, printf('%.4f', IMPORTE), \"DEBE-HABER\", VENCIMIENTO, "
        "\"NUMERO ASIENTO\", NUMERO FROM MV_ASIENTOS WHERE ESAJUSTE = 1 ORDER BY rowid"));
    const QList<QVariantList> esperadas = {{1, "1101", "90.7402", "D", QVariant()},
                                           {2, "1201", "12.3456", "H", "2024-03-15 00:00:00"},
                                           {3, "1301", "0.0000", "H", "2024-03-20 00:00:00"},
                                           {5, "5901", "78.3946", "H", QVariant()},
                                           {6, "1401", "1.0000", "D", "2024-04-01 00:00:00"}};
    ASSERT_EQ(filas.size(), esperadas.size());
    for (qsizetype i = 0; i < filas.size(); ++i) {
        for (int c = 0; c < 5; ++c)
            EXPECT_EQ(filas[i][c].toString(), esperadas[i][c].toString()) << i << " " << c;
        EXPECT_EQ(filas[i][5], filas[0][5]);
        EXPECT_EQ(filas[i][6].toString(), QStringLiteral("00000002"));
    }
    EXPECT_EQ(libroX().toLongLong(), 3);
}

// The reads the numbers come from: on SQL Server they take the rows' update
// locks to the end of the transaction, as BEGIN IMMEDIATE takes SQLite's
// whole file; SQLite's statements stay without hints.
TEST_F(GrabacionSinVentana, LaLecturaDelNumeroBloqueaEnSqlServer) {
    const LineasAjuste lineas = {TipoLineaAjuste(), lineaDe("1101", "90,74", ""),
                                 lineaDe("5901", "", "90,74")};
    const QString serie = QStringLiteral("COALESCE(MAX([NUMERO ASIENTO]),0)+1 FROM MV_ASIENTOS%1 "
                                         "WHERE MES_OPERATIVO = 12");
    const QString libro =
        QStringLiteral("MAX(CAST(NUMERO AS INT)) + 1 FROM MV_ASIENTOS%1 WHERE TC = 'AJUS'");
    for (const MotorSQL motor : {MotorSQL::SQLite, MotorSQL::SqlServer}) {
        QStringList vistas;
        // Refused, so that nothing of another dialect reaches the file.
        testutil::recordStatements(gDatos().cnn(), vistas,
                                   [](const QString& s) -> std::optional<ado::Error> {
                                       if (s.startsWith(QLatin1String("INSERT INTO MV_ASIENTOS")))
                                           return ado::Error{ado::adErrUnspecified,
                                                             QStringLiteral("rechazada"),
                                                             QStringLiteral("42000"),
                                                             0,
                                                             {}};
                                       return std::nullopt;
                                   });
        ClsUtilidades::setMotorSQL(motor);
        GrabacionAjuste::Graba(cabecera(), lineas, reglas);
        ClsUtilidades::setMotorSQL(MotorSQL::SQLite);
        gDatos().cnn()->setFaultInjector({});
        const QStringList altas = vistas.filter(QStringLiteral("INSERT INTO MV_ASIENTOS"));
        ASSERT_FALSE(altas.isEmpty()) << int(motor);
        const QString hint =
            motor == MotorSQL::SqlServer ? QStringLiteral(" WITH (UPDLOCK, HOLDLOCK)") : QString();
        EXPECT_TRUE(altas.front().contains(serie.arg(hint))) << altas.front().toStdString();
        EXPECT_TRUE(altas.front().contains(libro.arg(hint))) << altas.front().toStdString();
        EXPECT_FALSE(
            vistas
                .filter(QStringLiteral("SELECT DISTINCT FECHA, AJUSTE_HASTA FROM MV_ASIENTOS") +
                        hint + QStringLiteral(" WHERE PERIODO = 2023 AND ESAJUSTE = 1"))
                .isEmpty())
            << vistas.join(u'\n').toStdString();
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toLongLong(), 0);
}

// The months already adjusted are read again inside the save: a range that
// starts on or before the year's last adjusted month stores nothing and the
// user is told of that adjustment; the months after it are stored.
TEST_F(GrabacionSinVentana, MesesYaAjustadosNoSeGrabanOtraVez) {
    const LineasAjuste lineas = {TipoLineaAjuste(), lineaDe("1101", "10", ""),
                                 lineaDe("5901", "", "10")};
    const struct {
        const char *desde, *hasta;
        bool graba;
    } casos[] = {
        {"01/2023", "06/2023", true}, {"01/2023", "12/2023", false}, {"06/2023", "12/2023", false},
        {"07/2023", "09/2023", true}, {"09/2023", "12/2023", false}, {"10/2023", "12/2023", true},
    };
    qlonglong libro = 2;
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.desde) + "-" + c.hasta);
        responder->shown.clear();
        CabeceraAjuste cab = cabecera();
        cab.PERIODO_DESDE = QLatin1String(c.desde);
        cab.PERIODO_HASTA = QLatin1String(c.hasta);
        cab.NUMERO = libroX().toString();
        const qlonglong antes = lineasAjuste();
        EXPECT_EQ(GrabacionAjuste::Graba(cab, lineas, reglas), c.graba);
        EXPECT_EQ(lineasAjuste(), antes + (c.graba ? 2 : 0));
        libro += c.graba ? 1 : 0;
        EXPECT_EQ(libroX().toLongLong(), libro);
        if (!c.graba) {
            EXPECT_EQ(responder->messages(), QStringList{GrabacionAjuste::AvisoUltimoAjuste(
                                                 QStringLiteral("31/12/2023"))});
        }
    }
}

// A line the database refuses, the first one or one of those that follow
// it, stores nothing and leaves the book where it was, on the embedded
// engine and through the SQLite ODBC driver alike; the statements kept
// prepared serve the next save once the refusal is gone.
TEST_F(GrabacionSinVentana, UnaLineaRechazadaNoGrabaNadaEnNingunMotor) {
    const LineasAjuste lineas = {TipoLineaAjuste(), lineaDe("1101", "90,74", ""),
                                 lineaDe("1201", "", "10"), lineaDe("1301", "", "70"),
                                 lineaDe("1401", "", "10,74")};
    for (const bool odbc : {false, true}) {
        for (const char* rechazada : {"1101", "1301"}) {
            SCOPED_TRACE(std::string(odbc ? "odbc " : "nativo ") + rechazada);
            resetInstances();
            DB_Dll& d = gDatos();
            d.gServidor = db.folder();
            d.gDBName = db.dbName();
            d.gUsuario = QStringLiteral("sa");
            d.OpenServerADODB(false, 3, odbc ? db.odbcConnectionString() : QString(), false, false);
            ASSERT_TRUE(d.gOpenFlag);
            db.exec(QStringLiteral("CREATE TRIGGER rechaza BEFORE INSERT ON MV_ASIENTOS WHEN "
                                   "NEW.CUENTA = '%1' BEGIN SELECT RAISE(ABORT, 'cuenta "
                                   "bloqueada'); END")
                        .arg(QLatin1String(rechazada)));
            const int errores = db.scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt();
            EXPECT_FALSE(GrabacionAjuste::Graba(cabecera(), lineas, reglas));
            EXPECT_EQ(lineasAjuste(), 0);
            EXPECT_EQ(libroX().toLongLong(), 2);
            EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(),
                      errores + 1);

            db.exec(QStringLiteral("DROP TRIGGER rechaza"));
            EXPECT_TRUE(GrabacionAjuste::Graba(cabecera(), lineas, reglas))
                << responder->messages().join(u'|').toStdString();
            EXPECT_EQ(lineasAjuste(), 4);
            EXPECT_EQ(libroX().toLongLong(), 3);
            db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS; UPDATE V_TA_CPTE SET X_ULTIMO_NRO = "
                                   "2"));
        }
    }
}

TEST_F(GrabacionSinVentana, AsientoSinLineasNoSeGraba) {
    EXPECT_FALSE(
        GrabacionAjuste::Graba(cabecera(), {TipoLineaAjuste(), lineaDe("", "5", "")}, reglas));
    EXPECT_EQ(responder->messages(),
              QStringList{QStringLiteral("El asiento no tiene líneas para grabar")});
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toLongLong(), 0);
    EXPECT_EQ(libroX().toLongLong(), 2);
}

TEST_F(GrabacionSinVentana, EjercicioDeUnaFecha) {
    std::int16_t p = -1;
    GrabacionAjuste::ObtienePeriodo(QStringLiteral("31/12/2023"), p);
    EXPECT_EQ(p, 2023);
    GrabacionAjuste::ObtienePeriodo(QStringLiteral("01/01/2022"), p);
    EXPECT_EQ(p, 2022);
    GrabacionAjuste::ObtienePeriodo(QStringLiteral("01/01/2030"), p);
    EXPECT_EQ(p, 0);
}

// Every statement the adjustment sends (the generation by both readings, the
// save with the voucher book's advance, the list, the fiscal year of a date),
// cut as the Oracle road cuts the save's batch, reads as Oracle's dialect;
// the shapes that need rewriting read as below.
TEST_F(GrabacionSinVentana, CadaSentenciaEnviadaSeTraduceAOracle) {
    indices(2023, 1, 12, 1.2);
    mov({QStringLiteral("1101"), QStringLiteral("2023-03-15"), QStringLiteral("D"), 100});
    QStringList enviadas;
    testutil::recordStatements(gDatos().cnn(), enviadas);
    for (auto l : {GeneracionAjuste::Lectura::PorCuenta, GeneracionAjuste::Lectura::Agrupada})
        EXPECT_EQ(genera(QStringLiteral("01/2023"), QStringLiteral("12/2023"), false, l).fin,
                  GeneracionAjuste::Fin::Completa);
    const LineasAjuste lineas = {TipoLineaAjuste(), lineaDe("1101", "90,74", ""),
                                 lineaDe("5901", "", "90,74")};
    EXPECT_TRUE(GrabacionAjuste::Graba(cabecera(), lineas, reglas));
    ado::RecordsetPtr rs;
    QString planilla = GrabacionAjuste::SentenciaPlanilla();
    gDatos().AbrirRecordset(planilla, rs);
    std::int16_t periodo = 0;
    GrabacionAjuste::ObtienePeriodo(QStringLiteral("31/12/2023"), periodo);
    gDatos().cnn()->setFaultInjector({});

    QStringList sentencias;
    for (const QString& s : enviadas) {
        QString resto = oracle::normalizeScript(s);
        if (!oracle::nextStatement(resto))
            sentencias << s; // a query
        while (const auto siguiente = oracle::nextStatement(resto)) {
            sentencias << siguiente->statement;
            resto = siguiente->rest;
        }
    }
    sentencias.removeDuplicates();
    const std::pair<const char*, const char*> formas[] = {
        {"SELECT CUENTA, FORMAT(MES_OPERATIVO, '00') + '-' + FORMAT([NUMERO ASIENTO], '00000000') "
         "AS [Nº Asiento], FECHA, TC, RIGHT('0000' + LTRIM(RTRIM(SUCURSAL)), 4) + '-' + "
         "RIGHT('00000000' + LTRIM(RTRIM(NUMERO)), 8) + '-' + [LETRA] AS [Nº de Comprobante], "
         "[DEBE-HABER], IMPORTE, SECUENCIA AS [LINEA], PERIODO AS [EJERCICIO], DETALLE AS "
         "[CONCEPTO] FROM MV_ASIENTOS WHERE LTRIM(RTRIM(TIPO_REG)) = '' AND ESAJUSTE <> 0 ORDER BY "
         "[NUMERO ASIENTO], SECUENCIA",
         "SELECT CUENTA, TO_CHAR(MES_OPERATIVO, 'FM00') || '-' || TO_CHAR(\"NUMERO ASIENTO\", "
         "'FM00000000') AS \"Nº Asiento\", FECHA, TC, SUBSTR('0000' || LTRIM(RTRIM(SUCURSAL)), "
         "-LEAST(4, LENGTH('0000' || LTRIM(RTRIM(SUCURSAL))))) || '-' || SUBSTR('00000000' || "
         "LTRIM(RTRIM(NUMERO)), -LEAST(8, LENGTH('00000000' || LTRIM(RTRIM(NUMERO))))) || '-' || "
         "\"LETRA\" AS \"Nº de Comprobante\", \"DEBE-HABER\", IMPORTE, SECUENCIA AS \"LINEA\", "
         "PERIODO AS \"EJERCICIO\", DETALLE AS \"CONCEPTO\" FROM MV_ASIENTOS WHERE "
         "TRIM(LTRIM(RTRIM(TIPO_REG))) IS NULL AND ESAJUSTE <> 0 ORDER BY \"NUMERO ASIENTO\", "
         "SECUENCIA"},
        {"SELECT TOP 1 * FROM MA_CUENTAS with(nolock)  WHERE (CODIGO ='1101' OR CODIGO < '0' AND "
         "LTRIM(RTRIM(CODIGO)) ='1101')",
         "SELECT * FROM MA_CUENTAS  WHERE (CODIGO ='1101' OR CODIGO < '0' AND LTRIM(RTRIM(CODIGO)) "
         "='1101') AND ROWNUM <= 1"},
        {"select getDate() as fecha", "select SYSDATE as fecha FROM DUAL"},
        {"Select * from MV_EJERCICIOS  with(nolock) where [Fecha Desde] <= '2023-12-31 00:00:00' "
         "and [Fecha Hasta] >= '2023-12-31 00:00:00'",
         "Select * from MV_EJERCICIOS where \"FECHA DESDE\" <= '2023-12-31 00:00:00' and \"FECHA "
         "HASTA\" >= '2023-12-31 00:00:00'"},
    };
    for (const auto& [servidor, oracle] : formas) {
        EXPECT_TRUE(sentencias.contains(QString::fromUtf8(servidor))) << servidor;
        EXPECT_EQ(oracle::rewriteStatement(QString::fromUtf8(servidor)), QString::fromUtf8(oracle));
    }
    // The lines' insert: the day kept as text in AJUSTE_HASTA is no date.
    const QStringList altas = sentencias.filter(QStringLiteral("INSERT INTO MV_ASIENTOS"));
    ASSERT_FALSE(altas.isEmpty());
    for (const QString& s : sentencias) {
        const QString o = oracle::rewriteStatement(s);
        EXPECT_EQ(testutil::serverDialectLeft(o), QStringList()) << o.toStdString();
        if (s.contains(QStringLiteral("Ajuste_Hasta"))) {
            EXPECT_TRUE(o.contains(QStringLiteral(",'31/12/2023',"))) << o.toStdString();
        }
    }
    EXPECT_GT(sentencias.size(), 30);
}

// What the lines were generated on changes as the save begins (another user's
// commit just before the transaction takes its lock): a line's account gone,
// made a title or dropped, or the year closed. Nothing is stored, the book
// keeps its number and the user is told which account or year it was.
TEST_F(GrabacionSinVentana, LoGeneradoQueCambiaAlGrabarNoSeGraba) {
    const LineasAjuste lineas = {TipoLineaAjuste(), lineaDe("1101", "90,74", ""),
                                 lineaDe("5901", "", "90,74")};
    const struct {
        const char* cambio;
        const char* mensaje;
    } casos[] = {
        {"DELETE FROM MA_CUENTAS WHERE CODIGO = '1101'", "Cuenta 1101: Código inexistente"},
        {"UPDATE MA_CUENTAS SET TITULO = 1 WHERE CODIGO = '1101'",
         "Cuenta 1101: La Cuenta debe ser imputable"},
        {"UPDATE MA_CUENTAS SET DADA_DE_BAJA = 1 WHERE CODIGO = '5901'",
         "Cuenta 5901: La Cuenta debe ser imputable"},
        {"UPDATE MV_EJERCICIOS SET CERRADO = 1 WHERE PERIODO = 2023",
         "El ejercicio 2023 está cerrado y no puede ajustarse"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.cambio);
        bool hecho = false;
        gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
            if (!hecho && s.contains(QStringLiteral("BEGIN TRANSACTION"), Qt::CaseInsensitive)) {
                hecho = true;
                db.exec(QLatin1String(c.cambio));
            }
            return std::nullopt;
        });
        responder->shown.clear();
        const bool grabado = GrabacionAjuste::Graba(cabecera(), lineas, reglas);
        gDatos().cnn()->setFaultInjector({});
        ASSERT_TRUE(hecho);
        EXPECT_FALSE(grabado);
        EXPECT_EQ(lineasAjuste(), 0);
        EXPECT_EQ(libroX().toLongLong(), 2);
        EXPECT_EQ(responder->messages(), QStringList{QString::fromUtf8(c.mensaje)});
        EXPECT_FALSE(gDatos().cnn()->inTransaction());
        // Back as it was, for the next case.
        db.exec(QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO IN ('1101', '5901'); "
                               "DELETE FROM MV_EJERCICIOS"));
        ejercicio(2022, QStringLiteral("2022-01-01"), QStringLiteral("2022-12-31"));
        ejercicio(2023, QStringLiteral("2023-01-01"), QStringLiteral("2023-12-31"));
        cuenta(QStringLiteral("5901"), QStringLiteral("R.E.I."), 0);
        cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    }
    // Unchanged, the same entry is stored.
    EXPECT_TRUE(GrabacionAjuste::Graba(cabecera(), lineas, reglas))
        << responder->messages().join(u'|').toStdString();
    EXPECT_EQ(lineasAjuste(), 2);
}
