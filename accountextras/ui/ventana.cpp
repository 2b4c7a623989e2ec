// Start, reset and enable rules of the additional-data window, its command
// bar, its keys and the focus of its fields, and its unload.

#include "accountextras/ui/frmma_cuentasadic.h"

#include "accountextras/core/datos_adicionales.h"
#include "accountextras/ui/interno.h"
#include "accounts/ui/grilla_personalizados.h"
#include "data/instances.h"
#include "lookup/def_qconsulta.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/clsplanilla.h"
#include "platform/ui/mouse.h"
#include "platform/ui/paxtor.h"
#include "platform/vb/msgbox.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"
#include "startup/ui/cns_ventana.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>

using CNStuffContable::CuentaActual;
using cuentasadic::ui::Recuadro;

namespace {

// The focused field is cyan (&HFFFF00), the others white.
void Pinta(QWidget* campo, bool conFoco) {
    QPalette p = campo->palette();
    p.setColor(QPalette::Base, conFoco ? QColor(0, 255, 255) : QColor(255, 255, 255));
    campo->setPalette(p);
}

} // namespace

void frmMA_CUENTASADIC::Form_Load() {
    pasos::RunSteps({
                        [&] {
                            ClsUtilidades::PreparaFormulario(this);
                            CNStuffContable::ConfiguraIconoYBarras(this);
                        },
                        [&] { TablaAdicionales = QStringLiteral("MA_CUENTASADIC"); },
                        [&] { AbrirTabla(TablaAdicionales); },
                        [&] { InicializarPantalla(); },
                        // Standalone: the user types the code.
                        [&] { return !FormaIndependiente; },
                        [&] {
                            // The account is handed over once; later changes of
                            // CuentaActual belong to other windows.
                            CodigoCuenta = CuentaActual.trimmed();
                            // Additional data is kept for accounts of the chart
                            // only, whichever way the window was opened.
                            if (CuentaDelPlan(CodigoCuenta))
                                return true;
                            txtFields[0]->setText(CodigoCuenta);
                            vb::MsgBox(cuentasadic::MsgCuentaInexistente, vb::vbInformation,
                                       cuentasadic::TituloAviso);
                            return false;
                        },
                        [&] {
                            ado::RecordsetPtr rs;
                            EsModificacion = Reglas->ExisteDatosAdicionales(CodigoCuenta, rs);
                            EsNuevo = !EsModificacion;
                            if (EsNuevo)
                                ClsFormulario::LimpiaFormulario(this, 1);
                        },
                        [&] {
                            QVariant nombre;
                            LblTitulo->setText(Reglas->ExisteCuentas(CodigoCuenta, nullptr, &nombre)
                                                   ? ClsUtilidades::ValorCampo(nombre)
                                                   : QString());
                        },
                        [&] {
                            rsAdicionales = ado::Recordset::create();
                            rsAdicionales->setLockType(ado::adLockOptimistic);
                            rsAdicionales->setCursorType(ado::adOpenDynamic);
                            AbreFila(CodigoCuenta);
                        },
                        [&] { DetalleOn(true); },
                        [&] { MostrarDatos(); },
                        [&] { DeterminaVista(CodigoCuenta); },
                        [&] {
                            txtFields[0]->setEnabled(false);
                            txtFields[0]->setText(CodigoCuenta);
                        },
                    },
                    Recuadro(QStringLiteral("Form_Load")), pasos::Trap::AllErrors);
    HuellaAlCargar = Huella();
}

QString frmMA_CUENTASADIC::Huella() const {
    QStringList valores;
    for (const QLineEdit* t : txtFields)
        valores << t->text();
    for (const cuentas::CampoPersonalizado& p : Grilla->Personalizados())
        valores << p.Campo << p.Valor;
    return valores.join(QChar(0x1f));
}

bool frmMA_CUENTASADIC::AbandonaCambios() {
    return Huella() == HuellaAlCargar ||
           vb::MsgBox(QStringLiteral("¿Está seguro de abandonar la carga de datos?"),
                      vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                      QStringLiteral("Atención!!!")) == vb::vbYes;
}

bool frmMA_CUENTASADIC::CuentaDelPlan(const QString& Codigo, ado::RecordsetPtr* Cuenta) {
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr propio;
    ado::RecordsetPtr* rs = Cuenta ? Cuenta : &propio;
    const bool existe =
        !Codigo.isEmpty() &&
        datos.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), Codigo, QStringLiteral("CODIGO"), rs, 8);
    if ((!existe || !Cuenta) && *rs)
        datos.CierraRecordset(*rs);
    if (!existe)
        LblTitulo->setText(QStringLiteral("..."));
    return existe;
}

void frmMA_CUENTASADIC::AbreFila(const QString& Codigo) {
    if (!rsAdicionales)
        rsAdicionales = ado::Recordset::create();
    const bool fila = gDatos().ExisteEnTabla(TablaAdicionales, Codigo, QStringLiteral("CODIGO"),
                                             &rsAdicionales, 8, QString(), false);
    EsNuevo = !fila;
    EsModificacion = fila;
    FilaCargada.reset();
    if (fila)
        FilaCargada = cuentasadic::HuellaFila(rsAdicionales);
}

bool frmMA_CUENTASADIC::PasaPuerta() {
    // A value still in the grid's edit box is part of what the window shows;
    // one its cell refuses stops the command there.
    if (!Grilla->ConfirmaEdicion())
        return false;
    // Bound, the code is locked on the account handed over.
    if (!FormaIndependiente)
        return true;
    // Nothing shown and nothing typed, or the account shown: nothing to judge.
    if (txtFields[0]->text().trimmed().compare(CodigoCuenta, Qt::CaseInsensitive) == 0)
        return true;
    // Refused, the command stops; accepted, the account is shown and the
    // command ends there.
    Campo_valida(0);
    return false;
}

void frmMA_CUENTASADIC::AbrirTabla(const QString& Tabla) {
    Q_UNUSED(Tabla) // the window has one table
    pasos::RunSteps({[&] {
                        if (rsAdicionales)
                            gDatos().CierraRecordset(rsAdicionales);
                        rsAdicionales = cuentasadic::PrimeraFila();
                    }},
                    Recuadro(QStringLiteral("Generar")), pasos::Trap::AllErrors);
}

void frmMA_CUENTASADIC::InicializarPantalla() {
    pasos::RunSteps({
                        [&] {
                            EsNuevo = false;
                            EsBaja = false;
                            EsModificacion = false;
                            FilaCargada.reset();
                        },
                        [&] { LimpiaPantalla(); },
                        [&] { AbrirTabla(TablaAdicionales); },
                        [&] { SSTab1->setCurrentIndex(0); },
                        [&] { DetalleOn(false); },
                    },
                    Recuadro(QStringLiteral("Form_Unload")), pasos::Trap::AllErrors);
}

void frmMA_CUENTASADIC::LimpiaPantalla() {
    ClsFormulario::LimpiaFormulario(this);
    ClsFormulario::AjustaCamposATabla(txtFields, TablaAdicionales, gDatos().gConnString);
    LblTitulo->setText(QStringLiteral("..."));
    for (QLabel* d : lblDetalle)
        d->setText(QStringLiteral("..."));
    if (QLineEdit* documento = Campo(QStringLiteral("numero_documento")))
        documento->setMaxLength(13);
    // In standalone mode the next code starts afresh; bound, the window
    // stays on its account.
    if (FormaIndependiente)
        CodigoCuenta.clear();
    // The next account's view starts from all fields, not from the last one's.
    MuestraOpcionales();
    VaciaPersonalizados();
}

void frmMA_CUENTASADIC::VaciaPersonalizados() {
    // A new row must not take the custom values of the account shown before.
    ado::RecordsetPtr vacio = cuentasadic::Columnas();
    if (vacio && vacio->State() == ado::adStateOpen) {
        Grilla->AsignarPersonalizados(vacio);
        gDatos().CierraRecordset(vacio);
    }
}

void frmMA_CUENTASADIC::DetalleOn(bool Habilitar) {
    Detalle = Habilitar;
    for (QLineEdit* t : txtFields)
        t->setEnabled(Habilitar);
    if (FormaIndependiente)
        txtFields[0]->setEnabled(!Habilitar);
    SSTab1->setTabEnabled(1, Habilitar);
    SSTab1->setTabEnabled(2, Habilitar);
    if (!Habilitar)
        SSTab1->setCurrentIndex(0);

    Paxtor1->setEstado(Paxtor::NuevoCerrarPrimero, FormaIndependiente && !Habilitar);
    Paxtor1->setEstado(Paxtor::PlanillaReportePrimero, FormaIndependiente);
    Paxtor1->setEstado(Paxtor::PlanillaReporteSegundo, !FormaIndependiente);
    Paxtor1->setEstado(Paxtor::EstadoConsultar, false);
    Paxtor1->setEstado(Paxtor::GrabarCancelarSegundo, !FormaIndependiente || Habilitar);
    Paxtor1->setEstado(Paxtor::GrabarCancelarPrimero, !FormaIndependiente || Habilitar);
    EstadoBorrar();
}

void frmMA_CUENTASADIC::EstadoBorrar() {
    // Only a stored row that the fields show can be deleted: the empty state
    // stands on the table's first row, which is another account's.
    Paxtor1->setEstado(Paxtor::EstadoBorrar,
                       Detalle && EsModificacion && !EsNuevo && !CodigoCuenta.isEmpty());
}

void frmMA_CUENTASADIC::MostrarDatos() {
    // The descriptions of codes the tables no longer hold are not the
    // caller's refusal.
    const bool error = HayError;
    pasos::RunSteps({
                        [&] {
                            if (rsAdicionales && rsAdicionales->State() == ado::adStateOpen &&
                                !rsAdicionales->BOF() && !rsAdicionales->EOF())
                                EsModificacion = true;
                        },
                        [&] {
                            if (rsAdicionales)
                                ClsFormulario::CopiaRegistro(*rsAdicionales, txtFields);
                        },
                        [&] {
                            for (QLineEdit* t : txtFields) {
                                QString mensaje;
                                MostrarDescripcion(t->property("DataField").toString(), mensaje);
                            }
                        },
                        [&] { Grilla->AsignarPersonalizados(rsAdicionales); },
                        [&] { EstadoBorrar(); },
                    },
                    Recuadro(QStringLiteral("Form_Load")), pasos::Trap::AllErrors);
    HayError = error;
}

void frmMA_CUENTASADIC::Paxtor1_ButtonClick(const QString& Key) {
    const QString clave = Key.toUpper();
    const pasos::OnError recuadro = Recuadro(QStringLiteral("Form_Load"));
    if (clave == u"NUEVO") {
        pasos::RunSteps({
                            [&] { return PasaPuerta(); },
                            [&] { InicializarPantalla(); },
                            [&] {
                                EsNuevo = true;
                                EsBaja = false;
                                EsModificacion = false;
                            },
                            [&] { txtFields[0]->setFocus(); },
                        },
                        recuadro, pasos::Trap::AllErrors);
    } else if (clave == u"BORRAR") {
        pasos::RunSteps({
                            [&] { return PasaPuerta(); },
                            [&] {
                                return vb::MsgBox(
                                           QStringLiteral("Confirma la baja de este registro?"),
                                           vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                                           QStringLiteral("Atención!")) == vb::vbYes;
                            },
                            [&] {
                                EsNuevo = false;
                                EsBaja = true;
                                EsModificacion = false;
                            },
                            [&] { ActualizarDatos(); },
                        },
                        recuadro, pasos::Trap::AllErrors);
    } else if (clave == u"GRABAR") {
        bool valido = false;
        pasos::RunSteps({
                            [&] { return PasaPuerta(); },
                            [&] { Grabando = true; },
                            [&] { valido = ValidarCampos(); },
                            [&] {
                                if (valido)
                                    ActualizarDatos();
                            },
                            [&] { Grabando = false; },
                            [&] { return valido && !HayError; },
                            [&] {
                                if (FormaIndependiente)
                                    InicializarPantalla();
                                else
                                    Form_Unload();
                            },
                            // The next code is typed at once.
                            [&] {
                                if (FormaIndependiente)
                                    txtFields[0]->setFocus();
                            },
                        },
                        recuadro, pasos::Trap::AllErrors);
        Grabando = false;
    } else if (clave == u"PLANILLA") {
        pasos::RunSteps({[&] {
                            ClsPlanilla::MuestraPlanilla(
                                cuentasadic::SentenciaPlanilla(), gDatos().gConnString,
                                QStringLiteral("Plan General de Cuentas, Datos Adicionales"));
                        }},
                        recuadro, pasos::Trap::AllErrors);
    } else if (clave == u"CONSULTAR") {
        pasos::RunSteps({[&] { return PasaPuerta(); }, [&] { ConsultarCodigo(); }}, recuadro,
                        pasos::Trap::AllErrors);
    } else if (clave == u"REPORTE") {
        pasos::RunSteps({[&] { CNStuffContable::ImprimeReporte(QStringLiteral("Rp_PlanCtas")); }},
                        recuadro, pasos::Trap::AllErrors);
    } else if (clave == u"CERRAR") {
        Form_Unload();
    } else if (clave == u"CANCELAR") {
        if (!FormaIndependiente)
            Form_Unload();
        else
            pasos::RunSteps({
                                [&] { return PasaPuerta(); },
                                [&] { InicializarPantalla(); },
                                [&] { txtFields[0]->setFocus(); },
                            },
                            recuadro, pasos::Trap::AllErrors);
    }
}

void frmMA_CUENTASADIC::ConsultarCodigo() {
    if (CampoActual < 0 || CampoActual >= int(txtFields.size()))
        return;
    QLineEdit* campo = txtFields[size_t(CampoActual)];
    QString tabla = campo->property("Tag").toString().trimmed();
    // F6 and CONSULTAR answer as the right button: not on a locked field.
    if (tabla.isEmpty() || !ui::AceptaConsulta(*campo))
        return;
    QString descripcion, codigo, extra;
    Def_QConsulta::QConsulta(tabla, descripcion, codigo, extra, true, QString());
    // A cancelled lookup answers an empty code, which is checked as typed.
    Campo(campo->property("DataField").toString())->setText(codigo.trimmed());
    Campo_valida(CampoActual);
}

void frmMA_CUENTASADIC::Form_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    Paxtor1->ProcesaTecla(KeyCode);
}

void frmMA_CUENTASADIC::Form_Unload() {
    Descargando = true;
    pasos::RunSteps({
                        [&] {
                            if (rsAdicionales && rsAdicionales->State() == ado::adStateOpen &&
                                rsAdicionales->EditMode() != ado::adEditNone)
                                rsAdicionales->CancelUpdate();
                        },
                        [&] {
                            if (rsAdicionales)
                                gDatos().CierraRecordset(rsAdicionales);
                            rsAdicionales.reset();
                            Reglas.release();
                        },
                        [&] { hide(); },
                    },
                    Recuadro(QStringLiteral("Form_Unload")), pasos::Trap::AllErrors);
    Descargando = false;
    if (FormaIndependiente)
        vb::End(0);
    // A window opened with WA_DeleteOnClose is released here; the shared
    // instance's pointer empties itself with it.
    Descargando = true;
    close();
    Descargando = false;
}

// ---- Focus, keys and mouse of the text fields --------------------------------------------

void frmMA_CUENTASADIC::txtFields_GotFocus(int Index) {
    QLineEdit* campo = txtFields[size_t(Index)];
    CampoActual = Index;
    Paxtor1->setEstado(Paxtor::EstadoConsultar,
                       !campo->property("Tag").toString().trimmed().isEmpty());
    Pinta(campo, true);
}

void frmMA_CUENTASADIC::txtFields_LostFocus(int Index) {
    Pinta(txtFields[size_t(Index)], false);
}

void frmMA_CUENTASADIC::txtFields_KeyDown(int Index, int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (!ClsFormulario::EsTeclaAceptar(KeyCode))
        return;
    Campo_valida(Index);
    // Standalone, Enter on the code loads the account and leaves the focus
    // there.
    if ((Index != 0 || !FormaIndependiente) && !HayError)
        ClsFormulario::MueveFoco(KeyCode);
}

void frmMA_CUENTASADIC::txtFields_KeyPress(int Index, int& KeyAscii) {
    Q_UNUSED(Index);
    KeyAscii = Mod_Macuentas::MayusculaCodigo(std::int16_t(KeyAscii));
}

void frmMA_CUENTASADIC::txtFields_MouseDown(int Index, int Button) {
    CampoActual = Index;
    if (Button == 2)
        ConsultarCodigo();
}
