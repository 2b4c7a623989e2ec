#include "test_cns_fixture.h"

using namespace CNStuffContable;

namespace {

const QString kCierre =
    QStringLiteral("Verifique los datos desde la TABLA DE COMPROBANTES y vuelta a Intentarlo");

} // namespace

class CnsVouchers : public CnsTest {
protected:
    void SetUp() override {
        CnsTest::SetUp();
        db.exec(QStringLiteral(
            "INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, Sistema, Externo, ModificaNumeracion, "
            "A_SUC_DEFAULT, A_NRO_DESDE, A_NRO_HASTA, A_ULTIMO_NRO, AVence, X_SUC_DEFAULT) VALUES "
            "('AJUS', 1, 'CONTABLE', NULL, 0, 1, 1, 100, 10, '2024-03-31 00:00:00', 1),"
            "('AJUS', 2, 'CONTABLE', 0, 0, 1, 101, 200, 100, NULL, 0),"
            "('AJUS', 3, 'CONTABLE', NULL, 1, 2, 0, 0, 0, NULL, 0),"
            "('CERO', 1, 'VENTAS', NULL, 0, 1, 0, 10, 0, NULL, 0),"
            "('EXTE', 5, 'VENTAS', 1, 0, 1, 1, 10, 0, NULL, 0),"
            "('MANU', 7, 'VENTAS', NULL, 1, 1, 0, 0, 0, NULL, 0)"));
    }

    bool valida(const QString& tc, const QString& suc, const QString& nro, const QString& letra,
                const QString& fecha = QString()) {
        mensaje = QStringLiteral("previo");
        return ValidaNumeracionComprobante(tc, suc, nro, letra, mensaje, fecha);
    }

    int ultimo(const QString& tc, int talonario, const QString& letra = QStringLiteral("A")) {
        return scalar(QStringLiteral("SELECT %1_ULTIMO_NRO FROM V_TA_CPTE WHERE CODIGO = '%2' "
                                     "AND TALONARIO = %3")
                          .arg(letra, tc)
                          .arg(talonario))
            .toInt();
    }

    QString mensaje;
};

TEST_F(CnsVouchers, LetterMustBeOneOfTheSeven) {
    const QString aviso =
        QStringLiteral(" La letra Informada no es Valida, la misma debe ser A,B,C,E,R,X,M");
    for (const char* letra : {",", "A,B", "", "Z", "AB", "B,C,E"}) {
        gTalonario = 9;
        EXPECT_FALSE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("50"),
                            QString::fromLatin1(letra)))
            << letra;
        EXPECT_EQ(mensaje, aviso) << letra;
        EXPECT_EQ(gTalonario, 9);
    }
    // Letter case is ignored, and so are blanks around it.
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("50"),
                       QStringLiteral("a")));
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("50"),
                       QStringLiteral(" A ")));
}

TEST_F(CnsVouchers, RangeChoosesTheBook) {
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("50"),
                       QStringLiteral("A")));
    EXPECT_EQ(mensaje, QString());
    EXPECT_EQ(gTalonario, 1);
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("150"),
                       QStringLiteral("A")));
    EXPECT_EQ(gTalonario, 2);
    // Both ends are inside.
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("1"),
                       QStringLiteral("A")));
    EXPECT_EQ(gTalonario, 1);
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("200"),
                       QStringLiteral("A")));
    EXPECT_EQ(gTalonario, 2);

    EXPECT_FALSE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("201"),
                        QStringLiteral("A")));
    EXPECT_EQ(mensaje,
              QStringLiteral("El rango de numeracion del comprobante AJUS Letra A "
                             "sucursal 1  no se encuentra o supera la numeracion hasta! "));
    EXPECT_EQ(gTalonario, 2);
}

TEST_F(CnsVouchers, NumberZeroInARange) {
    EXPECT_FALSE(valida(QStringLiteral("CERO"), QStringLiteral("1"), QStringLiteral("abc"),
                        QStringLiteral("A")));
    EXPECT_EQ(mensaje, QStringLiteral("\r\r") + kCierre);
    EXPECT_EQ(gTalonario, 1);
}

TEST_F(CnsVouchers, ExpiryDayItselfIsStillValid) {
    EXPECT_TRUE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("50"),
                       QStringLiteral("A"), QStringLiteral("31/03/2024")));
    EXPECT_FALSE(valida(QStringLiteral("AJUS"), QStringLiteral("1"), QStringLiteral("50"),
                        QStringLiteral("A"), QStringLiteral("01/04/2024")));
    EXPECT_EQ(mensaje, QStringLiteral("El rango de numeracion del comprobante AJUS Control nro: 1 "
                                      "se encuenta vencida...! Debe dar de alta un nuevo talonario "
                                      "para el comprobante AJUS\r\r") +
                           kCierre);
}

TEST_F(CnsVouchers, ExternalAndRangeLessBooksBecomeTheBookInUse) {
    const struct {
        const char* tc;
        const char* sucursal;
        const char* numero;
        int antes;
        int libro;
    } casos[] = {
        {"EXTE", "1", "5000", 0, 5}, // first use in the run
        {"MANU", "1", "0", 0, 7},
        {"AJUS", "2", "150", 1, 3}, // another book recorded earlier
        {"AJUS", "2", "50", 99, 3}, // a book that no longer exists
    };
    int grabado = 60;
    for (const auto& c : casos) {
        const QString tc = QString::fromLatin1(c.tc);
        const QString sucursal = QString::fromLatin1(c.sucursal);
        const QString numero = QString::fromLatin1(c.numero);
        gTalonario = std::int16_t(c.antes);
        EXPECT_TRUE(valida(tc, sucursal, numero, QStringLiteral("A"))) << c.tc << c.numero;
        EXPECT_EQ(mensaje, QString()) << c.tc;
        EXPECT_EQ(gTalonario, c.libro) << c.tc;

        // The save records the number in that same book.
        gTalonario = std::int16_t(c.antes);
        QString letra = QStringLiteral("A");
        QString sentencia;
        ++grabado;
        ConsultaComprobante(tc, QStringLiteral("VENTAS"), sucursal, QString::number(grabado), letra,
                            false, sentencia);
        EXPECT_EQ(ultimo(tc, c.libro), grabado) << c.tc;
    }
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

TEST_F(CnsVouchers, DirectModeAdvancesTheBookOnlyForward) {
    QString letra = QStringLiteral("A");
    QString sentencia = QStringLiteral("sin tocar");
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("51"), letra, false, sentencia);
    EXPECT_EQ(gTalonario, 1);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 1), 51);
    EXPECT_EQ(scalar(QStringLiteral("SELECT fechahora_modificacion FROM V_TA_CPTE WHERE "
                                    "CODIGO = 'AJUS' AND TALONARIO = 1"))
                  .toString(),
              QStringLiteral("15/03/24 10:20"));
    EXPECT_EQ(sentencia, QStringLiteral("sin tocar"));
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM V_MV_CTROL_CPTE")).toInt(), 0);

    // A late save with a lower number does not take the book back.
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("40"), letra, false, sentencia);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 1), 51);
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

TEST_F(CnsVouchers, DirectModeEmptyLetterAndOtherBranch) {
    gTalonario = 1;
    QString letra;
    QString sentencia;
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("8"), letra, false, sentencia);
    EXPECT_EQ(letra, QStringLiteral("X"));
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 1, QStringLiteral("X")), 8);

    // The book does not serve branch 3: nothing is written.
    letra = QStringLiteral("A");
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("3"),
                        QStringLiteral("90"), letra, false, sentencia);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 1), 10);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(CnsVouchers, StatementModeBuildsTheUpdateAndTheControlRow) {
    QString letra = QStringLiteral("A");
    QString sentencia;
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("124"), letra, true, sentencia);
    EXPECT_EQ(gTalonario, 2);
    const QString control =
        QStringLiteral("\r\n INSERT INTO V_MV_CTROL_CPTE (TC,SUCURSAL,NUMERO,LETRA) VALUES "
                       "('AJUS','0001','00000123','A')\r\n");
    EXPECT_EQ(sentencia,
              QStringLiteral(" UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 124 WHERE CODIGO = 'AJUS' AND "
                             "TALONARIO=2") +
                  control);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 2), 100); // nothing written yet

    bool hubo = true;
    std::int32_t nativo = 0;
    EjecutaTransaccion(QStringList{sentencia, QString()}, hubo, nativo);
    EXPECT_FALSE(hubo);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 2), 124);
    EXPECT_EQ(scalar(QStringLiteral("SELECT NUMERO FROM V_MV_CTROL_CPTE")).toString(),
              QStringLiteral("00000123"));

    // SoloControl on a book keeps the caller's text and adds the control row.
    sentencia = QStringLiteral("previa");
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("124"), letra, true, sentencia, false, true);
    EXPECT_EQ(sentencia, QStringLiteral("previa") + control);
}

TEST_F(CnsVouchers, TypeRowWhenTheBookIsMissing) {
    db.exec(QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, TALONARIO, "
                           "A_SUC_DEFAULT, A_ULTIMO_NRO) VALUES ('OC', 'COMPRAS', 0, 1, 4)"));
    gTalonario = 0;
    QString letra = QStringLiteral("A");
    QString sentencia;
    ConsultaComprobante(QStringLiteral("OC"), QStringLiteral("COMPRAS"), QStringLiteral("1"),
                        QStringLiteral("12"), letra, false, sentencia);
    EXPECT_EQ(scalar(QStringLiteral("SELECT A_ULTIMO_NRO FROM TA_COMPROBANTES")).toInt(), 12);

    ConsultaComprobante(QStringLiteral("OC"), QStringLiteral("COMPRAS"), QStringLiteral("1"),
                        QStringLiteral("13"), letra, true, sentencia, false, true);
    EXPECT_EQ(sentencia,
              QStringLiteral(" UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 13 WHERE CODIGO = 'OC' AND "
                             "TALONARIO =0\r\n INSERT INTO V_MV_CTROL_CPTE "
                             "(TC,SUCURSAL,NUMERO,LETRA) VALUES ('OC','0001','00000012','A')\r\n"));

    ConsultaComprobante(QStringLiteral("NADA"), QStringLiteral("COMPRAS"), QStringLiteral("1"),
                        QStringLiteral("13"), letra, false, sentencia);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Error en grabación del Comprobante, no se ha encontrado el "
                             "comprobante configurado"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("ATENCION"));
}

TEST_F(CnsVouchers, TwoSaversEndWithTheHigherNumberAStatementSetsItAsGiven) {
    // Another workstation, on its own connection, has taken book 2 to 130.
    db.exec(QStringLiteral(
        "UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 130 WHERE CODIGO = 'AJUS' AND TALONARIO = 2"));
    QString letra = QStringLiteral("A");
    QString sentencia;
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("128"), letra, false, sentencia);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 2), 130);
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("131"), letra, false, sentencia);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 2), 131);

    // The statements set the number the caller gives, lower or not.
    ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                        QStringLiteral("125"), letra, true, sentencia);
    bool hubo = true;
    std::int32_t nativo = 0;
    EjecutaTransaccion(QStringList{sentencia, QString()}, hubo, nativo);
    EXPECT_FALSE(hubo);
    EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 2), 125);
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

// A link lost for good at any statement of the direct advance, the
// reconnects working: the book keeps its number and a box tells.
TEST_F(CnsVouchers, LostLinkAtEachStatementOfTheAdvanceIsTold) {
    const QString cadena = gDatos().cnn()->ConnectionString;
    const auto avanza = [] {
        QString letra = QStringLiteral("A");
        QString sentencia;
        ConsultaComprobante(QStringLiteral("AJUS"), QStringLiteral("CONTABLE"), QStringLiteral("1"),
                            QStringLiteral("51"), letra, false, sentencia);
    };
    QStringList enviadas;
    espia();
    avanza();
    enviadas = vistas;
    gDatos().cnn()->setFaultInjector({});
    ASSERT_EQ(ultimo(QStringLiteral("AJUS"), 1), 51);
    ASSERT_FALSE(enviadas.filter(QStringLiteral("UPDATE V_TA_CPTE")).isEmpty());
    for (int k = 0; k < enviadas.size(); ++k) {
        SCOPED_TRACE(enviadas[k].toStdString());
        db.exec(QStringLiteral("UPDATE V_TA_CPTE SET A_ULTIMO_NRO = 10 WHERE CODIGO = 'AJUS' AND "
                               "TALONARIO = 1"));
        responder->shown.clear();
        int cuenta = 0;
        gDatos().cnn()->setFaultInjector(testutil::lostLinkAt(k, cadena, cuenta));
        avanza();
        gDatos().cnn()->setFaultInjector({});
        EXPECT_EQ(ultimo(QStringLiteral("AJUS"), 1), 10);
        EXPECT_FALSE(responder->shown.empty());
    }
}
