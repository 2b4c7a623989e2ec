// Recordsets, statements and the lost-connection policy.

#include "data/db_dll_internal.h"
#include "data_fixture.h"

using testutil::TempDatabase;

class SentenciasTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        db = std::make_unique<TempDatabase>();
        db->exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES "
                                "('1', 'ACTIVO'), ('11', 'CAJA')"));
    }

    // Makes statements that contain `fragment` fail with `error` while
    // `failures` is above 0 (negative: always), and reopens of the connection
    // fail while `reopenFails` is not 0 (negative: always). Counts both.
    void faults(DB_Dll& d, const QString& fragment, const ado::Error& error) {
        cadena = d.gCnn->ConnectionString;
        d.gCnn->setFaultInjector(
            [this, fragment, error](const QString& s) -> std::optional<ado::Error> {
                seen << s;
                if (s == cadena) {
                    ++reopens;
                    if (reopenFails != 0) {
                        if (reopenFails > 0)
                            --reopenFails;
                        return ado::lostLinkError();
                    }
                    return std::nullopt;
                }
                if (s.contains(fragment, Qt::CaseInsensitive) && failures != 0) {
                    if (failures > 0)
                        --failures;
                    ++failed;
                    return error;
                }
                return std::nullopt;
            });
    }

    std::unique_ptr<TempDatabase> db;
    QString cadena;
    int failures = -1;
    int failed = 0;
    int reopens = 0;
    int reopenFails = 0;
};

TEST_F(SentenciasTest, AbrirRecordsetReadsAndRewritesInPlace) {
    DB_Dll& d = openShared(*db);
    d.gEsAdmin = false;
    capture(d.gCnn);
    ado::RecordsetPtr rs;
    QString sql = QStringLiteral("SELECT * FROM @Admin_MA_CUENTAS WHERE CODIGO='11'");
    d.AbrirRecordset(sql, rs);
    EXPECT_EQ(sql, QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO='11'"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->value(QStringLiteral("DESCRIPCION")).toString(), QStringLiteral("CAJA"));
    EXPECT_EQ(seenWith(QStringLiteral("MA_CUENTAS")).join(QLatin1Char('|')), sql);

    // Reopened on the restricted view; the open recordset is closed first.
    QString restricted = QStringLiteral("SELECT * FROM MA_CUENTAS ORDER BY CODIGO");
    d.AbrirRecordset(restricted, rs, d.gCnn, ado::adOpenForwardOnly, ado::adLockReadOnly);
    EXPECT_EQ(restricted, QStringLiteral("SELECT * FROM SS_MA_CUENTAS ORDER BY CODIGO"));
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->value(QStringLiteral("CODIGO")).toString(), QStringLiteral("1"));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(SentenciasTest, AbrirRecordsetFailureGoesToErrorBox) {
    DB_Dll& d = openShared(*db);
    ado::RecordsetPtr rs = ado::Recordset::create();
    responder->answerMsg(vb::vbRetry);
    responder->answerMsg(vb::vbCancel);
    d.AbrirRecordset(QStringLiteral("SELECT * FROM NO_EXISTE"), rs);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_TRUE(responder->shown[0].title.endsWith(
        QStringLiteral(" - AbrirRecordset Aviso al operador!!! - 5 ")));
    const QString log = readLog(logPath());
    EXPECT_EQ(log.count(QStringLiteral("Rutina: - AbrirRecordset Mensaje Ha ocurrido el Siguiente "
                                       "Error (")),
              2);
    EXPECT_TRUE(log.contains(QStringLiteral("Respondió : Reintentar\r\n")));
    EXPECT_TRUE(log.contains(QStringLiteral("Respondió : Cancelar\r\n")));
}

TEST_F(SentenciasTest, AbrirRecordsetAfterReconnectAsksBeforeRepeating) {
    DB_Dll& d = openShared(*db);
    failures = 1;
    faults(d, QStringLiteral("FROM MA_CUENTAS"), ado::lostLinkError());
    responder->answerMsg(vb::vbRetry);
    ado::RecordsetPtr rs;
    d.AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO='1'"), rs);
    EXPECT_EQ(reopens, 1);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral("AbrirRecordset")));
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->value(QStringLiteral("DESCRIPCION")).toString(), QStringLiteral("ACTIVO"));
}

TEST_F(SentenciasTest, AbrirRecordsetReconnectCountBeforeQuestion) {
    DB_Dll& d = openShared(*db);
    d.gDBName = QStringLiteral("EMPRESA");
    d.gServidor = QStringLiteral("SRV01");
    faults(d, QStringLiteral("FROM MA_CUENTAS"), ado::lostLinkError());
    reopenFails = -1;
    responder->answerMsg(vb::vbNo);
    ado::RecordsetPtr rs;
    EXPECT_THROW(d.AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS"), rs),
                 vb::ProgramEnded);
    EXPECT_EQ(reopens, 2);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("AVISO AL OPERADOR"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbYesNo + vb::vbCritical);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("\r\n\r\n\r\nSe perdio la conexion con la base de datos EMPRESA\r\n"
                             " Servidor SRV01\r\n\r\nElija SI para reintentar conectarse\r\n"
                             "Elija NO para cerrar la aplicacion\r\n\r\n\r\n"));
}

TEST_F(SentenciasTest, EjecutaConsultaReconnectCountAndYesRepeats) {
    DB_Dll& d = openShared(*db);
    faults(d, QStringLiteral("INSERT INTO MA_CUENTAS"), ado::lostLinkError());
    reopenFails = -1;
    responder->answerMsg(vb::vbYes);
    responder->answerMsg(vb::vbNo);
    long n = -7;
    EXPECT_THROW(
        d.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')"), n),
        vb::ProgramEnded);
    // Four reconnects, the question, one more after Yes, the question again.
    EXPECT_EQ(reopens, 5);
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_EQ(responder->shown[1].title, QStringLiteral("AVISO AL OPERADOR"));
    EXPECT_EQ(n, -7);
}

TEST_F(SentenciasTest, EjecutaConsultaAsksAfterFourReconnects) {
    DB_Dll& d = openShared(*db);
    faults(d, QStringLiteral("INSERT INTO MA_CUENTAS"), ado::lostLinkError());
    reopenFails = -1;
    responder->answerMsg(vb::vbNo);
    long n = 0;
    EXPECT_THROW(
        d.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')"), n),
        vb::ProgramEnded);
    EXPECT_EQ(reopens, 4);
    EXPECT_EQ(responder->shown.size(), 1u);

    // Yes: the link comes back on the fifth reconnect and the statement runs.
    reopenFails = 0;
    d.OpenServerADODB(false, 3, QString(), false, false);
    ASSERT_EQ(d.gCnn->State(), ado::adStateOpen);
    faults(d, QStringLiteral("INSERT INTO MA_CUENTAS"), ado::lostLinkError());
    failures = 1;
    reopens = 0;
    reopenFails = 4;
    responder->shown.clear();
    responder->answerMsg(vb::vbYes);
    d.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')"), n);
    EXPECT_EQ(reopens, 5);
    EXPECT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO='2'")).toInt(), 1);
}

TEST_F(SentenciasTest, EjecutaConsultaOvercomesLostLinkTwice) {
    DB_Dll& d = openShared(*db);
    failures = 2;
    faults(d, QStringLiteral("INSERT INTO MA_CUENTAS"), ado::lostLinkError());
    long n = 0;
    d.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')"), n);
    EXPECT_EQ(reopens, 2);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO='2'")).toInt(), 1);

    // A third loss in the same call gives up silently, statement not run.
    failures = 3;
    reopens = 0;
    d.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('3')"), n);
    EXPECT_EQ(reopens, 3);
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(
        db->scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO='3'")).toInt(), 0);
    // The reopen cleared the errors; the lost link is kept for the caller.
    ASSERT_GT(d.gCnn->errors().Count(), 0);
    EXPECT_EQ(d.gCnn->errors().Item(0).NativeError, ado::nativeLostLink);
}

TEST_F(SentenciasTest, TransactionStatementsAreNotRetried) {
    DB_Dll& d = openShared(*db);
    faults(d, QStringLiteral("INSERT INTO MA_CUENTAS"), ado::lostLinkError());
    long n = 0;
    d.EjecutaConsultaSQL(
        QStringLiteral("BEGIN TRANSACTION \rINSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')"), n);
    EXPECT_EQ(reopens, 0);
    EXPECT_EQ(failed, 1);
    EXPECT_TRUE(responder->shown.empty());
    ASSERT_GT(d.gCnn->errors().Count(), 0);
    EXPECT_EQ(d.gCnn->errors().Item(0).NativeError, ado::nativeLostLink);
    if (d.gCnn->inTransaction())
        d.gCnn->RollbackTrans();
}

TEST_F(SentenciasTest, TruncationFailureStaysVisibleAndIsLogged) {
    DB_Dll& d = openShared(*db);
    faults(d, QStringLiteral("INSERT INTO MA_CUENTAS"),
           providerError(ado::adErrCommand, ado::nativeTruncation));
    long n = 5;
    d.EjecutaConsultaSQL(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('2')"), n);
    EXPECT_EQ(n, 5);
    ASSERT_GT(d.gCnn->errors().Count(), 0);
    EXPECT_EQ(d.gCnn->errors().Item(0).NativeError, ado::nativeTruncation);
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_TRUE(readLog(logPath()).contains(
        QStringLiteral("Rutina: - EjecutaConsultaSQL Mensaje Ha ocurrido el Siguiente Error (")));
}

TEST_F(SentenciasTest, TruncationWarningsOfAStatementThatRan) {
    DB_Dll& d = openShared(*db);
    long n = 0;
    // One or two warnings are cleared after a statement that ran...
    d.gCnn->setFaultInjector([&](const QString&) -> std::optional<ado::Error> {
        d.gCnn->errors().Clear();
        d.gCnn->errors().Add(providerError(0, ado::nativeTruncation));
        return std::nullopt;
    });
    d.EjecutaConsultaSQL(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION='X' WHERE CODIGO='1'"),
                         n);
    EXPECT_EQ(d.gCnn->errors().Count(), 0);
    // ...three are kept, and so are those of a transaction.
    d.gCnn->setFaultInjector([&](const QString&) -> std::optional<ado::Error> {
        d.gCnn->errors().Clear();
        for (int i = 0; i < 3; ++i)
            d.gCnn->errors().Add(providerError(0, ado::nativeTruncation));
        return std::nullopt;
    });
    d.EjecutaConsultaSQL(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION='Y' WHERE CODIGO='1'"),
                         n);
    EXPECT_EQ(d.gCnn->errors().Count(), 3);
}

TEST_F(SentenciasTest, EjecutaConsultaResultRowsAndCount) {
    DB_Dll& d = openShared(*db);
    long n = 0;
    d.EjecutaConsultaSQL(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION='X'"), n);
    EXPECT_EQ(n, 2);
    ado::RecordsetPtr rs;
    QString sql = QStringLiteral("SELECT COUNT(*) AS N FROM @Admin_MA_CUENTAS");
    d.EjecutaConsultaSQL(sql, n, rs);
    EXPECT_EQ(sql, QStringLiteral("SELECT COUNT(*) AS N FROM MA_CUENTAS"));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->value(0).toInt(), 2);
    // A refused statement keeps the count and leaves its errors.
    n = 9;
    d.EjecutaConsultaSQL(QStringLiteral("UPDATE NO_EXISTE SET X=1"), n);
    EXPECT_EQ(n, 9);
    EXPECT_GT(d.gCnn->errors().Count(), 0);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(SentenciasTest, MarkerRules) {
    DB_Dll& d = openShared(*db);
    d.gEsAdmin = false;
    long n = 0;
    auto run = [&](const QString& in) {
        QString s = in;
        d.gCnn->setFaultInjector([](const QString&) -> std::optional<ado::Error> {
            return providerError(ado::adErrCommand); // not run: only the text matters
        });
        d.EjecutaConsultaSQL(s, n);
        return s;
    };
    // Neither CREATE nor DROP: markers out, no restricted views.
    EXPECT_EQ(run(QStringLiteral(
                  "UPDATE @admin_MA_CUENTAS SET X=1 WHERE Y IN (SELECT C FROM MA_CUENTAS )")),
              QStringLiteral("UPDATE MA_CUENTAS SET X=1 WHERE Y IN (SELECT C FROM MA_CUENTAS )"));
    // CREATE and DROP, no DELETE, no marker: restricted views.
    EXPECT_EQ(run(QStringLiteral("DROP VIEW V1\r\nCREATE VIEW V1 AS SELECT * FROM MA_CUENTAS ")),
              QStringLiteral("DROP VIEW V1\r\nCREATE VIEW V1 AS SELECT * FROM SS_MA_CUENTAS "));
    // ... with a marker: only the markers go.
    EXPECT_EQ(run(QStringLiteral("DROP VIEW V1\r\nCREATE VIEW V1 AS SELECT * FROM MA_CUENTAS , "
                                 "@Admin_V_TA_CAJAS ")),
              QStringLiteral("DROP VIEW V1\r\nCREATE VIEW V1 AS SELECT * FROM MA_CUENTAS , "
                             "V_TA_CAJAS "));
    // CREATE, DROP and DELETE: unchanged without a marker, markers out with one.
    EXPECT_EQ(
        run(QStringLiteral("DROP TABLE T\r\nCREATE TABLE T (A INT)\r\nDELETE FROM MA_CUENTAS ")),
        QStringLiteral("DROP TABLE T\r\nCREATE TABLE T (A INT)\r\nDELETE FROM MA_CUENTAS "));
    EXPECT_EQ(run(QStringLiteral(
                  "DROP TABLE T\r\nCREATE TABLE T (A INT)\r\nDELETE FROM @ADMIN_MA_CUENTAS ")),
              QStringLiteral("DROP TABLE T\r\nCREATE TABLE T (A INT)\r\nDELETE FROM MA_CUENTAS "));
}

// The marker is read as the server reads the text: an apostrophe in a
// comment or a quoted name opens no literal, and a marker inside a literal,
// a comment or a quoted name is not one.
TEST(MarkerText, RemovedOnlyOutsideLiteralsCommentsAndQuotedNames) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"-- it's the plan\rSELECT * FROM @Admin_MA_CUENTAS WHERE D = '@Admin_x'",
         "-- it's the plan\rSELECT * FROM MA_CUENTAS WHERE D = '@Admin_x'"},
        {"/* it's */ UPDATE @ADMIN_MA_CUENTAS SET D = 'l''@admin_'",
         "/* it's */ UPDATE MA_CUENTAS SET D = 'l''@admin_'"},
        {"SELECT [O'Neil] FROM @Admin_MA_CUENTAS WHERE D = '@Admin_'",
         "SELECT [O'Neil] FROM MA_CUENTAS WHERE D = '@Admin_'"},
        {"SELECT \"O'Neil\" FROM @admin_MV_ASIENTOS -- @Admin_",
         "SELECT \"O'Neil\" FROM MV_ASIENTOS -- @Admin_"},
        {"SELECT [@Admin_X] FROM T", "SELECT [@Admin_X] FROM T"},
    };
    for (const auto& c : cases) {
        const QString in = QString::fromUtf8(c.in);
        EXPECT_EQ(dbdll::QuitaMarcaAdmin(in), QString::fromUtf8(c.out)) << c.in;
        EXPECT_EQ(dbdll::TieneMarcaAdmin(in), in != QString::fromUtf8(c.out)) << c.in;
    }
}

TEST_F(SentenciasTest, MarkedInsertReachesTheRealTable) {
    DB_Dll& d = openShared(*db);
    d.gEsAdmin = false;
    capture(d.gCnn);
    QString sql = QStringLiteral("INSERT INTO @Admin_MA_CUENTAS (CODIGO) VALUES ('5')");
    long n = 0;
    d.EjecutaConsultaSQL(sql, n);
    EXPECT_EQ(sql, QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('5')"));
    EXPECT_EQ(seenWith(QStringLiteral("INSERT")), QStringList{sql});
    EXPECT_EQ(n, 1);
}

TEST_F(SentenciasTest, RemoteStatementBox) {
    DB_Dll& r = gDatosRemoto();
    r.OpenServerADODB(false, 3, db->connectionString(), false, false);
    ASSERT_TRUE(r.gOpenFlag);
    long n = 0;
    // Errors of the usual kinds show nothing.
    r.EjecutaConsultaRSQL(QStringLiteral("UPDATE NO_EXISTE SET X=1"), n);
    EXPECT_TRUE(responder->shown.empty());
    // Any other one shows its description.
    r.gCnn->setFaultInjector([](const QString& s) -> std::optional<ado::Error> {
        if (s.startsWith(QStringLiteral("UPDATE")))
            return providerError(ado::adErrDataOverflow, 2627);
        return std::nullopt;
    });
    QString sql = QStringLiteral("UPDATE MA_CUENTAS SET X=1");
    responder->answerMsg(vb::vbOK);
    r.EjecutaConsultaRSQL(sql, n);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al operador!!!"));
    EXPECT_EQ(responder->shown[0].prompt, providerError(ado::adErrDataOverflow, 2627).Description);
    EXPECT_EQ(responder->shown[0].buttons, vb::vbCritical);
}

TEST_F(SentenciasTest, CierraRecordset) {
    DB_Dll& d = openShared(*db);
    ado::RecordsetPtr rs = ado::Recordset::create();
    d.CierraRecordset(rs); // closed: nothing
    ado::RecordsetPtr nulo;
    d.CierraRecordset(nulo);
    // A pending edit is dropped, not written.
    d.AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS"), rs, nullptr, ado::adOpenDynamic,
                     ado::adLockOptimistic);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    rs->AddNew();
    rs->Fields(QStringLiteral("CODIGO")).setValue(QStringLiteral("9"));
    d.CierraRecordset(rs);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS")).toInt(), 2);
}

// A lock time-out shares the unspecified number with a lost link but never
// takes the reconnect road, which would close the connection.
TEST_F(SentenciasTest, AbrirRecordsetLockTimeOutGoesToTheBoxNotToAReconnect) {
    DB_Dll& d = openShared(*db);
    faults(d, QStringLiteral("FROM MA_CUENTAS"), ado::lockTimeoutError());
    responder->answerMsg(vb::vbAbort);
    ado::RecordsetPtr rs;
    d.AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTAS"), rs);
    EXPECT_EQ(reopens, 0);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Ha ocurrido el Siguiente Error (-2147467259) Se superó el tiempo "
                             "de espera de la solicitud de bloqueo."));
}

// A statement on another instance (a replication target) is judged by that
// instance's own errors, never by the company connection's.
TEST_F(SentenciasTest, EachConnectionJudgedByItsOwnErrors) {
    const struct {
        const char* name;
        std::optional<ado::Error> companyHolds; // left by an earlier company statement
        std::optional<ado::Error> targetFails;  // once, on the target's insert
        bool targetWarns;                       // the insert runs with a truncation warning
        int companyErrorsAfter;
        int targetReopens;
        long targetNativeAfter; // 0: no error left
        bool stored;
    } cases[] = {
        {"a target's success keeps the company's warning", providerError(0, ado::nativeTruncation),
         std::nullopt, false, 1, 0, 0, true},
        {"a target's own warning is cleared", std::nullopt, std::nullopt, true, 0, 0, 0, true},
        {"the company's lost link does not reconnect a target", ado::lostLinkError(),
         providerError(ado::adErrIntegrity, 547), false, 1, 0, 547, false},
        {"a target's lost link is the target's", std::nullopt, ado::lostLinkError(), false, 0, 1, 0,
         true},
    };
    DB_Dll& company = openShared(*db);
    TempDatabase other;
    DB_Dll& target = gDatosRemoto();
    target.OpenServerADODB(false, 3, other.connectionString(), false, false);
    ASSERT_TRUE(target.gOpenFlag);
    int code = 100;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        company.gCnn->errors().Clear();
        if (c.companyHolds)
            company.gCnn->errors().Add(*c.companyHolds);
        reopens = failed = 0;
        failures = c.targetFails ? 1 : 0;
        faults(target, QStringLiteral("INSERT INTO MA_CUENTAS"),
               c.targetFails.value_or(providerError(0)));
        if (c.targetWarns) {
            target.gCnn->setFaultInjector([&](const QString&) -> std::optional<ado::Error> {
                target.gCnn->errors().Clear();
                target.gCnn->errors().Add(providerError(0, ado::nativeTruncation));
                return std::nullopt;
            });
        }
        const QString codigo = QString::number(++code);
        long n = 0;
        target.EjecutaConsultaSQL(
            QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('%1')").arg(codigo), n);
        target.gCnn->setFaultInjector({});

        EXPECT_EQ(company.gCnn->errors().Count(), c.companyErrorsAfter);
        EXPECT_EQ(reopens, c.targetReopens);
        if (c.targetNativeAfter == 0) {
            EXPECT_EQ(target.gCnn->errors().Count(), 0);
        } else {
            ASSERT_GT(target.gCnn->errors().Count(), 0);
            EXPECT_EQ(target.gCnn->errors().Item(0).NativeError, c.targetNativeAfter);
        }
        EXPECT_EQ(other
                      .scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = "
                                             "'%1'")
                                  .arg(codigo))
                      .toInt(),
                  c.stored ? 1 : 0);
        EXPECT_TRUE(responder->shown.empty());
    }
}
