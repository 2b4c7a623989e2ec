// Start, reset and enable rules of the accounts window, its command bar, its
// key preview, the focus of its fields and its unload.

#include "accounts/ui/frmma_cuentas.h"

#include "accounts/core/carga.h"
#include "accounts/core/codigos.h"
#include "accounts/ui/grilla_personalizados.h"
#include "accounts/ui/plan_cuentas.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/clsplanilla.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsini.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"
#include "startup/ui/cns_ventana.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScopeGuard>
#include <QTabWidget>

using CNStuffContable::Cfg;
using CNStuffContable::CfgSi;
using CNStuffContable::CuentaActual;

namespace {

// Switches of the suite that this program never turns on.
constexpr bool HabilitaCashFlow = false;
constexpr bool HabilitaBienesDeUso = false;

const QString kIni = QStringLiteral("CN000p.INI");
const QString kMostrarArbol = QStringLiteral("Mostrar Treeview");
const QString kAbandonar = QStringLiteral("¿Está seguro de abandonar la carga de datos?");

// The means of payment, in the order whose position is the stored code.
const std::array<const char*, 12> kMediosDePago{{
    "Ninguno",
    "Efectivo",
    "Cheque",
    "Tarjetas de Credito",
    "Debitos/Creditos Bancario",
    "Documentos varios",
    "Retenciones/Percep IVA",
    "Retención/Percep Ingresos Brutos",
    "Retención/Percep Ganancias",
    "Retención/Percep Varias",
    "Retención/Percep SUSS",
    "Solicitud de crédito",
}};

// The tree switch as the window writes it ("True", "False"); a number as the
// runtime reads one. Anything else, or nothing, is False rather than a
// failure of the window's load.
bool LeeBooleano(const QString& texto) {
    const QString t = texto.trimmed();
    if (t.compare(u"True", Qt::CaseInsensitive) == 0)
        return true;
    if (ClsUtilidades::EsNumero(t))
        return vb::Val(t) != 0;
    return false;
}

// The focused field is cyan (&HFFFF00), the others white.
void Pinta(QWidget* campo, bool conFoco) {
    QPalette p = campo->palette();
    p.setColor(QPalette::Base, conFoco ? QColor(0, 255, 255) : QColor(255, 255, 255));
    campo->setPalette(p);
}

// Options of one group, none of them chosen.
template <size_t N> void Desmarca(const std::array<QRadioButton*, N>& opciones) {
    for (QRadioButton* o : opciones) {
        o->setAutoExclusive(false);
        o->setChecked(false);
        o->setAutoExclusive(true);
    }
}

pasos::Resume Informa(const ado::Error& e, const char* rutina) {
    return pasos::ResumeFor(
        ClsUtilidades::ReportaError(e, std::nullopt, QString::fromLatin1(rutina)));
}

} // namespace

void FrmMA_CUENTAS::Form_Load() {
    const Mod_Macuentas::NivelesDeUnaVez niveles;
    CNStuffContable::AplicaSkin(this);
    ClsUtilidades::PreparaFormulario(this, 0);
    CNStuffContable::ConfiguraIconoYBarras(this);

    TablaCuentas = QStringLiteral("MA_CUENTAS");
    Mod_Macuentas::CargaDigitosPlan();
    Mod_Macuentas::CargaNivelesPlan();
    MuestraArbol = LeeBooleano(ClsIni::LeeIni(kIni, Cfg(QStringLiteral("NOMBRE")), kMostrarArbol,
                                              QStringLiteral("False")));
    // The tree and the title list are built from one read of the chart.
    const std::vector<FilaPlan> plan = PlanCuentas::LeePlan();
    PlanAlAbrir = &plan;
    const auto olvida = qScopeGuard([this] { PlanAlAbrir = nullptr; });
    LimpiarPantalla();
    AbreRecordsetCuentas(TablaCuentas);

    BotonTbar(6)->setChecked(true);
    Treev_Estado(true);
    BotonTbar(7)->setVisible(HabilitaCashFlow);
    Label1->setVisible(CfgSi(QStringLiteral("USA BIENES DE USO")) && HabilitaBienesDeUso);
    ChkBdu->setVisible(!Label1->isHidden());

    Campo(QStringLiteral("CODIGO"))->clear();
    const bool digito = CfgSi(QStringLiteral("USADIGITOVERIFICADOR"));
    LblDV->setVisible(digito);
    LblTitulo[5]->setVisible(digito);
    BotonTbar(4)->setVisible(CfgSi(QStringLiteral("USACCOSTO")));

    CNStuffContable::CargaComboMonedas(CmbMoneda);
    if (CNStuffContable::gUsaMultiMonedas) {
        const int n = int(vb::Val(Cfg(QStringLiteral("MonedaDulvar")))) - 1;
        // A currency the list does not hold keeps the first one.
        if (n >= 0 && n < CmbMoneda->count())
            CmbMoneda->setCurrentIndex(n);
    }

    if (const std::optional<QString> ccosto = cuentas::CCostoPorDefecto()) {
        CCostoPorDefecto = *ccosto;
        chkCCostos->setProperty("Tag", QString());
    } else {
        chkCCostos->setEnabled(false);
        chkCCostos->setChecked(false);
        chkCCostos->setProperty("Tag", QStringLiteral("VACIO"));
    }

    TituloBonos = Cfg(QStringLiteral("TituloClientesBonos"));
    TituloMutuales = Cfg(QStringLiteral("TituloClientesMutuales"));
    CNStuffContable::CargaBarraEstado(sbStatusBar, QString());
    // The reset above filled the list from this same read.
    ValoresBase = CuentaMostrada();
}

void FrmMA_CUENTAS::LimpiarPantalla() {
    pasos::RunSteps(
        {
            [&] {
                EsNuevo = false;
                EsBaja = false;
                EsModificacion = false;
                CodigoEstablecido.clear();
                CodigoDejado.clear();
                CodigoRechazado.clear();
                FilaCargada.reset();
                TituloPropuesto.clear();
                ++Reinicios;
            },
            [] { Mod_Macuentas::CargaDigitosPlan(); },
            [] { Mod_Macuentas::CargaNivelesPlan(); },
            [&] { ClsFormulario::LimpiaFormulario(this); },
            [&] { TxtCodigo->clear(); },
            [&] {
                txtFields[0]->setMaxLength(150);
                txtFields[1]->setMaxLength(20);
                // The code box holds what its member can.
                TxtCodigo->setMaxLength(20);
                txtFields[3]->setMaxLength(15);
                txtFields[2]->setMaxLength(15);
            },
            [&] { CargarCombos(); },
            [&] {
                OptTipoCuenta[0]->setChecked(true);
                LblDV->setText(QStringLiteral("0"));
                LblDescRelacionado->clear();
            },
            [&] {
                for (QCheckBox* c : {CHKAjustable, ChkBloqueo, ChkBdu, chkCCostos, ChkVto})
                    c->setChecked(false);
                Desmarca(optLibros);
            },
            [&] { HabilitarControles(false); },
            [&] { SSTab1->setCurrentIndex(0); },
            [&] {
                if (!Combo1->currentText().trimmed().isEmpty())
                    Combo1->setCurrentIndex(0);
                OptTipoCuenta[0]->setChecked(true);
            },
            [&] { CargaComboTitulo(); },
            [&] { TxtCodigo->setFocus(); },
            [&] { ValoresBase = CuentaMostrada(); },
        },
        [](const ado::Error&) { return pasos::Resume::Next; }, pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::CargarCombos() {
    ClsFormulario::LimpiaFormulario(this, 2);
    LblDV->setText(QStringLiteral("0"));
    CHKAjustable->setChecked(false);
    CHKAjustable->setEnabled(OptTipoCuenta[0]->isChecked());

    CmbIndices->clear();
    for (int serie = 1; serie <= 4; ++serie)
        CmbIndices->addItem(Cfg(QStringLiteral("Nombre_Indice") + QString::number(serie)));
    CmbIndices->setCurrentIndex(0);

    CmbMP->clear();
    for (const char* medio : kMediosDePago)
        CmbMP->addItem(QString::fromUtf8(medio));
    CmbMP->setCurrentIndex(0);

    ChkCyB->setChecked(false);
    chkCCostos->setChecked(false);
    // The custom fields are cleared with the others: a new account must not
    // take the values of the account shown before it.
    VaciaPersonalizados();
}

void FrmMA_CUENTAS::VaciaCuenta() {
    QLineEdit* codigo = Campo(QStringLiteral("Codigo"));
    const QString escrito = codigo->text();
    CargarCombos();
    codigo->setText(escrito);
    OptTipoCuenta[0]->setChecked(true);
    LblDescRelacionado->clear();
    for (QCheckBox* c : {CHKAjustable, ChkBloqueo, ChkBdu, chkCCostos, ChkVto, chkTarjeta})
        c->setChecked(false);
    Desmarca(optLibros);
    ValoresBase = CuentaMostrada();
}

void FrmMA_CUENTAS::HabilitarControles(bool Habilitar) {
    // Qt moves the focus off a control it disables: those moves are not the
    // user's, and the focus stays where it was when it can.
    QWidget* foco = QApplication::focusWidget();
    ++FocoEnPausa;
    for (QLineEdit* t : txtFields)
        t->setEnabled(Habilitar);
    if (!Habilitar)
        txtFields[0]->setEnabled(true);

    Paxtor1->setEstado(Paxtor::EstadoNuevo, !Habilitar);
    Paxtor1->setEstado(Paxtor::EstadoCerrar, !Habilitar);
    Paxtor1->setEstado(Paxtor::EstadoGrabar, Habilitar);
    Paxtor1->setEstado(Paxtor::EstadoCancelar, Habilitar);
    Paxtor1->setEstado(Paxtor::EstadoBorrar, Habilitar);

    for (QRadioButton* o : OptTipoCuenta)
        o->setEnabled(Habilitar);
    if (!Habilitar) {
        CHKAjustable->setEnabled(false);
        ChkBloqueo->setEnabled(false);
        BotonTbar(4)->setEnabled(false);
        ChkBdu->setEnabled(false);
        ChkBdu->setChecked(false);
        Desmarca(optLibros);
        for (QRadioButton* o : optLibros)
            o->setEnabled(false);
    }
    SSTab1->setTabEnabled(1, Habilitar);
    const bool movido = foco && QApplication::focusWidget() != foco;
    const bool alCodigo = movido && !(foco->isEnabled() && foco->isVisible());
    if (movido)
        (alCodigo ? TxtCodigo : foco)->setFocus();
    --FocoEnPausa;
    if (alCodigo)
        TxtCodigo_GotFocus();
}

void FrmMA_CUENTAS::AbreRecordsetCuentas(const QString& Tabla) {
    pasos::RunSteps(
        {
            [] { Mod_Macuentas::CargaDigitosPlan(); },
            [] { Mod_Macuentas::CargaNivelesPlan(); },
            [&] { cuentas::AbreRecordsetCuentas(Tabla, RsCuentas); },
        },
        [](const ado::Error& e) { return Informa(e, "Generar"); }, pasos::Trap::AllErrors);
}

bool FrmMA_CUENTAS::PasosBarra(const std::vector<pasos::Step>& pasos) {
    return pasos::RunSteps(
        pasos, [](const ado::Error& e) { return Informa(e, "Paxtor1_Click"); },
        pasos::Trap::AllErrors);
}

void FrmMA_CUENTAS::EnfocaDescripcion() {
    QLineEdit* nombre = txtFields[0];
    nombre->setCursorPosition(int(nombre->text().trimmed().size()));
    nombre->setFocus();
}

void FrmMA_CUENTAS::FocoAlCodigo() {
    EnfocaDescripcion();
    TxtCodigo->setFocus();
}

void FrmMA_CUENTAS::Paxtor1_ButtonClick(const QString& Key) {
    const Mod_Macuentas::NivelesDeUnaVez niveles;
    ++RutinasEnCurso;
    Paxtor1_Tecla(Key.toUpper());
    --RutinasEnCurso;
}

void FrmMA_CUENTAS::Paxtor1_Tecla(const QString& clave) {
    if (clave == u"NUEVO") {
        Nuevo();
    } else if (clave == u"BORRAR") {
        Borrar();
    } else if (clave == u"GRABAR") {
        Grabar();
    } else if (clave == u"PLANILLA") {
        PasosBarra({[&] {
            ClsPlanilla::MuestraPlanilla(cuentas::SentenciaPlanilla(TablaCuentas),
                                         gDatos().gConnString,
                                         QStringLiteral("Plan General de Cuentas"));
        }});
    } else if (clave == u"CONSULTAR") {
        PasosBarra({[&] { ConsultarCodigo(); }});
    } else if (clave == u"REPORTE") {
        PasosBarra({[&] { LlamarReporte(QStringLiteral("Rp_PlanCtas")); }});
    } else if (clave == u"CERRAR") {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == u"CANCELAR") {
        Cancelar();
    }
}

void FrmMA_CUENTAS::Nuevo() {
    PasosBarra({
        [&] { return PasaPuerta(); },
        [&] { LimpiarPantalla(); },
        [&] {
            EsNuevo = true;
            EsBaja = false;
            EsModificacion = false;
        },
        [&] { FocoAlCodigo(); },
    });
}

void FrmMA_CUENTAS::Borrar() {
    bool nuevo = false;
    bool modificacion = false;
    bool modificados = false;
    int reinicios = 0;
    PasosBarra({
        // Only the account shown is deleted: a code edited in place is
        // judged first, and the user deletes what it then shows.
        [&] { return PasaPuerta(false); },
        [&] {
            nuevo = EsNuevo;
            modificacion = EsModificacion;
            modificados = DatosModificados;
            reinicios = Reinicios;
        },
        [&] {
            EsNuevo = false;
            EsBaja = true;
            EsModificacion = false;
        },
        [&] {
            if (modificacion)
                ActualizaCuenta();
            else if (nuevo)
                DescartaNueva();
        },
        [&] { EsBaja = false; },
        // Not deleted: the window stays on the account as it was.
        [&] {
            if (Reinicios != reinicios)
                return;
            EsNuevo = nuevo;
            EsModificacion = modificacion;
            DatosModificados = modificados;
        },
        [&] { txtFields[0]->setFocus(); },
        [&] { FocoAlCodigo(); },
    });
    EsBaja = false;
}

void FrmMA_CUENTAS::Grabar() {
    bool valido = false;
    PasosBarra({
        [&] { return PasaPuerta(); },
        [&] { Grabando = true; },
        [&] { valido = ValidaDatos(); },
        [&] {
            if (valido)
                DatosModificados = false;
        },
        [&] {
            if (valido)
                ActualizaCuenta();
        },
        [&] { Grabando = false; },
        [&] {
            if (CuentaActual.isEmpty())
                EnfocaDescripcion();
        },
        [&] { TxtCodigo->setFocus(); },
        // Once the focus has settled, the next code starts under the
        // saved account's parent.
        [&] {
            if (CodigoSiguiente.isEmpty())
                return;
            TxtCodigo->setText(CodigoSiguiente);
            TxtCodigo->setCursorPosition(int(CodigoSiguiente.size()));
            CodigoDejado = CodigoSiguiente;
            CodigoSiguiente.clear();
        },
    });
    // Also when the operator left at a failure: a save that no longer
    // runs must not keep the field checks in their saving mode.
    Grabando = false;
}

void FrmMA_CUENTAS::Cancelar() {
    bool abandonar = true;
    PasosBarra({
        [&] { return PasaPuerta(); },
        [&] {
            if (DatosModificados)
                abandonar =
                    vb::MsgBox(kAbandonar, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                               QStringLiteral("Atención!!!")) == vb::vbYes;
            return abandonar;
        },
        [&] { DatosModificados = false; },
        [&] { LimpiarPantalla(); },
        [&] { AbreRecordsetCuentas(TablaCuentas); },
        [&] { FocoAlCodigo(); },
    });
}

void FrmMA_CUENTAS::Form_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    Paxtor1->ProcesaTecla(KeyCode);
}

void FrmMA_CUENTAS::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    Descargando = true;
    pasos::RunSteps(
        {
            [&] {
                ClsIni::GrabaIni(kIni, Cfg(QStringLiteral("NOMBRE")), kMostrarArbol,
                                 MuestraArbol ? QStringLiteral("True") : QStringLiteral("False"));
            },
            [] { CuentaActual.clear(); },
            [&] {
                if (RsCuentas)
                    gDatos().CierraRecordset(RsCuentas);
                RsCuentas.reset();
            },
            // The program ends with its last window; a window opened with
            // WA_DeleteOnClose is released here too.
            [&] { close(); },
        },
        [](const ado::Error& e) { return Informa(e, "Unload"); }, pasos::Trap::AllErrors);
    Descargando = false;
}

// ---- Focus of the code box and the text fields ----------------------------------------

void FrmMA_CUENTAS::TxtCodigo_Change() {
    QLineEdit* codigo = Campo(QStringLiteral("Codigo"));
    // The member's caret stays where it is while its text is the same.
    if (codigo && codigo->text() != TxtCodigo->text().trimmed())
        codigo->setText(TxtCodigo->text().trimmed());
}

void FrmMA_CUENTAS::TxtCodigo_GotFocus() {
    Paxtor1->setEstado(Paxtor::EstadoConsultar, true);
    // The code box stands for the code member: CONSULTAR looks the code up.
    IndiceActual = ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields);
    Pinta(TxtCodigo, true);
}

void FrmMA_CUENTAS::TxtCodigo_LostFocus() {
    Paxtor1->setEstado(Paxtor::EstadoConsultar, false);
    Pinta(TxtCodigo, false);
    const QString texto = TxtCodigo->text().trimmed();
    IndiceActual = ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields);
    txtFields[size_t(IndiceActual)]->setText(texto);
    // A focus move that a check or a command makes is not the user leaving
    // the box: checking then would overturn the running routine's outcome.
    if (!texto.isEmpty() && RutinasEnCurso == 0 && !CodigoSinCambio(texto) &&
        texto != CodigoRechazado)
        Campo_Valida(IndiceActual);
}

void FrmMA_CUENTAS::TxtCodigo_KeyPress(int& KeyAscii) {
    KeyAscii = Mod_Macuentas::MayusculaCodigo(std::int16_t(KeyAscii));
}

bool FrmMA_CUENTAS::CodigoSinCambio(const QString& Texto) const {
    return cuentas::CodigoSinGuiones(Texto.trimmed()).compare(CodigoDejado, Qt::CaseInsensitive) ==
           0;
}

bool FrmMA_CUENTAS::ValoresEscritos() const {
    // Browsing, the name holds what a lookup searches for, not an account.
    return (EsNuevo || EsModificacion) && !cuentas::MismosDatos(CuentaMostrada(), ValoresBase);
}

bool FrmMA_CUENTAS::AbandonaLoEscrito() {
    return !ValoresEscritos() ||
           vb::MsgBox(kAbandonar, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                      QStringLiteral("Atención!!!")) == vb::vbYes;
}

void FrmMA_CUENTAS::RestauraCodigo() {
    const QString codigo = CodigoEstablecido.isEmpty() && !CodigoDejado.isEmpty()
                               ? CodigoDejado
                               : Mod_Macuentas::FormateaCuenta(CodigoDejado);
    Campo(QStringLiteral("Codigo"))->setText(codigo);
    TxtCodigo->setText(codigo);
    CodigoCuenta = CodigoDejado;
}

void FrmMA_CUENTAS::SinCuenta() {
    if (!AbandonaLoEscrito()) {
        RestauraCodigo();
        return;
    }
    LimpiarPantalla();
    AbreRecordsetCuentas(TablaCuentas);
}

bool FrmMA_CUENTAS::PasaPuerta(bool SigueConNueva) {
    // A value still in the grid's edit box is part of what the window shows;
    // one its cell refuses stops the command there.
    if (!Grilla->ConfirmaEdicion())
        return false;
    QLineEdit* codigo = Campo(QStringLiteral("Codigo"));
    // The box edited last: the member takes the code box's text only when
    // the box is left, and the box the member's when the member is.
    const bool enCampo =
        QApplication::focusWidget() == codigo ||
        (QApplication::focusWidget() != TxtCodigo && !CodigoSinCambio(codigo->text()));
    const QString texto = (enCampo ? codigo : TxtCodigo)->text().trimmed();
    if (codigo->text() != texto)
        codigo->setText(texto);
    if (TxtCodigo->text().trimmed() != texto)
        TxtCodigo->setText(texto);
    if (CodigoSinCambio(texto))
        return true;
    // Nothing shown and nothing typed: nothing to judge.
    if (texto.isEmpty() && !EsNuevo && !EsModificacion) {
        CodigoDejado.clear();
        return true;
    }
    UltimoJuicio = Juicio::Ninguno;
    Campo_Valida(ClsFormulario::IndiceControl(QStringLiteral("Codigo"), txtFields));
    return SigueConNueva && UltimoJuicio == Juicio::Aceptado;
}

void FrmMA_CUENTAS::DescartaNueva() {
    // Never stored: nothing to delete, audit or copy; confirmed, the entry
    // is dropped as a deleted account would be.
    if (vb::MsgBox(QStringLiteral("Confirma la baja de este registro?"),
                   vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                   QStringLiteral("Atención!")) != vb::vbYes)
        return;
    LimpiarPantalla();
    AbreRecordsetCuentas(TablaCuentas);
}

void FrmMA_CUENTAS::txtFields_GotFocus(int Index) {
    QLineEdit* campo = txtFields[size_t(Index)];
    ValidaAlSalir[size_t(Index)] = true;
    IndiceActual = Index;
    Paxtor1->setEstado(Paxtor::EstadoConsultar,
                       !campo->property("Tag").toString().trimmed().isEmpty());
    Pinta(campo, true);
}

void FrmMA_CUENTAS::txtFields_LostFocus(int Index) {
    QLineEdit* campo = txtFields[size_t(Index)];
    // Only a field that has the focus is left: Qt tells a field it lost a
    // focus it never got when a check moves the focus while it arrives.
    ValidaAlSalir[size_t(Index)] = false;
    if (Index == 1)
        TxtCodigo->setText(campo->text());
    Pinta(campo, false);
}
