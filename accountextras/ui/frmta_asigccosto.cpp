#include "accountextras/ui/frmta_asigccosto.h"

#include "data/instances.h"
#include "lookup/def_qconsulta.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/clsplanilla.h"
#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/modal.h"
#include "platform/ui/mouse.h"
#include "platform/ui/teclas.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"
#include "startup/ui/cns_ventana.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QResizeEvent>
#include <QVBoxLayout>
#include <algorithm>

using CNStuffContable::CuentaActual;

namespace {

constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kArriba = 38;
constexpr int kAbajo = 40;

const QString kAbandonar = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
const QString kConfirmaBaja = QStringLiteral("Confirma la baja de este registro?");

QPointer<Frmta_asigccosto>& instancia() {
    static QPointer<Frmta_asigccosto> w;
    return w;
}

using pasos::Protege;
using pasos::Recuadro;

bool Igual(const QString& a, const QString& b) {
    return a.trimmed().compare(b, Qt::CaseInsensitive) == 0;
}

// The focused field is cyan (&HFFFF00), the others white.
void Pinta(QWidget* campo, bool conFoco) {
    QPalette p = campo->palette();
    p.setColor(QPalette::Base, conFoco ? QColor(0, 255, 255) : QColor(255, 255, 255));
    campo->setPalette(p);
}

// Twips of the window's design, 15 to a pixel.
constexpr int Px(int twips) {
    return twips / 15;
}

} // namespace

// Focus, keys and mouse of the account box, the lists and the grids.
class FiltroCCosto : public QObject {
public:
    explicit FiltroCCosto(Frmta_asigccosto* w) : QObject(w), w_(w) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        const QEvent::Type tipo = evento->type();
        QLineEdit* cuenta = w_->txtCuenta[0];
        QLineEdit* caja = w_->BrwTxt[0];
        if (tipo == QEvent::FocusIn || tipo == QEvent::FocusOut) {
            const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
            // Another window taking the activation is no focus change here.
            if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason)
                return false;
            const bool entra = tipo == QEvent::FocusIn;
            if (objeto == cuenta)
                Protege([&] {
                    if (entra)
                        w_->txtCuenta_GotFocus(0);
                    else
                        w_->txtCuenta_LostFocus(0);
                });
            else if (objeto == caja && entra)
                Protege([&] {
                    w_->IndiceBrw = 0;
                    w_->IndiceCuenta = -2;
                });
            else if (objeto == w_->FGCCosto && entra)
                Protege([&] { w_->FGCCosto_GotFocus(); });
            return false;
        }
        if (tipo == QEvent::KeyPress) {
            const auto* k = static_cast<QKeyEvent*>(evento);
            const int codigo = ui::vbKeyCode(*k);
            const int shift = ui::vbShift(k->modifiers());
            if (objeto == cuenta)
                Protege([&] { w_->txtCuenta_KeyDown(0, codigo, shift); });
            else if (objeto == w_->CmbUnegocio)
                Protege([&] { w_->CmbUnegocio_KeyDown(codigo, shift); });
            else if (objeto == w_->MSHFlexGrid1)
                Protege([&] { w_->MSHFlexGrid1_KeyDown(codigo, shift); });
            return false;
        }
        if (tipo == QEvent::MouseButtonPress) {
            const auto* control = qobject_cast<QWidget*>(objeto);
            const bool derecho =
                control && ui::vbMouseButton(*control, *static_cast<QMouseEvent*>(evento)) == 2;
            if (objeto == cuenta && derecho) {
                Protege([&] { w_->txtCuenta_MouseDown(0, 2); });
                return true;
            }
            if (objeto == caja && derecho) {
                Protege([&] { w_->ConsultarCodigo(); });
                return true;
            }
            return false;
        }
        if (tipo == QEvent::MouseButtonRelease && objeto == w_->FGCCosto->viewport() &&
            static_cast<QMouseEvent*>(evento)->button() == Qt::LeftButton) {
            Protege([&] { w_->FGCCosto_Click(); });
            return false;
        }
        if (tipo == QEvent::MouseButtonDblClick && objeto == w_->MSHFlexGrid1->viewport()) {
            const QModelIndex i =
                w_->MSHFlexGrid1->indexAt(static_cast<QMouseEvent*>(evento)->position().toPoint());
            if (i.isValid())
                w_->MSHFlexGrid1->setCurrentIndex(i);
            Protege([&] { w_->MSHFlexGrid1_DblClick(); });
            return true;
        }
        return false;
    }

private:
    Frmta_asigccosto* w_;
};

Frmta_asigccosto* Frmta_asigccosto::Muestra(bool Menu) {
    // Opened on an account and asked for another: it moves there once a
    // distribution being edited is given up; kept, it stays on its own.
    Frmta_asigccosto* abierta = instancia();
    if (abierta && !Menu && !abierta->Menu && !Igual(abierta->Cuenta, CuentaActual.trimmed()) &&
        (!abierta->EnEdicion ||
         vb::MsgBox(kAbandonar, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                    QStringLiteral("Atención!!!")) == vb::vbYes))
        abierta->Form_Load();
    return ui::showSingle(instancia(), [&](Frmta_asigccosto& w) {
        w.Menu = Menu;
        w.Form_Load();
    });
}

Frmta_asigccosto* Frmta_asigccosto::Instancia() {
    return instancia();
}

Frmta_asigccosto::Frmta_asigccosto(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Actualización de Centros de Costos"));
    ArmaControles();
    ConectaEventos();
    resize(Px(13200), Px(6900));
}

Frmta_asigccosto::~Frmta_asigccosto() {
    // The filters read the controls: they go before the children do.
    delete Previa;
    delete Filtro;
    if (instancia() == this)
        instancia() = nullptr;
}

void Frmta_asigccosto::ArmaControles() {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(4, 4, 4, 4);

    Paxtor1 = new Paxtor(this);
    Paxtor1->setObjectName(QStringLiteral("Paxtor1"));
    raiz->addWidget(Paxtor1);

    auto* cuerpo = new QHBoxLayout;
    raiz->addLayout(cuerpo, 1);
    auto* izquierda = new QWidget(this);
    auto* g = new QGridLayout(izquierda);
    g->setContentsMargins(0, 0, 0, 0);
    cuerpo->addWidget(izquierda, 3);

    Label1 = new QLabel(QStringLiteral("Cuenta"), izquierda);
    Label1->setObjectName(QStringLiteral("Label1"));
    auto* caja = new QLineEdit(izquierda);
    caja->setObjectName(QStringLiteral("txtCuenta"));
    caja->setProperty("Tag", QStringLiteral("ma_cuentas"));
    caja->setProperty("DataField", QStringLiteral("codigo"));
    caja->setMaxLength(15);
    caja->setContextMenuPolicy(Qt::NoContextMenu);
    txtCuenta.push_back(caja);
    lblDescripcion = new QLabel(QStringLiteral("..."), izquierda);
    lblDescripcion->setObjectName(QStringLiteral("lblDescripcion"));
    ChkVariable =
        new QCheckBox(QStringLiteral("&Porcentaje Variable segun Unidad de Negocio:"), izquierda);
    ChkVariable->setObjectName(QStringLiteral("ChkVariable"));
    CmbUnegocio = new QComboBox(izquierda);
    CmbUnegocio->setObjectName(QStringLiteral("CmbUnegocio"));
    CmbUnegocio->setEnabled(false);
    ChkPideConf = new QCheckBox(QStringLiteral("&No pedir confirmacion de porcentajes al Usuario "
                                               "(Debe completarse el 100%)"),
                                izquierda);
    ChkPideConf->setObjectName(QStringLiteral("ChkPideConf"));

    FGCCosto = new FlexGrid(izquierda);
    FGCCosto->setObjectName(QStringLiteral("FGCCosto"));
    auto* brw = new QLineEdit(izquierda);
    brw->setObjectName(QStringLiteral("BrwTxt"));
    brw->setContextMenuPolicy(Qt::NoContextMenu);
    BrwTxt.push_back(brw);
    Edicion = new EdicionCelda(FGCCosto, brw, EdicionCelda::Esquema::PorColumnas, this);

    int fila = 0;
    g->addWidget(Label1, fila, 0);
    g->addWidget(caja, fila, 1);
    g->addWidget(lblDescripcion, fila++, 2);
    g->addWidget(ChkVariable, fila, 0, 1, 2);
    g->addWidget(CmbUnegocio, fila++, 2);
    g->addWidget(ChkPideConf, fila++, 0, 1, 3);
    g->addWidget(FGCCosto, fila, 0, 1, 3);
    g->setRowStretch(fila, 1);
    g->setColumnStretch(2, 1);

    auto* derecha = new QVBoxLayout;
    cuerpo->addLayout(derecha, 2);
    Label2 = new QLabel(QStringLiteral("Cuentas con Centros de Costos"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    MSHFlexGrid1 = new FlexGrid(this);
    MSHFlexGrid1->setObjectName(QStringLiteral("MSHFlexGrid1"));
    MSHFlexGrid1->setFixedCols(0);
    derecha->addWidget(Label2);
    derecha->addWidget(MSHFlexGrid1, 1);
}

void Frmta_asigccosto::ConectaEventos() {
    Filtro = new FiltroCCosto(this);
    for (QObject* o : {static_cast<QObject*>(txtCuenta[0]), static_cast<QObject*>(BrwTxt[0]),
                       static_cast<QObject*>(FGCCosto), static_cast<QObject*>(FGCCosto->viewport()),
                       static_cast<QObject*>(CmbUnegocio), static_cast<QObject*>(MSHFlexGrid1),
                       static_cast<QObject*>(MSHFlexGrid1->viewport())})
        o->installEventFilter(Filtro);
    // The command bar's function keys reach it before the focused control.
    Previa = ui::PreviaTeclas(
        this, [this](int KeyCode, int Shift) { Protege([&] { Form_KeyDown(KeyCode, Shift); }); },
        true);

    // Only an accepted account's lines are edited.
    Edicion->ColumnaEditable = [this](int c) {
        return EnEdicion && c >= 0 && c < int(Columnas.size()) && Columnas[size_t(c)].Editable;
    };
    Edicion->AntesDeAbrir = [this](int c) {
        Brw_Propiedades(c);
        FilaAbierta = FGCCosto->Row();
        LineaAbierta = FilaAbierta > 0 && FilaAbierta < int(Lineas.size())
                           ? Lineas[size_t(FilaAbierta)]
                           : ccosto::LineaCCosto{};
    };
    // The key that opens the box goes in as typed; the checks judge it.
    Edicion->SemillaFiltrada = false;
    Edicion->FiltraTecla = [this](int& KeyAscii) {
        ClsFormulario::FiltraTecla(BrwTxt[0], KeyAscii);
        if (KeyAscii > 0 && KeyAscii < 256)
            KeyAscii = Mod_Macuentas::MayusculaCodigo(std::int16_t(KeyAscii));
    };
    Edicion->TeclaEnCaja = [this](int KeyCode, int Shift) {
        Protege([&] { BrwTxt_KeyDown(0, KeyCode, Shift); });
    };
    // Leaving a cell with the mouse checks the value without messages; so
    // does any other way the box's text reaches its cell, or the cell would
    // show what its line does not hold.
    Edicion->AlDejarCelda = [this](int Fila, int) {
        Protege([&] {
            FilaActual = Fila;
            ValidarCampo(BrwTxt[0], 0, false);
        });
    };
    Edicion->AlConfirmar = Edicion->AlDejarCelda;
    // After the editor's own handler, which commits a box left open.
    connect(FGCCosto->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { Protege([&] { FGCCosto_EnterCell(); }); });
    connect(MSHFlexGrid1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { Protege([&] { MSHFlexGrid1_RowColChange(); }); });
    connect(Paxtor1, &Paxtor::ButtonClick, this,
            [this](const QString& Key) { Protege([&] { Paxtor1_ButtonClick(Key); }); });
    connect(ChkVariable, &QCheckBox::toggled, this,
            [this] { Protege([&] { ChkVariable_Click(); }); });
    connect(CmbUnegocio, &QComboBox::currentIndexChanged, this, [this] {
        if (!LlenandoUnidades)
            Protege([&] { CmbUnegocio_Click(); });
    });
}

// ---- Start, reset and states ---------------------------------------------------------

void Frmta_asigccosto::Form_Load() {
    ClsUtilidades::PreparaFormulario(this);
    CNStuffContable::ConfiguraIconoYBarras(this);
    TablaCCosto = ccosto::TablaGeneral;
    setWindowTitle(QStringLiteral("Actualización de Centros de Costos"));
    MsFlex_Inicializa();
    // The edit box takes each column's type from the table, for its key filter.
    for (ColumnaGrilla& c : Columnas) {
        if (c.Campo.isEmpty())
            continue;
        BrwTxt[0]->setProperty("DataField", c.Campo);
        BrwTxt[0]->setProperty("DataType", QVariant());
        ClsFormulario::AjustaCamposATabla(BrwTxt, TablaCCosto, gDatos().gConnString);
        c.Tipo = BrwTxt[0]->property("DataType");
    }
    LimpiarPantalla();
    // Shown, not accepted: the user accepts it before editing it.
    txtCuenta[0]->setText(Menu ? QString() : CuentaActual.trimmed());
    MuestraCuenta(txtCuenta[0]->text());
    lblDescripcion->setText(ClsUtilidades::ValorCampo(
        gDatos().DatosTabla(QStringLiteral("MA_CUENTAS"), Cuenta, QStringLiteral("DESCRIPCION"),
                            QStringLiteral("CODIGO"), 8, QString(), true, false)));
    Paxtor1->setEstado(Paxtor::PlanillaReporteSegundo, false);
    Paxtor1->setEstado(Paxtor::PlanillaReportePrimero, true);
    Paxtor1->setEstado(Paxtor::NuevoCerrarPrimero, false);
    Paxtor1->setEstado(Paxtor::EstadoBorrar, false);
    Paxtor1->setEstado(Paxtor::GrabarCancelarSegundo, false);
    CargarUnidadesNegocio();
    CargarCuentasAsignadas();
    // GRABAR stays off until an account is accepted: nothing shown is the
    // user's to store before that.
}

void Frmta_asigccosto::LimpiarPantalla() {
    ++Reinicios;
    PasosBarra({[&] {
                   EsNuevo = false;
                   EsBaja = false;
                   EsModificacion = false;
                   Grabando = false;
                   EnEdicion = false;
                   Cuenta.clear();
                   BanderasLeidas = false;
                   ClsFormulario::LimpiaFormulario(this);
                   lblDescripcion->clear();
                   Lineas.assign(1, ccosto::LineaCCosto{});
                   MsFlex_Inicializa();
                   HabilitarControles(false);
                   txtCuenta[0]->clear();
                   txtCuenta[0]->setFocus();
                   CargarUnidadesNegocio();
               }},
               QStringLiteral("AVISO AL OPERADOR"));
}

void Frmta_asigccosto::HabilitarControles(bool Habilitar) {
    txtCuenta[0]->setEnabled(!Habilitar);
    Paxtor1->setEstado(Paxtor::NuevoCerrarPrimero, !Habilitar);
    Paxtor1->setEstado(Paxtor::NuevoCerrarSegundo, !Habilitar);
    Paxtor1->setEstado(Paxtor::GrabarCancelarPrimero, Habilitar);
    Paxtor1->setEstado(Paxtor::GrabarCancelarSegundo, Habilitar);
    Paxtor1->setEstado(Paxtor::EstadoBorrar, Habilitar && !EsNuevo);
    if (!Habilitar)
        return;
    FGCCosto->setRow(1);
    FGCCosto->setCol(1);
    MostrarFila(1);
    FGCCosto->setFocus();
    Edicion->AbrirCaja(32);
}

void Frmta_asigccosto::CargarUnidadesNegocio() {
    LlenandoUnidades = true;
    std::vector<ccosto::Elemento> unidades;
    pasos::RunSteps({
                        [&] {
                            CmbUnegocio->clear();
                            CmbUnegocio->addItem(QStringLiteral("General"));
                        },
                        [&] { unidades = ccosto::UnidadesNegocio(); },
                        [&] {
                            // The item keeps the unit's code: the text may
                            // hold it cut or padded.
                            for (const ccosto::Elemento& u : unidades)
                                CmbUnegocio->addItem(ClsUtilidades::CortaTexto(u.Codigo, 4) + u' ' +
                                                         u.Descripcion,
                                                     u.Codigo.trimmed());
                        },
                    },
                    Recuadro(QStringLiteral("CargarUnidadesNegocio")), pasos::Trap::AllErrors);
    CmbUnegocio->setCurrentIndex(0);
    LlenandoUnidades = false;
    CmbUnegocio_Click();
}

void Frmta_asigccosto::CargarCuentasAsignadas() {
    std::vector<ccosto::Elemento> cuentas;
    pasos::RunSteps({
                        [&] { cuentas = ccosto::CuentasAsignadas(); },
                        [&] {
                            MSHFlexGrid1->setCols(2);
                            MSHFlexGrid1->setRows(1);
                            MSHFlexGrid1->setTextMatrix(0, 0, QStringLiteral("CODIGO"));
                            MSHFlexGrid1->setTextMatrix(0, 1, QStringLiteral("DESCRIPCION"));
                            for (const ccosto::Elemento& c : cuentas)
                                MSHFlexGrid1->AddItem(c.Codigo + u'\t' + c.Descripcion);
                        },
                    },
                    Recuadro(QStringLiteral("CargarCuentasAsignadas")), pasos::Trap::AllErrors);
    AnchosCuentasAsignadas();
}

void Frmta_asigccosto::AnchosCuentasAsignadas() {
    const int ancho = MSHFlexGrid1->width() * FlexGrid::kTwipsPorPixel;
    MSHFlexGrid1->setColWidth(0, ancho / 2);
    MSHFlexGrid1->setColWidth(1, std::max(ancho / 2 - 300, 0));
}

void Frmta_asigccosto::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // The list's halves follow the width it was laid out with.
    AnchosCuentasAsignadas();
}

void Frmta_asigccosto::CargarCentrosCosto() {
    if (Grabando)
        return;
    // The account shown, never a code the box holds unjudged.
    const QString unidad = UnidadNegocio();
    ccosto::Distribucion d;
    pasos::RunSteps({
                        [&] {
                            if (!Cuenta.isEmpty())
                                d = ccosto::LeeDistribucion(Cuenta, unidad);
                            ++Cargas;
                        },
                        [&] {
                            Edicion->Descartar();
                            Lineas.assign(1, ccosto::LineaCCosto{});
                            MsFlex_Inicializa();
                            EsBaja = false;
                            EsNuevo = !d.HayFilas;
                            EsModificacion = d.HayFilas;
                            // Another unit shown while editing: BORRAR follows it.
                            if (EnEdicion)
                                Paxtor1->setEstado(Paxtor::EstadoBorrar, !EsNuevo);
                            // The flags shown are the account's (none without
                            // rows), read once: another unit, or "General"
                            // again, keeps what the boxes hold.
                            if (!BanderasLeidas) {
                                ChkPideConf->setChecked(d.PideConfirmacion);
                                ChkVariable->setChecked(d.VariablePorUD);
                                PideLeida = d.PideConfirmacion;
                                VariableLeida = d.VariablePorUD;
                                Cargada.Banderas = d.Leida.Banderas;
                                BanderasLeidas = true;
                            }
                            Cargada.Lineas = d.Leida.Lineas;
                            LineasLeidas = d.Filas;
                            return d.HayFilas;
                        },
                        [&] {
                            Lineas = d.Filas;
                            for (int n = 1; n < int(Lineas.size()); ++n)
                                MostrarFila(n);
                            FGCCosto->setRow(1);
                            FGCCosto->setCol(1);
                        },
                    },
                    Recuadro(QStringLiteral("Generar")), pasos::Trap::AllErrors);
}

void Frmta_asigccosto::MuestraCuenta(const QString& Codigo) {
    Cuenta = Codigo.trimmed();
    BanderasLeidas = false;
    ++CuentasMostradas;
    CargarCentrosCosto();
}

QString Frmta_asigccosto::UnidadNegocio() const {
    if (CmbUnegocio->currentIndex() <= 0)
        return QString();
    return CmbUnegocio->currentData().toString();
}

// ---- Command bar ------------------------------------------------------------------------

bool Frmta_asigccosto::PasosBarra(const std::vector<pasos::Step>& pasos, const QString& Titulo) {
    return pasos::RunSteps(
        pasos,
        [&Titulo](const ado::Error& e) {
            if (e.Number != 5)
                vb::MsgBox(e.Description, vb::vbCritical, Titulo);
            return pasos::Resume::Exit;
        },
        pasos::Trap::AllErrors);
}

void Frmta_asigccosto::Paxtor1_ButtonClick(const QString& Key) {
    const QString clave = Key.toUpper();
    if (clave == u"NUEVO") {
        PasosBarra({
            [&] { return PasaPuerta(); },
            [&] { LimpiarPantalla(); },
            [&] {
                EsNuevo = true;
                EsBaja = false;
                EsModificacion = false;
                txtCuenta[0]->selectAll();
                txtCuenta[0]->setFocus();
            },
        });
    } else if (clave == u"BORRAR") {
        PasosBarra({[&] { return PasaPuerta(); }, [&] { Borrar(); }});
    } else if (clave == u"GRABAR") {
        PasosBarra({[&] { return PasaPuerta(); }, [&] { Grabar(); }});
        Grabando = false;
    } else if (clave == u"PLANILLA") {
        PasosBarra({[&] {
            ClsPlanilla::MuestraPlanilla(
                ccosto::SentenciaPlanilla(), gDatos().gConnString,
                QStringLiteral("Plan General de Cuentas, Centros de Costos"));
        }});
    } else if (clave == u"CONSULTAR") {
        PasosBarra({[&] { return PasaPuerta(); }, [&] { ConsultarCodigo(); }});
    } else if (clave == u"REPORTE") {
        PasosBarra({[&] { CNStuffContable::ImprimeReporte(QStringLiteral("Rp_PlanCtas")); }});
    } else if (clave == u"CERRAR") {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == u"CANCELAR") {
        PasosBarra({
            [&] { return PasaPuerta(); },
            [&] { return EnEdicion; },
            [&] {
                return vb::MsgBox(kAbandonar,
                                  vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                                  QStringLiteral("Atención!!!")) == vb::vbYes;
            },
            [&] { EnEdicion = false; },
            [&] { LimpiarPantalla(); },
        });
    }
}

bool Frmta_asigccosto::PasaPuerta() {
    const int indice = ClsFormulario::IndiceControl(QStringLiteral("codigo"), txtCuenta);
    QLineEdit* caja = txtCuenta[size_t(indice)];
    const QString texto = caja->text().trimmed();
    if (Igual(texto, Cuenta))
        return true;
    // Emptied while browsing: there is nothing to judge and nothing to store.
    if (texto.isEmpty() && !EnEdicion)
        return true;
    // Refused, the command stops with the message; accepted, the account's
    // distribution is shown and the command ends there.
    ValidarCampo(caja, indice, true);
    return false;
}

bool Frmta_asigccosto::HayCambios() const {
    const auto iguales = [](const ccosto::Lineas& a, const ccosto::Lineas& b) {
        const auto usadas = [](const ccosto::Lineas& l) {
            QStringList t;
            for (size_t n = 1; n < l.size(); ++n)
                if (ccosto::LineaUsada(l[n]))
                    t << l[n].CCosto.trimmed() + u'|' + l[n].Porcentaje.trimmed();
            return t;
        };
        return usadas(a) == usadas(b);
    };
    return !iguales(Lineas, LineasLeidas) || ChkPideConf->isChecked() != PideLeida ||
           ChkVariable->isChecked() != VariableLeida;
}

ccosto::Grabacion Frmta_asigccosto::Distribucion() const {
    ccosto::Grabacion g;
    g.Cuenta = Cuenta;
    g.Unidad = UnidadNegocio();
    g.Filas = Lineas;
    g.Ahora = vb::Now();
    g.Cargada = Cargada;
    // A delete keeps the flags as stored; a save stores those shown.
    g.PideConfirmacion = EsBaja ? PideLeida : ChkPideConf->isChecked();
    g.VariablePorUD = EsBaja ? VariableLeida : ChkVariable->isChecked();
    return g;
}

void Frmta_asigccosto::Grabar() {
    // Only an accepted account's distribution is stored.
    if (!EnEdicion || Cuenta.isEmpty())
        return;
    Grabando = true;
    HayError = false;
    ConfirmaCaja();
    if (!ValidarCampos())
        return;
    Actualizar_Datos();
    // A refused or failed save keeps the edit state and what was typed.
    if (HayError)
        return;
    EnEdicion = false;
    Grabando = false;
    LimpiarPantalla();
    CargarCuentasAsignadas();
}

void Frmta_asigccosto::Borrar() {
    const QLineEdit* caja =
        txtCuenta[size_t(ClsFormulario::IndiceControl(QStringLiteral("codigo"), txtCuenta))];
    const QString cuenta = caja->text().trimmed();
    HayError = false;
    // Only the accepted account's distribution is deleted.
    if (!EnEdicion || cuenta.isEmpty() || !Igual(cuenta, Cuenta))
        return;
    bool abandonada = false;
    const bool conMovimientos = TieneMov(cuenta, abandonada);
    // A check the operator gave up on deletes nothing.
    if (abandonada)
        return;
    if (conMovimientos) {
        vb::MsgBox(QStringLiteral("La cuenta ") + cuenta + QStringLiteral(" tiene movimientos"),
                   vb::vbOKOnly);
        LimpiarPantalla();
        return;
    }
    if (vb::MsgBox(kConfirmaBaja, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                   QStringLiteral("Atención!")) != vb::vbYes)
        return;
    EsBaja = true;
    Actualizar_Datos();
    EsBaja = false;
    if (HayError)
        return;
    EnEdicion = false;
    LimpiarPantalla();
    CargarCuentasAsignadas();
}

bool Frmta_asigccosto::TieneMov(const QString& Cuenta, bool& Abandonada) {
    bool hay = false;
    Abandonada = !pasos::RunSteps({[&] { hay = ccosto::TieneMov(Cuenta); }},
                                  Recuadro(QStringLiteral("TieneMov")), pasos::Trap::AllErrors);
    return hay;
}

void Frmta_asigccosto::Actualizar_Datos() {
    ClsUtilidades::CursorEspera(true);
    // Values the grid refused stay in their lines as typed: the save checks
    // every line and the exact total again.
    const ccosto::Grabacion g = Distribucion();
    const ccosto::Resultado r =
        EsBaja ? ccosto::BorraDistribucion(g) : ccosto::GrabaDistribucion(g);
    ClsUtilidades::CursorEspera(false);
    HayError = !r.hecho();
    TablaCCosto = ccosto::TablaGeneral;
    if (!r.rechazado())
        return;
    vb::MsgBox(r.Mensaje, r.Botones, r.Titulo);
    const auto columna =
        std::find_if(Columnas.begin(), Columnas.end(),
                     [&](const ColumnaGrilla& c) { return Igual(c.Campo, r.Campo); });
    if (columna != Columnas.end())
        VaACelda(r.Fila, int(columna - Columnas.begin()));
}

void Frmta_asigccosto::Form_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    Paxtor1->ProcesaTecla(KeyCode);
}

void Frmta_asigccosto::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    Descargando = true;
    Edicion->Descartar();
    hide();
    // Started on its own, the program ends with the window.
    if (Menu)
        vb::End(0);
    close(); // releases the shared instance
    Descargando = false;
}

void Frmta_asigccosto::closeEvent(QCloseEvent* e) {
    e->accept();
    if (Descargando)
        return;
    int cancelar = 0;
    Protege([&] { Form_Unload(cancelar); });
}

// ---- Fields and lists --------------------------------------------------------------------

void Frmta_asigccosto::txtCuenta_GotFocus(int Index) {
    IndiceBrw = -2;
    IndiceCuenta = Index;
    QLineEdit* caja = txtCuenta[size_t(Index)];
    Paxtor1->setEstado(Paxtor::EstadoConsultar,
                       !caja->property("Tag").toString().trimmed().isEmpty());
    Pinta(caja, true);
}

void Frmta_asigccosto::txtCuenta_LostFocus(int Index) {
    Pinta(txtCuenta[size_t(Index)], false);
}

void Frmta_asigccosto::txtCuenta_KeyDown(int Index, int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (ClsFormulario::EsTeclaAceptar(KeyCode))
        ValidarCampo(txtCuenta[size_t(Index)], Index, true);
}

void Frmta_asigccosto::txtCuenta_MouseDown(int Index, int Button) {
    if (Button != 2)
        return;
    IndiceCuenta = Index;
    IndiceBrw = -2;
    ConsultarCodigo();
}

void Frmta_asigccosto::ChkVariable_Click() {
    CmbUnegocio->setEnabled(ChkVariable->isChecked());
}

void Frmta_asigccosto::CmbUnegocio_Click() {
    CargarCentrosCosto();
}

void Frmta_asigccosto::CmbUnegocio_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode != kEnter)
        return;
    FGCCosto->setRow(1);
    FGCCosto->setCol(1);
    FGCCosto->setFocus();
}

void Frmta_asigccosto::MSHFlexGrid1_DblClick() {
    const int fila = MSHFlexGrid1->Row();
    if (fila < MSHFlexGrid1->FixedRows())
        return;
    txtCuenta[0]->setText(MSHFlexGrid1->TextMatrix(fila, 0));
    txtCuenta_KeyDown(0, kEnter, 0);
}

void Frmta_asigccosto::MSHFlexGrid1_KeyDown(int KeyCode, int Shift) {
    Q_UNUSED(Shift);
    if (KeyCode == kEnter)
        MSHFlexGrid1_DblClick();
}

void Frmta_asigccosto::MSHFlexGrid1_RowColChange() {
    MSHFlexGrid1->setToolTip(MSHFlexGrid1->TextMatrix(MSHFlexGrid1->Row(), 1));
}

void Frmta_asigccosto::ConsultarCodigo() {
    try {
        QLineEdit* caja = BrwTxt[0];
        if (IndiceBrw >= 0 &&
            Igual(caja->property("Tag").toString(), QStringLiteral("ta_ccosto"))) {
            // F6 and CONSULTAR answer as the right button: not on a locked
            // grid, nor before an account is accepted.
            if (!EnEdicion || !ui::AceptaConsulta(*FGCCosto))
                return;
            if (!Edicion->Abierta())
                Edicion->AbrirCaja(32);
            if (!Edicion->Abierta())
                return;
            Lib_ClsCons3& consulta = gConsulta();
            consulta.CampoDevuelto = QStringLiteral("CODIGO");
            QStringList columnas;
            QString busqueda, donde;
            consulta.ConsultaSearch(ccosto::ConsultaCentros(), columnas, QString(), busqueda, donde,
                                    QString(), true, QString());
            caja->setText(consulta.ValorDevuelto.toString().trimmed());
            BrwTxt_KeyDown(0, kEnter, 0);
        } else if (IndiceCuenta >= 0 && !txtCuenta[size_t(IndiceCuenta)]
                                             ->property("Tag")
                                             .toString()
                                             .trimmed()
                                             .isEmpty()) {
            if (!ui::AceptaConsulta(*txtCuenta[size_t(IndiceCuenta)]))
                return;
            QString tabla = QStringLiteral("ma_cuentas");
            QString descripcion, codigo, extra;
            Def_QConsulta::QConsulta(tabla, descripcion, codigo, extra, true, QString());
            txtCuenta[0]->setText(codigo.trimmed());
            const QString nombre =
                ClsUtilidades::ValorCampo(gDatos().DatosTabla(QStringLiteral("ma_cuentas"),
                                                              txtCuenta[0]->text().trimmed(),
                                                              QStringLiteral("descripcion"),
                                                              QStringLiteral("codigo"), 8,
                                                              QString(), true, false))
                    .trimmed();
            lblDescripcion->setText(nombre);
            if (!nombre.isEmpty())
                txtCuenta_KeyDown(0, kEnter, 0);
        }
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        // A failed lookup leaves the field as it was.
    }
}

// ---- The grid --------------------------------------------------------------------------

void Frmta_asigccosto::MsFlex_Inicializa() {
    Edicion->Descartar();
    BrwTxt[0]->clear();
    IndiceBrw = 0;
    const std::array<ColumnaGrilla, 4> columnas{{
        {QStringLiteral("Linea"), QString(), QString(), 5, false, Columnas[0].Tipo},
        {QStringLiteral("C. Costo"), QStringLiteral("TA_CCOSTO"), QStringLiteral("CCOSTO"), 4,
         false, Columnas[1].Tipo},
        {QStringLiteral("Descripción"), QString(), QStringLiteral("DESCRIPCION"), 52, false,
         Columnas[2].Tipo},
        {QStringLiteral("Porcentaje"), QString(), QStringLiteral("PORCENTAJE"), 10, false,
         Columnas[3].Tipo},
    }};
    Columnas = columnas;
    FGCCosto->Clear();
    FGCCosto->setCols(int(Columnas.size()));
    FGCCosto->setRows(20);
    FGCCosto->setCol(0);
    FGCCosto->setRow(0);
    for (int c = 0; c < int(Columnas.size()); ++c) {
        const ColumnaGrilla& col = Columnas[size_t(c)];
        // The design's width, or as much as the heading needs in this font.
        const int titulo =
            (FGCCosto->fontMetrics().horizontalAdvance(col.Titulo) + 12) * FlexGrid::kTwipsPorPixel;
        FGCCosto->setColWidth(c, std::max((col.Largo + 1) * 80, titulo));
        FGCCosto->setColAlignment(c, Igual(col.Campo, QStringLiteral("porcentaje"))
                                         ? Qt::AlignRight | Qt::AlignBottom
                                         : Qt::AlignLeft | Qt::AlignVCenter);
        FGCCosto->setTextMatrix(0, c, col.Titulo);
    }
    for (int i = 1; i < FGCCosto->Rows(); ++i)
        FGCCosto->setTextMatrix(i, 0, QString::number(i));
    FilaActual = 0;
}

void Frmta_asigccosto::MostrarFila(int fila) {
    Columnas[1].Editable = true;
    if (fila <= 0 || fila >= int(Lineas.size()))
        return;
    if (fila >= FGCCosto->Rows())
        FGCCosto->setRows(fila + 1);
    FGCCosto->setTextMatrix(fila, 0, QString::number(fila));
    ccosto::LineaCCosto& l = Lineas[size_t(fila)];
    l.CCosto = l.CCosto.trimmed();
    l.Descripcion = l.Descripcion.trimmed();
    l.Porcentaje = l.Porcentaje.trimmed();
    FGCCosto->setTextMatrix(fila, 1, l.CCosto);
    FGCCosto->setTextMatrix(fila, 2, l.Descripcion);
    FGCCosto->setTextMatrix(fila, 3, l.Porcentaje);
    Columnas[3].Editable = !l.CCosto.isEmpty();
    Columnas[2].Editable = false;
}

void Frmta_asigccosto::Brw_Propiedades(int Columna) {
    if (Columna < 0 || Columna >= int(Columnas.size()))
        return;
    const ColumnaGrilla& c = Columnas[size_t(Columna)];
    QLineEdit* caja = BrwTxt[0];
    caja->setProperty("DataField", c.Campo);
    caja->setProperty("DataType", c.Tipo);
    caja->setEnabled(c.Editable);
    caja->setMaxLength(c.Largo);
    caja->setProperty("Tag", c.Tabla);
}

void Frmta_asigccosto::FGCCosto_GotFocus() {
    IndiceCuenta = -2;
    IndiceBrw = 0;
    const int c = FGCCosto->Col();
    Paxtor1->setEstado(Paxtor::EstadoConsultar, c >= 0 && c < int(Columnas.size()) &&
                                                    !Columnas[size_t(c)].Tabla.trimmed().isEmpty());
}

void Frmta_asigccosto::FGCCosto_Click() {
    IndiceCuenta = -2;
    IndiceBrw = 0;
    // The lookup is offered only where the box can take its answer.
    const int c = FGCCosto->Col();
    Paxtor1->setEstado(Paxtor::EstadoConsultar, c >= 0 && c < int(Columnas.size()) &&
                                                    Columnas[size_t(c)].Editable &&
                                                    !Columnas[size_t(c)].Tabla.trimmed().isEmpty());
}

void Frmta_asigccosto::FGCCosto_EnterCell() {
    IndiceCuenta = -2;
    IndiceBrw = 0;
    const int fila = FGCCosto->Row();
    const int c = FGCCosto->Col();
    Paxtor1->setEstado(Paxtor::EstadoConsultar, c >= 0 && c < int(Columnas.size()) &&
                                                    !Columnas[size_t(c)].Tabla.trimmed().isEmpty());
    if (fila != FilaActual)
        MostrarFila(FilaActual);
    FilaActual = fila;
    if (FilaActual >= int(Lineas.size()))
        Lineas.resize(size_t(FilaActual) + 1);
    Brw_Propiedades(c);
    MostrarFila(FilaActual);
}

void Frmta_asigccosto::BrwTxt_KeyDown(int Index, int KeyCode, int Shift) {
    if (!EnEdicion)
        return;
    // A value put in the closed box (a lookup's answer) shows again over the
    // current cell, so that a refusal leaves it there to be corrected.
    if (IndiceBrw == 0 && !Edicion->Abierta()) {
        const QString valor = BrwTxt[0]->text();
        Edicion->AbrirCaja(32);
        if (Edicion->Abierta()) {
            BrwTxt[0]->setText(valor);
            BrwTxt[0]->setCursorPosition(int(valor.size()));
        }
    }
    if (KeyCode == kEscape) {
        // The typed value is dropped from the line too: a refused check
        // left it there.
        const int fila = Edicion->FilaEditada();
        Edicion->EditKeyCode(KeyCode, Shift);
        if (fila > 0 && fila == FilaAbierta && fila < int(Lineas.size())) {
            Lineas[size_t(fila)] = LineaAbierta;
            MostrarFila(fila);
        }
        return;
    }
    if (!ClsFormulario::EsTeclaAceptar(KeyCode) && KeyCode != kArriba && KeyCode != kAbajo)
        return;
    int tecla = kEnter; // the shared filter sees the accept key too
    ClsFormulario::FiltraTecla(BrwTxt[size_t(Index)], tecla);
    if (Edicion->Abierta())
        FilaActual = Edicion->FilaEditada();
    ValidarCampo(BrwTxt[size_t(Index)], Index, true);
    if (!HayError)
        Edicion->EditKeyCode(KeyCode, Shift);
}

void Frmta_asigccosto::ConfirmaCaja() {
    if (!Edicion->Abierta())
        return;
    FilaActual = Edicion->FilaEditada();
    ValidarCampo(BrwTxt[0], 0, false);
    Edicion->Confirmar();
}

void Frmta_asigccosto::VaACelda(int Fila, int Columna) {
    Edicion->Descartar();
    FGCCosto->setRow(Fila);
    FGCCosto->setCol(Columna);
    FGCCosto->setFocus();
    Edicion->AbrirCaja(32);
}

// ---- Checks ------------------------------------------------------------------------------

void Frmta_asigccosto::Rechaza(const QString& Mensaje, bool MostrarMensaje) {
    HayError = true;
    if (MostrarMensaje)
        vb::MsgBox(Mensaje, vb::vbExclamation + vb::vbOKOnly, ccosto::TituloAviso);
}

void Frmta_asigccosto::ValidarCampo(QLineEdit* Control, int Index, bool MostrarMensaje) {
    Q_UNUSED(Index);
    HayError = false;
    const QString campo = Control->property("DataField").toString();
    const QString v = Control->text().trimmed();
    if (Igual(Control->objectName(), QStringLiteral("BrwTxt"))) {
        if (!EnEdicion || FilaActual <= 0)
            return;
        if (FilaActual >= int(Lineas.size()))
            Lineas.resize(size_t(FilaActual) + 1);
        ccosto::LineaCCosto& l = Lineas[size_t(FilaActual)];
        if (Igual(campo, QStringLiteral("CCosto"))) {
            l.CCosto = v;
            QString codigo, descripcion;
            const QString m = ccosto::ValidaCentro(Lineas, FilaActual, v, codigo, descripcion);
            if (!m.isEmpty())
                return Rechaza(m, MostrarMensaje);
            l.CCosto = codigo;
            l.Descripcion = descripcion;
            if (l.CCosto.isEmpty())
                l = ccosto::LineaCCosto{};
        } else if (Igual(campo, QStringLiteral("Porcentaje"))) {
            l.Porcentaje = v;
            QString m = v.isEmpty() ? QString() : ccosto::ValidaPorcentaje(v);
            if (m.isEmpty())
                ccosto::VerificarSumaPorcentajes(Lineas, m);
            if (!m.isEmpty())
                return Rechaza(m, MostrarMensaje);
        } else {
            return;
        }
        if (Grabando)
            if (const QString m = ccosto::VerificaSumaTotal(Lineas, ChkPideConf->isChecked());
                !m.isEmpty())
                return Rechaza(m, MostrarMensaje);
        MostrarFila(FilaActual);
        return;
    }
    if (Igual(Control->objectName(), QStringLiteral("txtCuenta")) &&
        Igual(campo, QStringLiteral("CODIGO"))) {
        QString descripcion;
        const QString m = ccosto::ValidaCuenta(v, descripcion);
        if (!m.isEmpty()) {
            // Editing, the box is locked: a code put there (from the list)
            // and refused gives way to the account shown.
            if (EnEdicion && !Grabando)
                Control->setText(Cuenta);
            return Rechaza(m, MostrarMensaje);
        }
        // While saving, the account is the one accepted (every command
        // judges an edited box first); the save reads it again inside its
        // transaction.
        if (Grabando)
            return;
        // A load drops what was typed for the account shown only when the
        // user gives it up (a value still in the edit box is typed too);
        // kept, the box gets its account back.
        if (EnEdicion) {
            ConfirmaCaja();
            HayError = false;
        }
        if (EnEdicion && HayCambios() &&
            vb::MsgBox(kAbandonar, vb::vbYesNo + vb::vbExclamation + vb::vbDefaultButton2,
                       QStringLiteral("Atención!!!")) != vb::vbYes) {
            Control->setText(Cuenta);
            return;
        }
        lblDescripcion->setText(descripcion);
        Control->setText(v);
        MuestraCuenta(v);
        EnEdicion = true;
        HabilitarControles(true);
    }
}

bool Frmta_asigccosto::ValidarCampos() {
    for (int i = 0; i < int(txtCuenta.size()); ++i) {
        ValidarCampo(txtCuenta[size_t(i)], i, true);
        if (HayError)
            break;
    }
    return !HayError;
}
