// Loading a stored account into the window: every control from the row on
// which RsCuentas stands, and the custom fields of a new account, empty.

#include "accounts/core/carga.h"
#include "accounts/core/cuenta.h"
#include "accounts/core/grabacion.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "accounts/ui/grilla_personalizados.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ado/engine.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

namespace {

// A list's position; one the list does not have leaves nothing chosen, so
// no other item stands for a value the list lacks.
void Posiciona(QComboBox* lista, int posicion) {
    lista->setCurrentIndex(posicion >= 0 && posicion < lista->count() ? posicion : -1);
}

} // namespace

void FrmMA_CUENTAS::AsignarDatos() {
    cuentas::CuentaCargada v;
    const cuentas::Cuenta& c = v.C;

    const std::vector<pasos::Step> pasos = {
        [&] {
            EsModificacion = true;
            ++Cargas;
            FilaCargada = cuentas::LeeFilaGuardada(RsCuentas);
            v = cuentas::LeeCuenta(RsCuentas);
        },
        [&] {
            for (QLineEdit* t : txtFields)
                t->setText(cuentas::TextoDeColumna(c, t->property("DataField").toString()));
        },
        [&] { TxtCodigo->setText(txtFields[1]->text()); },
        [&] {
            OptTipoCuenta[1]->setChecked(c.Titulo);
            OptTipoCuenta[0]->setChecked(!c.Titulo);
            LblDV->setText(v.DigitoVerificador);
        },
        [&] {
            if (!c.Titulo)
                chkCCostos->setChecked(c.UsaCCostos);
        },
        [&] {
            CHKAjustable->setChecked(c.Ajuste);
            CmbIndices->setVisible(c.Ajuste);
            Posiciona(CmbIndices, c.Indice);
        },
        [&] {
            CmbMP->setEnabled(true);
            CmbMP->setCurrentIndex(c.MedioDePago);
            // Ticked only on a card account: another account's answer must
            // not wait there for a change of the means to cards.
            chkTarjeta->setChecked(c.NoPideDatosTarjeta);
            CmbMoneda->setVisible(c.MedioDePago != cuentas::MedioNinguno);
        },
        [&] { ChkBloqueo->setChecked(c.Bloqueo); },
        [&] { ChkCyB->setChecked(c.CajayBanco); },
        [&] {
            if (v.LibroCompras)
                optLibros[1]->setChecked(true);
            else if (v.LibroDulvar)
                optLibros[2]->setChecked(true);
            else
                optLibros[0]->setChecked(true);
        },
        [&] { ChkBdu->setChecked(c.Bienes); },
        [&] {
            if (!CNStuffContable::gUsaMultiMonedas)
                CmbMoneda->hide();
            if (v.MonedaGuardada)
                Posiciona(CmbMoneda, c.Moneda);
            else if (!CmbMoneda->isHidden())
                Posiciona(CmbMoneda, 0);
        },
        [&] { LblDescRelacionado->setText(v.DescripcionPrincipal); },
        [&] { TreeV->SeleccionaCuenta(cuentas::CodigoGuardado(c)); },
        [&] { ChkVto->setChecked(c.PideVencimiento); },
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
    ValoresBase = CuentaMostrada();
}

void FrmMA_CUENTAS::VaciaPersonalizados() {
    ado::RecordsetPtr vacio = cuentas::ColumnasCuentas();
    if (vacio->State() != ado::adStateOpen)
        return;
    Grilla->AsignarPersonalizados(vacio);
    gDatos().CierraRecordset(vacio);
}
