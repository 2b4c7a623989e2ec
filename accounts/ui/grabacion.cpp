// Saving and deleting the shown account.
//
// What stands so far: the code's length is checked before anything else.
// The save itself (the account's statement in one transaction, audit row,
// replication, cost-centre row, user-group rights) and the delete are still
// to come: until then nothing is written and HayError tells the command bar
// that nothing was saved or deleted.

#include "accounts/ui/frmma_cuentas.h"

#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"

#include <QLineEdit>

void FrmMA_CUENTAS::ActualizaCuenta() {
    const QString codigo =
        ClsUtilidades::LimpiaTexto(Campo(QStringLiteral("CODIGO"))->text(), QStringLiteral("-"))
            .trimmed();
    if (codigo.size() > 15) {
        HayError = true;
        vb::MsgBox(QStringLiteral("La longitud de la cuenta no puede superar los 15 caracteres!!!"),
                   vb::vbInformation, QStringLiteral("Atención"));
        return;
    }
    HayError = true;
}
