// Every window of the programs opens whole on a 1280x800 screen: inside it,
// never at a negative position, and no smaller than its contents need.

#include "accountextras/ui/frmma_cuentasadic.h"
#include "accountextras/ui/frmta_asigccosto.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/frmma_manualcuentas.h"
#include "adjustment/ui/frmquarzelo.h"
#include "lookup/lib_frmcons3.h"
#include "lookup/lib_frmcons3tree.h"
#include "platform/ui/widgets.h"
#include "startup/ui/frmacceso.h"
#include "startup/ui/lbf_ctrldisplay.h"

#include <QScreen>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

TEST(Ventanas, CadaVentanaAbreEnteraEnLaPantalla) {
    const QRect pantalla = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(pantalla.size(), QSize(1280, 800));
    const struct {
        const char* nombre;
        std::function<QWidget*()> crea;
    } casos[] = {
        {"FrmQuarzelo", [] { return new FrmQuarzelo; }},
        {"FrmMA_CUENTAS", [] { return new FrmMA_CUENTAS; }},
        {"frmMa_ManualCuentas", [] { return new frmMa_ManualCuentas; }},
        {"frmMA_CUENTASADIC", [] { return new frmMA_CUENTASADIC; }},
        {"Frmta_asigccosto", [] { return new Frmta_asigccosto; }},
        {"frmAcceso", [] { return new frmAcceso; }},
        {"Lib_FrmCons3", [] { return new Lib_FrmCons3; }},
        {"Lib_FrmCons3Tree", [] { return new Lib_FrmCons3Tree; }},
        {"Lbf_CtrlDisplay", [] { return new Lbf_CtrlDisplay; }},
        // Larger than the screen, placed beyond its left and bottom edges.
        {"QWidget",
         [] {
             auto* w = new QWidget;
             w->setGeometry(-300, 500, 2000, 1200);
             return w;
         }},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nombre);
        const std::unique_ptr<QWidget> w(c.crea());
        w->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(w.get()));
        const QRect marco = ui::outerGeometry(*w);
        EXPECT_TRUE(pantalla.contains(marco))
            << marco.x() << "," << marco.y() << " " << marco.width() << "x" << marco.height();
        const QSize necesita = w->minimumSizeHint().expandedTo(w->minimumSize());
        EXPECT_GE(w->width(), necesita.width());
        EXPECT_GE(w->height(), necesita.height());
    }
}

} // namespace
