// The checks of the account's fields.
//
// What stands so far: the code field decides between a new and an existing
// account (a dropped one only when the operator reuses it) and switches the
// window to the edit state. The rules of the code's characters and digit
// count, the other fields' checks, the parent title and the employee-file
// refusal are still to come.

#include "accounts/ui/frmma_cuentas.h"

#include "data/instances.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"
#include "startup/mod_macuentas.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

bool Verdadero(const QVariant& v) {
    return !vb::IsNull(v) && !vb::IsEmpty(v) && vb::CBool(v);
}

} // namespace

void FrmMA_CUENTAS::Campo_Valida(int Index) {
    HayError = false;
    if (Index < 0 || Index >= int(txtFields.size()))
        return;
    QLineEdit* campo = txtFields[size_t(Index)];
    if (!ClsFormulario::mismoCampo(campo->property("DataField").toString(),
                                   QStringLiteral("Codigo")))
        return;

    const QString valor = ClsUtilidades::LimpiaTexto(campo->text().trimmed(), QStringLiteral("-"));
    CodigoCuenta = valor;
    // No account has an empty code: back to browse, as a refused code is.
    if (valor.isEmpty()) {
        CargarCombos();
        HabilitarControles(false);
        HayError = true;
        return;
    }

    if (gDatos().ExisteEnTabla(QStringLiteral("MA_CUENTAS"), CodigoCuenta, QStringLiteral("Codigo"),
                               &RsCuentas, 8, QString(), true)) {
        EsModificacion = true;
        EsNuevo = false;
        if (!Grabando) {
            if (Verdadero(RsCuentas->value(QStringLiteral("DADA_DE_BAJA"))) &&
                vb::MsgBox(QStringLiteral("La cuenta Solicitada se encuentra Actualmente dada de "
                                          "Baja ¿Desea reutilizarla?"),
                           vb::vbYesNo + vb::vbQuestion,
                           QStringLiteral("Confirmación!!!")) != vb::vbYes) {
                // Left in the edit state, the window would show the account
                // loaded before and a save would bring the dropped code back
                // with its data: nothing is loaded and the window browses.
                LimpiarPantalla();
                AbreRecordsetCuentas(TablaCuentas);
                return;
            }
            if (Combo1->count() > 0)
                Combo1->setCurrentIndex(0);
            AsignarDatos();
        }
    } else {
        if (!Grabando) {
            // The lists' refill empties every bound field, the code too: the
            // code just accepted stays, or the new account would have none.
            const QString escrito = campo->text();
            CargarCombos();
            campo->setText(escrito);
            OptTipoCuenta[0]->setChecked(true);
        }
        EsNuevo = true;
        EsModificacion = false;
    }
    CNStuffContable::CuentaActual = valor;
    HabilitarControles(true);
    ChkBloqueo->setEnabled(EsModificacion);
    DatosModificados = true;
}

bool FrmMA_CUENTAS::ValidaDatos() {
    HayError = false;
    for (int i = 0; i < int(txtFields.size()); ++i) {
        Campo_Valida(i);
        if (HayError)
            break;
    }
    return !HayError;
}
