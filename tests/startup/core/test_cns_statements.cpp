#include "test_cns_fixture.h"

#include "common/locks.h"

using namespace CNStuffContable;

namespace {

QString Insert(int secuencia, const QString& detalle) {
    AgregaCampo(QStringLiteral("PERIODO"), QStringLiteral("2024"), QStringLiteral("@"), true);
    AgregaCampo(QStringLiteral("SECUENCIA"), QString::number(secuencia), QStringLiteral("@"),
                false);
    AgregaCampo(QStringLiteral("DETALLE"), detalle, QStringLiteral("'"), false);
    QStringList s{QString()};
    QString w;
    ArmaSentenciaSQL(gCamposSQL, s, QStringLiteral("MV_ASIENTOS"), false, w);
    return s[0];
}

} // namespace

TEST_F(CnsTest, InsertAndUpdateTexts) {
    AgregaCampo(QStringLiteral("Detalle"), QStringLiteral("abc"), QStringLiteral("'"), true);
    AgregaCampo(QStringLiteral("Secuencia"), QStringLiteral("1"), QStringLiteral("@"), false);
    QStringList sentencias{QString()};
    QString where;
    ArmaSentenciaSQL(gCamposSQL, sentencias, QStringLiteral("MV_ASIENTOS"), false, where);
    EXPECT_EQ(
        sentencias,
        (QStringList{QStringLiteral("INSERT INTO MV_ASIENTOS (Detalle,Secuencia) VALUES ('abc',1)"),
                     QString()}));
    ASSERT_EQ(gCamposSQL.size(), 1u);
    EXPECT_TRUE(gCamposSQL[0].Campo.isEmpty() && gCamposSQL[0].Valor.isEmpty());

    AgregaCampo(QStringLiteral("DESCRIPCION"), QStringLiteral("abc"), QStringLiteral("'"), true);
    where = QStringLiteral(" CODIGO = '1'");
    ArmaSentenciaSQL(gCamposSQL, sentencias, QStringLiteral("MA_CUENTAS"), true, where);
    EXPECT_EQ(sentencias.size(), 3);
    EXPECT_EQ(sentencias[1],
              QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = 'abc'  WHERE  CODIGO = '1'"));
    EXPECT_EQ(where, QStringLiteral(" WHERE  CODIGO = '1'"));
    EXPECT_TRUE(sentencias[2].isEmpty());

    // A condition holding the word (any case) is used as it is.
    QStringList otra{QString()};
    AgregaCampo(QStringLiteral("A"), QStringLiteral("1"), QStringLiteral("@"), true);
    AgregaCampo(QStringLiteral("B"), QStringLiteral("x"), QStringLiteral("'"), false);
    where = QStringLiteral("Codigo = 2 or nowhere = 1");
    ArmaSentenciaSQL(gCamposSQL, otra, QStringLiteral("T"), true, where);
    EXPECT_EQ(otra[0], QStringLiteral("UPDATE T SET A = 1,B = 'x' Codigo = 2 or nowhere = 1"));
}

TEST_F(CnsTest, LiteralsOfAgregaCampo) {
    AgregaCampo(QStringLiteral("a"), QStringLiteral("nUlL"), QStringLiteral("@"), true);
    AgregaCampo(QStringLiteral("b"), QStringLiteral("NULL"), QStringLiteral("'"), false);
    AgregaCampo(QStringLiteral("c"), QStringLiteral("NULLO"), QStringLiteral("'"), false);
    AgregaCampo(QStringLiteral("d"), QStringLiteral("O'Hara"), QStringLiteral("'"), false);
    AgregaCampo(QStringLiteral("e"), QStringLiteral("1234,5"), QStringLiteral("@"), false);
    AgregaCampo(QStringLiteral("f"), QStringLiteral("x+1"), QString(), false);
    QString sentencia = QStringLiteral(" INSERT INTO X ");
    ArmaValoresInsert(sentencia, gCamposSQL, false);
    EXPECT_EQ(sentencia, QStringLiteral(" INSERT INTO X (a,b,c,d,e,f) VALUES "
                                        "(Null,Null,'NULLO','O''Hara',1234.5,x+1)"));
    EXPECT_EQ(gCamposSQL.size(), 6u);
    sentencia.clear();
    ArmaValoresInsert(sentencia, gCamposSQL, true);
    EXPECT_TRUE(gCamposSQL.empty());
}

TEST_F(CnsTest, AgregaCampoRecordsetChoosesTheLiteralByColumnType) {
    ado::RecordsetPtr rs = ado::Recordset::create();
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE 1 = 0"), rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);

    QString campo = QStringLiteral("DETALLE"); // VARCHAR(100): trimmed
    AgregaCampoRecordset(rs, campo, QStringLiteral("  abc  "), true);
    campo = QStringLiteral("MONEDA"); // CHAR(4): a number code is filled to its size
    AgregaCampoRecordset(rs, campo, QStringLiteral("1"), false);
    campo = QStringLiteral("CUENTA"); // blank text: Null
    AgregaCampoRecordset(rs, campo, QStringLiteral("   "), false);
    campo = QStringLiteral("SECUENCIA");
    AgregaCampoRecordset(rs, campo, QStringLiteral("7"), false);
    campo = QStringLiteral("IMPORTE");
    AgregaCampoRecordset(rs, campo, QStringLiteral("12,5"), false);
    campo = QStringLiteral("FECHA"); // 31 February: Null
    AgregaCampoRecordset(rs, campo, QStringLiteral("31/02/2023"), false);
    campo = QStringLiteral("VENCIMIENTO");
    AgregaCampoRecordset(rs, campo, QStringLiteral("15/03/2024"), false);
    campo = QStringLiteral("[DEBE-HABER]");
    AgregaCampoRecordset(rs, campo, QStringLiteral("D"), false);
    EXPECT_EQ(campo, QStringLiteral("DEBE-HABER"));

    ASSERT_EQ(gCamposSQL.size(), 8u);
    EXPECT_EQ(gCamposSQL[0].Valor, QStringLiteral("'abc'"));
    EXPECT_EQ(gCamposSQL[1].Valor, QStringLiteral("'0001'"));
    EXPECT_EQ(gCamposSQL[2].Valor, QStringLiteral("Null"));
    EXPECT_EQ(gCamposSQL[3].Valor, QStringLiteral("7"));
    EXPECT_EQ(gCamposSQL[4].Valor, QStringLiteral("12.5"));
    EXPECT_EQ(gCamposSQL[5].Valor, QStringLiteral("Null"));
    EXPECT_EQ(gCamposSQL[6].Valor, QStringLiteral("'2024-03-15 00:00:00'"));
    EXPECT_EQ(gCamposSQL[7].Campo, QStringLiteral("DEBE-HABER"));
    EXPECT_EQ(gCamposSQL[7].Valor, QStringLiteral("'D'"));

    for (const char* texto : {"FALSO", "false", "0", "", "si", "No"}) {
        campo = QStringLiteral("ESAJUSTE");
        AgregaCampoRecordset(rs, campo, QString::fromLatin1(texto), true);
        const bool falso = QString::fromLatin1(texto).toUpper() == u"FALSO" ||
                           QString::fromLatin1(texto).toUpper() == u"FALSE" ||
                           QString::fromLatin1(texto) == u"0";
        EXPECT_EQ(gCamposSQL[0].Valor, falso ? QStringLiteral("'0'") : QStringLiteral("'1'"))
            << texto;
    }

    // Narrow columns: only number codes are filled; text is never filled nor cut.
    const struct {
        const char* columna;
        const char* valor;
        const char* literal;
    } angostas[] = {
        {"UNEGOCIO", " 2 ", "'0002'"},
        {"MONEDA", "0001", "'0001'"},
        {"TIPO_REG", "abc", "'abc'"},
        {"TIPO_REG", " a b ", "' a b '"},
        {"AJUSTE_HASTA", "31/12/2024", "'31/12/2024'"},
        {"TC", "AJUSTE", "'AJUSTE'"},
        {"CABCUENTA", "12345678901234567890", "'12345678901234567890'"},
    };
    for (const auto& c : angostas) {
        campo = QString::fromLatin1(c.columna);
        AgregaCampoRecordset(rs, campo, QString::fromLatin1(c.valor), true);
        EXPECT_EQ(gCamposSQL[0].Valor, QString::fromLatin1(c.literal)) << c.columna << c.valor;
    }

    campo = QStringLiteral("NO_EXISTE");
    EXPECT_THROW(AgregaCampoRecordset(rs, campo, QStringLiteral("x"), true), ado::Exception);
    gDatos().CierraRecordset(rs);
}

TEST_F(CnsTest, GoodBatchCommitsEveryStatement) {
    QStringList s{Insert(1, QStringLiteral("uno")), QStringLiteral("   "),
                  Insert(2, QStringLiteral("dos")), QString()};
    // An error left by an earlier statement is no error of this save.
    gDatos().cnn()->errors().Add({-1, QStringLiteral("viejo"), {}, 8152, {}});
    bool hubo = true;
    std::int32_t nativo = -1;
    EjecutaTransaccion(s, hubo, nativo);
    EXPECT_FALSE(hubo);
    EXPECT_EQ(nativo, 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 2);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(), 0);
    EXPECT_TRUE(responder->shown.empty());

    // The list of one empty slot opens and commits an empty transaction.
    espia();
    EjecutaTransaccion(QStringList{QString()}, hubo, nativo);
    EXPECT_FALSE(hubo);
    EXPECT_TRUE(vistas.join(u'\n').contains(QStringLiteral("COMMIT TRANSACTION")));
}

// A concept is stored as typed: the marker is a table's, not a value's.
TEST_F(CnsTest, MarkerInsideAConceptIsStoredAsTyped) {
    gDatos().gEsAdmin = false;
    AgregaCampo(QStringLiteral("DETALLE"), QStringLiteral("Nota @Admin_x de O'Hara"),
                QStringLiteral("'"), true);
    QStringList s{QString()};
    QString w;
    ArmaSentenciaSQL(gCamposSQL, s, QStringLiteral("@ADMIN_MV_ASIENTOS"), false, w);
    bool hubo = true;
    std::int32_t nativo = -1;
    EjecutaTransaccion(s, hubo, nativo);
    ASSERT_FALSE(hubo);
    EXPECT_EQ(scalar(QStringLiteral("SELECT DETALLE FROM MV_ASIENTOS")).toString(),
              QStringLiteral("Nota @Admin_x de O'Hara"));
}

TEST_F(CnsTest, BatchWhoseThirdStatementFailsStoresNothing) {
    const QStringList s{Insert(1, QStringLiteral("uno")), Insert(2, QStringLiteral("dos")),
                        Insert(3, QStringLiteral("tres")), QString()};
    espia([](const QString& t) -> std::optional<ado::Error> {
        if (t.contains(QStringLiteral("'tres'")))
            return ado::Error{ado::adErrCommand,
                              QStringLiteral("Conflicto de clave externa"),
                              QStringLiteral("23000"),
                              547,
                              {}};
        return std::nullopt;
    });
    bool hubo = false;
    std::int32_t nativo = 0;
    EjecutaTransaccion(s, hubo, nativo);
    EXPECT_TRUE(hubo);
    EXPECT_EQ(nativo, 547);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);

    const auto aux =
        db.rows(QStringLiteral("SELECT SQL, Error, Descripcion, Usuario, fecha FROM AUX_ERR"));
    ASSERT_EQ(aux.size(), 1);
    EXPECT_EQ(aux[0][0].toString(), QStringLiteral("BEGIN TRANSACTION \r\r\r") + s[0] + u'\r' +
                                        s[1] + u'\r' + s[2] + u'\r');
    EXPECT_EQ(aux[0][1].toInt(), 547);
    EXPECT_EQ(aux[0][2].toString(), QStringLiteral("547 : Conflicto de clave externa\r\n"));
    EXPECT_EQ(aux[0][3].toString(), QStringLiteral("sa"));
    EXPECT_EQ(aux[0][4].toString(), QStringLiteral("15/03/24 10:20"));

    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al Operador!"));
    EXPECT_EQ(responder->shown[0].prompt, QStringLiteral("547 : Conflicto de clave externa\r\n"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbCritical);
    EXPECT_TRUE(gDatos().cnn()->errors().empty());

    // The connection is usable again and outside any transaction.
    gDatos().cnn()->setFaultInjector({});
    EjecutaTransaccion(QStringList{Insert(4, QStringLiteral("cuatro")), QString()}, hubo, nativo);
    EXPECT_FALSE(hubo);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 1);
}

// A statement repeated row by row runs in the save's transaction after the
// batch: all its rows are stored with the batch, or nothing is, and the
// refused statement is the one the AUX_ERR row names.
TEST_F(CnsTest, RepeatedStatementRunsInTheSaveTransaction) {
    const QStringList s{Insert(1, QStringLiteral("uno")), QString()};
    const SentenciaRepetida linea{
        QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, SECUENCIA, DETALLE) VALUES (2024, ?, ?)"),
        {{2, QStringLiteral("dos")}, {3, QStringLiteral("tres")}, {4, QStringLiteral("cuatro")}}};
    for (const bool falla : {true, false}) {
        SCOPED_TRACE(falla);
        int filas = 0;
        espia([&](const QString& t) -> std::optional<ado::Error> {
            if (falla && t == linea.Sentencia && ++filas == 2)
                return ado::Error{ado::adErrCommand, QStringLiteral("Rechazada"), {}, 547, {}};
            return std::nullopt;
        });
        bool hubo = !falla;
        std::int32_t nativo = -1;
        EjecutaTransaccion(s, hubo, nativo, false, {}, {linea});
        EXPECT_EQ(hubo, falla);
        EXPECT_EQ(nativo, falla ? 547 : 0);
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(),
                  falla ? 0 : 4);
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(), 1);
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT SQL FROM AUX_ERR")).toString(),
              QStringLiteral("BEGIN TRANSACTION \r\r\r") + s[0] + QStringLiteral("\r\r") +
                  linea.Sentencia);
    EXPECT_EQ(scalar(QStringLiteral("SELECT GROUP_CONCAT(DETALLE, ',') FROM (SELECT DETALLE FROM "
                                    "MV_ASIENTOS ORDER BY SECUENCIA)"))
                  .toString(),
              QStringLiteral("uno,dos,tres,cuatro"));
}

TEST_F(CnsTest, DuplicateKeyWithTheIgnoreFlag) {
    db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K1', 'a')"));
    const QStringList s{
        Insert(1, QStringLiteral("uno")),
        QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('K1', 'b')"),
        QString()};
    bool hubo = false;
    std::int32_t nativo = 0;
    EjecutaTransaccion(s, hubo, nativo, true);
    EXPECT_TRUE(hubo);
    EXPECT_EQ(nativo, ado::nativeDuplicateKey);
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT Descripcion FROM AUX_ERR")).toString(), QString());

    // Without the flag the operator is told.
    EjecutaTransaccion(s, hubo, nativo, false);
    EXPECT_TRUE(hubo);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].prompt.startsWith(QStringLiteral("2627 : ")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(), 2);
}

TEST_F(CnsTest, RefusedCommitIsAFailedSave) {
    espia([](const QString& t) -> std::optional<ado::Error> {
        if (t.contains(QStringLiteral("COMMIT"), Qt::CaseInsensitive))
            return ado::Error{
                ado::adErrUnspecified, QStringLiteral("No se pudo confirmar"), {}, 3902, {}};
        return std::nullopt;
    });
    bool hubo = false;
    std::int32_t nativo = 0;
    EjecutaTransaccion(QStringList{Insert(1, QStringLiteral("uno")), QString()}, hubo, nativo);
    EXPECT_TRUE(hubo);
    EXPECT_EQ(nativo, 3902);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(), 1);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al Operador!"));
}

TEST_F(CnsTest, AbandonedBeforeTheBatchRunsIsAFailedSave) {
    gDatos().cnn()->Close();
    responder->answerMsg(vb::vbAbort);
    bool hubo = false;
    std::int32_t nativo = 77;
    EjecutaTransaccion(QStringList{Insert(1, QStringLiteral("uno")), QString()}, hubo, nativo);
    EXPECT_TRUE(hubo);
    EXPECT_EQ(nativo, 77); // not assigned
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].prompt.startsWith(
        QStringLiteral("Ha ocurrido el Siguiente Error (3709) ")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);

    // Ignore goes on with the steps, but a batch on a closed connection saves
    // nothing: it must not be reported as saved.
    responder->shown.clear();
    responder->answerMsg(vb::vbIgnore);
    hubo = false;
    EjecutaTransaccion(QStringList{Insert(2, QStringLiteral("dos")), QString()}, hubo, nativo);
    EXPECT_TRUE(hubo);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].prompt.startsWith(
        QStringLiteral("Ha ocurrido el Siguiente Error (3709) ")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);
}

// A save that meets another user's save waits once, said, and is told as
// failed; the AUX_ERR row would wait for the same lock again, so the failure
// goes to the operator log instead.
TEST_F(CnsTest, SaveMeetingALockWaitsOnceAndIsLogged) {
    testutil::LockWaits esperas(200, AvisoEsperaBloqueo);
    auto otro = ado::Connection::create();
    otro->Open(db.connectionString());
    otro->BeginTrans();
    bool hubo = false;
    std::int32_t nativo = 0;
    EjecutaTransaccion(QStringList{Insert(1, QStringLiteral("uno")), QString()}, hubo, nativo);
    otro->RollbackTrans();
    EXPECT_TRUE(hubo);
    EXPECT_EQ(nativo, ado::nativeLockTimeout);
    EXPECT_EQ(esperas.told, (QList<bool>{true, false}));
    EXPECT_EQ(banner->esperas, esperas.told); // told on the banner
    EXPECT_FALSE(banner->abierto);
    const QString texto =
        QStringLiteral("Se superó el tiempo de espera de la solicitud de bloqueo.");
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt, QStringLiteral("1222 : ") + texto + vb::vbCrLf);
    EXPECT_TRUE(testutil::readAnsiFile(ArchivoErrorOperador())
                    .contains(QStringLiteral("Rutina: - EjecutaTransaccion Mensaje Ha ocurrido el "
                                             "Siguiente Error (1222) ") +
                              texto + QStringLiteral(" Respondió : \r\n")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM AUX_ERR")).toInt(), 0);
    EXPECT_EQ(gDatos().cnn()->State(), ado::adStateOpen);
}

// Whatever a hook throws, of any type, undoes the save and is told with
// its own text and number, in the box and in AUX_ERR; no transaction stays
// open, so the next save is whole and seen by another connection.
TEST_F(CnsTest, AHookThatThrowsAnythingRollsBackAndIsTold) {
    struct Caso {
        const char* nombre;
        bool alComenzar; // else before the commit
        std::function<void()> lanza;
        const char* mensaje;
        int numero;
    };
    const Caso casos[] = {
        {"overflow at the start", true, [] { throw std::overflow_error("x"); },
         "6 : Desbordamiento", 6},
        {"overflow before the commit", false, [] { throw std::overflow_error("x"); },
         "6 : Desbordamiento", 6},
        {"any std exception", false, [] { throw std::logic_error("roto"); }, "5 : roto", 5},
        {"the runtime's own error", false, [] { vb::Raise(vb::errSubscriptOutOfRange); },
         "9 : ", 9},
        {"a server error keeps the server's number", false,
         [] {
             throw ado::Exception(
                 {ado::adErrIntegrity, QStringLiteral("clave"), {}, 2627, QStringLiteral("x")});
         },
         "2627 : clave", 2627},
        {"not even an exception", false, [] { throw 42; }, "5 : Error desconocido en la grabación",
         5},
    };
    int secuencia = 0;
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        responder->shown.clear();
        OpcionesTransaccion o;
        if (c.alComenzar)
            o.AlComenzar = [&] {
                c.lanza();
                return true;
            };
        else
            o.AntesDeConfirmar = c.lanza;
        bool hubo = false;
        std::int32_t nativo = -1;
        EjecutaTransaccion(QStringList{Insert(++secuencia, QStringLiteral("mal")), QString()}, hubo,
                           nativo, o);
        EXPECT_TRUE(hubo);
        EXPECT_FALSE(gDatos().cnn()->inTransaction());
        ASSERT_EQ(responder->shown.size(), 1u);
        EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al Operador!"));
        EXPECT_TRUE(responder->shown[0].prompt.startsWith(QString::fromUtf8(c.mensaje)))
            << responder->shown[0].prompt.toStdString();
        EXPECT_EQ(nativo, c.numero);
        const auto aux = db.rows(QStringLiteral("SELECT Error, Descripcion FROM AUX_ERR"));
        ASSERT_EQ(aux.size(), 1);
        EXPECT_EQ(aux[0][0].toInt(), c.numero);
        EXPECT_EQ(aux[0][1].toString(), responder->shown[0].prompt);
        db.exec(QStringLiteral("DELETE FROM AUX_ERR"));
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 0);

        EjecutaTransaccion(QStringList{Insert(100 + secuencia, QStringLiteral("bien")), QString()},
                           hubo, nativo);
        EXPECT_FALSE(hubo);
        EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 1);
        db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS"));
    }
}

// A rollback lost with the link leaves no transaction open either; a save
// with its routine's box asks there, and its Retry runs the whole save again.
TEST_F(CnsTest, LostRollbackAndTheRoutinesOwnBox) {
    int rechazos = 1; // of the next inserts
    espia([&](const QString& t) -> std::optional<ado::Error> {
        if (t.startsWith(QLatin1String("INSERT INTO MV_ASIENTOS")) && rechazos > 0) {
            --rechazos;
            return ado::Error{ado::adErrIntegrity, QStringLiteral("rechazada"), {}, 547, {}};
        }
        if (t.contains(QLatin1String("ROLLBACK")))
            return ado::lostLinkError();
        return std::nullopt;
    });
    bool hubo = false;
    std::int32_t nativo = 0;
    EjecutaTransaccion(QStringList{Insert(1, QStringLiteral("uno")), QString()}, hubo, nativo);
    EXPECT_TRUE(hubo);
    EXPECT_EQ(nativo, 547);
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
    EXPECT_EQ(gDatos().cnn()->State(), ado::adStateOpen);

    responder->shown.clear();
    responder->answerMsg(vb::vbRetry);
    rechazos = 1;
    OpcionesTransaccion o;
    o.Rutina = QStringLiteral("ActualizarDatos");
    EjecutaTransaccion(QStringList{Insert(2, QStringLiteral("dos")), QString()}, hubo, nativo, o);
    EXPECT_FALSE(hubo);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QLatin1String("ActualizarDatos")));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM MV_ASIENTOS")).toInt(), 1);

    // A statement that must touch a row fails when the row is gone.
    responder->shown.clear();
    responder->answerMsg(vb::vbCancel);
    o.ExigeFila = true;
    EjecutaTransaccion(QStringList{QStringLiteral("UPDATE MV_ASIENTOS SET DETALLE = 'x' WHERE "
                                                  "SECUENCIA = 99")},
                       hubo, nativo, o);
    EXPECT_TRUE(hubo);
    EXPECT_EQ(responder->shown.size(), 1u);
    EXPECT_FALSE(gDatos().cnn()->inTransaction());
}
