#include "platform/vb/vb.h"
#include "startup/ui/dll_display.h"
#include "startup/ui/lbf_ctrldisplay.h"

#include <QCursor>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

QStringList lineas(const Dll_Display& d) {
    QStringList l;
    for (QLabel* lbl : d.ventana()->LblCtrol)
        l << lbl->text();
    return l;
}

// Counts the hide events of the window it watches.
struct VigilaOcultar : QObject {
    int ocultada = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Hide)
            ++ocultada;
        return false;
    }
};

// Counts the paint events of the widget it watches.
struct CuentaPintadas : QObject {
    int pintadas = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint)
            ++pintadas;
        return false;
    }
};

class BannerTest : public ::testing::Test {
protected:
    void TearDown() override {
        Dll_Display::setReloj({});
        CNStuffContable::resetCartel();
    }
    Dll_Display cartel;
};

TEST_F(BannerTest, StartShowsABorderlessTranslucentCentredWindow) {
    EXPECT_EQ(cartel.ventana(), nullptr);
    cartel.CartelInicio(QStringLiteral("Ajuste por Inflación"), true);
    Lbf_CtrlDisplay* w = cartel.ventana();
    ASSERT_NE(w, nullptr);
    EXPECT_TRUE(w->isVisible());
    EXPECT_EQ(w->parentWidget(), nullptr);
    EXPECT_FALSE(w->isModal());
    EXPECT_EQ(w->windowTitle(), QStringLiteral("Ajuste por Inflación"));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_NEAR(w->windowOpacity(), 200 / 255.0, 1e-9);
    EXPECT_EQ(w->size(), QSize(523, 186));
    const QRect pantalla = QGuiApplication::primaryScreen()->geometry();
    EXPECT_EQ(w->pos(), QPoint(pantalla.x() + (pantalla.width() - 523) / 2,
                               pantalla.y() + (pantalla.height() - 186) / 2));

    for (QLabel* l : w->LblCtrol) {
        EXPECT_TRUE(l->text().isEmpty());
        EXPECT_TRUE(l->font().bold());
        EXPECT_TRUE(l->alignment().testFlag(Qt::AlignHCenter));
    }
    EXPECT_TRUE(w->CmdDisplayCancelar->isVisible());
    EXPECT_EQ(w->CmdDisplayCancelar->text(), QStringLiteral("&Cancelar"));
    EXPECT_TRUE(w->Timer1->isActive());
    EXPECT_EQ(w->Timer1->interval(), 100);
    EXPECT_EQ(w->CuadroMostrado(), 1);
    EXPECT_EQ(w->Contador(), 0);

    cartel.CartelCerrar();
    cartel.CartelInicio(QStringLiteral("Sin cancelar"), false);
    EXPECT_FALSE(cartel.ventana()->CmdDisplayCancelar->isVisible());
}

TEST_F(BannerTest, CancelIsHeldUntilTheBannerIsClosed) {
    bool cancelado = true;
    cartel.CartelInicio(QStringLiteral("Proceso"), true);
    cartel.CartelMostrar(cancelado, QStringLiteral("uno"));
    EXPECT_FALSE(cancelado);

    Lbf_CtrlDisplay* w = cartel.ventana();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    QTest::mouseClick(w->CmdDisplayCancelar, Qt::LeftButton);
    EXPECT_EQ(w->CmdDisplayCancelar->text(), QStringLiteral("Abortado"));
    for (int i = 0; i < 3; ++i) {
        cancelado = false;
        cartel.CartelMostrar(cancelado);
        EXPECT_TRUE(cancelado);
    }

    // Starting again without closing reuses the window, lines and cancel state.
    cartel.CartelInicio(QStringLiteral("Proceso"), true);
    EXPECT_EQ(cartel.ventana(), w);
    cartel.CartelMostrar(cancelado);
    EXPECT_TRUE(cancelado);
    EXPECT_EQ(lineas(cartel).at(0), QStringLiteral("uno"));

    // Only a fresh window clears it.
    cartel.CartelCerrar();
    cartel.CartelInicio(QStringLiteral("Proceso"), true);
    EXPECT_EQ(lineas(cartel), QStringList({"", "", ""}));

    // A click still waiting in the queue: the state is read before the event
    // pass, so this call says no, and the pass it ran delivers the click.
    QMetaObject::invokeMethod(cartel.ventana()->CmdDisplayCancelar, "click", Qt::QueuedConnection);
    cartel.CartelMostrar(cancelado);
    EXPECT_FALSE(cancelado);
    cartel.CartelMostrar(cancelado);
    EXPECT_TRUE(cancelado);
}

// A loop that updates the banner per item: the lines always hold the last
// text, but the banner paints and lets events through only every
// kRefrescoMs, and repaints a line only when its text changed.
TEST_F(BannerTest, PaintsAtMostOncePerIntervalAndOnlyChangedLines) {
    qint64 ahora = 1000;
    Dll_Display::setReloj([&] { return ahora; });
    bool cancelado = true;
    cartel.CartelInicio(QStringLiteral("Proceso"), true);
    Lbf_CtrlDisplay* w = cartel.ventana();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w));
    CuentaPintadas pintadas;
    w->LblCtrol[0]->installEventFilter(&pintadas);

    // The first call on a window paints at once.
    cartel.CartelMostrar(cancelado, QStringLiteral("Procesando 1"));
    EXPECT_FALSE(cancelado);
    EXPECT_GE(pintadas.pintadas, 1);

    // Within the interval: the text follows, nothing is painted and no
    // event is delivered (a queued click stays queued).
    const int antes = pintadas.pintadas;
    QMetaObject::invokeMethod(w->CmdDisplayCancelar, "click", Qt::QueuedConnection);
    for (int i = 2; i <= 500; ++i) {
        if (i % 50 == 0)
            ++ahora; // still within the interval after all of them
        cartel.CartelMostrar(cancelado, QStringLiteral("Procesando %1").arg(i));
        ASSERT_FALSE(cancelado) << i;
    }
    EXPECT_EQ(w->LblCtrol[0]->text(), QStringLiteral("Procesando 500"));
    EXPECT_EQ(pintadas.pintadas, antes);

    // Once the interval has passed: the changed line is painted and the
    // click arrives, which the next call reports.
    ahora += Dll_Display::kRefrescoMs;
    cartel.CartelMostrar(cancelado, QStringLiteral("Procesando 501"));
    EXPECT_FALSE(cancelado);
    EXPECT_GT(pintadas.pintadas, antes);
    cartel.CartelMostrar(cancelado);
    EXPECT_TRUE(cancelado);

    // The same text after another interval: events pass, the line is not
    // painted again.
    const int pintadasAntes = pintadas.pintadas;
    ahora += Dll_Display::kRefrescoMs;
    cartel.CartelMostrar(cancelado, QStringLiteral("Procesando 501"));
    EXPECT_EQ(pintadas.pintadas, pintadasAntes);

    // A new window is painted at its first update whatever the clock says.
    cartel.CartelCerrar();
    cartel.CartelInicio(QStringLiteral("Proceso"), true);
    QMetaObject::invokeMethod(cartel.ventana()->CmdDisplayCancelar, "click", Qt::QueuedConnection);
    cartel.CartelMostrar(cancelado, QStringLiteral("uno"));
    cartel.CartelMostrar(cancelado);
    EXPECT_TRUE(cancelado);
}

TEST_F(BannerTest, LinesAreSetKeptOrEmptied) {
    bool cancelado = true;
    cartel.CartelInicio(QStringLiteral("Proceso"), false);
    cartel.CartelMostrar(cancelado, QStringLiteral("uno"), QStringLiteral("dos"),
                         QStringLiteral("tres"));
    EXPECT_FALSE(cancelado);
    EXPECT_EQ(lineas(cartel), QStringList({"uno", "dos", "tres"}));

    cartel.CartelMostrar(cancelado);
    EXPECT_EQ(lineas(cartel), QStringList({"uno", "dos", "tres"}));

    // Only the second line passed, as Null: it empties; the others stay.
    cartel.CartelMostrar(cancelado, std::nullopt, vb::Null());
    EXPECT_EQ(lineas(cartel), QStringList({"uno", "", "tres"}));

    cartel.CartelMostrar(cancelado, 42, std::nullopt, QVariant());
    EXPECT_EQ(lineas(cartel), QStringList({"42", "", ""}));

    // A value that has no text shows as an empty line.
    cartel.CartelMostrar(cancelado, QVariant::fromValue(QSize(1, 2)));
    EXPECT_EQ(lineas(cartel).at(0), QString());
}

TEST_F(BannerTest, AnimationLoopsTwelveFrames) {
    cartel.CartelInicio(QStringLiteral("Proceso"), false);
    Lbf_CtrlDisplay* w = cartel.ventana();
    w->Timer1->stop(); // ticks are driven by hand here
    ASSERT_EQ(w->ImageList1.size(), 12);
    for (const QPixmap& p : w->ImageList1)
        EXPECT_EQ(p.size(), QSize(32, 32));
    for (int i = 1; i < 12; ++i)
        EXPECT_NE(w->ImageList1.at(i).toImage(), w->ImageList1.at(i - 1).toImage()) << i;

    // The first tick shows frame 1 again; frame 12 resets the counter.
    for (int tick = 1; tick <= 25; ++tick) {
        w->Timer1_Timer();
        const int cuadro = (tick - 1) % 12 + 1;
        ASSERT_EQ(w->CuadroMostrado(), cuadro) << "tick " << tick;
        ASSERT_EQ(w->Contador(), cuadro % 12) << "tick " << tick;
        ASSERT_EQ(w->Image1->pixmap().toImage(), w->ImageList1.at(cuadro - 1).toImage());
    }
}

TEST_F(BannerTest, AlwaysOnTopTogglesWithoutChangingVisibility) {
    cartel.CartelInicio(QStringLiteral("Proceso"), false);
    Lbf_CtrlDisplay* w = cartel.ventana();
    cartel.Siempre_Visible(true);
    EXPECT_EQ(cartel.ventana(), w);
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->windowFlags().testFlag(Qt::FramelessWindowHint));
    EXPECT_TRUE(w->isVisible());
    cartel.Siempre_Visible(false);
    EXPECT_FALSE(w->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
    EXPECT_TRUE(w->isVisible());
}

TEST_F(BannerTest, UseBeforeStartLoadsAHiddenWindow) {
    bool cancelado = true;
    cartel.CartelMostrar(cancelado, QStringLiteral("uno"));
    ASSERT_NE(cartel.ventana(), nullptr);
    EXPECT_FALSE(cartel.ventana()->isVisible());
    EXPECT_FALSE(cancelado);
    cartel.CartelCerrar();

    cartel.Siempre_Visible(true);
    ASSERT_NE(cartel.ventana(), nullptr);
    EXPECT_FALSE(cartel.ventana()->isVisible());
    EXPECT_TRUE(cartel.ventana()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
}

TEST_F(BannerTest, CloseHidesAndDestroysTheWindow) {
    cartel.CartelCerrar(); // nothing open: nothing happens
    EXPECT_EQ(cartel.ventana(), nullptr);

    cartel.CartelInicio(QStringLiteral("Proceso"), true);
    QPointer<Lbf_CtrlDisplay> w = cartel.ventana();
    ASSERT_TRUE(w);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.data()));
    VigilaOcultar vigia;
    w->installEventFilter(&vigia);
    cartel.CartelCerrar();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(vigia.ocultada, 1);
    EXPECT_EQ(cartel.ventana(), nullptr);
    cartel.CartelCerrar();
    EXPECT_EQ(cartel.ventana(), nullptr);

    // The installed banner is the run's and keeps its window until the reset.
    installBanner();
    auto* comun = dynamic_cast<Dll_Display*>(&CNStuffContable::gCartel());
    ASSERT_NE(comun, nullptr);
    EXPECT_EQ(comun, &CNStuffContable::gCartel());
    CNStuffContable::gCartel().CartelInicio(QStringLiteral("Proceso"), false);
    w = comun->ventana();
    ASSERT_TRUE(w);
    CNStuffContable::resetCartel();
    EXPECT_TRUE(w.isNull());
    EXPECT_EQ(dynamic_cast<Dll_Display*>(&CNStuffContable::gCartel()), nullptr);
}

// A wait for another user's lock, told through the run's notice: the wait
// cursor and the middle line while it lasts. Without an open banner one
// opens for the wait alone; an open one has its own line back afterwards.
TEST_F(BannerTest, LockWaitIsToldOnTheBannerWhileItLasts) {
    installBanner();
    auto& comun = dynamic_cast<Dll_Display&>(CNStuffContable::gCartel());
    for (const bool abierto : {false, true}) {
        SCOPED_TRACE(abierto);
        bool cancelado = false;
        if (abierto) {
            comun.CartelInicio(QStringLiteral("Grabando"), false);
            comun.CartelMostrar(cancelado, QStringLiteral("uno"), QStringLiteral("dos"));
        }
        CNStuffContable::AvisoEsperaBloqueo(true);
        ASSERT_NE(comun.ventana(), nullptr);
        EXPECT_TRUE(comun.ventana()->isVisible());
        EXPECT_EQ(comun.ventana()->LblCtrol[1]->text(), CNStuffContable::kEsperaBloqueo);
        ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

        CNStuffContable::AvisoEsperaBloqueo(false);
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
        if (abierto) {
            ASSERT_NE(comun.ventana(), nullptr);
            EXPECT_EQ(lineas(comun), QStringList({"uno", "dos", ""}));
            comun.CartelCerrar();
        } else {
            EXPECT_EQ(comun.ventana(), nullptr);
        }
    }
}

} // namespace
