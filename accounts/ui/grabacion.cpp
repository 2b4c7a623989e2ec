// Saving and deleting the shown account: the window hands the account's
// values to the chart's core, asks the questions and shows what came of it.
// A refused or failed save leaves the window as the user left it.

#include "accounts/core/grabacion.h"
#include "accountextras/core/rangos.h"
#include "accounts/core/carga.h"
#include "accounts/core/codigos.h"
#include "accounts/core/niveles.h"
#include "accounts/core/satelites.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/grilla_personalizados.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <optional>

using CNStuffContable::CuentaActual;
using Estado = cuentas::Desenlace::Estado;

namespace {

const QString kTituloAtencion = QStringLiteral("Atención!");
const QString kAvisoOperador = QStringLiteral("Aviso al operador...");
const QString kReutilizar = QStringLiteral(
    "La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?");
const QString kDadaDeBaja =
    QStringLiteral("La cuenta tiene movimientos o datos asociados, fue dada de baja");

} // namespace

void FrmMA_CUENTAS::ActualizaCuenta() {
    const QString codigo = cuentas::CodigoSinGuiones(
        ClsUtilidades::ValorCampo(Campo(QStringLiteral("CODIGO"))->text()));
    if (EsBaja && !EsNuevo && !EsModificacion)
        BajaCuenta(codigo);
    else if (EsNuevo || EsModificacion)
        GrabaCuenta(codigo);
    // With neither mode there is nothing to save: no audit, no replication.
}

cuentas::Cuenta FrmMA_CUENTAS::CuentaMostrada() const {
    cuentas::Cuenta c;
    c.Codigo = Campo(QStringLiteral("CODIGO"))->text();
    c.Descripcion = Campo(QStringLiteral("DESCRIPCION"))->text();
    c.CodigoOpcional = ClsUtilidades::ValorCampo(Campo(QStringLiteral("CODIGOOPCIONAL"))->text());
    c.CuentaPrincipal = Campo(QStringLiteral("CuentaPrincipal"))->text();
    c.CodTarjeta_ConcAuto = Campo(QStringLiteral("CodTarjeta_ConcAuto"))->text();
    c.Titulo = OptTipoCuenta[1]->isChecked();
    c.Ajuste = CHKAjustable->isChecked();
    c.Indice = CmbIndices->currentIndex();
    c.Bloqueo = ChkBloqueo->isChecked();
    c.Bienes = ChkBdu->isChecked();
    c.PideVencimiento = ChkVto->isChecked();
    c.MedioDePago = CmbMP->currentIndex();
    c.NoPideDatosTarjeta = chkTarjeta->isChecked();
    c.UsaCCostos = chkCCostos->isChecked();
    c.CajayBanco = ChkCyB->isChecked();
    c.Moneda = CmbMoneda->currentIndex();
    // A currency the list cannot show (one currency, or one it lacks) is
    // kept as stored.
    if (EsModificacion && FilaCargada)
        if (const QVariant* moneda = FilaCargada->valor(QStringLiteral("Moneda")))
            c.MonedaAnterior = moneda->isValid() ? *moneda : vb::Null();
    if (Grilla)
        c.Personalizados = Grilla->Personalizados();
    return c;
}

void FrmMA_CUENTAS::MuestraDesenlace(const cuentas::Desenlace& d) {
    HayError = !d.hecho();
    if (d.estado == Estado::Rechazado)
        vb::MsgBox(d.Mensaje, d.Estilo, d.Titulo);
    if (d.estado == Estado::NoConvierte) {
        ClsUtilidades::CursorEspera(0);
        // A text field names itself by its lookup tag and column and takes
        // the focus; a custom column of the grid by its name.
        const int i = ClsFormulario::IndiceControl(d.Campo, txtFields);
        QLineEdit* campo = i >= 0 ? txtFields[size_t(i)] : nullptr;
        pasos::AvisaConversion(campo ? campo->property("Tag").toString() + u'/' +
                                           campo->property("DataField").toString()
                                     : d.Campo);
        if (campo && campo->isEnabled())
            campo->setFocus();
    }
    if (d.estado == Estado::Rechazado && d.Campo.compare(u"INDICE", Qt::CaseInsensitive) == 0)
        CmbIndices->setFocus();
}

void FrmMA_CUENTAS::GrabaCuenta(const QString& Codigo) {
    CodigoSiguiente.clear();
    cuentas::Cuenta c;
    QString vista;
    cuentas::Desenlace d;
    d.estado = Estado::Fallido;
    pasos::RunSteps(
        {
            [&] { c = CuentaMostrada(); },
            [&] {
                cuentasadic::ObtieneVistaRangoVto(Codigo, nullptr, nullptr, &c.VistaRango, nullptr,
                                                  TituloBonos, TituloMutuales);
                vista = cuentas::TipoVistaDeCuenta(c);
            },
            [&] {
                const cuentas::SatelitesCuenta satelites{chkCCostos->isEnabled(), CCostoPorDefecto};
                d = cuentas::GrabaCuenta(c, EsNuevo, satelites, Reglas(), RsCuentas,
                                         EsNuevo ? std::nullopt : FilaCargada);
                // Dropped by another user meanwhile: stored again only when
                // the user reuses it, as typing its code would ask.
                if (d.estado == Estado::Reutilizar)
                    d = vb::MsgBox(kReutilizar, vb::vbYesNo + vb::vbQuestion,
                                   QStringLiteral("Confirmación!!!")) == vb::vbYes
                            ? cuentas::GrabaCuenta(c, EsNuevo, satelites, Reglas(), RsCuentas,
                                                   d.Actual)
                            : cuentas::Desenlace{Estado::Fallido, {}, 0, {}, {}, std::nullopt};
            },
        },
        pasos::Recuadro(QStringLiteral("ActualizarDatos")), pasos::Trap::AllErrors);
    MuestraDesenlace(d);
    if (!d.hecho())
        return;

    // Stored: the tree, the window and the additional data follow.
    pasos::RunSteps(
        {
            [&] {
                if (MuestraArbol && TreeV)
                    TreeV->ActualizaTreeV(Codigo, Campo(QStringLiteral("Descripcion"))->text());
            },
            [&] { CuentaActual = Codigo; },
            [&] { LimpiarPantalla(); },
            [&] { HabilitarControles(false); },
            [&] { CodigoSiguiente = cuentas::NivelesPlan::Lee().PrefijoPadre(CuentaActual); },
            [&] {
                const bool preguntar = CNStuffContable::CfgSi(QStringLiteral("USADATOSADIC")) &&
                                       !vista.trimmed().isEmpty();
                if (preguntar &&
                    vb::MsgBox(QStringLiteral("Esta cuenta esta informada en el rango de cuentas "
                                              "de datos adicionales,") +
                                   vb::vbCr +
                                   QStringLiteral("                ¿Desea Actualizar los datos "
                                                  "adicionales?"),
                               vb::vbYesNo + vb::vbExclamation, kTituloAtencion) == vb::vbYes &&
                    AbreDatosAdicionales)
                    AbreDatosAdicionales();
                else
                    CuentaActual.clear();
            },
        },
        pasos::Recuadro(QStringLiteral("ActualizarDatos")), pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::BajaCuenta(const QString& Codigo) {
    const QString mostrado = txtFields[1]->text();
    // Nothing when a question was answered No: nothing changes then.
    std::optional<cuentas::Desenlace> d;
    const bool completo = pasos::RunSteps(
        {
            [&] {
                const cuentas::Desenlace r = cuentas::PuedeBorrarse(Codigo, Reglas());
                if (!r.hecho())
                    d = r;
                return r.hecho();
            },
            [&] {
                return vb::MsgBox(QStringLiteral("Confirma la baja de este registro?"),
                                  vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                                  kTituloAtencion) == vb::vbYes;
            },
            [&] {
                return !cuentas::EstaEnCashFlow(Codigo) ||
                       vb::MsgBox(QStringLiteral("La cuenta está asociada a un Cash-Flow se darán "
                                                 "de baja sus movimientos") +
                                      vb::vbCr + QStringLiteral("Acepta???"),
                                  vb::vbYesNo + vb::vbInformation,
                                  QStringLiteral("Aviso al Operador...")) == vb::vbYes;
            },
            [&] { d = cuentas::BorraCuenta(Codigo, mostrado, Reglas()); },
        },
        pasos::Recuadro(QStringLiteral("ActualizarDatos")), pasos::Trap::AllErrors);
    if (!completo) {
        HayError = true;
        return;
    }
    if (!d)
        return;
    // A drop by the flag is done too: the chart no longer shows the account.
    const bool dada = d->estado == Estado::DadaDeBaja;
    if (dada) {
        HayError = false;
        vb::MsgBox(kDadaDeBaja, vb::vbOKOnly + vb::vbInformation, kAvisoOperador);
    } else {
        MuestraDesenlace(*d);
        if (!d->hecho())
            return;
    }
    pasos::RunSteps({
                        [&] {
                            if (TreeV && TreeV->SeleccionaCuenta(Codigo))
                                TreeV->QuitaNodoSeleccionado();
                        },
                        [&] { LimpiarPantalla(); },
                        [&] { AbreRecordsetCuentas(TablaCuentas); },
                    },
                    pasos::Recuadro(QStringLiteral("ActualizarDatos")), pasos::Trap::AllErrors);
}

bool FrmMA_CUENTAS::ValidaCuentaSubD(const QString& QueCuenta) {
    return cuentas::AlimentaSubdiario(QueCuenta, Reglas());
}
