// The chart tree beside the account and the title list: filled by their
// components from the chart's rows, shown or hidden with the window's
// switch, and a node click loading its account.

#include "accounts/core/carga.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/plan_cuentas.h"

#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/widgets.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/mod_macuentas.h"

#include <QAction>
#include <QCoreApplication>
#include <QLayout>
#include <QLineEdit>
#include <QSplitter>

void FrmMA_CUENTAS::CargaComboTitulo(const QString& Desde) {
    PlanCuentas::CargaComboTitulo(Combo1, Desde, PlanAlAbrir, &PosicionTitulo);
}

void FrmMA_CUENTAS::ArmarTreeVAutomatico(const QString& Desde) {
    TreeV->ArmarTreeVAutomatico(Desde, PlanAlAbrir);
}

void FrmMA_CUENTAS::Treev_Estado(bool Mostrar) {
    // Only a window on screen and neither maximized nor full screen has a
    // width of its own to change; before that the layout decides.
    const bool ajusta = isVisible() && windowState() == Qt::WindowNoState;
    const bool estaba = !PanelArbol->isHidden();
    pasos::RunSteps(
        {
            [&] {
                if (Mostrar == estaba)
                    return;
                const int cuenta = PanelCuenta->width();
                if (Mostrar) {
                    const int arbol =
                        AnchoArbol > 0 ? AnchoArbol : PanelArbol->minimumSizeHint().width();
                    PanelArbol->show();
                    if (ajusta) {
                        resize(width() + arbol + Divisor->handleWidth(), height());
                        ui::fitToScreen(*this);
                    }
                    Divisor->setSizes({arbol, cuenta});
                } else {
                    AnchoArbol = PanelArbol->width();
                    PanelArbol->hide();
                    // The window's least width must no longer count the tree
                    // before the window narrows: the splitter and the layout
                    // take the hidden pane in now, not at their next event.
                    QCoreApplication::sendPostedEvents(Divisor, QEvent::LayoutRequest);
                    layout()->activate();
                    if (ajusta)
                        resize(width() - AnchoArbol - Divisor->handleWidth(), height());
                }
            },
            [&] { update(); },
            [&] { MuestraArbol = Mostrar; },
            [&] { BotonTbar(1)->setEnabled(Mostrar); },
            [&] {
                if (Mostrar)
                    ArmarTreeVAutomatico(QStringLiteral(" "));
            },
            [&] { ClsUtilidades::PreparaFormulario(this, 0); },
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("Treev_Estado")));
        },
        pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::TreeV_NodeClick(const QString& Codigo) {
    const Mod_Macuentas::NivelesDeUnaVez niveles;
    const int indice = ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields);
    QLineEdit* codigo = txtFields[size_t(indice)];
    if (cuentas::BuscaCuenta(Codigo, RsCuentas)) {
        const QString elegido =
            ClsUtilidades::ValorCampo(RsCuentas->Fields(QStringLiteral("Codigo")));
        codigo->setText(elegido);
        TxtCodigo->setText(elegido);
        Campo_Valida(indice);
        update();
    } else {
        // The root, or an account deleted since the tree was built: the
        // window shows no account, not the fields of the last one.
        SinCuenta();
    }
}

void FrmMA_CUENTAS::TreeV_KeyPress(int KeyAscii) {
    Q_UNUSED(KeyAscii);
    EnfocaDescripcion();
}
