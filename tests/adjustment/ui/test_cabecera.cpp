#include "ventana_fixture.h"

namespace {
const QString kAviso = QStringLiteral("Aviso al Operador");
}

// Typing into a period field formats it after each key.
TEST_F(VentanaTest, PeriodoTecleadoSeFormatea) {
    auto w = nueva();
    QLineEdit* desde = campo(*w, "PERIODO_DESDE");
    desde->setEnabled(true);
    struct Caso {
        const char* teclas;
        const char* queda;
    };
    for (const Caso& c : {Caso{"032021", "03/2021"}, Caso{"1", "1"}, Caso{"12", "12/"},
                          Caso{"12-2023", "12/2023"}}) {
        desde->clear();
        QTest::keyClicks(desde, QString::fromLatin1(c.teclas));
        EXPECT_EQ(desde->text(), QString::fromLatin1(c.queda)) << c.teclas;
    }
    EXPECT_EQ(FrmQuarzelo::FormateaPeriodo(QStringLiteral("1/2023")), QStringLiteral("12/023"));
}

TEST_F(VentanaTest, ReglasDelPeriodo) {
    db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                           "('[FECHA DESDE]', '01/01/2023'), ('[FECHA HASTA]', '31/12/2023')"));
    auto w = nueva();
    struct Caso {
        const char* campo;
        const char* texto;
        const char* mensaje;
    };
    const Caso rechazos[] = {
        {"PERIODO_DESDE", "13/2021", "Los datos ingresados no representan un periodo válido"},
        {"PERIODO_DESDE", "00/2023", "Los datos ingresados no representan un periodo válido"},
        {"PERIODO_DESDE", "1/2021", "Debe informar los periodos en formato MM/AAAA"},
        {"PERIODO_HASTA", "12023", "Debe informar los periodos en formato MM/AAAA"},
        {"PERIODO_HASTA", "", "Debe Informar el Periodo!"},
    };
    for (const Caso& c : rechazos) {
        responder->shown.clear();
        EXPECT_FALSE(valida(*w, c.campo, QString::fromUtf8(c.texto))) << c.texto;
        ASSERT_EQ(responder->shown.size(), 1u) << c.texto;
        EXPECT_EQ(responder->shown[0].prompt, QString::fromUtf8(c.mensaje));
        EXPECT_EQ(responder->shown[0].title, kAviso);
        EXPECT_EQ(responder->shown[0].buttons, vb::vbExclamation);
    }

    campo(*w, "PERIODO_HASTA")->setText(QStringLiteral("03/2023"));
    responder->shown.clear();
    EXPECT_FALSE(valida(*w, "PERIODO_DESDE", QStringLiteral("04/2023")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Periodo Desde Mayor que Hasta!"));

    // Outside the fiscal year: a plain box of its own, no title.
    responder->shown.clear();
    campo(*w, "PERIODO_HASTA")->setText(QStringLiteral("01/2024"));
    EXPECT_FALSE(valida(*w, "PERIODO_HASTA", QStringLiteral("01/2024")));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("El Periodo Hasta no pertenece al rango del Ejercicio"));
    EXPECT_TRUE(responder->shown[0].title.isEmpty());

    // Both limits belong to the year.
    responder->shown.clear();
    campo(*w, "PERIODO_HASTA")->setText(QStringLiteral("12/2023"));
    EXPECT_TRUE(valida(*w, "PERIODO_DESDE", QStringLiteral("01/2023")));
    EXPECT_TRUE(valida(*w, "PERIODO_HASTA", QStringLiteral("12/2023")));
    EXPECT_TRUE(responder->shown.empty()) << ultimoMensaje().toStdString();
}

TEST_F(VentanaTest, SucursalYNumero) {
    auto w = nueva();
    EXPECT_TRUE(valida(*w, "SUCURSAL", QString()));
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("0001"));
    EXPECT_TRUE(valida(*w, "SUCURSAL", QStringLiteral("12")));
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("0012"));
    EXPECT_FALSE(valida(*w, "SUCURSAL", QStringLiteral("A1")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("El campo debe ser numérico "));
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("A1"));

    // NUMERO needs a voucher type with letters.
    responder->shown.clear();
    EXPECT_FALSE(valida(*w, "NUMERO", QStringLiteral("1")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("El comprobante no tiene letras asignadas"));

    campo(*w, "TC")->setText(QStringLiteral("AJUS"));
    responder->shown.clear();
    EXPECT_TRUE(valida(*w, "NUMERO", QStringLiteral("2")));
    EXPECT_TRUE(responder->shown.empty());
    // Above the book's last number (2) of an own-numbered type: told, and passes.
    EXPECT_TRUE(valida(*w, "NUMERO", QStringLiteral("123")));
    EXPECT_EQ(campo(*w, "NUMERO")->text(), QStringLiteral("00000123"));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("El numero no es correlativo al último informado en configuracion"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbInformation);
    EXPECT_FALSE(valida(*w, "NUMERO", QStringLiteral("12a")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("El campo debe ser numérico"));
}

TEST_F(VentanaTest, TipoDeComprobanteLlenaElComprobante) {
    auto w = nueva();
    // A type of another system is no accounting voucher type.
    EXPECT_FALSE(valida(*w, "TC", QStringLiteral("FC")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("El tipo de comprobante ingresado no es valido o no "
                                              "tiene asignada ninguna letra"));

    responder->shown.clear();
    EXPECT_TRUE(valida(*w, "TC", QStringLiteral("AJUS")));
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("0001"));
    EXPECT_EQ(campo(*w, "NUMERO")->text(), QStringLiteral("00000002"));
    EXPECT_EQ(campo(*w, "LETRA")->text(), QStringLiteral("X"));
    EXPECT_FALSE(campo(*w, "SUCURSAL")->isEnabled());
    EXPECT_FALSE(campo(*w, "NUMERO")->isEnabled());
    EXPECT_EQ(etiqueta(*w, "lbldesctc")->text(), QStringLiteral("Ajuste por Inflación"));
    EXPECT_EQ(ClsIni::LeeIni(QStringLiteral("CN000p.INI"), CNStuffContable::gSeccionIni,
                             QStringLiteral("Ajuste(TC)")),
              QStringLiteral("AJUS"));
    // A new entry opens the voucher fields again.
    w->NuevoAsiento();
    EXPECT_TRUE(campo(*w, "SUCURSAL")->isEnabled());
    EXPECT_TRUE(campo(*w, "NUMERO")->text().isEmpty());
}

TEST_F(VentanaTest, ReglasDeLaLetra) {
    auto w = nueva();
    campo(*w, "TC")->setText(QStringLiteral("AJUS"));
    // The header locks only with every field accepted: the account first.
    EXPECT_FALSE(valida(*w, "LETRA", QStringLiteral("X")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Debe ingresar un código de Cuenta R.E.I."));
    EXPECT_TRUE(cabecera(*w)->isEnabled());
    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    EXPECT_FALSE(valida(*w, "LETRA", QStringLiteral("M")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Debe ingresar A,B,C,X,E"));
    EXPECT_FALSE(valida(*w, "LETRA", QStringLiteral("B")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("La letra Informada no forma parte de las "
                                              "informadas en la configuracion"));
    EXPECT_TRUE(cabecera(*w)->isEnabled());

    // Lower case passes; the book fills point of sale and number and the
    // header locks with "&Generar" ready.
    responder->shown.clear();
    EXPECT_TRUE(valida(*w, "LETRA", QStringLiteral("x")));
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("0001"));
    EXPECT_EQ(campo(*w, "NUMERO")->text(), QStringLiteral("00000002"));
    EXPECT_FALSE(cabecera(*w)->isEnabled());
    EXPECT_TRUE(generar(*w)->isEnabled());
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoCerrar));
}

TEST_F(VentanaTest, CuentaREI) {
    auto w = nueva();
    EXPECT_FALSE(valida(*w, "CTA_REI", QString()));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Debe ingresar un código de Cuenta R.E.I."));
    EXPECT_FALSE(valida(*w, "CTA_REI", QStringLiteral("9999")));
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Código inexistente"));
    EXPECT_FALSE(w->modificado());
    EXPECT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    EXPECT_EQ(etiqueta(*w, "LblDescCuenta")->text(), QStringLiteral("R.E.I."));
    EXPECT_TRUE(w->modificado());
}

// The balancing line needs an account that takes postings: the chart's
// title above the R.E.I. account and a blocked account are refused.
TEST_F(VentanaTest, CuentaREINoImputable) {
    db.exec(QStringLiteral(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, BLOQUEO) VALUES ('610301', "
        "'R.E.I.', 1, 0), ('610301001', 'Resultado por Exposición a la Inflación', 0, 0), "
        "('610302', 'Bloqueada', 0, 1)"));
    auto w = nueva();
    for (const char* codigo : {"610301", "610302"}) {
        EXPECT_FALSE(valida(*w, "CTA_REI", QLatin1String(codigo))) << codigo;
        EXPECT_EQ(ultimoMensaje(), QStringLiteral("La Cuenta debe ser imputable"));
        EXPECT_EQ(etiqueta(*w, "LblDescCuenta")->text(), QString());
    }
    EXPECT_TRUE(valida(*w, "CTA_REI", QStringLiteral("610301001")));
}

// Enter validates: a refused field keeps the focus, a passed one moves on;
// code fields take capitals as typed.
TEST_F(VentanaTest, EnterValidaYMueveElFoco) {
    cuenta(QStringLiteral("AB01"), QStringLiteral("Cuenta con letras"), 0);
    auto w = nueva();
    muestra(*w);
    QLineEdit* rei = campo(*w, "CTA_REI");
    rei->setFocus();
    QTest::keyClicks(rei, QStringLiteral("9999"));
    QTest::keyClick(rei, Qt::Key_Return);
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("Código inexistente"));
    EXPECT_EQ(QApplication::focusWidget(), rei);
    EXPECT_EQ(w->indiceActual(), 3);

    rei->clear();
    QTest::keyClicks(rei, QStringLiteral("ab01"));
    EXPECT_EQ(rei->text(), QStringLiteral("AB01"));
    QTest::keyClick(rei, Qt::Key_Return);
    EXPECT_FALSE(w->hayError());
    EXPECT_EQ(QApplication::focusWidget(), campo(*w, "TC"));
    // The focused field's tag decides the lookup key; "&Generar" follows CTA_REI.
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoConsultar));
    EXPECT_TRUE(generar(*w)->isEnabled());
}
