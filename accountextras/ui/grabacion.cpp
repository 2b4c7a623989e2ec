// Saving and deleting the additional data of the account shown: the window
// hands its fields to the core and shows what came back. A save that is
// refused or fails keeps the window as it was, its flags and typed values
// included.

#include "accountextras/ui/frmma_cuentasadic.h"

#include "accountextras/core/datos_adicionales.h"
#include "accountextras/ui/interno.h"
#include "accounts/ui/grilla_personalizados.h"

#include <QLineEdit>

void frmMA_CUENTASADIC::ActualizarDatos() {
    HayError = false;
    if (EsNuevo || EsModificacion)
        GrabaFila();
    else if (EsBaja)
        BorraFila();
    else // no row to act on: nothing is written, and the window starts over
        InicializarPantalla();
}

void frmMA_CUENTASADIC::GrabaFila() {
    cuentasadic::DatosAdicionales d;
    // The account shown, never a code its field holds unjudged.
    d.Codigo = CodigoCuenta.trimmed();
    if (d.Codigo.isEmpty()) {
        HayError = true;
        return;
    }
    d.Nuevo = EsNuevo;
    if (!EsNuevo)
        d.Cargada = FilaCargada;
    for (const QLineEdit* t : txtFields)
        d.Campos.push_back({t->property("DataField").toString(), t->text(), t->isHidden(),
                            t->property("Tag").toString()});
    d.Personalizados = Grilla->Personalizados();
    d.Ahora = vb::Now();
    ClsUtilidades::CursorEspera(true);
    const cuentasadic::Resultado r = cuentasadic::GrabaDatosAdicionales(d);
    ClsUtilidades::CursorEspera(false);
    if (r.hecho()) {
        InicializarPantalla();
        return;
    }
    HayError = true;
    if (!r.rechazado())
        return;
    vb::MsgBox(r.Mensaje, r.Botones, r.Titulo);
    if (QLineEdit* campo = Campo(r.Campo); campo && campo->isEnabled())
        campo->setFocus();
}

void frmMA_CUENTASADIC::BorraFila() {
    // The account shown, never the row the recordset happens to stand on.
    const QString codigo = CodigoCuenta.trimmed();
    if (codigo.isEmpty())
        return;
    const cuentasadic::Resultado r = cuentasadic::BorraDatosAdicionales(codigo, FilaCargada);
    if (r.hecho()) {
        InicializarPantalla();
        return;
    }
    // The row is still there and still shown.
    HayError = true;
    EsBaja = false;
    EsModificacion = true;
    if (r.rechazado())
        vb::MsgBox(r.Mensaje, r.Botones, r.Titulo);
}
