// Loading a stored account into the window: every control from the row on
// which RsCuentas stands, and the custom fields of a new account, empty.

#include "accounts/core/codigos.h"
#include "accounts/core/cuenta.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/grilla_personalizados.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ado/engine.h"
#include "platform/ui/clsformulario.h"
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

// A list's position; one the list does not have leaves nothing chosen, so
// no other item stands for a value the list lacks.
void Posiciona(QComboBox* lista, int posicion) {
    lista->setCurrentIndex(posicion >= 0 && posicion < lista->count() ? posicion : -1);
}

} // namespace

void FrmMA_CUENTAS::AsignarDatos() {
    const auto valor = [&](const char* columna) {
        return RsCuentas->value(QString::fromLatin1(columna));
    };
    const auto texto = [&](const char* columna) {
        return ClsUtilidades::ValorCampo(RsCuentas->Fields(QString::fromLatin1(columna)));
    };
    bool titulo = false;

    const std::vector<pasos::Step> pasos = {
        [&] {
            EsModificacion = true;
            if (!RsCuentas || RsCuentas->State() != ado::adStateOpen || RsCuentas->BOF() ||
                RsCuentas->EOF())
                ado::throwAdo(ado::adErrNoCurrentRecord);
        },
        [&] {
            for (QLineEdit* t : txtFields) {
                const QString columna = t->property("DataField").toString();
                const QString v = ClsUtilidades::ValorCampo(RsCuentas->Fields(columna));
                t->setText(ClsFormulario::mismoCampo(columna, QStringLiteral("CODIGO"))
                               ? Mod_Macuentas::FormateaCuenta(v.trimmed())
                               : v);
            }
        },
        [&] { TxtCodigo->setText(txtFields[1]->text()); },
        [&] {
            titulo = Verdadero(valor("TITULO"));
            OptTipoCuenta[1]->setChecked(titulo);
            OptTipoCuenta[0]->setChecked(!titulo);
            LblDV->setText(titulo ? QString() : texto("dv"));
        },
        [&] {
            if (titulo)
                return;
            const QVariant ccostos = valor("usaccostoS");
            chkCCostos->setChecked(!ClsUtilidades::ValorCampo(ccostos).isEmpty() &&
                                   Verdadero(ccostos));
        },
        [&] {
            const bool ajuste = Verdadero(valor("AJUSTE"));
            CHKAjustable->setChecked(ajuste);
            CmbIndices->setVisible(ajuste);
            Posiciona(CmbIndices, ajuste ? int(vb::Val(texto("INDICE"))) - 1 : 0);
        },
        [&] {
            CmbMP->setEnabled(true);
            const int medio = cuentas::PosicionMedioDePago(valor("MedioDePago"), texto("codigo"));
            CmbMP->setCurrentIndex(medio);
            // Unticked for every account: another account's answer must not
            // wait there for a change of the means to cards.
            chkTarjeta->setChecked(false);
            if (medio == cuentas::MedioTarjetas || medio == cuentas::MedioSolicitudCredito) {
                const QVariant noPide = valor("nopidedatostarjeta");
                chkTarjeta->setChecked(!ClsUtilidades::ValorCampo(noPide).isEmpty() &&
                                       Verdadero(noPide));
            }
            CmbMoneda->setVisible(medio != cuentas::MedioNinguno);
        },
        [&] { ChkBloqueo->setChecked(Verdadero(valor("BLOQUEO"))); },
        [&] { ChkCyB->setChecked(Verdadero(valor("CajayBanco"))); },
        [&] {
            if (Verdadero(valor("libro_iva_compras")))
                optLibros[1]->setChecked(true);
            else if (Verdadero(valor("libro_iva_dulvar")))
                optLibros[2]->setChecked(true);
            else
                optLibros[0]->setChecked(true);
        },
        [&] { ChkBdu->setChecked(Verdadero(valor("BIENES"))); },
        [&] {
            if (!CNStuffContable::gUsaMultiMonedas)
                CmbMoneda->hide();
            const QVariant moneda = valor("Moneda");
            if (!ClsUtilidades::ValorCampo(moneda).trimmed().isEmpty())
                Posiciona(CmbMoneda, cuentas::PosicionMoneda(moneda));
            else if (!CmbMoneda->isHidden())
                Posiciona(CmbMoneda, 0);
        },
        [&] {
            const QString principal = texto("CuentaPrincipal").trimmed();
            LblDescRelacionado->setText(
                principal.isEmpty()
                    ? QString()
                    : gDatos()
                          .DatosTabla(QStringLiteral("ma_cuentas"), principal,
                                      QStringLiteral("Descripcion"), QStringLiteral("Codigo"), 8,
                                      QString(), true, false)
                          .toString());
        },
        [&] { TreeV->SeleccionaCuenta(texto("Codigo").trimmed()); },
        [&] {
            ChkVto->setChecked(false);
            const QVariant vencimiento = valor("PideVencimiento");
            if (!ClsUtilidades::ValorCampo(vencimiento).isEmpty())
                ChkVto->setChecked(Verdadero(vencimiento));
        },
        [&] {
            if (RsCuentas && RsCuentas->State() == ado::adStateOpen)
                Grilla->AsignarPersonalizados(RsCuentas);
            else
                VaciaPersonalizados();
        },
    };

    // No current row: only the custom fields are filled, with their names.
    const int personalizados = int(pasos.size()) - 1;
    bool sinFila = false;
    pasos::RunSteps(
        [&](int i) {
            if (sinFila && i < personalizados)
                i = personalizados;
            if (i >= int(pasos.size()))
                return -1;
            pasos[size_t(i)]();
            return i + 1;
        },
        [&](const ado::Error& e) {
            if (e.Number == ado::adErrNoCurrentRecord) {
                sinFila = true;
                return pasos::Resume::Next;
            }
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("AsignarDatos")));
        },
        0, pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::VaciaPersonalizados() {
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr vacio;
    datos.AbrirRecordset(QStringLiteral("SELECT * FROM ") + TablaCuentas +
                             QStringLiteral(" WHERE 1 = 0"),
                         vacio, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (!vacio || vacio->State() != ado::adStateOpen)
        return;
    Grilla->AsignarPersonalizados(vacio);
    datos.CierraRecordset(vacio);
}
