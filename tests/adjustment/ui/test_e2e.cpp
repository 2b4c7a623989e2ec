// The program's main job from start to finish: start-up from a parameter
// string, the fiscal year, the header typed key by key, the generation, the
// concept, GRABAR, and the stored entry checked to the cent.

#include "ventana_fixture.h"

#include <cmath>

namespace {

qlonglong centavos(const QVariant& v) {
    return std::llround(v.toDouble() * 100);
}

QWidget* foco() {
    return QApplication::focusWidget();
}

// Key by key, accented letters too (keyClicks takes ASCII only).
void teclea(QWidget* w, const QString& texto) {
    for (const QChar c : texto) {
        if (c.unicode() < 128)
            QTest::keyClick(w, char(c.unicode()));
        else
            QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
    }
}

} // namespace

class CorridaCompleta : public VentanaTest {
protected:
    void SetUp() override {
        VentanaTest::SetUp();
        cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
        cuenta(QStringLiteral("1201"), QStringLiteral("Mercaderías"), 2);
        // Coefficients 1 everywhere but three months.
        indice(2022, 12, 1.0);
        indices(2023, 1, 12, 1.0);
        db.exec(QStringLiteral(
            "UPDATE MA_INDAJUSTE SET INDICE2 = 1.05 WHERE ANIO = 2022 AND MES = 12;"
            "UPDATE MA_INDAJUSTE SET INDICE1 = 1.0735 WHERE ANIO = 2023 AND MES = 8;"
            "UPDATE MA_INDAJUSTE SET INDICE2 = 1.02 WHERE ANIO = 2023 AND MES = 10"));
        mov({QStringLiteral("1101"), QStringLiteral("2023-06-10"), QStringLiteral("D"), 500});
        mov({QStringLiteral("1101"), QStringLiteral("2023-08-10"), QStringLiteral("D"), 1234.56});
        Mov apertura{QStringLiteral("1201"), QStringLiteral("2023-01-01"), QStringLiteral("D"),
                     2000};
        apertura.apertura = 1;
        mov(apertura);
        mov({QStringLiteral("1201"), QStringLiteral("2023-10-05"), QStringLiteral("H"), 400});
        // January to June are adjusted already; December holds entries up to 7.
        db.exec(QStringLiteral(
            "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", FECHA, CUENTA, "
            "IMPORTE, \"DEBE-HABER\", ESAJUSTE, AJUSTE_HASTA, TIPO_REG) VALUES "
            "(2023, 6, 1, '2023-06-30 00:00:00', '5901', 10, 'H', 1, '30/06/2023', ''),"
            "(2023, 12, 7, '2023-12-15 00:00:00', '5901', 0, 'D', 0, NULL, '')"));
    }

    void escribe(const QString& texto) {
        QTest::keyClicks(foco(), texto);
        QTest::keyClick(foco(), Qt::Key_Return);
    }
};

TEST_F(CorridaCompleta, DelArranqueAlAsientoGrabado) {
    auto w = arranca(QStringLiteral("2023"));
    EXPECT_EQ(campo(*w, "PERIODO_DESDE")->text(), QStringLiteral("07/2023"));
    EXPECT_EQ(campo(*w, "PERIODO_HASTA")->text(), QStringLiteral("12/2023"));
    muestra(*w);

    // Header, key by key, from the first field the user fills.
    QLineEdit* rei = campo(*w, "CTA_REI");
    ASSERT_EQ(foco(), rei);
    escribe(QStringLiteral("5901"));
    EXPECT_EQ(etiqueta(*w, "LblDescCuenta")->text(), QStringLiteral("R.E.I."));
    ASSERT_EQ(foco(), campo(*w, "TC"));
    escribe(QStringLiteral("AJUS"));
    ASSERT_EQ(foco(), campo(*w, "LETRA"));
    EXPECT_EQ(campo(*w, "SUCURSAL")->text(), QStringLiteral("0001"));
    EXPECT_EQ(campo(*w, "NUMERO")->text(), QStringLiteral("00000002"));
    escribe(QStringLiteral("X"));
    ASSERT_EQ(foco(), generar(*w));
    EXPECT_FALSE(cabecera(*w)->isEnabled());
    EXPECT_TRUE(responder->messages().isEmpty()) << responder->messages().join(u'|').toStdString();

    QTest::keyClick(generar(*w), Qt::Key_Return);
    ASSERT_EQ(w->lineas().size(), 4u);
    EXPECT_EQ(total(*w, 0)->text(), QStringLiteral("90,74"));
    EXPECT_EQ(total(*w, 1)->text(), QStringLiteral("90,74"));
    EXPECT_EQ(campo(*w, "CABIMPORTE")->text(), QStringLiteral("90,74"));
    QLineEdit* detalle = campo(*w, "DETALLE");
    if (!w->isActiveWindow()) // the banner had the activation
        muestra(*w);
    ASSERT_EQ(foco(), detalle);
    const QString concepto = QStringLiteral("Ajuste jul-dic d'2023 según índices");
    teclea(detalle, concepto);
    EXPECT_EQ(detalle->text(), concepto);

    QTest::keyClick(detalle, Qt::Key_F4); // GRABAR
    const QStringList mensajes = responder->messages();
    ASSERT_FALSE(mensajes.isEmpty());
    EXPECT_EQ(mensajes.back(), QStringLiteral("Proceso Completo!"));
    EXPECT_EQ(responder->shown.back().title, QStringLiteral("Proceso Completo"));
    EXPECT_EQ(responder->shown.back().buttons, vb::vbInformation);

    const auto filas = db.rows(QStringLiteral(
        "SELECT FECHA, TC, SUCURSAL, NUMERO, LETRA, CABIMPORTE, CUENTA, SECUENCIA, AJUSTE_HASTA, "
        "\"NUMERO ASIENTO\", MES_OPERATIVO, IMPORTE, \"DEBE-HABER\", MONEDA, VENCIMIENTO, "
        "TIPO_REG, DETALLE, ESRESUMEN, ESAJUSTE, PERIODO, fechahora_grabacion, UNEGOCIO "
        "FROM MV_ASIENTOS WHERE ESAJUSTE = 1 AND MES_OPERATIVO = 12 ORDER BY SECUENCIA"));
    ASSERT_EQ(filas.size(), 3);
    struct Esperada {
        const char* cuenta;
        qlonglong importe; // cents
        const char* dh;
    };
    // 1101: August's 1234.56 restated by 1.0735 (90.7402, stored 90.74);
    // 1201: October's 400.00 credit by 1.02 (-8), its opening balance being
    // restated by the January-June run already; the REI account balances
    // the 82.74 on the credit side.
    const Esperada esperadas[] = {{"1101", 9074, "D"}, {"1201", 800, "H"}, {"5901", 8274, "H"}};
    for (int i = 0; i < 3; ++i) {
        const QVariantList& f = filas[i];
        SCOPED_TRACE(i);
        EXPECT_EQ(f[0].toString(), QStringLiteral("2023-12-31 00:00:00"));
        EXPECT_EQ(f[1].toString(), QStringLiteral("AJUS"));
        EXPECT_EQ(f[2].toString(), QStringLiteral("0001"));
        EXPECT_EQ(f[3].toString(), QStringLiteral("00000002"));
        EXPECT_EQ(f[4].toString(), QStringLiteral("X"));
        EXPECT_EQ(centavos(f[5]), 9074);
        EXPECT_EQ(f[6].toString(), QLatin1String(esperadas[i].cuenta));
        EXPECT_EQ(f[7].toLongLong(), i + 1);
        EXPECT_EQ(f[8].toString(), QStringLiteral("31/12/2023"));
        EXPECT_EQ(f[9].toLongLong(), 8);
        EXPECT_EQ(f[10].toLongLong(), 12);
        EXPECT_EQ(f[11].toDouble() * 100, double(esperadas[i].importe)); // cents, exactly
        EXPECT_EQ(f[12].toString(), QLatin1String(esperadas[i].dh));
        EXPECT_EQ(f[13].toString(), QStringLiteral("   1"));
        EXPECT_TRUE(f[14].isNull());
        EXPECT_EQ(f[15].toString(), QString());
        EXPECT_EQ(f[16].toString(), concepto);
        EXPECT_EQ(f[17].toLongLong(), 0);
        EXPECT_EQ(f[18].toLongLong(), 1);
        EXPECT_EQ(f[19].toLongLong(), 2023);
        EXPECT_TRUE(QDateTime::fromString(f[20].toString(), QStringLiteral("yyyy-MM-dd HH:mm:ss"))
                        .isValid());
        EXPECT_EQ(f[21].toString(), QStringLiteral("0001"));
    }
    EXPECT_EQ(libroX().toLongLong(), 3);

    // The window is ready for the next entry, typing in its first field.
    EXPECT_EQ(foco(), rei);
    EXPECT_FALSE(w->modificado());
    EXPECT_TRUE(campo(*w, "CTA_REI")->text().isEmpty());
    EXPECT_EQ(w->lineas().size(), 1u);
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoNuevo));
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));

    // The next run proposes the month after the stored adjustment.
    w.reset();
    responder->shown.clear();
    auto otra = arranca(QStringLiteral("2023"));
    EXPECT_EQ(campo(*otra, "PERIODO_DESDE")->text(), QStringLiteral("01/2024"));
    EXPECT_TRUE(responder->messages().last().startsWith(
        QStringLiteral("Ultimo ajuste realizado con fecha 31/12/2023")));
}
