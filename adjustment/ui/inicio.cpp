// Start-up of the adjustment window, a new entry, the toolbar keys, the
// header lock, the field lookups and the unload.

#include "adjustment/ui/frmquarzelo.h"

#include "adjustment/core/grabacion.h"
#include "adjustment/core/lectura.h"
#include "data/instances.h"
#include "lookup/def_qconsulta.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/clsplanilla.h"
#include "platform/ui/mouse.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"
#include "startup/ui/cns_ventana.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using CNStuffContable::gPeriodoActual;

namespace {

const QString kPreguntaEjercicio =
    QStringLiteral("INGRESE EL NUMERO DE EJERCICIO CONTABLE QUE DESEA AJUSTAR...");
const QString kTituloEjercicio = QStringLiteral("AVISO AL OPERADOR");
const QString kAbandonar = QStringLiteral("¿Está seguro de abandonar la carga de datos?");

// "MM/AAAA" of a "dd/mm/yyyy" text.
QString MesDe(const QString& fecha) {
    return fecha.mid(3, 7);
}

} // namespace

void FrmQuarzelo::Form_Load() {
    CNStuffContable::IniciaSistema();
    CNStuffContable::AplicaSkin(this);
    CNStuffContable::ConfiguraIconoYBarras(this);
    ClsUtilidades::PreparaFormulario(this);
    CNStuffContable::CargaBarraEstado(sbStatusBar, QString());

    Tabla = QStringLiteral("MV_ASIENTOS");
    Mod_Macuentas::CargaDigitosPlan();
    AbreRecordsetAsientos(Tabla);

    if (const std::optional<QString> abierto = LecturaAjuste::PrimerEjercicioAbierto())
        gPeriodoActual = *abierto;

    // The year must exist and be open; the question comes again until it does.
    int ejercicio = 0;
    for (;;) {
        const QString respuesta =
            vb::InputBox(kPreguntaEjercicio, kTituloEjercicio, gPeriodoActual);
        if (respuesta.trimmed().isEmpty())
            vb::End(0);
        const QString motivo = LecturaAjuste::MotivoEjercicio(respuesta, ejercicio);
        if (motivo.isEmpty())
            break;
        vb::MsgBox(motivo, vb::vbExclamation, kTituloEjercicio);
    }
    gPeriodoActual = QString::number(ejercicio);
    NuevoAsiento();
}

void FrmQuarzelo::NuevoAsiento() {
    ClsFormulario::LimpiaFormulario(this, 0, QStringLiteral("TXTFIELDS"));
    txtTotal[0]->setText(QStringLiteral("0"));
    txtTotal[1]->setText(QStringLiteral("0"));
    HabilitaCabecera(false);
    LblDescCuenta->clear();
    Lineas.assign(1, TipoLineaAjuste());
    ArmaGrilla();
    txtTotal[0]->setEnabled(false);
    txtTotal[1]->setEnabled(false);
    // The voucher fields the last entry's voucher type disabled, and the
    // concept that only a generation opens.
    Campo(QStringLiteral("SUCURSAL"))->setEnabled(true);
    Campo(QStringLiteral("NUMERO"))->setEnabled(true);
    Campo(QStringLiteral("DETALLE"))->setEnabled(false);
    PonContenido(Contenido::SinLineas);
    CtaReiValidada = false;
    CuentaReiValidada.clear();
    CuentaReiLineas.clear();
    RechazoAlSalir = false;

    // The chosen year, not the rules object's own.
    const QVariant ejercicio(gPeriodoActual);
    Reglas->EjercicioRango(InicioEjercicio, FinEjercicio, ejercicio);
    InicioEjercicio = vb::Format(QVariant(InicioEjercicio), QStringLiteral("dd/mm/yyyy"));
    FinEjercicio = vb::Format(QVariant(FinEjercicio), QStringLiteral("dd/mm/yyyy"));

    QString fechaAjuste, ajusteHasta;
    QVariant nroAjuste;
    Reglas->UltimoAjuste(fechaAjuste, ajusteHasta, nroAjuste, ejercicio);
    // Adjustments are dated on the year's last day whatever months they
    // cover: the year is finished only when one covers its last month.
    const std::optional<QDateTime> hasta = vb::ParseDate(Recorta(ajusteHasta));
    const std::optional<QDateTime> fin = vb::ParseDate(FinEjercicio);
    const auto mes = [](const QDate& d) { return d.year() * 12 + d.month(); };
    if (hasta && fin && mes(hasta->date()) >= mes(fin->date()))
        vb::MsgBox(GrabacionAjuste::AvisoUltimoAjuste(fechaAjuste), vb::vbCritical,
                   QStringLiteral("Atencion"));

    if (hasta) {
        const QDate primero(hasta->date().year(), hasta->date().month(), 1);
        DesdeDefecto = vb::Format(vb::AddMonths(primero, 1), QStringLiteral("mm/yyyy"));
    } else {
        DesdeDefecto = MesDe(InicioEjercicio);
    }
    HastaDefecto = MesDe(FinEjercicio);

    std::int16_t periodo = 0;
    ObtienePeriodo(FinEjercicio, periodo);
    gPeriodoActual = QString::number(periodo);

    QLineEdit* desde = Campo(QStringLiteral("PERIODO_DESDE"));
    QLineEdit* hastaCampo = Campo(QStringLiteral("PERIODO_HASTA"));
    desde->setText(DesdeDefecto);
    hastaCampo->setText(HastaDefecto);
    desde->setEnabled(false);
    hastaCampo->setEnabled(false);

    const QDateTime hoy = vb::Now();
    NumeroMostrado = QString::number(
        Reglas->UltimoNumeroAsiento(hoy.date().month(), QString(), QVariant(gPeriodoActual)));
    Campo(QStringLiteral("[NUMERO ASIENTO]"))
        ->setText(Reglas->FormatDisplayNroAsiento(NumeroMostrado, hoy));

    QLineEdit* fechaCampo = Campo(QStringLiteral("FECHA"));
    fechaCampo->setText(FinEjercicio);
    fechaCampo->setEnabled(false);
    CmdGenerar->setEnabled(false);
    // Typing starts in the first field the user fills (the REI account).
    ClsFormulario::FocoAlPrimerCampo(FrmCabecera);
    CabeceraTecleada = false;
    // What the entry was prepared with is no change of the user's.
    Validado.assign(txtFields.size(), false);
    Tocado.assign(txtFields.size(), false);
}

bool FrmQuarzelo::AsientoPendiente() const {
    // An entry read back is stored already: leaving it loses nothing.
    if (Estado == Contenido::Leido)
        return false;
    return Modificado || CabeceraTecleada || Lineas.size() > 1;
}

void FrmQuarzelo::PonContenido(Contenido c) {
    Estado = c;
    const bool sinLineas = c == Contenido::SinLineas;
    Paxtor1->setEstado(Paxtor::EstadoGrabar, c == Contenido::Grabable);
    // What decides the lines stays as they were generated with until a new entry.
    chkIncluirProforma->setEnabled(sinLineas);
    Campo(QStringLiteral("CTA_REI"))->setEnabled(sinLineas);
    if (!sinLineas)
        CmdGenerar->setEnabled(false);
}

void FrmQuarzelo::setLineas(LineasAjuste lineas) {
    Lineas = std::move(lineas);
    CuentaReiLineas = CuentaReiValidada;
    PonContenido(Lineas.size() > 1 ? Contenido::Grabable : Contenido::SinLineas);
}

bool FrmQuarzelo::ReiDeLasLineas() {
    const int indice = ClsFormulario::IndiceControl(QStringLiteral("CTA_REI"), txtFields);
    QLineEdit* rei = txtFields[size_t(indice)];
    const QString texto = Recorta(rei->text());
    // The save check reads only the enabled fields: a locked account is read
    // again, it may have become a title or gone since it was validated (or
    // been written again as the lines have it).
    if (!rei->isEnabled() &&
        (CtaReiValidada || (!CuentaReiLineas.isEmpty() && texto == CuentaReiLineas))) {
        const bool antes = SoloRevalida;
        SoloRevalida = true;
        ValidaCampo(rei, indice, true);
        SoloRevalida = antes;
        if (HayError)
            return false;
    }
    // The lines balance on the account validated and shown, or the entry is
    // not the one on the screen.
    if (CtaReiValidada && texto == CuentaReiValidada && !CuentaReiLineas.isEmpty() &&
        CuentaReiLineas == CuentaReiValidada)
        return true;
    HayError = true;
    vb::MsgBox(QStringLiteral("Debe ingresar un código de Cuenta R.E.I."), vb::vbExclamation,
               QStringLiteral("Aviso al Operador"));
    return false;
}

bool FrmQuarzelo::Abandona(bool Pendiente) const {
    return !Pendiente ||
           vb::MsgBox(kAbandonar, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                      QStringLiteral("ATENCIÓN!!!")) == vb::vbYes;
}

void FrmQuarzelo::Paxtor1_ButtonClick(const QString& Key) {
    const QString clave = Key.toUpper();
    if (clave == u"NUEVO") {
        NuevoAsiento();
    } else if (clave == u"BORRAR") {
        // Stored entries are not deleted from this window.
    } else if (clave == u"GRABAR") {
        // Only the lines of a complete generation, as the grid shows them.
        if (Estado != Contenido::Grabable)
            return;
        bool ok = false;
        // A check whose read was abandoned has checked nothing: no save.
        const int abandonadas = gDatos().LecturasAbandonadas();
        struct Fin {
            FrmQuarzelo& w;
            ~Fin() { w.SoloRevalida = w.Grabando = false; }
        } fin{*this};
        Grabando = true;
        ValidaTotales(ok);
        if (!ok || !ReiDeLasLineas())
            return;
        if (gDatos().LecturasAbandonadas() != abandonadas) {
            HayError = true;
            return;
        }
        GrabaAsiento();
        const bool grabado = !HayError;
        if (grabado) {
            Modificado = false;
            NuevoAsiento();
            HabilitaCabecera(false);
            vb::MsgBox(QStringLiteral("Proceso Completo!"), vb::vbInformation,
                       QStringLiteral("Proceso Completo"));
        } else {
            PonContenido(Contenido::NoGrabable);
        }
        HabilitaCabecera(false);
        Paxtor1->setEstado(Paxtor::EstadoCerrar, false);
        Paxtor1->setEstado(Paxtor::EstadoBorrar, false);
        Paxtor1->setEstado(Paxtor::EstadoGrabar, false);
        Paxtor1->setEstado(Paxtor::EstadoCancelar, false);
        Paxtor1->setEstado(Paxtor::EstadoNuevo, true);
        CmdGenerar->setEnabled(false);
    } else if (clave == u"PLANILLA") {
        ClsPlanilla::MuestraPlanilla(GrabacionAjuste::SentenciaPlanilla(), gDatos().gConnString,
                                     QStringLiteral("Asientos de Ajuste"));
    } else if (clave == u"CONSULTAR") {
        ConsultaCampo();
    } else if (clave == u"REPORTE") {
        CNStuffContable::ImprimeReporte(QStringLiteral("RP_ASIENTOS"));
    } else if (clave == u"CERRAR") {
        if (!Abandona(AsientoPendiente()))
            return;
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == u"CANCELAR") {
        // Generated lines not stored are lost as by the close box: asked first.
        if (!Abandona(AsientoPendiente()))
            return;
        Modificado = false;
        NuevoAsiento();
    }
}

void FrmQuarzelo::HabilitaCabecera(bool Bloquear) {
    if (!Bloquear) {
        Paxtor1->setEstado(Paxtor::EstadoCerrar, true);
        Paxtor1->setEstado(Paxtor::EstadoBorrar, false);
        Paxtor1->setEstado(Paxtor::EstadoGrabar, false);
        Paxtor1->setEstado(Paxtor::EstadoCancelar, true);
        Paxtor1->setEstado(Paxtor::EstadoNuevo, true);
        FrmCabecera->setEnabled(true);
        // Lines are stored only as generated and shown: GRABAR follows them.
        PonContenido(Estado);
    } else {
        Paxtor1->setEstado(Paxtor::EstadoCerrar, false);
        Paxtor1->setEstado(Paxtor::EstadoBorrar, false);
        FrmCabecera->setEnabled(false);
        // Once lines exist the entry keeps them until a new one.
        CmdGenerar->setEnabled(Estado == Contenido::SinLineas);
    }
}

void FrmQuarzelo::ConsultaCampo() {
    if (IndiceActual < 0 || IndiceActual >= int(txtFields.size()))
        return;
    QLineEdit* campo = txtFields[size_t(IndiceActual)];
    QString tag = Recorta(campo->property("Tag").toString());
    // F6 and CONSULTAR answer as the right button: not on a locked field.
    if (tag.isEmpty() || !ui::AceptaConsulta(*campo))
        return;
    if (tag.compare(u"TA_COMPROBANTES_1", Qt::CaseInsensitive) == 0)
        tag = QStringLiteral("TA_COMPROBANTES");

    QString valor;
    if (tag.compare(u"TA_COMPROBANTES", Qt::CaseInsensitive) == 0) {
        QString tabla = QStringLiteral("TA_COMPROBANTES");
        QString descripcion, codigo, extra;
        Def_QConsulta::QConsulta(tabla, descripcion, codigo, extra, true, QString());
        valor = codigo;
    } else if (tag.compare(u"FECHA", Qt::CaseInsensitive) == 0) {
        valor = campo->text();
        if (!ClsUtilidades::PideFecha(valor))
            valor.clear();
    } else {
        Lib_ClsCons3& consulta = gConsulta();
        consulta.CampoDevuelto = QStringLiteral("CODIGO");
        QStringList ninguna;
        QString campoBusqueda, where;
        consulta.ConsultaSearch(LecturaAjuste::ConsultaCuentaRei(), ninguna, QString(),
                                campoBusqueda, where, QString(), false, QString());
        valor = consulta.ValorDevuelto.toString();
    }
    // A cancelled lookup leaves the field as it was.
    if (valor.isEmpty())
        return;
    campo->setText(valor);
    // The lookup window has just closed: the field must have the focus again
    // before Enter moves it on, or the window's return would give it back.
    activateWindow();
    QApplication::setActiveWindow(this);
    campo->setFocus(Qt::OtherFocusReason);
    int enter = 13;
    txtFields_KeyDown(IndiceActual, enter, 0);
}

void FrmQuarzelo::AbreRecordsetAsientos(const QString& Tabla_) {
    LecturaAjuste::AbreRecordsetAsientos(Tabla_, RsAsientos);
}

void FrmQuarzelo::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    try {
        Lineas.clear();
    } catch (...) {
    }
    try {
        hide();
    } catch (...) {
    }
    try {
        if (RsAsientos)
            gDatos().CierraRecordset(RsAsientos);
        RsAsientos.reset();
        Reglas.release();
    } catch (...) {
    }
    vb::End(0);
}

void FrmQuarzelo::closeEvent(QCloseEvent* e) {
    // The close box is CERRAR: an entry not stored asks first.
    if (!Abandona(AsientoPendiente())) {
        e->ignore();
        return;
    }
    e->accept();
    int cancelar = 0;
    Form_Unload(cancelar);
}
