// The entry stored balances on the REI account the header shows, validated
// and postable, however the user left the letter and whatever the field
// holds afterwards; otherwise nothing is stored and the user is told why.

#include "ventana_fixture.h"

#include "common/dialogos.h"
#include "platform/ui/modal.h"

#include <QDialog>
#include <functional>

namespace {

QWidget* foco() {
    return QApplication::focusWidget();
}

} // namespace

class ReiValidada : public VentanaTest {
protected:
    void SetUp() override {
        VentanaTest::SetUp();
        cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
        db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES "
                               "('6103', 'RESULTADOS FINANCIEROS', 1), "
                               "('610301001', 'Resultado por Exposición', 0)"));
        indice(2022, 12, 1.0);
        indices(2023, 1, 12, 1.0);
        db.exec(QStringLiteral("UPDATE MA_INDAJUSTE SET INDICE1 = 1.2 WHERE ANIO = 2023 AND "
                               "MES = 1"));
        mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 200});
    }

    static void escribe(const QString& texto) {
        QTest::keyClicks(foco(), texto);
        QTest::keyClick(foco(), Qt::Key_Return);
    }
};

// For each road that leaves the letter and each later change of the locked
// R.E.I. field (written as a program would: the user can no longer type
// there), Generar and GRABAR store an entry balanced on the account shown,
// or nothing with the reason.
TEST_F(ReiValidada, ElAsientoGrabadoBalanceaEnLaCuentaMostrada) {
    testutil::CuentaDialogos dialogos;

    struct Salida {
        const char* nombre;
        std::function<void(FrmQuarzelo&)> sale;
        bool genera; // the road generates the lines before the change
    };
    const std::vector<Salida> salidas = {
        {"Enter", [](FrmQuarzelo&) { QTest::keyClick(foco(), Qt::Key_Return); }, false},
        {"Tab", [](FrmQuarzelo&) { QTest::keyClick(foco(), Qt::Key_Tab); }, false},
        {"a click on Generar",
         [](FrmQuarzelo& w) { QTest::mouseClick(generar(w), Qt::LeftButton); }, true},
        {"the lookup of the account",
         [](FrmQuarzelo& w) { QTest::mouseClick(campo(w, "CTA_REI"), Qt::RightButton); }, false},
        {"Enter, then Generar",
         [](FrmQuarzelo& w) {
             QTest::keyClick(foco(), Qt::Key_Return);
             QTest::keyClick(generar(w), Qt::Key_Return);
         },
         true},
    };
    // Before the lines exist Generar balances on the account shown once it
    // passes; after them the lines keep the account they balance on.
    struct Resultado {
        const char* guardada; // REI account of the stored entry; nullptr: nothing
        const char* motivo;   // the message when nothing is stored
    };
    struct Cambio {
        const char* codigo;
        Resultado antes, despues;
    };
    const char* debeIngresar = "Debe ingresar un código de Cuenta R.E.I.";
    const Cambio cambios[] = {
        {"5901", {"5901", nullptr}, {"5901", nullptr}},
        {"610301001", {"610301001", nullptr}, {nullptr, debeIngresar}},
        {"6103", {nullptr, "La Cuenta debe ser imputable"}, {nullptr, debeIngresar}},
        {"9999", {nullptr, "Código inexistente"}, {nullptr, debeIngresar}},
    };

    for (const Salida& s : salidas) {
        for (const Cambio& c : cambios) {
            SCOPED_TRACE(std::string(s.nombre) + " / " + c.codigo);
            db.exec(QStringLiteral("DELETE FROM MV_ASIENTOS WHERE ESAJUSTE = 1"));
            responder->shown.clear();
            dialogos.abiertos = 0;
            auto w = arranca();
            ASSERT_NO_FATAL_FAILURE(muestra(*w));
            QLineEdit* rei = campo(*w, "CTA_REI");
            ASSERT_EQ(foco(), rei);
            escribe(QStringLiteral("5901"));
            escribe(QStringLiteral("AJUS"));
            ASSERT_EQ(foco(), campo(*w, "LETRA"));
            ASSERT_EQ(campo(*w, "LETRA")->text(), QStringLiteral("X"));

            s.sale(*w);
            EXPECT_FALSE(cabecera(*w)->isEnabled());
            EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoCerrar));
            EXPECT_EQ(dialogos.abiertos, 0);
            ASSERT_EQ(w->lineas().size() > 1, s.genera);
            EXPECT_TRUE(responder->messages().isEmpty())
                << responder->messages().join(u'|').toStdString();

            // The same code is written again after the field is emptied.
            rei->clear();
            rei->setText(QLatin1String(c.codigo));
            if (!w->isActiveWindow()) {
                ASSERT_NO_FATAL_FAILURE(muestra(*w));
            }
            if (generar(*w)->isEnabled())
                QTest::mouseClick(generar(*w), Qt::LeftButton);
            if (!w->isActiveWindow()) {
                ASSERT_NO_FATAL_FAILURE(muestra(*w));
            }
            QLineEdit* detalle = campo(*w, "DETALLE");
            if (detalle->isEnabled())
                QTest::keyClicks(detalle, QStringLiteral("Ajuste"));
            const QString mostrada = rei->text();
            QTest::keyClick(foco() ? foco() : w.get(), Qt::Key_F4);

            const auto filas = db.rows(QStringLiteral(
                "SELECT CUENTA, IMPORTE, \"DEBE-HABER\" FROM MV_ASIENTOS WHERE ESAJUSTE = 1 "
                "ORDER BY SECUENCIA"));
            const Resultado& r = s.genera ? c.despues : c.antes;
            if (r.guardada) {
                ASSERT_EQ(filas.size(), 2);
                EXPECT_EQ(mostrada, QLatin1String(r.guardada));
                EXPECT_EQ(filas[0][0].toString(), QStringLiteral("1101"));
                EXPECT_EQ(filas[0][2].toString(), QStringLiteral("D"));
                EXPECT_EQ(filas[1][0].toString(), QLatin1String(r.guardada));
                EXPECT_EQ(filas[1][2].toString(), QStringLiteral("H"));
                EXPECT_EQ(filas[0][1].toDouble(), 40.0);
                EXPECT_EQ(filas[1][1].toDouble(), 40.0);
                EXPECT_EQ(responder->messages().last(), QStringLiteral("Proceso Completo!"));
            } else {
                EXPECT_TRUE(filas.isEmpty());
                EXPECT_TRUE(responder->messages().contains(QString::fromUtf8(r.motivo)))
                    << responder->messages().join(u'|').toStdString();
                EXPECT_FALSE(responder->messages().contains(QStringLiteral("Proceso Completo!")));
            }
        }
    }
}

// Changing the account while the header is open turns Generar off until it is
// accepted again; a click that leaves a refused account generates nothing.
TEST_F(ReiValidada, CuentaCambiadaApagaGenerarHastaValidarla) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    QLineEdit* rei = campo(*w, "CTA_REI");
    escribe(QStringLiteral("5901"));
    ASSERT_EQ(foco(), campo(*w, "TC"));
    ASSERT_TRUE(generar(*w)->isEnabled());
    ASSERT_TRUE(w->ctaReiValidada());

    QTest::mouseClick(rei, Qt::LeftButton);
    rei->selectAll();
    QTest::keyClicks(rei, QStringLiteral("6103"));
    EXPECT_FALSE(w->ctaReiValidada());
    EXPECT_FALSE(generar(*w)->isEnabled());

    // Leaving it by a click validates it: refused, it keeps the focus.
    QTest::mouseClick(campo(*w, "TC"), Qt::LeftButton);
    EXPECT_EQ(ultimoMensaje(), QStringLiteral("La Cuenta debe ser imputable"));
    EXPECT_EQ(foco(), rei);
    EXPECT_FALSE(generar(*w)->isEnabled());
    w->CmdGenerar_Click();
    EXPECT_EQ(w->lineas().size(), 1u);

    rei->selectAll();
    QTest::keyClicks(rei, QStringLiteral("610301001"));
    QTest::keyClick(rei, Qt::Key_Tab);
    EXPECT_TRUE(w->ctaReiValidada());
    EXPECT_TRUE(generar(*w)->isEnabled());
    EXPECT_EQ(etiqueta(*w, "LblDescCuenta")->text(), QStringLiteral("Resultado por Exposición"));
}
