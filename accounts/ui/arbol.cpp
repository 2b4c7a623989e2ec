// The chart tree beside the account and the title list.
//
// What stands so far: the tree's place is shown or hidden with the window's
// switch and the side toolbar's refresh button. Filling the title list and
// the tree, and the tree's events, are still to come.

#include "accounts/ui/frmma_cuentas.h"

#include "data/pasos.h"
#include "platform/win/clsutilidades.h"

#include <QAction>

void FrmMA_CUENTAS::CargaComboTitulo(const QString& Desde) {
    Q_UNUSED(Desde);
}

void FrmMA_CUENTAS::ArmarTreeVAutomatico(const QString& Desde) {
    Q_UNUSED(Desde);
}

void FrmMA_CUENTAS::Treev_Estado(bool Mostrar) {
    pasos::RunSteps(
        {
            [&] { PanelArbol->setVisible(Mostrar); },
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
