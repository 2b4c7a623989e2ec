#include "test_cns_fixture.h"

#include "platform/win/clsentorno.h"

using namespace CNStuffContable;

TEST_F(CnsTest, AuditRowOfAnAccountSave) {
    espia();
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("0"), true, false,
                           QStringLiteral("1.1.01 Caja d'Or"));
    EXPECT_TRUE(gCamposSQL.empty());
    const QString esperada =
        QStringLiteral("INSERT INTO V_MV_CPTEACCIONES (TC,IdComprobante,IdComplemento,"
                       "Tipo_accion,FECHAHORA,Usuario,PC,SYSTEMUSER) VALUES ('','',0,'A',"
                       "'15/03/24 10:20','") +
        ClsEntorno::UsuarioWindows() + QStringLiteral("','") + ClsEntorno::NombrePC() +
        QStringLiteral("','1.1.01 Caja d''Or')");
    EXPECT_TRUE(vistas.join(u'\n').contains(esperada)) << vistas.join(u'\n').toStdString();

    const auto filas = db.rows(QStringLiteral(
        "SELECT TC, IdComprobante, IdComplemento, Tipo_accion, FECHAHORA, PC, SYSTEMUSER "
        "FROM V_MV_CPTEACCIONES"));
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0].toString(), QString());
    EXPECT_EQ(filas[0][2].toInt(), 0);
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("A"));
    EXPECT_EQ(filas[0][4].toString(), QStringLiteral("15/03/24 10:20"));
    EXPECT_EQ(filas[0][5].toString(), ClsEntorno::NombrePC());
    EXPECT_EQ(filas[0][6].toString(), QStringLiteral("1.1.01 Caja d'Or"));
}

TEST_F(CnsTest, AuditActionLetter) {
    GrabaAccionComprobante(QStringLiteral(" FC "), QStringLiteral("12"), QStringLiteral("3"), true,
                           true, QStringLiteral("ambos"));
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("0"), false, true,
                           QStringLiteral("mod"));
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("0"), false, false,
                           QStringLiteral("ninguno"));
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("0"), false, false,
                           QStringLiteral("baja"), true);
    const auto filas = db.rows(QStringLiteral(
        "SELECT SYSTEMUSER, Tipo_accion, TC, IdComprobante, IdComplemento FROM V_MV_CPTEACCIONES"
        " ORDER BY rowid"));
    ASSERT_EQ(filas.size(), 4);
    EXPECT_EQ(filas[0][1].toString(), QStringLiteral("A"));
    EXPECT_EQ(filas[0][2].toString(), ClsUtilidades::RellenaCeros(QStringLiteral("FC"), 4));
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("12"));
    EXPECT_EQ(filas[0][4].toInt(), 3);
    EXPECT_EQ(filas[1][1].toString(), QStringLiteral("M"));
    EXPECT_EQ(filas[2][1].toString(), QStringLiteral("B"));
    EXPECT_EQ(filas[3][1].toString(), QStringLiteral("B"));
}

// The complement goes in as the caller gives it: a whole number bare, any
// other text quoted, so a column of numbers refuses it rather than storing 0.
TEST_F(CnsTest, AuditComplementAsGiven) {
    espia();
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("0012"), true, false,
                           QStringLiteral("numero"));
    responder->answerMsg(vb::vbIgnore); // the data object's box for the refused row
    GrabaAccionComprobante(QString(), QString(), QStringLiteral("1,2) --"), true, false,
                           QStringLiteral("texto"));
    EXPECT_TRUE(vistas.join(u'\n').contains(QStringLiteral(",0012,'A',")));
    EXPECT_TRUE(vistas.join(u'\n').contains(QStringLiteral(",'1,2) --','A',")));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT SYSTEMUSER, IdComplemento FROM V_MV_CPTEACCIONES")),
              (QList<QVariantList>{{QStringLiteral("numero"), 12}}));
    EXPECT_TRUE(gCamposSQL.empty());
}

TEST_F(CnsTest, AuditNeverReportsAFailure) {
    db.exec(QStringLiteral("DROP TABLE V_MV_CPTEACCIONES"));
    EXPECT_NO_THROW(GrabaAccionComprobante(QString(), QString(), QStringLiteral("0"), true, false,
                                           QStringLiteral("x")));
    EXPECT_TRUE(gCamposSQL.empty());
}

TEST_F(CnsTest, FailedStatementRow) {
    const QString larga(300, u'd');
    const QString sentencia = QStringLiteral("INSERT INTO X VALUES (") + QString(5000, u'9') + u')';
    GrabaErrorAux(sentencia, QStringLiteral("ignorado"), 2627, larga);
    const auto filas =
        db.rows(QStringLiteral("SELECT Proceso, fecha, Error, Descripcion, SQL, Pc, Usuario "
                               "FROM AUX_ERR"));
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][0].toString(), vb::AppExeName());
    EXPECT_EQ(filas[0][1].toString(), QStringLiteral("15/03/24 10:20"));
    EXPECT_EQ(filas[0][2].toInt(), 2627);
    EXPECT_EQ(filas[0][3].toString(), QString(250, u'd'));
    EXPECT_EQ(filas[0][4].toString(), sentencia);
    EXPECT_EQ(filas[0][5].toString(), ClsEntorno::NombrePC());
    EXPECT_EQ(filas[0][6].toString(), QStringLiteral("sa"));
}

TEST_F(CnsTest, FailedStatementRowFailureGoesToTheCaller) {
    db.exec(QStringLiteral("DROP TABLE AUX_ERR"));
    EXPECT_THROW(GrabaErrorAux(QStringLiteral("x"), QString(), 1, QStringLiteral("y")),
                 std::exception);
}
