// Saving and deleting the additional data of the account shown.
//
// The row is written through the window's recordset; the other databases of
// the company get it only once it is stored. A value is stored as the user
// typed it, trimmed: only the three codes of the commercial tables are fitted
// to their four characters, and a blank number or date is Null. A save that
// fails keeps the window as it was, its flags and typed values included.

#include "accountextras/ui/frmma_cuentasadic.h"

#include "accountextras/ui/interno.h"
#include "accounts/ui/grilla_personalizados.h"
#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"
#include "platform/ui/clsformulario.h"
#include "startup/cnstuffcontable.h"

#include <QLineEdit>

namespace {

const QString kTabla = QStringLiteral("MA_CUENTASADIC");

// The codes of the commercial tables, stored with four characters.
bool EsCodigoDeCuatro(const QString& columna) {
    for (const char* c : {"IDCATEGORIA", "IDCOND_Cpra_Vta", "DOCUMENTO_TIPO"})
        if (ClsFormulario::mismoCampo(columna, QLatin1String(c)))
            return true;
    return false;
}

// The field's value into its column of the current row.
void AsignaCampo(ado::Recordset& rs, const QLineEdit& campo) {
    const QString columna = campo.property("DataField").toString();
    ado::Field f = rs.Fields(columna);
    const QString texto = campo.text().trimmed();
    if (ClsFormulario::mismoCampo(columna, QStringLiteral("CODIGO"))) {
        f.setValue(texto.isEmpty() ? vb::Null() : QVariant(texto));
    } else if (EsCodigoDeCuatro(columna)) {
        // A field the account's view hides keeps no value.
        f.setValue(texto.isEmpty() || campo.isHidden()
                       ? vb::Null()
                       : QVariant(ClsUtilidades::RellenaCeros(texto, 4)));
    } else if (DB_Dll::ADOText(f.Type())) {
        f.setValue(texto);
    } else if (texto.isEmpty()) {
        f.setValue(vb::Null());
    } else {
        // Converted by the column's type; one that does not convert fails
        // with the conversion error.
        f.setValue(texto);
    }
}

void Replica(std::int32_t operacion, const QString& codigo) {
    QString tabla = kTabla;
    ModGruposEmp::ActualizaGEmpresas(tabla, operacion, sqltext::literal(codigo));
}

} // namespace

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
    const QLineEdit* campoCodigo = Campo(QStringLiteral("CODIGO"));
    const QString codigo = campoCodigo ? campoCodigo->text().trimmed() : QString();
    const int campos = int(txtFields.size());
    const QLineEdit* asignando = nullptr;
    bool escrito = false;

    // Steps: the mode, one per field, the price class, the custom columns,
    // the write, the copies, the reset.
    const int kModo = 0, kClase = campos + 1, kPersonalizados = campos + 2, kEscribe = campos + 3,
              kReplica = campos + 4, kFin = campos + 5;
    const auto paso = [&](int i) -> int {
        if (i == kModo) {
            if (!rsAdicionales || rsAdicionales->State() != ado::adStateOpen)
                AbrirTabla(TablaAdicionales);
            const QString ahora = vb::Format(vb::Now(), CNStuffContable::FormatoFechaHora());
            if (EsNuevo) {
                rsAdicionales->AddNew();
                rsAdicionales->Fields(QStringLiteral("fechahora_grabacion")).setValue(ahora);
            } else {
                rsAdicionales->Fields(QStringLiteral("fechahora_modificacion")).setValue(ahora);
            }
        } else if (i <= campos) {
            asignando = txtFields[size_t(i - 1)];
            AsignaCampo(*rsAdicionales, *asignando);
            asignando = nullptr;
        } else if (i == kClase) {
            const QString tipo =
                ClsUtilidades::ValorCampo(gDatos().DatosTabla(QStringLiteral("MA_CUENTAS"), codigo,
                                                              QStringLiteral("TIPOVISTA"),
                                                              QStringLiteral("CODIGO"), 8,
                                                              QString(), true, false))
                    .trimmed();
            if (tipo.compare(u"CL", Qt::CaseInsensitive) == 0)
                rsAdicionales->Fields(QStringLiteral("CLASE"))
                    .setValue(CNStuffContable::Cfg(QStringLiteral("ClaseDePrecioDefault")));
            else if (tipo.compare(u"PR", Qt::CaseInsensitive) == 0)
                rsAdicionales->Fields(QStringLiteral("CLASE"))
                    .setValue(CNStuffContable::Cfg(QStringLiteral("ClaseDePrecioDefaultCompras")));
        } else if (i == kPersonalizados) {
            Grilla->GrabarPersonalizados(rsAdicionales);
        } else if (i == kEscribe) {
            rsAdicionales->Update();
            escrito = true;
        } else if (i == kReplica) {
            // Only a row that is stored goes to the other databases.
            if (!escrito)
                return -1;
            Replica(ModGruposEmp::Alta, codigo);
        } else if (i == kFin) {
            InicializarPantalla();
            return -1;
        }
        return i + 1;
    };
    pasos::RunSteps(
        paso,
        [&](const ado::Error& e) {
            HayError = true;
            ClsUtilidades::CursorEspera(false);
            if (e.Number == ado::adErrDataConversion) {
                const QString nombre = asignando ? asignando->property("Tag").toString() + u'/' +
                                                       asignando->property("DataField").toString()
                                                 : e.Source;
                pasos::AvisaConversion(nombre);
                return pasos::Resume::Exit;
            }
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ActualizarDatos")));
        },
        kModo, pasos::Trap::AllErrors);
    if (escrito)
        return;
    // Not stored: the pending edit goes, so that the next save starts from
    // the stored row; the fields keep what was typed.
    HayError = true;
    try {
        if (rsAdicionales && rsAdicionales->State() == ado::adStateOpen &&
            rsAdicionales->EditMode() != ado::adEditNone)
            rsAdicionales->CancelUpdate();
    } catch (const std::exception&) {
    }
}

void frmMA_CUENTASADIC::BorraFila() {
    // The account shown, never the row the recordset happens to stand on.
    const QString codigo = CodigoCuenta.trimmed();
    bool borrado = false;
    bool hayFila = false;
    pasos::RunSteps(
        {
            [&] { return !codigo.isEmpty(); },
            [&] {
                if (!rsAdicionales)
                    rsAdicionales = ado::Recordset::create();
                hayFila = gDatos().ExisteEnTabla(TablaAdicionales, codigo, QStringLiteral("CODIGO"),
                                                 &rsAdicionales, 8, QString(), false) &&
                          ClsUtilidades::ValorCampo(rsAdicionales->value(QStringLiteral("CODIGO")))
                                  .trimmed()
                                  .compare(codigo, Qt::CaseInsensitive) == 0;
            },
            [&] {
                if (!hayFila)
                    return;
                rsAdicionales->Delete();
                borrado = true;
            },
            [&] {
                if (borrado)
                    Replica(ModGruposEmp::Baja, codigo);
            },
            [&] {
                // A row that could not be deleted stays on the window.
                if (hayFila && !borrado)
                    return false;
                InicializarPantalla();
                return true;
            },
        },
        [&](const ado::Error& e) {
            HayError = true;
            ClsUtilidades::CursorEspera(false);
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ActualizarDatos")));
        },
        pasos::Trap::AllErrors);
    if (HayError && !borrado) {
        // The row is still there and still shown.
        EsBaja = false;
        EsModificacion = hayFila;
    }
}
