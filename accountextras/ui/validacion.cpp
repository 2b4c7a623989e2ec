// The checks of the additional-data fields: the account code (which, typed in
// standalone mode, loads the account), the required address and document
// fields, and the codes of the lookup tables with their descriptions.

#include "accountextras/ui/frmma_cuentasadic.h"

#include "accountextras/core/datos_adicionales.h"
#include "accountextras/core/rangos.h"
#include "accountextras/core/vistas.h"
#include "accountextras/ui/interno.h"
#include "accounts/core/interno.h"
#include "data/instances.h"
#include "platform/ui/clsformulario.h"
#include "startup/core/cnstuffcontable.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

using cuentasadic::ui::Recuadro;

namespace {

const QString kAvisoOperador = QStringLiteral("Aviso al operador...");
const QString kDebeIngresar = QStringLiteral("Debe ingresar el campo : ");

bool Es(const QString& columna, const char* nombre) {
    return ClsFormulario::mismoCampo(columna, QLatin1String(nombre));
}

} // namespace

bool frmMA_CUENTASADIC::ValidarCampos() {
    HayError = false;
    for (int i = 0; i < int(txtFields.size()) && !HayError; ++i)
        Campo_valida(i);
    return !HayError;
}

void frmMA_CUENTASADIC::Campo_valida(int Index) {
    HayError = false;
    if (Index < 0 || Index >= int(txtFields.size()))
        return;
    QLineEdit* control = txtFields[size_t(Index)];
    const QString columna = control->property("DataField").toString();
    const QString texto = control->text().trimmed();
    QString mensaje;
    const auto rechaza = [&](const QString& m) {
        mensaje = m;
        HayError = true;
        return false;
    };
    // The field's own check; false skips the description of its code.
    const auto propia = [&]() -> bool {
        if (Es(columna, "CODIGO")) {
            if (!FormaIndependiente) {
                // The account handed over may have left the chart since.
                if (!CuentaDelPlan(CodigoCuenta))
                    return rechaza(cuentasadic::MsgCuentaInexistente);
                LblTitulo->setText(ClsUtilidades::ValorCampo(gDatos().DatosTabla(
                    QStringLiteral("MA_CUENTAS"), CodigoCuenta, QStringLiteral("DESCRIPCION"),
                    QStringLiteral("CODIGO"), 8, QString(), true)));
                DeterminaVista(texto);
                return true;
            }
            ado::RecordsetPtr cuenta;
            if (!CuentaDelPlan(texto, &cuenta))
                return rechaza(cuentasadic::MsgCuentaInexistente);
            DB_Dll& datos = gDatos();
            LblTitulo->setText(
                ClsUtilidades::ValorCampo(cuenta->value(QStringLiteral("Descripcion"))));
            const bool califica =
                CNStuffContable::CfgSi(QStringLiteral("USADATOSADIC")) &&
                !cuentas::interno::Marcado(cuenta->value(QStringLiteral("Titulo"))) &&
                !ClsUtilidades::ValorCampo(cuenta->value(QStringLiteral("TipoVista")))
                     .trimmed()
                     .isEmpty();
            datos.CierraRecordset(cuenta);
            if (!califica)
                return rechaza(QStringLiteral("La cuenta Ingresada no pertenece a ningún rango "
                                              "de datos adicionales!!!"));
            // While saving, the code is the one accepted (every command
            // judges an edited one first) and the values typed are the row:
            // the save reads the stored row again inside its transaction.
            if (!Grabando) {
                CodigoCuenta = texto;
                AbreFila(texto);
                if (EsNuevo)
                    VaciaPersonalizados();
                else
                    MostrarDatos();
            }
            DetalleOn(true);
            DeterminaVista(texto);
            return true;
        }
        if (Es(columna, "CALLE") || Es(columna, "NUMERO") || Es(columna, "CPOSTAL") ||
            Es(columna, "LOCALIDAD") || Es(columna, "PROVINCIA") || Es(columna, "PAIS")) {
            if (texto.isEmpty())
                return rechaza(kDebeIngresar + control->toolTip());
            return true;
        }
        if (Es(columna, "NUMERO_DOCUMENTO")) {
            if (texto.isEmpty())
                return rechaza(kDebeIngresar + control->toolTip());
            if (texto.size() != 13)
                return rechaza(QStringLiteral("La C.U.I.T. debe tener 13 caracteres"));
        }
        return true;
    };
    pasos::RunSteps({
                        [&] { return propia(); },
                        [&] {
                            if (!control->property("Tag").toString().trimmed().isEmpty())
                                MostrarDescripcion(columna, mensaje);
                        },
                    },
                    Recuadro(QStringLiteral("Campo_valida")), pasos::Trap::AllErrors);
    if (!HayError)
        return;
    vb::MsgBox(mensaje, vb::vbInformation, kAvisoOperador);
    control->setFocus();
}

void frmMA_CUENTASADIC::MostrarDescripcion(const QString& CampoDatos, QString& Mensaje) {
    QLineEdit* campo = Campo(CampoDatos);
    if (!campo)
        return;
    cuentasadic::EtiquetasDetalle detalles;
    for (size_t i = 0; i < lblDetalle.size(); ++i)
        detalles[int(i)] = lblDetalle[i]->property("Tag").toString();
    const cuentasadic::Descripciones r = cuentasadic::MostrarDescripcion(
        CampoDatos, campo->property("Tag").toString(), campo->text(), detalles);
    for (const auto& [indice, leyenda] : r.Leyendas)
        lblDetalle[size_t(indice)]->setText(leyenda);
    if (r.HayError) {
        HayError = true;
        if (!r.Mensaje.isEmpty())
            Mensaje = r.Mensaje;
    }
}

void frmMA_CUENTASADIC::MuestraOpcionales() {
    FrmMasDatos->setEnabled(true);
    for (const cuentasadic::CampoOpcional& opcional : cuentasadic::CamposOpcionales()) {
        if (QLineEdit* campo = Campo(opcional.CampoDatos))
            campo->setVisible(true);
        Label1[size_t(opcional.Leyenda)]->setVisible(true);
    }
}

void frmMA_CUENTASADIC::DeterminaVista(const QString& Cuenta) {
    const std::optional<cuentasadic::VistaDeCampos> vista = cuentasadic::DeterminaVista(Cuenta);
    if (!vista)
        return;
    FrmMasDatos->setEnabled(vista->MasDatos);
    if (!vista->MasDatos)
        return;
    for (size_t i = 0; i < vista->Visible.size(); ++i) {
        const cuentasadic::CampoOpcional& opcional = cuentasadic::CamposOpcionales()[i];
        if (QLineEdit* campo = Campo(opcional.CampoDatos))
            campo->setVisible(vista->Visible[i]);
        Label1[size_t(opcional.Leyenda)]->setVisible(vista->Visible[i]);
    }
}

QString frmMA_CUENTASADIC::Rangos_Adicionales() {
    return cuentasadic::Rangos_Adicionales();
}
