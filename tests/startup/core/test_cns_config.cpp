#include "test_cns_fixture.h"

using namespace CNStuffContable;

class CnsConfig : public CnsTest {
protected:
    void SetUp() override {
        CnsTest::SetUp();
        db.exec(
            QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux, Grupo) VALUES "
                           "('PERIODO', '2024', NULL, 'DATOS'),"
                           "('FLAG_MINUS', 'si', 'aux', 'DATOS'),"
                           "('FLAG_BLANCO', ' SI', '', 'DATOS'),"
                           "('O''HARA', 'apostrofe', 'x', 'DATOS'),"
                           "('[FECHA HASTA]', '31/12/2024', NULL, 'DATOS')"));
    }
};

TEST_F(CnsConfig, ReadsValuesAndTheAbsentKeyAsOneBlank) {
    QString aux = QStringLiteral("previo");
    EXPECT_EQ(Cfg(QStringLiteral("  PERIODO  "), aux), QStringLiteral("2024"));
    EXPECT_EQ(aux, QString()); // Null reads as the empty text
    EXPECT_EQ(gTablaConfiguracion, QStringLiteral("TA_CONFIGURACION"));

    EXPECT_EQ(Cfg(QStringLiteral("FLAG_MINUS"), aux), QStringLiteral("si"));
    EXPECT_EQ(aux, QStringLiteral("aux"));

    aux = QStringLiteral("previo");
    EXPECT_EQ(Cfg(QStringLiteral("NO_EXISTE"), aux), QStringLiteral(" "));
    EXPECT_EQ(aux, QString());
    EXPECT_EQ(vb::Val(Cfg(QStringLiteral("NO_EXISTE"))), 0.0);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(CnsConfig, FlagIsOnOnlyForSiInAnyCase) {
    EXPECT_TRUE(CfgSi(QStringLiteral("FLAG_MINUS")));
    EXPECT_FALSE(CfgSi(QStringLiteral("FLAG_BLANCO")));
    EXPECT_FALSE(CfgSi(QStringLiteral("NO_EXISTE")));
}

TEST_F(CnsConfig, KeyWithApostropheIsEscaped) {
    EXPECT_EQ(Cfg(QStringLiteral("O'HARA")), QStringLiteral("apostrofe"));
    // An injection attempt is just a key that does not exist.
    EXPECT_EQ(Cfg(QStringLiteral("X' OR '1'='1")), QStringLiteral(" "));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(CnsConfig, DateKeysAreReadWithTheStatementInCapitals) {
    espia();
    EXPECT_EQ(Cfg(QStringLiteral("[fecha hasta]")), QStringLiteral("31/12/2024"));
    EXPECT_TRUE(vistas.join(u'\n').contains(QStringLiteral(
        "SELECT VALOR, VALORAUX FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA HASTA]'")))
        << vistas.join(u'\n').toStdString();
    vistas.clear();
    Cfg(QStringLiteral("periodo"));
    EXPECT_TRUE(vistas.join(u'\n').contains(
        QStringLiteral("SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'periodo'")));
}

TEST_F(CnsConfig, FailureShowsTheBoxAndGivesTheEmptyText) {
    gTablaConfiguracion = QStringLiteral("NO_HAY_TABLA");
    // The data object's own box, then ours: Cancel leaves Cfg with "".
    responder->answerMsg(vb::vbAbort);
    responder->answerMsg(vb::vbRetry);
    QString aux = QStringLiteral("previo");
    EXPECT_EQ(Cfg(QStringLiteral("PERIODO"), aux), QString());
    EXPECT_EQ(aux, QStringLiteral("previo"));
    ASSERT_FALSE(responder->shown.empty());
    EXPECT_TRUE(
        responder->shown.back().title.contains(QStringLiteral(" - Cfg Aviso al operador!!! ")));
}

TEST_F(CnsConfig, GrabaDfgInsertsTheTrimmedUpperCaseKey) {
    GrabaDfg(QStringLiteral("  nueva_clave "), QVariant(QStringLiteral("  valor ")),
             QStringLiteral(" aux "), true, QStringLiteral("DATOS"));
    const auto filas = db.rows(QStringLiteral(
        "SELECT CLAVE, VALOR, ValorAux, Grupo, PoliticaNegocio FROM TA_CONFIGURACION "
        "WHERE CLAVE = 'NUEVA_CLAVE'"));
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0].toString(), QStringLiteral("NUEVA_CLAVE"));
    EXPECT_EQ(filas[0][1].toString(), QStringLiteral("valor"));
    EXPECT_EQ(filas[0][2].toString(), QStringLiteral("aux"));
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("DATOS"));
    EXPECT_EQ(filas[0][4].toLongLong(), 1);
    EXPECT_EQ(Cfg(QStringLiteral("nueva_clave")), QStringLiteral("valor"));
}

TEST_F(CnsConfig, GrabaDfgOverwritesWithoutDuplicatingAndKeepsValorAux) {
    // Written untrimmed and in lower case: it must find the stored key.
    GrabaDfg(QStringLiteral(" flag_minus "), QVariant(42), QString(), false,
             QStringLiteral("OTRO"));
    EXPECT_EQ(Cfg(QStringLiteral("FLAG_MINUS")), QStringLiteral("42"));
    EXPECT_TRUE(responder->shown.empty()); // no refused duplicate key
    GrabaDfg(QStringLiteral("Flag_Minus"), QVariant(43), QString(), false, QStringLiteral("OTRO"));
    EXPECT_EQ(
        scalar(QStringLiteral(
                   "SELECT COUNT(*) FROM TA_CONFIGURACION WHERE UPPER(TRIM(CLAVE)) = 'FLAG_MINUS'"))
            .toInt(),
        1);
    const auto filas = db.rows(QStringLiteral(
        "SELECT VALOR, ValorAux, Grupo FROM TA_CONFIGURACION WHERE CLAVE = 'FLAG_MINUS'"));
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0].toString(), QStringLiteral("43"));
    EXPECT_EQ(filas[0][1].toString(), QStringLiteral("aux"));
    EXPECT_EQ(filas[0][2].toString(), QStringLiteral("OTRO"));
}

TEST_F(CnsConfig, GrabaDfgKeyWithApostrophe) {
    GrabaDfg(QStringLiteral("o'hara"), QVariant(QStringLiteral("nuevo")), QString(), false,
             QStringLiteral("DATOS"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = "
                                    "'O''HARA'"))
                  .toInt(),
              1);
    EXPECT_EQ(Cfg(QStringLiteral("O'HARA")), QStringLiteral("nuevo"));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(CnsConfig, IniContableLoadsTheRunWideValues) {
    db.exec(QStringLiteral(
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('ESCRIBE_SOLO_MAYUSCULAS', 'Si'),"
        "('SS_BloqueoActivo', 'NO'), ('SS_CONFIDENCIALIDAD', 'SI');"
        "INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio) VALUES ('ana', '', '2')"));
    gUsuarioLogeado = QStringLiteral("ana");
    IniContable();
    EXPECT_TRUE(gSoloMayusculas);
    EXPECT_FALSE(gBloqueoActivo);
    EXPECT_TRUE(gConfidencialidad);
    EXPECT_EQ(gPeriodoActual, QStringLiteral("2024"));
    EXPECT_EQ(gUNegocioUsuario.size(), 4);
    EXPECT_EQ(gUNegocioUsuario, ClsUtilidades::RellenaCeros(QStringLiteral("2"), 4));
}

TEST_F(CnsConfig, IniContableUnitOneHasOneForm) {
    db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO';"
                           "INSERT INTO TA_USUARIOS (NOMBRE, GRUPO, UNegocio) VALUES "
                           "('uno', '', '1'), ('vacio', '', ''), ('nulo', '', NULL)"));
    gPeriodoActual = QStringLiteral("x");
    // No row, an empty or Null unit and unit 1 itself are the same unit.
    for (const char* usuario : {"nadie", "uno", "vacio", "nulo"}) {
        gUsuarioLogeado = QString::fromLatin1(usuario);
        gUNegocioUsuario = QStringLiteral("previo");
        IniContable();
        EXPECT_EQ(gUNegocioUsuario, QStringLiteral("0001")) << usuario;
    }
    EXPECT_EQ(gPeriodoActual, QStringLiteral(" "));
    EXPECT_FALSE(gSoloMayusculas);
}
