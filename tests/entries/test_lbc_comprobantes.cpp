// Voucher books, letters, voucher kinds and posted vouchers.

#include "entries_fixture.h"

using Comprobantes = EntriesTest;
using CNStuffContable::gTalonario;

namespace {

void talonario(const testutil::TempDatabase& db, int numero, const QString& unidad, int suc,
               int ultimo) {
    db.exec(QStringLiteral("INSERT INTO V_TA_CPTE (CODIGO, TALONARIO, UNEGOCIO, A_SUC_DEFAULT, "
                           "A_ULTIMO_NRO, B_SUC_DEFAULT, B_ULTIMO_NRO) VALUES ('FACT', %1, '%2', "
                           "%3, %4, 8, 77)")
                .arg(numero)
                .arg(unidad)
                .arg(suc)
                .arg(ultimo));
}

} // namespace

TEST_F(Comprobantes, DatosComprobanteEligeElTalonario) {
    talonario(db, 3, QStringLiteral("0001"), 6, 600);
    talonario(db, 2, QStringLiteral("0001"), 5, 500);
    talonario(db, 1, QStringLiteral("0002"), 3, 41);
    Lbc_Asiento a;
    QString suc, nro, letra = QStringLiteral("A");

    // The unit's books first, the lowest book number among them.
    a.DatosComprobante(QStringLiteral(" FACT "), suc, nro, letra, QStringLiteral("1"));
    EXPECT_EQ(suc, QStringLiteral("0005"));
    EXPECT_EQ(nro, QStringLiteral("00000500"));
    EXPECT_EQ(letra, QStringLiteral("A"));
    EXPECT_EQ(gTalonario, 2);

    // A unit without books falls back to any book; so does no unit.
    a.DatosComprobante(QStringLiteral("FACT"), suc, nro, letra, QStringLiteral("9"));
    EXPECT_EQ(suc, QStringLiteral("0003"));
    EXPECT_EQ(nro, QStringLiteral("00000041"));
    EXPECT_EQ(gTalonario, 1);
    letra = QStringLiteral("b");
    a.DatosComprobante(QStringLiteral("FACT"), suc, nro, letra, QString());
    EXPECT_EQ(suc, QStringLiteral("0008"));
    EXPECT_EQ(nro, QStringLiteral("00000077"));
    EXPECT_EQ(letra, QStringLiteral("b"));

    // Not a book letter: nothing changes, the book number included.
    for (const QString& otra : {QStringLiteral("Q"), QString()}) {
        letra = otra;
        a.DatosComprobante(QStringLiteral("XXXX"), suc, nro, letra, QString());
        EXPECT_EQ(suc, QStringLiteral("0008"));
        EXPECT_EQ(gTalonario, 1);
        EXPECT_EQ(letra, otra);
    }

    // A type without books empties the outputs and the book number.
    letra = QStringLiteral("A");
    a.DatosComprobante(QStringLiteral("XXXX"), suc, nro, letra, QString());
    EXPECT_TRUE(suc.isEmpty());
    EXPECT_TRUE(nro.isEmpty());
    EXPECT_TRUE(letra.isEmpty());
    EXPECT_EQ(gTalonario, 0);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Comprobantes, DeterminaLetra) {
    Lbc_Asiento a;
    struct Caso {
        QString empresa; // empty: key absent
        QString cliente;
        QString letra;
    };
    const Caso casos[] = {
        {QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("A")},
        {QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("A")},
        {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("B")},
        {QStringLiteral("2"), QStringLiteral("1"), QStringLiteral("C")},
        {QString(), QStringLiteral("3"), QStringLiteral("Z")},
    };
    for (const Caso& c : casos) {
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'CONDIVA'"));
        if (!c.empresa.isEmpty())
            clave(QStringLiteral("CONDIVA"), c.empresa);
        EXPECT_EQ(a.DeterminaLetra(c.cliente), c.letra)
            << c.empresa.toStdString() << "/" << c.cliente.toStdString();
    }
}

TEST_F(Comprobantes, ComprobanteEntrada) {
    db.exec(QStringLiteral(
        "INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, LETRAS, A_ULTIMO_NRO, A_NRO_DESDE, "
        "A_NRO_HASTA, B_ULTIMO_NRO, B_NRO_DESDE, B_NRO_HASTA) VALUES "
        "('EXTR', 'CONTABLE', 'A', 0, 0, 0, 0, 0, 0), "
        "('PROP', 'CONTABLE', 'A', 5, 1, 999, 0, 0, 0), "
        "('MIXT', 'CONTABLE', 'AB', 5, 1, 999, 0, 0, 0), "
        "('SINL', 'CONTABLE', '  ', 0, 0, 0, 0, 0, 0), "
        "('RARA', 'CONTABLE', 'AQ', 0, 0, 0, 0, 0, 0), "
        "('NULA', 'CONTABLE', 'A', NULL, 0, 0, 0, 0, 0)"));
    Lbc_Asiento a;
    QStringList vistas;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        vistas << s;
        return std::nullopt;
    });
    EXPECT_TRUE(a.ComprobanteEntrada(QStringLiteral("fcc")));
    EXPECT_TRUE(a.ComprobanteEntrada(QStringLiteral("NCCP")));
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("FC")));
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("pgfp")));
    EXPECT_TRUE(vistas.filter(QStringLiteral("TA_COMPROBANTES")).isEmpty());

    EXPECT_TRUE(a.ComprobanteEntrada(QStringLiteral("EXTR")));
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("PROP")));
    EXPECT_TRUE(a.ComprobanteEntrada(QStringLiteral("MIXT"))); // the last letter decides
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("SINL")));
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("NADA")));
    EXPECT_TRUE(responder->shown.empty());

    // A letter without columns: Ignore counts it as numbered and goes on.
    responder->answerMsg(vb::vbIgnore);
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("RARA")));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral("ComprobanteEntrada")));
    // Retry repeats the failing letter; leaving keeps what was reached.
    responder->answerMsg(vb::vbRetry);
    responder->answerMsg(vb::vbAbort);
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("RARA")));
    EXPECT_EQ(responder->shown.size(), 3u);
    // A Null number is an error as well.
    responder->answerMsg(vb::vbAbort);
    EXPECT_FALSE(a.ComprobanteEntrada(QStringLiteral("NULA")));
    EXPECT_EQ(responder->shown.size(), 4u);
    EXPECT_TRUE(responder->shown[3].prompt.contains(QStringLiteral("(94)")));
}

TEST_F(Comprobantes, ComprobanteDuplicadoConNumeracionFija) {
    db.exec(QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, ModificaNumeracion) "
                           "VALUES ('AJUS', 'CONTABLE', 'falso')"));
    Linea l;
    l.tc = QStringLiteral("AJUS");
    l.nroCpte = QStringLiteral("00000123");
    linea(l);
    l.nroCpte = QStringLiteral("00000124");
    linea(l);
    Lbc_Asiento a;

    // Yes to 124, which is posted too: asked again with 125; No gives up.
    responder->answerMsg(vb::vbYes);
    responder->answerMsg(vb::vbNo);
    QString numero = QStringLiteral("00000123"), mensaje;
    EXPECT_FALSE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0001"), numero,
                                     QStringLiteral("A"), mensaje));
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("El Comprobante Duplicado, el nuevo numero es: 0001-00000124A"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Atencion"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbYesNo | vb::vbExclamation);
    EXPECT_EQ(responder->shown[1].prompt,
              QStringLiteral("El Comprobante Duplicado, el nuevo numero es: 0001-00000125A"));
    EXPECT_EQ(numero, QStringLiteral("00000123"));
    EXPECT_EQ(mensaje, QStringLiteral("Comprobante duplicado"));

    // Yes twice: 125 is free and is handed back as stored.
    responder->shown.clear();
    responder->answerMsg(vb::vbYes);
    responder->answerMsg(vb::vbYes);
    mensaje = QStringLiteral("sin tocar");
    EXPECT_TRUE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0001"), numero,
                                    QStringLiteral("A"), mensaje));
    EXPECT_EQ(responder->shown.size(), 2u);
    EXPECT_EQ(numero, QStringLiteral("00000125"));
    EXPECT_EQ(mensaje, QStringLiteral("sin tocar"));
    EXPECT_EQ(responder->unexpected, 0);
}

TEST_F(Comprobantes, ComprobanteRegistradoYLibre) {
    db.exec(QStringLiteral("INSERT INTO TA_COMPROBANTES (CODIGO, SISTEMA, ModificaNumeracion) "
                           "VALUES ('AJUS', 'CONTABLE', 'SI')"));
    db.exec(QStringLiteral("INSERT INTO MA_SUBDIARIOSCOMPROBANTES (SUBDIARIO, TC) VALUES ('VTAS', "
                           "'VENT')"));
    Linea l;
    l.tc = QStringLiteral("AJUS");
    l.mes = 5;
    l.numero = 17;
    l.nroCpte = QStringLiteral("00000123");
    linea(l);
    // A voucher of type VENT posted by a subledger other than its own.
    l.tc = QStringLiteral("VENT");
    l.tipoReg = QStringLiteral("COMP");
    l.numero = 3;
    linea(l);
    Lbc_Asiento a;

    QString numero = QStringLiteral("00000123"), mensaje, mes, asiento, periodo;
    EXPECT_FALSE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0001"), numero,
                                     QStringLiteral("A"), mensaje, &mes, &asiento,
                                     QStringLiteral("31/05/2023"), QString(), &periodo));
    EXPECT_EQ(mensaje, QStringLiteral("Comprobante registrado en el Asiento 5-17"));
    EXPECT_EQ(mes, QStringLiteral("5"));
    EXPECT_EQ(asiento, QStringLiteral("17"));
    EXPECT_EQ(periodo, QStringLiteral("2023"));
    EXPECT_EQ(numero, QStringLiteral("00000123"));

    EXPECT_FALSE(a.ValidaComprobante(QStringLiteral("VENT"), QStringLiteral("0001"), numero,
                                     QStringLiteral("A"), mensaje));
    EXPECT_EQ(mensaje, QStringLiteral(
                           "Comprobante registrado en el Asiento 5-3\r\n Para el subdiario: COMP"));

    // Never posted, or posted on another account: free, outputs untouched.
    mensaje = QStringLiteral("sin tocar");
    numero = QStringLiteral("00000999");
    EXPECT_TRUE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0001"), numero,
                                    QStringLiteral("A"), mensaje));
    numero = QStringLiteral("00000123");
    EXPECT_TRUE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0001"), numero,
                                    QStringLiteral("A"), mensaje, nullptr, nullptr, QString(),
                                    QStringLiteral("2101")));
    EXPECT_EQ(mensaje, QStringLiteral("sin tocar"));
    EXPECT_EQ(numero, QStringLiteral("00000123"));
    // A quote in the voucher does not break the statement.
    EXPECT_TRUE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0'01"), numero,
                                    QStringLiteral("A"), mensaje));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Comprobantes, ExisteEnMVAsientos) {
    Linea l;
    l.tc = QStringLiteral("AJUS");
    l.cabCuenta = QStringLiteral("2101");
    l.numero = 8;
    linea(l);
    l.nroCpte = QStringLiteral("00000002");
    l.numero = 9;
    l.esResumen = 1;
    linea(l);
    Lbc_Asiento a;
    const QString suc = QStringLiteral("0001"), uno = QStringLiteral("00000001"),
                  dos = QStringLiteral("00000002");

    ado::RecordsetPtr rs;
    EXPECT_TRUE(a.ExisteEnMVAsientos(QStringLiteral(" AJUS "), suc, uno, QStringLiteral("A"),
                                     std::nullopt, &rs));
    ASSERT_TRUE(rs);
    EXPECT_EQ(rs->value(QStringLiteral("NUMERO ASIENTO")).toInt(), 8);
    gDatos().CierraRecordset(rs);
    EXPECT_TRUE(a.ExisteEnMVAsientos(QStringLiteral("AJUS"), suc, uno, QStringLiteral("A"),
                                     QStringLiteral("2101")));
    EXPECT_FALSE(a.ExisteEnMVAsientos(QStringLiteral("AJUS"), suc, uno, QStringLiteral("A"),
                                      QStringLiteral("2102")));
    EXPECT_FALSE(a.ExisteEnMVAsientos(QStringLiteral("AJUS"), suc, QStringLiteral("00000003"),
                                      QStringLiteral("A")));

    EXPECT_TRUE(a.ExisteEnMVAsientos2(QStringLiteral("AJUS"), suc, uno, QStringLiteral("A"),
                                      QString(), QStringLiteral(" 8 "), QStringLiteral("5"),
                                      QStringLiteral("2023")));
    EXPECT_FALSE(a.ExisteEnMVAsientos2(QStringLiteral("AJUS"), suc, uno, QStringLiteral("A"),
                                       QString(), QStringLiteral("8"), QStringLiteral("6"),
                                       QStringLiteral("2023")));
    EXPECT_FALSE(a.ExisteEnMVAsientos2(QStringLiteral("AJUS"), suc, uno, QStringLiteral("A"),
                                       QString(), QStringLiteral("8"), QStringLiteral("5"),
                                       QStringLiteral("2023"), QStringLiteral("2102")));
    // Summary lines never count.
    EXPECT_TRUE(a.ExisteEnMVAsientos(QStringLiteral("AJUS"), suc, dos, QStringLiteral("A")));
    EXPECT_FALSE(a.ExisteEnMVAsientos2(QStringLiteral("AJUS"), suc, dos, QStringLiteral("A"),
                                       QString(), QStringLiteral("9"), QStringLiteral("5"),
                                       QStringLiteral("2023")));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Comprobantes, ValidaComprobanteInformaSusErrores) {
    Lbc_Asiento a;
    gDatos().cnn()->setFaultInjector([](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("FROM MV_ASIENTOS")))
            return ado::Error{long(ado::adErrCommand), QStringLiteral("tabla bloqueada"), QString(),
                              0, QStringLiteral("Prueba")};
        return std::nullopt;
    });
    // The data object's own box first (left), then the check's plain box.
    responder->answerMsg(vb::vbAbort);
    responder->answerMsg(vb::vbOK);
    QString numero = QStringLiteral("00000001"), mensaje;
    EXPECT_FALSE(a.ValidaComprobante(QStringLiteral("AJUS"), QStringLiteral("0001"), numero,
                                     QStringLiteral("A"), mensaje));
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_EQ(responder->shown[1].buttons, vb::vbOKOnly);
    EXPECT_TRUE(responder->shown[1].title.isEmpty());
    EXPECT_FALSE(responder->shown[1].prompt.isEmpty());
    EXPECT_EQ(numero, QStringLiteral("00000001"));
}
