// Field behaviour of the accounts window: the postable/title switch and what
// it enables, the yes/no boxes, the means-of-payment list with its
// reconciliation code, the keys of the lists and text fields, and the code
// proposed when the title list is left.

#include "accounts/ui/frmma_cuentas.h"

#include "accounts/core/codigos.h"
#include "accounts/core/cuenta.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>

namespace {

// The code alphabet whose keys reformat the code as it is typed.
const QString kAlfabetoCodigo =
    QStringLiteral("0123456789.ABCDEFGHIJKLMNÑOPQRSTUVWXYZ.abcdefghijklmnñopqrstuvwxyz");

void SiNo(QCheckBox* casilla) {
    casilla->setText(casilla->isChecked() ? QStringLiteral("SI") : QStringLiteral("NO"));
}

// Enter in a list moves on as Tab does; any other character is the list's
// to drop or keep.
bool EnterMueveFoco(int& KeyAscii) {
    if (KeyAscii != 13)
        return false;
    ClsFormulario::MueveFoco(9);
    KeyAscii = 0;
    return true;
}

} // namespace

// ---- Kind of account ----------------------------------------------------------------------

void FrmMA_CUENTAS::OptTipoCuenta_Click(int Index) {
    if (Index != 0 && Index != 1)
        return;
    const bool imputable = Index == 0;
    pasos::RunSteps(
        {
            [&] {
                if (!imputable)
                    CHKAjustable->setChecked(false);
                CHKAjustable->setEnabled(imputable);
            },
            [&] { ChkBloqueo->setEnabled(imputable); },
            [&] { ChkBdu->setEnabled(imputable); },
            [&] {
                if (!imputable)
                    CmbIndices->setCurrentIndex(0);
                CmbIndices->setVisible(imputable && CHKAjustable->isChecked());
            },
            [&] {
                LblDV->setText(cuentas::TextoDigitoVerificador(CodigoCuenta, !imputable, Reglas()));
            },
            [&] { BotonTbar(4)->setEnabled(imputable); },
            [&] {
                // With no cost centre at all the box stays off: a ticked box
                // would give the account an empty cost centre when saved.
                chkCCostos->setEnabled(imputable &&
                                       chkCCostos->property("Tag").toString() != u"VACIO");
                if (!imputable)
                    chkCCostos->setChecked(false);
            },
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("OptTipoCuenta")));
        },
        pasos::Trap::AllErrors);
}

// ---- Yes/no boxes -------------------------------------------------------------------------

void FrmMA_CUENTAS::CHKAjustable_Click() {
    SiNo(CHKAjustable);
    CmbIndices->setVisible(CHKAjustable->isChecked());
}

void FrmMA_CUENTAS::ChkCyB_Click() {
    SiNo(ChkCyB);
    CmbMoneda->setEnabled(ChkCyB->isChecked());
    CmbMP->setEnabled(true);
}

void FrmMA_CUENTAS::ChkVto_Click() {
    SiNo(ChkVto);
}

void FrmMA_CUENTAS::ChkBdu_Click() {
    SiNo(ChkBdu);
}

void FrmMA_CUENTAS::ChkBloqueo_Click() {
    SiNo(ChkBloqueo);
}

// ---- Lists --------------------------------------------------------------------------------

void FrmMA_CUENTAS::CmbMP_Click() {
    const int item = CmbMP->currentIndex();
    if (item < 0)
        return;
    CmbMP_KeyDown(0, 0);
    if (item == cuentas::MedioDebitosBancarios)
        lblCodTarjetaConcAuto->setText(
            QStringLiteral("Código para conciliación automática: (Datanet)"));
    else if (item == cuentas::MedioTarjetas)
        lblCodTarjetaConcAuto->setText(
            QStringLiteral("Código para conciliación automática: (Tarjetas)"));
    else if (item == cuentas::MedioSolicitudCredito)
        lblCodTarjetaConcAuto->clear();
    const bool tarjeta = item == cuentas::MedioTarjetas || item == cuentas::MedioDebitosBancarios ||
                         item == cuentas::MedioSolicitudCredito;
    chkTarjeta->setVisible(tarjeta);
    lblCodTarjetaConcAuto->setVisible(tarjeta);
    Campo(QStringLiteral("CodTarjeta_ConcAuto"))->setVisible(tarjeta);
}

void FrmMA_CUENTAS::CmbMP_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(KeyCode);
    Q_UNUSED(Shift);
    // A run of one currency has no list to show (its load hides it too).
    CmbMoneda->setVisible(CmbMP->currentIndex() != cuentas::MedioNinguno &&
                          CNStuffContable::gUsaMultiMonedas);
}

void FrmMA_CUENTAS::CmbMP_KeyPress(int& KeyAscii) {
    KeyAscii = 0;
}

void FrmMA_CUENTAS::CmbIndices_KeyPress(int& KeyAscii) {
    EnterMueveFoco(KeyAscii);
    KeyAscii = 0;
}

void FrmMA_CUENTAS::Combo1_KeyPress(int& KeyAscii) {
    EnterMueveFoco(KeyAscii);
}

void FrmMA_CUENTAS::Combo1_LostFocus() {
    // A focus move a check or a command makes is not the user leaving the
    // list: it proposes no code in the middle of that routine.
    if (!EsModificacion && RutinasEnCurso == 0)
        IdentificaCuenta();
}

void FrmMA_CUENTAS::IdentificaCuenta() {
    QString titulo;
    QString propuesto;
    // The focus moves of a refused code are not the user leaving the code
    // box: its refusal is shown once.
    ++RutinasEnCurso;
    const auto fin = qScopeGuard([this] { --RutinasEnCurso; });
    pasos::RunSteps(
        {
            [&] {
                titulo = Combo1->currentText().right(50).trimmed();
                // Left again on the same title, the list proposes nothing:
                // a code typed since stays.
                return !titulo.isEmpty() &&
                       titulo.compare(TituloPropuesto, Qt::CaseInsensitive) != 0;
            },
            [&] {
                TituloPropuesto = titulo;
                propuesto = cuentas::ProponeCodigoLibre(titulo);
                return !propuesto.isEmpty();
            },
            [&] {
                Campo(QStringLiteral("Codigo"))->setText(propuesto);
                // The code box shows the code its member holds.
                TxtCodigo->setText(propuesto);
            },
            [&] {
                Campo_Valida(ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields));
                return !HayError;
            },
            // The name is what the user types next (the optional code
            // is optional): typed into that field it would be lost.
            [&] { Campo(QStringLiteral("DESCRIPCION"))->setFocus(); },
        },
        [](const ado::Error&) { return pasos::Resume::Next; }, pasos::Trap::AllErrors);
}

// ---- Code box and text fields --------------------------------------------------------------

void FrmMA_CUENTAS::TxtCodigo_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (ClsFormulario::EsTeclaAceptar(KeyCode))
        ClsFormulario::MueveFoco(KeyCode);
}

void FrmMA_CUENTAS::TxtCodigo_MouseDown(int Button) {
    if (Button != 2)
        return;
    IndiceActual = ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields);
    ConsultarCodigo();
}

void FrmMA_CUENTAS::txtFields_KeyDown(int Index, int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    QLineEdit* campo = txtFields[size_t(Index)];
    if (Index == 1)
        TxtCodigo->setText(campo->text());
    if (ClsFormulario::EsTeclaAceptar(KeyCode)) {
        // The code left as the window set it checks nothing.
        if (Index == 1 && CodigoSinCambio(campo->text()))
            HayError = false;
        else
            Campo_Valida(Index);
        // Leaving by this key does not check a second time.
        ValidaAlSalir[size_t(Index)] = false;
        if (!HayError)
            ClsFormulario::MueveFoco(KeyCode);
    }
    Paxtor1->setEstado(Paxtor::EstadoConsultar,
                       !campo->property("Tag").toString().trimmed().isEmpty());
}

void FrmMA_CUENTAS::txtFields_KeyPress(int Index, int& KeyAscii) {
    Q_UNUSED(Index);
    KeyAscii = Mod_Macuentas::MayusculaCodigo(std::int16_t(KeyAscii));
}

void FrmMA_CUENTAS::txtFields_KeyUp(int Index, int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (Index != 1 || KeyCode <= 0 || KeyCode > 0xFFFF ||
        !kAlfabetoCodigo.contains(QChar(char16_t(KeyCode)), Qt::CaseInsensitive))
        return;
    QLineEdit* campo = txtFields[size_t(Index)];
    CodigoCuenta = ClsUtilidades::LimpiaTexto(campo->text(), QStringLiteral("-"));
    campo->setText(Mod_Macuentas::FormateaCuenta(CodigoCuenta));
    campo->setCursorPosition(int(campo->text().trimmed().size()));
}

void FrmMA_CUENTAS::txtFields_MouseDown(int Index, int Button) {
    IndiceActual = Index;
    if (Button == 2)
        ConsultarCodigo();
}

void FrmMA_CUENTAS::txtFields_Validate(int Index, bool& Cancel) {
    Q_UNUSED(Cancel);
    // A focus move that the window's own routine makes, or a field that goes
    // away, is not the user leaving the field.
    QLineEdit* campo = txtFields[size_t(Index)];
    if (!ValidaAlSalir[size_t(Index)] || RutinasEnCurso > 0 || !campo->isEnabled() ||
        campo->isHidden() ||
        (Index == 1 &&
         (CodigoSinCambio(campo->text()) || campo->text().trimmed() == CodigoRechazado)))
        return;
    EnValidate = true;
    Campo_Valida(Index);
    EnValidate = false;
}
