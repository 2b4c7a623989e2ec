// The list lookup window: controls, loading (columns and rows), the layout of
// the search strip and unloading.

#include "lookup/lib_frmcons3.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "lookup/lib_frmcons3_interno.h"
#include "lookup/sentencia_consulta.h"
#include "platform/vb/msgbox.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QComboBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QStyleOptionViewItem>
#include <QTimer>
#include <QTreeView>
#include <QVBoxLayout>

namespace frmcons3 {

pasos::OnError CajaOperador(const QString& rutina) {
    return [rutina](const ado::Error& e) {
        return pasos::ResumeFor(
            int(CNStuffContable::AvisaErrorOperador(e, std::nullopt, QVariant(rutina))));
    };
}

void Ignorando(const std::vector<pasos::Step>& lista) {
    pasos::RunSteps(
        lista, [](const ado::Error&) { return pasos::Resume::Next; }, pasos::Trap::AllErrors);
}

bool Igual(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QColor ColorVB(const QVariant& valor) {
    const QString texto = vb::CStr(valor).trimmed();
    if (texto.isEmpty())
        return QColor();
    const auto n = std::uint32_t(std::int64_t(vb::Val(texto)));
    return QColor(int(n & 0xFF), int((n >> 8) & 0xFF), int((n >> 16) & 0xFF));
}

} // namespace frmcons3

using namespace frmcons3;

namespace {

bool EsModificador(int tecla) {
    return tecla == Qt::Key_Shift || tecla == Qt::Key_Control || tecla == Qt::Key_Alt ||
           tecla == Qt::Key_Meta || tecla == Qt::Key_AltGr;
}

} // namespace

// Keys and focus of the list and the search combos reach the window's
// handlers; a key a handler acted on goes no further.
class FiltroTeclasConsulta : public QObject {
public:
    explicit FiltroTeclasConsulta(Lib_FrmCons3& ventana) : QObject(&ventana), w_(ventana) {}

    bool eventFilter(QObject* objeto, QEvent* evento) override {
        const auto* combo = qobject_cast<QComboBox*>(objeto);
        if (combo && (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut)) {
            // Switching windows or opening the combo's list is no change of
            // the field in use.
            const Qt::FocusReason r = static_cast<QFocusEvent*>(evento)->reason();
            if (r != Qt::ActiveWindowFocusReason && r != Qt::PopupFocusReason) {
                const int i = combo->property("Index").toInt();
                if (evento->type() == QEvent::FocusIn)
                    w_.CmbSearch_GotFocus(i);
                else
                    w_.CmbSearch_LostFocus(i);
            }
            return false;
        }
        if (evento->type() != QEvent::KeyPress)
            return false;
        const auto* tecla = static_cast<QKeyEvent*>(evento);
        // A key that comes while End or Home waits for its rows wins.
        if (w_.ExtremoPendiente && !EsModificador(tecla->key()))
            w_.CancelaBusqueda();
        int codigo = CodigoTecla(*tecla);
        const int shift = ui::vbShift(tecla->modifiers());
        w_.Form_KeyDown(codigo, shift);
        if (codigo == 0)
            return true;
        if (combo) {
            w_.CmbSearch_KeyDown(combo->property("Index").toInt(), codigo, shift);
            return codigo == 0;
        }
        w_.ListView1_KeyDown(codigo, shift, tecla->text());
        if (codigo == 0)
            return true;
        // The list's own Home and End reach its ends, read or not.
        if (tecla->key() == Qt::Key_End || tecla->key() == Qt::Key_Home) {
            if (tecla->key() == Qt::Key_End)
                w_.IrAlFinal();
            else
                w_.IrAlPrincipio();
            return true;
        }
        return false;
    }

private:
    Lib_FrmCons3& w_;
};

Lib_FrmCons3::Lib_FrmCons3(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Consulta..."));
    ArmaControles();
    resize(640, 480);
}

Lib_FrmCons3::~Lib_FrmCons3() {
    if (!Descargada) {
        int cancelar = 0;
        Form_Unload(cancelar);
    }
    // Hiding the controls on the way out must not reach this half-gone window.
    delete Filtro;
    ListView1->header()->disconnect(this);
    ListView1->horizontalScrollBar()->disconnect(this);
    ListView1->verticalScrollBar()->disconnect(this);
    ListView1->disconnect(this);
}

void Lib_FrmCons3::ArmaControles() {
    Filtro = new FiltroTeclasConsulta(*this);
    auto* raiz = new QVBoxLayout(this);

    auto* cabecera = new QHBoxLayout;
    Label1 = new QLabel(QStringLiteral("CONSULTA"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    QFont titulo = Label1->font();
    titulo.setBold(true);
    Label1->setFont(titulo);
    lblFieldName = new QLabel(this);
    lblFieldName->setObjectName(QStringLiteral("lblFieldName"));
    CmdNuevo = new QPushButton(QStringLiteral("N&uevo"), this);
    CmdNuevo->setObjectName(QStringLiteral("CmdNuevo"));
    cabecera->addWidget(Label1);
    cabecera->addWidget(lblFieldName, 1);
    cabecera->addWidget(CmdNuevo);
    raiz->addLayout(cabecera);

    picFields = new QWidget(this);
    picFields->setObjectName(QStringLiteral("picFields"));
    raiz->addWidget(picFields);
    NuevoCombo(0);
    picFields->setFixedHeight(CmbSearch[0]->sizeHint().height());

    Modelo = new ModeloConsulta(this);
    ListView1 = new QTreeView(this);
    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(Modelo);
    ListView1->setRootIsDecorated(false);
    ListView1->setItemsExpandable(false);
    ListView1->setUniformRowHeights(true); // keeps a long list cheap to lay out
    ListView1->setAllColumnsShowFocus(true);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    QHeaderView* encabezado = ListView1->header();
    encabezado->setStretchLastSection(false);
    encabezado->setSectionsMovable(false);
    encabezado->setSectionsClickable(true);
    encabezado->setSortIndicatorShown(false);
    ListView1->installEventFilter(Filtro);
    raiz->addWidget(ListView1, 1);

    connect(encabezado, &QHeaderView::sectionClicked, this,
            [this](int seccion) { ListView1_ColumnClick(seccion + 1); });
    connect(encabezado, &QHeaderView::sectionResized, this, [this] { ColocaCombos(); });
    connect(encabezado, &QHeaderView::geometriesChanged, this, [this] { ColocaCombos(); });
    connect(ListView1->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { ColocaCombos(); });
    // A list that starts at a row found reads the rows before it as the user
    // scrolls up to its top.
    connect(ListView1->verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int valor) {
        if (valor == ListView1->verticalScrollBar()->minimum() && Modelo->quedanAnteriores())
            QMetaObject::invokeMethod(
                this,
                [this] {
                    // Rows put before meanwhile moved it off the top: none are wanted yet.
                    QScrollBar* barra = ListView1->verticalScrollBar();
                    if (barra->value() == barra->minimum())
                        TraeAnteriores();
                },
                Qt::QueuedConnection);
    });
    connect(ListView1, &QAbstractItemView::doubleClicked, this, [this] { ListView1_DblClick(); });

    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    auto* botones = new QHBoxLayout(Frame1);
    botones->setContentsMargins(0, 0, 0, 0);
    auto boton = [this](const char* nombre, const QString& texto) {
        auto* b = new QPushButton(texto, Frame1);
        b->setObjectName(QLatin1String(nombre));
        // Enter belongs to the list: no button takes it for the window.
        b->setAutoDefault(false);
        return b;
    };
    CmdAceptar = boton("CmdAceptar", QStringLiteral("&Aceptar"));
    CmdTodos = boton("CmdTodos", QStringLiteral("&Marcar"));
    CmdCancelar = boton("CmdCancelar", QStringLiteral("&Cancelar"));
    CmdNueva = boton("CmdNueva", QStringLiteral("&Nueva Busqueda"));
    CmdNuevo->setAutoDefault(false);
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdTodos);
    botones->addStretch();
    botones->addWidget(CmdCancelar);
    botones->addStretch();
    botones->addWidget(CmdNueva);
    CmdTodos->setVisible(false);
    raiz->addWidget(Frame1);

    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(CmdNuevo, &QPushButton::clicked, this, [this] { CmdNuevo_Click(); });
    connect(CmdTodos, &QPushButton::clicked, this, [this] { CmdTodos_Click(); });
}

QComboBox* Lib_FrmCons3::NuevoCombo(int Index) {
    auto* c = new QComboBox(picFields);
    c->setObjectName(QStringLiteral("CmbSearch"));
    c->setProperty("Index", Index);
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setToolTip(QStringLiteral("F5 realiza nueva busqueda"));
    c->installEventFilter(Filtro);
    if (!CmbSearch.empty())
        setTabOrder(CmbSearch.back(), c);
    connect(c, &QComboBox::editTextChanged, this, [this, Index] { CmbSearch_Change(Index); });
    connect(c, &QComboBox::activated, this, [this, Index] { CmbSearch_Click(Index); });
    CmbSearch.push_back(c);
    return c;
}

DB_Dll& Lib_FrmCons3::Datos() const {
    return UsarUDBC ? gDatosAux() : gDatos();
}

bool Lib_FrmCons3::recordsetAbierto() const {
    return RsConsulta && RsConsulta->State() == ado::adStateOpen;
}

void Lib_FrmCons3::AbreConsulta(sentenciaconsulta::Desde desde,
                                const std::vector<QVariant>& valores, int saltadas) {
    using namespace sentenciaconsulta;
    Reabrir = false;
    MoverPrimero = false;
    CargaDePrevias = false;
    auto abre = [this](const QString& sentencia) {
        TopAbierto = 0;
        FilasAbiertas = 0;
        if (CargaLeida && CargaLeida->sentencia == sentencia) {
            // Read already, in the search's thread: the list starts with
            // those rows and reads on by key after the last one.
            BuscadorConsulta::Tramo& tramo = CargaLeida->tramo;
            Previas.assign(std::make_move_iterator(tramo.desde.begin()),
                           std::make_move_iterator(tramo.desde.end()));
            PreviasAlFinal = int(tramo.desde.size()) < kTramo;
            CamposLeidos = std::move(tramo.campos);
            CargaLeida.reset();
            CargaDePrevias = true;
            return;
        }
        RsConsulta = ado::Recordset::create();
        RsConsulta->setStreaming(true);
        Datos().AbrirRecordset(sentencia, RsConsulta, nullptr, ado::adOpenForwardOnly,
                               ado::adLockReadOnly, -1, true);
    };
    if (NombresDe != SQL && MismaLista) {
        // A filter added to the statement, or taken away, leaves its select
        // list as it was: the names known serve, and the statement is opened
        // once.
        NombresDe = SQL;
        const auto propias = OrdenDeSentencia(SQL, Nombres, Ordenables);
        PorClaves = propias.has_value();
        ClavesPropias = propias.value_or(std::vector<Clave>{});
        if (!PorClaves && !Modelo->ordenado()) {
            abre(SQL);
            return;
        }
    }
    if (NombresDe != SQL) {
        // The names of the select list come from the statement as it is.
        abre(SQL);
        if (!recordsetAbierto())
            return;
        Nombres.clear();
        ColumnaTexto.clear();
        ColumnaFecha.clear();
        std::vector<bool>& ordenables = Ordenables;
        ordenables.clear();
        for (int k = 0; k < RsConsulta->fieldCount(); ++k) {
            const ado::Field campo = RsConsulta->Fields(k);
            Nombres << campo.Name();
            const int t = campo.Type();
            ColumnaTexto.push_back(t == ado::adChar || t == ado::adWChar || t == ado::adVarChar ||
                                   t == ado::adVarWChar || t == ado::adLongVarChar ||
                                   t == ado::adLongVarWChar);
            ColumnaFecha.push_back(t == ado::adDate || t == ado::adDBDate ||
                                   t == ado::adDBTimeStamp);
            ordenables.push_back(t != ado::adLongVarChar && t != ado::adLongVarWChar &&
                                 t != ado::adLongVarBinary);
        }
        NombresDe = SQL;
        const auto propias = OrdenDeSentencia(SQL, Nombres, ordenables);
        PorClaves = propias.has_value();
        ClavesPropias = propias.value_or(std::vector<Clave>{});
        if (!PorClaves && !Modelo->ordenado())
            return;
        CierraConsulta();
    }
    if (!PorClaves) {
        // The lookup is opened again for each sort: the data object puts the
        // restricted views in on a copy, once, never on a text it already did.
        abre(
            OrdenServidor(SQL, Modelo->columnaOrden() + 1, Modelo->orden() == Qt::DescendingOrder));
        return;
    }
    Claves = Modelo->ordenado() ? OrdenPorColumna(ClavesPropias, Modelo->columnaOrden(),
                                                  Modelo->orden() == Qt::DescendingOrder)
                                : ClavesPropias;
    for (Clave& k : Claves)
        k.fecha = size_t(k.columna) < ColumnaFecha.size() && ColumnaFecha[size_t(k.columna)];
    abre(SentenciaPorClaves(SQL, Nombres, Claves, desde, valores, ClsUtilidades::motorSQL(),
                            QString(), kTramo + saltadas));
    TopAbierto = kTramo + saltadas;
}

void Lib_FrmCons3::CierraConsulta() {
    Previas.clear();
    PreviasAntes.clear();
    AntesLeidas = false;
    if (!RsConsulta)
        return;
    (ConsultaEnAux ? gDatosAux() : gDatos()).CierraRecordset(RsConsulta);
    RsConsulta.reset();
}

void Lib_FrmCons3::SueltaConsulta() {
    if (!PorClaves || !recordsetAbierto())
        return;
    CierraConsulta();
    Reabrir = true;
    MoverPrimero = false;
}

void Lib_FrmCons3::AnclaEn(const std::vector<QVariant>& valores) {
    CierraConsulta();
    Modelo->vaciar();
    AbreConsulta(sentenciaconsulta::Desde::En, valores);
    Anclada = true;
    Leer(1, 0);
    // The rows before it come once the search has answered.
    QMetaObject::invokeMethod(
        this, [this] { TraeAnteriores(); }, Qt::QueuedConnection);
}

void Lib_FrmCons3::AnclaConFilas(const BuscadorConsulta::Tramo& tramo) {
    CierraConsulta();
    Modelo->vaciar();
    Reabrir = false;
    MoverPrimero = false;
    Anclada = true;
    Previas.assign(tramo.desde.begin(), tramo.desde.end());
    PreviasAlFinal = int(tramo.desde.size()) < kTramo;
    PreviasAntes = tramo.antes;
    AntesLeidas = true;
    PoneFuente();
    QMetaObject::invokeMethod(
        this, [this] { TraeAnteriores(); }, Qt::QueuedConnection);
}

bool Lib_FrmCons3::LeePrevias(std::vector<FilaConsulta>& filas, int cuantas) {
    for (int n = 0; n < cuantas && !Previas.empty(); ++n) {
        FilaConsulta fila;
        LlenaFila(fila, std::move(Previas.front()));
        Previas.pop_front();
        UltimaLeida = fila.valores;
        filas.push_back(std::move(fila));
    }
    if (!Previas.empty())
        return true;
    // The rest by key, after the last row shown.
    Reabrir = !PreviasAlFinal;
    return Reabrir;
}

void Lib_FrmCons3::TraeAnteriores() {
    if (!Modelo->quedanAnteriores())
        return;
    QScrollBar* barra = ListView1->verticalScrollBar();
    const int antes = barra->value();
    const int n = Modelo->traeAnteriores();
    if (n <= 0)
        return;
    // The rows on screen stay where they were.
    const int paso = ListView1->verticalScrollMode() == QAbstractItemView::ScrollPerItem
                         ? 1
                         : std::max(1, ListView1->sizeHintForRow(0));
    barra->setValue(antes + n * paso);
}

bool Lib_FrmCons3::MasFilasQue(int cuantas) {
    SueltaConsulta();
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->setStreaming(true);
    Datos().AbrirRecordset(sentenciaconsulta::SentenciaSinOrden(SQL), rs, nullptr,
                           ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    // A count that failed leaves the sort to the database.
    if (!rs || rs->State() != ado::adStateOpen)
        return true;
    int n = 0;
    bool leida = pasos::RunSteps({[&] {
                                     for (; n <= cuantas && !rs->EOF(); ++n)
                                         rs->MoveNext();
                                 }},
                                 CajaOperador(QStringLiteral("FORM_LOAD")), pasos::Trap::AllErrors);
    if (rs->State() == ado::adStateOpen)
        Datos().CierraRecordset(rs);
    return !leida || n > cuantas;
}

void Lib_FrmCons3::IrAlFinal() {
    // A list that reads on by key reads its last rows, backwards, instead
    // of every row before them.
    if (PorClaves && Modelo->quedanFilas()) {
        CancelaBusqueda();
        if (ExtremoEnFondo(true))
            return;
        LeeExtremo(true, nullptr);
    }
    if (Modelo->filas() > 0)
        SeleccionaFila(Modelo->filas() - 1);
}

void Lib_FrmCons3::IrAlPrincipio() {
    if (PorClaves && Modelo->quedanAnteriores()) {
        CancelaBusqueda();
        if (ExtremoEnFondo(false))
            return;
        LeeExtremo(false, nullptr);
    }
    if (Modelo->filas() > 0)
        SeleccionaFila(0);
}

void Lib_FrmCons3::LeeExtremo(bool final, const BuscadorConsulta::Tramo* tramo) {
    GuardaMarcas();
    CierraConsulta();
    Modelo->vaciar();
    Reabrir = false;
    MoverPrimero = false;
    CargaDePrevias = false;
    Anclada = final;
    if (final) {
        if (tramo) {
            PreviasAntes = tramo->desde;
            AntesLeidas = true;
        }
        Modelo->setFuente(
            {}, [this] { SueltaConsulta(); },
            [this](std::vector<FilaConsulta>& filas, int cuantas) {
                return LeeAnteriores(filas, cuantas);
            });
        Modelo->traeAnteriores();
        return;
    }
    if (!tramo) {
        AbreConsulta();
        Leer(1, 0);
        return;
    }
    Previas.assign(tramo->desde.begin(), tramo->desde.end());
    PreviasAlFinal = int(tramo->desde.size()) < kTramo;
    if (!Previas.empty())
        PoneFuente();
}

bool Lib_FrmCons3::ExtremoEnFondo(bool final) {
    using namespace sentenciaconsulta;
    // In the statement's own order the database reaches the ends by the
    // order it was written for, sooner than another thread would answer;
    // sorted by a header it may have to sort the whole table.
    if (!Modelo->ordenado())
        return false;
    BuscadorConsulta::Pedido pedido;
    if (!PedidoEnFondo(pedido))
        return false;
    // The statements the window would open itself: the last rows backwards,
    // or the first ones.
    const int filas = final ? ModeloConsulta::kLote : kTramo;
    pedido.sentencia = Datos().SS_TSinonimos(
        SentenciaPorClaves(SQL, Nombres, Claves, final ? Desde::Final : Desde::Principio, {},
                           ClsUtilidades::motorSQL(), QString(), filas));
    pedido.filasDesde = filas;
    ExtremoPendiente = true;
    Buscador->busca(std::move(pedido), [this, busqueda = Busquedas, carga = Modelo->carga(),
                                        final](bool hecha, const std::vector<QVariant>&,
                                               const BuscadorConsulta::Tramo& tramo) {
        AplicaExtremo(busqueda, carga, final, hecha, tramo);
    });
    Buscador->espera(kEsperaBusquedaMs);
    return true;
}

void Lib_FrmCons3::AplicaExtremo(int busqueda, int carga, bool final, bool hecha,
                                 const BuscadorConsulta::Tramo& tramo) {
    HallazgoEnEspera = false;
    if (busqueda != Busquedas)
        return;
    if (Modelo->carga() != carga) {
        ExtremoPendiente = false;
        return;
    }
    if (Modelo->leyendo()) {
        HallazgoEnEspera = true;
        QTimer::singleShot(kEsperaBusquedaMs / 4, this, [=, this] {
            if (HallazgoEnEspera)
                AplicaExtremo(busqueda, carga, final, hecha, tramo);
        });
        return;
    }
    ExtremoPendiente = false;
    // Rows the thread could not read are read here, where a failure is
    // reported.
    LeeExtremo(final, hecha ? &tramo : nullptr);
    if (Modelo->filas() > 0)
        SeleccionaFila(final ? Modelo->filas() - 1 : 0);
}

bool Lib_FrmCons3::LeeAnteriores(std::vector<FilaConsulta>& filas, int cuantas) {
    using sentenciaconsulta::Desde;
    if (!PorClaves)
        return false;
    SueltaConsulta();
    if (AntesLeidas) {
        // Read ahead, nearest first; fewer than asked: there are no more.
        AntesLeidas = false;
        const bool quedan = PreviasAntes.size() >= size_t(ModeloConsulta::kLote);
        for (std::vector<QVariant>& valores : PreviasAntes) {
            FilaConsulta fila;
            LlenaFila(fila, std::move(valores));
            filas.push_back(std::move(fila));
        }
        PreviasAntes.clear();
        return quedan;
    }
    // From the first row held backwards, passing over the rows held that tie
    // with it: rows alike are each shown once. An empty list reads from the
    // last row.
    const bool vacia = Modelo->filas() == 0;
    int saltadas = vacia ? 0 : EmpatadasAlPrincipio();
    const int pedidas = saltadas + cuantas;
    ado::RecordsetPtr rs = ado::Recordset::create();
    bool quedan = false;
    bool leida = false;
    pasos::RunSteps({
                        [&] {
                            Datos().AbrirRecordset(
                                sentenciaconsulta::SentenciaPorClaves(
                                    SQL, Nombres, Claves, vacia ? Desde::Final : Desde::AntesEn,
                                    vacia ? std::vector<QVariant>() : Modelo->valores(0),
                                    ClsUtilidades::motorSQL(), QString(), pedidas),
                                rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
                        },
                        [&] {
                            if (rs->State() != ado::adStateOpen)
                                return;
                            for (; saltadas > 0 && !rs->EOF(); --saltadas)
                                rs->MoveNext();
                            const int campos = rs->fieldCount();
                            int n = 0;
                            for (; !rs->EOF() && n < cuantas; ++n) {
                                FilaConsulta fila;
                                LlenaFila(fila, campos, *rs);
                                filas.push_back(std::move(fila));
                                rs->MoveNext();
                            }
                            quedan = n == cuantas;
                            leida = true;
                        },
                    },
                    CajaOperador(QStringLiteral("FORM_LOAD")), pasos::Trap::AllErrors);
    if (rs && rs->State() == ado::adStateOpen)
        Datos().CierraRecordset(rs);
    // A read that failed and was passed over ends nothing: the rows before
    // are still to come, and the next scroll up tries again.
    if (!leida) {
        Modelo->leeFallida();
        return true;
    }
    return quedan;
}

void Lib_FrmCons3::GuardaMarcas() {
    if (!CheckBoxes)
        return;
    for (int f = 0; f < Modelo->filas(); ++f)
        MarcasFijadas.insert(Modelo->texto(f, ColumnaDevuelta()).trimmed(), Modelo->marcada(f));
}

void Lib_FrmCons3::Cargar() {
    if (!Cargada)
        Form_Load();
}

void Lib_FrmCons3::Form_Load() {
    // A search under way sought in the rows a load replaces: it would only
    // compete with the load for the database.
    CancelaBusqueda();
    Cargada = true;
    SinMarcasIniciales = false;
    MarcasInvertidas = false;
    pasos::RunSteps(
        {
            [this] { EsArticulo = SQL.contains(QLatin1String("articulos"), Qt::CaseInsensitive); },
            [this] {
                Valores.clear();
                Cantidades.clear();
            },
            [this] {
                CierraConsulta();
                Modelo->vaciar();
                QFont f = ListView1->font();
                f.setBold(true);
                f.setPointSize(10);
                ListView1->setFont(f);
            },
            [this] {
                if (!SQL.trimmed().isEmpty())
                    return true;
                ClsUtilidades::PreparaFormulario(this, 0);
                return false;
            },
            [this] { SQL += u' '; },
            [this] { TablaConsulta = sentenciaconsulta::TablaDeSentencia(SQL); },
            [this] {
                if (SQLInicial.isEmpty())
                    SQLInicial = SQL;
                SQLActual = SQL;
            },
            [this] {
                ValoresMarcados.clear();
                static const QRegularExpression separador(QStringLiteral("[,;|]"));
                for (QString v : ValoresDefault.split(separador)) {
                    v = v.trimmed();
                    if (v.size() >= 2 && (v.front() == u'\'' || v.front() == u'"') &&
                        v.back() == v.front())
                        v = v.mid(1, v.size() - 2).trimmed();
                    if (!v.isEmpty())
                        ValoresMarcados << v;
                }
            },
            [this] {
                ConsultaEnAux = UsarUDBC;
                MarcasFijadas.clear();
                Anclada = false;
                if (OrdenarPorLwv && !Modelo->ordenado())
                    Modelo->setOrdenDeFuente(0, Qt::AscendingOrder);
                AbreConsulta();
                MismaLista = false;
            },
            [this] {
                Modelo->setMarcable(CheckBoxes);
                CmdTodos->setVisible(CheckBoxes);
            },
            [this] {
                // A statement the server refused was reported when it was
                // opened; the list stays empty under its columns.
                if (recordsetAbierto() || CargaDePrevias)
                    Encolumnar();
            },
            [this] { Leer(1, 0); },
            [this] {
                // The database gave the rows in order; a short list sorts
                // them again as the list itself does.
                if (Modelo->ordenado()) {
                    Modelo->leeHasta(kOrdenEnLista + 1);
                    if (!Modelo->quedanFilas())
                        Modelo->ordenar(Modelo->columnaOrden(), Modelo->orden());
                }
            },
            [this] {
                if (!FiltroInicial.trimmed().isEmpty())
                    CmbSearch[0]->setEditText(FiltroInicial);
            },
            [this] { AnchosSegunValores(); },
            [this] { LeerAnchosColumnas(); },
            [this] { CalcularAncho(); },
            [this] { ClsUtilidades::PreparaFormulario(this, 0); },
        },
        CajaOperador(QStringLiteral("FORM_LOAD")), pasos::Trap::AllErrors);
}

void Lib_FrmCons3::Encolumnar() {
    QStringList titulos;
    std::vector<int> anchos;
    try {
        std::vector<BuscadorConsulta::Campo> columnas;
        if (RsConsulta) {
            for (int k = 0; k < RsConsulta->fieldCount(); ++k) {
                const ado::Field f = RsConsulta->Fields(k);
                columnas.push_back({f.Name(), f.Type(), f.DefinedSize()});
            }
        } else if (CargaDePrevias) {
            columnas = CamposLeidos;
        } else {
            vb::Raise(vb::errObjectNotSet);
        }
        const bool articulos = SQL.contains(QLatin1String("V_MA_ARTICULOS"), Qt::CaseInsensitive) ||
                               SQL.contains(QLatin1String("STK_MA_ARTICULOS"), Qt::CaseInsensitive);
        static const QRegularExpression precio(QStringLiteral("^PRECIO([1-8])$"),
                                               QRegularExpression::CaseInsensitiveOption);
        const int campos = int(columnas.size());
        for (int k = 0; k < campos; ++k) {
            const BuscadorConsulta::Campo& campo = columnas[size_t(k)];
            long n = campo.tamano;
            if (campo.tipo == ado::adCurrency || campo.tipo == ado::adNumeric)
                n = 10;
            // An expression of unknown size would get a column no one sees.
            if (n <= 0)
                n = 10;
            QComboBox* combo = size_t(k) < CmbSearch.size() ? CmbSearch[size_t(k)] : NuevoCombo(k);
            combo->setProperty("Tag", campo.nombre);
            combo->setVisible(true);
            if (n >= 60)
                n = 60;
            QString titulo = campo.nombre;
            if (articulos) {
                const QRegularExpressionMatch m = precio.match(campo.nombre);
                if (m.hasMatch())
                    titulo = CNStuffContable::Cfg(QStringLiteral("NOM_PCLASE") + m.captured(1));
            } else if (ValoresDefault == QLatin1String("@10")) {
                n += 10;
            }
            titulos << titulo;
            anchos.push_back(fontMetrics().horizontalAdvance(QString(int(n), u'X')));
        }
        for (size_t k = size_t(campos); k < CmbSearch.size(); ++k)
            CmbSearch[k]->setVisible(k == 0);
    } catch (...) {
        vb::MsgBox(pasos::CurrentError().Description, vb::vbOKOnly);
    }
    Modelo->setEncabezados(titulos);
    for (size_t i = 0; i < anchos.size(); ++i)
        ListView1->header()->resizeSection(int(i), anchos[i]);
}

void Lib_FrmCons3::Leer(std::int32_t Cdesde, std::int16_t Cuantas) {
    Q_UNUSED(Cdesde);
    Q_UNUSED(Cuantas);
    if (CargaDePrevias && !recordsetAbierto()) {
        if (!Previas.empty())
            PoneFuente();
        return;
    }
    if (!recordsetAbierto())
        return;
    if (RsConsulta->BOF() && !Anclada) {
        CierraConsulta();
        return;
    }
    PoneFuente();
}

void Lib_FrmCons3::PoneFuente() {
    ModeloConsulta::Fuente anteriores;
    if (Anclada)
        anteriores = [this](std::vector<FilaConsulta>& filas, int cuantas) {
            return LeeAnteriores(filas, cuantas);
        };
    Modelo->setFuente(
        [this](std::vector<FilaConsulta>& filas, int cuantas) { return LeeFilas(filas, cuantas); },
        [this] {
            if (PorClaves)
                SueltaConsulta();
        },
        std::move(anteriores));
}

bool Lib_FrmCons3::LeeFilas(std::vector<FilaConsulta>& filas, int cuantas) {
    if (!recordsetAbierto() && !Previas.empty())
        return LeePrevias(filas, cuantas);
    if (!recordsetAbierto()) {
        if (!Reabrir)
            return false;
        // From the last row shown on, passing over the rows shown that tie
        // with it on every key: rows alike are each shown once.
        const int empatadas = EmpatadasAlFinal();
        AbreConsulta(sentenciaconsulta::Desde::En, UltimaLeida, empatadas);
        for (int k = 0; k < empatadas && recordsetAbierto(); ++k) {
            if (!pasos::RunSteps({[&] {
                                     if (!RsConsulta->EOF()) {
                                         RsConsulta->MoveNext();
                                         ++FilasAbiertas;
                                     }
                                 }},
                                 CajaOperador(QStringLiteral("FORM_LOAD")), pasos::Trap::AllErrors))
                CierraConsulta();
        }
        // A re-open that failed (answered Ignorar) ends nothing: the rows after
        // the last one shown are still to come, and the next read tries again.
        if (!recordsetAbierto()) {
            Reabrir = true;
            Modelo->leeFallida();
            return true;
        }
    }
    const int campos = RsConsulta->fieldCount();
    auto avanza = [&] {
        MoverPrimero = true;
        RsConsulta->MoveNext();
        ++FilasAbiertas;
        MoverPrimero = false;
    };
    for (int i = 0; i < cuantas; ++i) {
        // A move passed over left the recordset on a row already shown.
        if (MoverPrimero) {
            const bool seguir = pasos::RunSteps({avanza}, CajaOperador(QStringLiteral("FORM_LOAD")),
                                                pasos::Trap::AllErrors);
            if (!seguir || !recordsetAbierto()) {
                CierraConsulta();
                return false;
            }
            if (MoverPrimero)
                return true;
        }
        if (RsConsulta->EOF())
            break;
        FilaConsulta fila;
        const bool seguir =
            pasos::RunSteps({[&] { LlenaFila(fila, campos, *RsConsulta); },
                             [&] {
                                 UltimaLeida = fila.valores;
                                 filas.push_back(std::move(fila));
                             },
                             avanza},
                            CajaOperador(QStringLiteral("FORM_LOAD")), pasos::Trap::AllErrors);
        if (!seguir || !recordsetAbierto()) {
            CierraConsulta();
            return false;
        }
        if (MoverPrimero) {
            // Passed over: by key the next read asks for the rows after the
            // last one shown.
            SueltaConsulta();
            return true;
        }
    }
    if (RsConsulta->EOF()) {
        CierraConsulta();
        // All the rows asked for came: the next read asks for the next ones.
        if (TopAbierto > 0 && FilasAbiertas >= TopAbierto) {
            Reabrir = true;
            return true;
        }
        return false;
    }
    return true;
}

namespace {

// Alike as the database compares them: texts without regard to case or
// trailing blanks.
bool MismoValor(const QVariant& a, const QVariant& b) {
    const bool nulo = vb::IsNull(a) || !a.isValid();
    if (nulo || vb::IsNull(b) || !b.isValid())
        return nulo == (vb::IsNull(b) || !b.isValid());
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString) {
        const auto sinCola = [](QString t) {
            while (!t.isEmpty() && t.back() == u' ')
                t.chop(1);
            return t;
        };
        return sinCola(a.toString()).compare(sinCola(b.toString()), Qt::CaseInsensitive) == 0;
    }
    return QVariant::compare(a, b) == QPartialOrdering::Equivalent;
}

} // namespace

int Lib_FrmCons3::EmpatadasAlFinal() const {
    const int filas = Modelo->filas();
    if (filas == 0)
        return 0;
    const std::vector<QVariant>& fin = Modelo->valores(filas - 1);
    int n = 1;
    for (; n < filas; ++n) {
        const std::vector<QVariant>& v = Modelo->valores(filas - 1 - n);
        for (const sentenciaconsulta::Clave& k : Claves)
            if (!MismoValor(v[size_t(k.columna)], fin[size_t(k.columna)]))
                return n;
    }
    return n;
}

int Lib_FrmCons3::EmpatadasAlPrincipio() const {
    const int filas = Modelo->filas();
    if (filas == 0)
        return 0;
    const std::vector<QVariant>& inicio = Modelo->valores(0);
    int n = 1;
    for (; n < filas; ++n) {
        const std::vector<QVariant>& v = Modelo->valores(n);
        for (const sentenciaconsulta::Clave& k : Claves)
            if (!MismoValor(v[size_t(k.columna)], inicio[size_t(k.columna)]))
                return n;
    }
    return n;
}

bool Lib_FrmCons3::RecorreNoLeidas(bool anteriores,
                                   const std::function<void(const FilaConsulta&)>& cada) {
    using sentenciaconsulta::Desde;
    if (Modelo->filas() == 0)
        return false;
    SueltaConsulta();
    // After the last row held: from it on, passing over the rows held that
    // tie with it, as reading on does.
    const int saltadas = anteriores ? 0 : EmpatadasAlFinal();
    // Only the columns a check mark and the value returned need: through a
    // driver each column of each row costs a call.
    std::vector<int> usadas;
    auto usa = [&](int c) {
        if (c >= 0 && c < Nombres.size() &&
            std::find(usadas.begin(), usadas.end(), c) == usadas.end())
            usadas.push_back(c);
    };
    usa(CampoDe(CampoDevuelto));
    usa(ColumnaDevuelta());
    if (UsaCantidades)
        usa(IndiceColumna(kColumnaCantidad) - 1);
    const MotorSQL motor = ClsUtilidades::motorSQL();
    QString sentencia = sentenciaconsulta::SentenciaPorClaves(
        SQL, Nombres, Claves, anteriores ? Desde::Hasta : Desde::En,
        Modelo->valores(anteriores ? 0 : Modelo->filas() - 1), motor);
    const qsizetype todas = sentencia.indexOf(QLatin1String("* FROM ("));
    if (todas >= 0 && !usadas.empty()) {
        QStringList lista;
        for (const int c : usadas)
            lista << sentenciaconsulta::Columna(Nombres[c], motor);
        sentencia.replace(todas, 1, lista.join(QStringLiteral(", ")));
    } else {
        usadas.clear();
    }
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->setStreaming(true);
    Datos().AbrirRecordset(sentencia, rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                           true);
    if (!rs || rs->State() != ado::adStateOpen)
        return false;
    bool leida = false;
    pasos::RunSteps(
        {[&] {
            const int campos = rs->fieldCount();
            for (int k = 0; !rs->EOF(); ++k) {
                if (k >= saltadas) {
                    // The row as the whole query gives it, the
                    // columns not read left empty.
                    std::vector<QVariant> valores(usadas.empty() ? size_t(campos)
                                                                 : size_t(Nombres.size()));
                    for (int j = 0; j < campos; ++j)
                        valores[usadas.empty() ? size_t(j) : size_t(usadas[size_t(j)])] =
                            rs->value(j);
                    if (MarcaDe(valores)) {
                        FilaConsulta fila;
                        LlenaFila(fila, std::move(valores));
                        cada(fila);
                    }
                }
                rs->MoveNext();
            }
            leida = true;
        }},
        CajaOperador(QStringLiteral("CmdAceptar_Click")), pasos::Trap::AllErrors);
    if (rs->State() == ado::adStateOpen)
        Datos().CierraRecordset(rs);
    return leida;
}

void Lib_FrmCons3::LlenaFila(FilaConsulta& fila, int campos, ado::Recordset& rs) {
    std::vector<QVariant> valores;
    valores.reserve(size_t(campos));
    for (int j = 0; j < campos; ++j)
        valores.push_back(rs.value(j));
    LlenaFila(fila, std::move(valores));
}

void Lib_FrmCons3::LlenaFila(FilaConsulta& fila, std::vector<QVariant> valores) {
    const int campos = int(valores.size());
    fila.valores = std::move(valores);
    const QColor color = EsArticulo ? ColorStock(fila.valores) : QColor();
    fila.celdas.reserve(campos);
    fila.celdas << ClsUtilidades::ValorCampo(fila.valores[0]).trimmed();
    for (int j = 1; j < campos; ++j)
        fila.celdas << ClsUtilidades::RellenaCeros(
            ClsUtilidades::ValorCampo(fila.valores[size_t(j)]));
    if (CheckBoxes)
        fila.marcada = MarcaDe(fila.valores);
    // Colouring goes with the sub-items: a single column stays plain.
    if (campos > 1 && color.isValid() && Igual(MuestraStock, QStringLiteral("SI")))
        fila.color = color;
}

int Lib_FrmCons3::CampoDe(const QString& nombre) const {
    for (int c = 0; c < Nombres.size(); ++c)
        if (Igual(Nombres[c], nombre))
            return c;
    return -1;
}

bool Lib_FrmCons3::MarcaDe(const std::vector<QVariant>& valores) const {
    const int devuelto = CampoDe(CampoDevuelto);
    bool marcada = !SinMarcasIniciales && !ValoresMarcados.isEmpty() && devuelto >= 0 &&
                   size_t(devuelto) < valores.size() &&
                   MarcadaInicialmente(valores[size_t(devuelto)]);
    if (MarcasInvertidas)
        marcada = !marcada;
    if (!MarcasFijadas.isEmpty()) {
        // Kept by the value the row returns, as the list shows it.
        const int c = ColumnaDevuelta();
        QString devuelto;
        if (c == 0 && !valores.empty())
            devuelto = ClsUtilidades::ValorCampo(valores[0]);
        else if (size_t(c) < valores.size())
            devuelto = ClsUtilidades::RellenaCeros(ClsUtilidades::ValorCampo(valores[size_t(c)]));
        const auto marca = MarcasFijadas.constFind(devuelto.trimmed());
        if (marca != MarcasFijadas.constEnd())
            marcada = *marca;
    }
    return marcada;
}

QColor Lib_FrmCons3::ColorStock(const std::vector<QVariant>& valores) const {
    const int puntoPedido = CampoDe(QStringLiteral("PUNTOPEDIDO"));
    const int stock = CampoDe(QStringLiteral("Stock"));
    if (puntoPedido < 0 || stock < 0 || size_t(std::max(puntoPedido, stock)) >= valores.size())
        return QColor();
    const vb::Currency pp =
        ClsUtilidades::TextoAMoneda(ClsUtilidades::ValorCampo(valores[size_t(puntoPedido)]));
    const vb::Currency st =
        ClsUtilidades::TextoAMoneda(ClsUtilidades::ValorCampo(valores[size_t(stock)]));
    const vb::Currency cero;
    if (pp == cero && st > cero)
        return ColorVB(StkNivel1);
    if (pp > cero && st > pp)
        return ColorVB(StkNivel2);
    if (pp > cero && st < pp)
        return ColorVB(StkNivel3);
    return ColorVB(StkNivel4);
}

bool Lib_FrmCons3::MarcadaInicialmente(const QVariant& valor) const {
    if (vb::IsNull(valor))
        return false;
    const QString texto = ClsUtilidades::ValorCampo(valor).trimmed();
    for (const QString& v : ValoresMarcados)
        if (Igual(v, texto))
            return true;
    return false;
}

void Lib_FrmCons3::DesmarcarFilas() {
    SinMarcasIniciales = true;
    MarcasInvertidas = false;
    MarcasFijadas.clear();
    Modelo->marcaTodas(false);
}

int Lib_FrmCons3::AnchoValores(int columna) const {
    // The list's own measure of its cells (font, margins, check box), over
    // the rows read so far: measuring reads no further rows.
    QStyleOptionViewItem opcion;
    opcion.initFrom(ListView1);
    opcion.widget = ListView1;
    opcion.font = ListView1->font();
    opcion.fontMetrics = QFontMetrics(opcion.font);
    const QAbstractItemDelegate* delegado = ListView1->itemDelegate();
    const int filas = std::min(Modelo->rowCount(), kFilasMedidas);
    int ancho = -1;
    for (int f = 0; f < filas; ++f)
        ancho = std::max(ancho, delegado->sizeHint(opcion, Modelo->index(f, columna)).width());
    return ancho;
}

void Lib_FrmCons3::AnchosSegunValores() {
    QHeaderView* h = ListView1->header();
    // The widest a field size makes a column (60 characters).
    const int limite = fontMetrics().horizontalAdvance(QString(60, u'X'));
    for (int c = 0; c < h->count(); ++c) {
        const int ancho =
            c == kColumnaBusqueda ? AnchoBusqueda() : std::min(AnchoValores(c), limite);
        if (ancho > h->sectionSize(c))
            h->resizeSection(c, ancho);
    }
}

int Lib_FrmCons3::AnchoBusqueda() const {
    return std::max(AnchoValores(kColumnaBusqueda),
                    ListView1->header()->sectionSizeHint(kColumnaBusqueda));
}

void Lib_FrmCons3::CalcularAncho() {
    QHeaderView* h = ListView1->header();
    // A width kept in the width file may be narrower than the column's
    // values; the search column still shows them whole.
    if (h->count() > kColumnaBusqueda) {
        const int busqueda = AnchoValores(kColumnaBusqueda);
        if (busqueda > h->sectionSize(kColumnaBusqueda))
            h->resizeSection(kColumnaBusqueda, busqueda);
    }
    int total = 0;
    for (int c = 0; c < h->count(); ++c)
        total += h->sectionSize(c);
    ColocaCombos();
    const int lista = total + 360 / kTwipsPorPixel;
    const QMargins m = layout()->contentsMargins();
    const int pantalla = screen() ? screen()->availableGeometry().width() : 1024;
    const int ancho = lista + 360 / kTwipsPorPixel >= pantalla ? pantalla - 480 / kTwipsPorPixel
                                                               : lista + m.left() + m.right();
    resize(std::max(ancho, minimumSizeHint().width()), height());
}

void Lib_FrmCons3::ColocaCombos() {
    const QHeaderView* h = ListView1->header();
    const int origen = ListView1->viewport()->mapTo(this, QPoint(0, 0)).x() -
                       picFields->mapTo(this, QPoint(0, 0)).x();
    for (size_t k = 0; k < CmbSearch.size() && int(k) < h->count(); ++k) {
        const int x = origen + h->sectionViewportPosition(int(k));
        const int ancho = std::max(0, h->sectionSize(int(k)) - 50 / kTwipsPorPixel);
        CmbSearch[k]->setGeometry(x, 0, ancho, picFields->height());
    }
}

void Lib_FrmCons3::keyPressEvent(QKeyEvent* e) {
    int codigo = CodigoTecla(*e);
    Form_KeyDown(codigo, ui::vbShift(e->modifiers()));
    if (codigo == 0)
        e->accept();
    else
        QDialog::keyPressEvent(e);
}

void Lib_FrmCons3::resizeEvent(QResizeEvent* e) {
    QDialog::resizeEvent(e);
    ColocaCombos();
}

void Lib_FrmCons3::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ColocaCombos();
    // The first keystroke goes into the search box.
    if (!e->spontaneous() && CmbSearch[kColumnaBusqueda]->isVisibleTo(this))
        CmbSearch[kColumnaBusqueda]->setFocus(Qt::OtherFocusReason);
}

void Lib_FrmCons3::Form_Unload(int& Cancel) {
    Q_UNUSED(Cancel);
    Descargada = true;
    UsarUDBC = false;
    try {
        GrabarAnchosColumnas();
        Modelo->vaciar();
    } catch (...) {
        vb::MsgBox(pasos::CurrentError().Description, vb::vbCritical,
                   QStringLiteral("Aviso al Operador"));
    }
    CierraConsulta();
}
