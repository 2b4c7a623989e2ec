// The accounts window's controls, their layout and the routing of their
// events to the window's handlers.

#include "accounts/ui/frmma_cuentas.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/grilla_personalizados.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/lista_columnas.h"
#include "platform/ui/mouse.h"
#include "platform/ui/teclas.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

struct CampoCuenta {
    const char* columna;
    const char* tag;
    const char* nombre; // display name, in the tooltip
};

// Indexed as the window's code addresses them.
constexpr std::array<CampoCuenta, 5> kCampos{{
    {"DESCRIPCION", "MA_CUENTAS_1", "Nombre"},
    {"Codigo", "MA_CUENTAS", "Código"},
    {"CodigoOpcional", "", "Código Opcional"},
    {"CuentaPrincipal", "MA_CUENTAS", "Cuenta Madre"},
    {"CodTarjeta_ConcAuto", "", "Código para conciliación automática"},
}};

constexpr std::array<const char*, 15> kTitulos{{
    "Código...........:",
    "Nombre..........:",
    "Ajustable",
    "Tipo de Cuenta",
    "Indice Utilizado",
    "Dígito Verificador",
    "Pide Vencimiento",
    "Bloqueada",
    "Tipo de Cuenta",
    "Habilitado para el Módulo de Caja y Bancos?",
    "Cod.Opcional",
    "Cuenta Relacionada:",
    "Moneda",
    "Cuenta Madre",
    "Código...........:",
}};

// The side toolbar's buttons in order: the key (the sixth ends with a
// blank) and the picture; the key is the button's tooltip.
struct BotonBarra {
    const char* clave;
    QStyle::StandardPixmap imagen;
};
constexpr std::array<BotonBarra, 7> kBotonesTbar{{
    {"Actualizar Jerarquías de Cuentas", QStyle::SP_BrowserReload},
    {"Datos Adicionales", QStyle::SP_FileDialogDetailedView},
    {"Manual de Cuentas", QStyle::SP_MessageBoxQuestion},
    {"Centros de Costos", QStyle::SP_DriveNetIcon},
    {"Jerarquías de Cuentas", QStyle::SP_FileDialogListView},
    {"Adjuntar Jerarquías ", QStyle::SP_DirOpenIcon},
    {"Actualizar Cash Flow", QStyle::SP_ArrowRight},
}};

using pasos::Protege;

QLabel* Etiqueta(const QString& texto, QWidget* padre, const char* nombre) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QLatin1String(nombre));
    return l;
}

QCheckBox* Casilla(const QString& texto, QWidget* padre, const char* nombre) {
    auto* c = new QCheckBox(texto, padre);
    c->setObjectName(QLatin1String(nombre));
    return c;
}

QComboBox* Lista(QWidget* padre, const char* nombre) {
    auto* c = new QComboBox(padre);
    c->setObjectName(QLatin1String(nombre));
    return c;
}

} // namespace

// Focus, keys and mouse of the code box, the text fields and the lists.
class FiltroCuentas : public QObject {
public:
    explicit FiltroCuentas(FrmMA_CUENTAS* w) : QObject(w), w_(w) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (reenvio_)
            return false;
        switch (evento->type()) {
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            Foco(objeto, evento->type() == QEvent::FocusIn,
                 static_cast<QFocusEvent*>(evento)->reason());
            return false;
        case QEvent::KeyPress:
            return TeclaAbajo(objeto, static_cast<QKeyEvent*>(evento));
        case QEvent::KeyRelease: {
            const auto* k = static_cast<QKeyEvent*>(evento);
            const int i = Indice(objeto);
            if (i >= 0 && !k->isAutoRepeat())
                Protege([&] {
                    w_->txtFields_KeyUp(i, ui::vbKeyCode(*k), ui::vbShift(k->modifiers()));
                });
            return false;
        }
        case QEvent::MouseButtonPress: {
            const int i = Indice(objeto);
            if (i < 0 && objeto != w_->TxtCodigo)
                return false;
            const int boton = ui::vbMouseButton(*static_cast<QWidget*>(objeto),
                                                *static_cast<QMouseEvent*>(evento));
            if (boton == 0)
                return true;
            if (i >= 0)
                Protege([&] { w_->txtFields_MouseDown(i, boton); });
            else
                Protege([&] { w_->TxtCodigo_MouseDown(boton); });
            return boton == 2;
        }
        default:
            return false;
        }
    }

private:
    int Indice(const QObject* objeto) const {
        for (size_t i = 0; i < w_->txtFields.size(); ++i)
            if (w_->txtFields[i] == objeto)
                return int(i);
        return -1;
    }

    void Foco(QObject* objeto, bool entra, Qt::FocusReason razon) {
        // Another window taking the activation (a box, a lookup, a sheet)
        // does not make the field lose its focus: nothing is checked then.
        if (w_->FocoEnPausa > 0 ||
            (!entra && (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason)))
            return;
        if (objeto == w_->TxtCodigo) {
            Protege([&] {
                if (entra)
                    w_->TxtCodigo_GotFocus();
                else
                    w_->TxtCodigo_LostFocus();
            });
        } else if (objeto == w_->Combo1) {
            if (!entra)
                Protege([&] { w_->Combo1_LostFocus(); });
        } else if (const int i = Indice(objeto); i >= 0) {
            Protege([&] {
                if (entra) {
                    w_->txtFields_GotFocus(i);
                } else {
                    bool cancelar = false;
                    w_->txtFields_Validate(i, cancelar);
                    w_->txtFields_LostFocus(i);
                }
            });
        }
    }

    // The character of a key as the runtime's KeyAscii; 0 for none.
    static int Ascii(const QKeyEvent* k) {
        const QString texto = k->text();
        if (texto.size() != 1 || (k->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return 0;
        const int c = texto.at(0).unicode();
        // Tab moves the focus before any control sees it as a character.
        return c <= 255 && c != '\t' ? c : 0;
    }

    bool TeclaAbajo(QObject* objeto, QKeyEvent* k) {
        const int codigo = ui::vbKeyCode(*k);
        const int original = Ascii(k);
        int ascii = original;
        if (objeto == w_->TxtCodigo) {
            Protege([&] { w_->TxtCodigo_KeyDown(codigo, ui::vbShift(k->modifiers())); });
            if (original < 32)
                return false;
            Protege([&] { w_->TxtCodigo_KeyPress(ascii); });
            if (ascii == original)
                return false;
            ui::TecleaEnLugar(w_->TxtCodigo, *k, ascii, reenvio_);
            return true;
        }
        if (objeto == w_->CmbMP) {
            Protege([&] { w_->CmbMP_KeyDown(codigo, ui::vbShift(k->modifiers())); });
            if (ascii)
                Protege([&] { w_->CmbMP_KeyPress(ascii); });
            return ascii != original;
        }
        if (objeto == w_->CmbIndices || objeto == w_->Combo1) {
            if (ascii)
                Protege([&] {
                    if (objeto == w_->CmbIndices)
                        w_->CmbIndices_KeyPress(ascii);
                    else
                        w_->Combo1_KeyPress(ascii);
                });
            return ascii != original;
        }
        const int i = Indice(objeto);
        if (i < 0)
            return false;
        QLineEdit* campo = w_->txtFields[size_t(i)];
        Protege([&] { w_->txtFields_KeyDown(i, codigo, ui::vbShift(k->modifiers())); });
        if (original < 32)
            return false;
        Protege([&] { w_->txtFields_KeyPress(i, ascii); });
        if (ascii == original)
            return false;
        // The character the filter chose is typed instead.
        ui::TecleaEnLugar(campo, *k, ascii, reenvio_);
        return true;
    }

    FrmMA_CUENTAS* w_;
    bool reenvio_ = false;
};

FrmMA_CUENTAS::FrmMA_CUENTAS(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Actualización Plan General de Cuentas"));
    ArmaControles();
    ConectaEventos();
    resize(1240, 660);
    // The account's side as wide as the window without the tree leaves it,
    // so that hiding and showing the tree keeps its width; the tree takes
    // the rest of a window that fits the screen.
    PanelArbol->hide();
    QCoreApplication::sendPostedEvents(Divisor, QEvent::LayoutRequest);
    layout()->activate();
    const QMargins margenes = layout()->contentsMargins();
    const int cuenta = minimumSizeHint().width() - margenes.left() - margenes.right();
    PanelArbol->show();
    Divisor->setSizes(
        {width() - margenes.left() - margenes.right() - Divisor->handleWidth() - cuenta, cuenta});
}

FrmMA_CUENTAS::~FrmMA_CUENTAS() {
    // The filters read the controls: they go before the children do.
    delete Previa;
    delete Filtro;
}

void FrmMA_CUENTAS::ArmaControles() {
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(4, 4, 4, 0);

    Divisor = new QSplitter(Qt::Horizontal, this);
    Divisor->setObjectName(QStringLiteral("Divisor"));
    Divisor->setChildrenCollapsible(false);
    raiz->addWidget(Divisor, 1);

    PanelArbol = new QWidget(Divisor);
    PanelArbol->setObjectName(QStringLiteral("PanelArbol"));
    auto* arbol = new QVBoxLayout(PanelArbol);
    arbol->setContentsMargins(0, 0, 0, 0);
    PanelArbol->setMinimumWidth(260);
    TreeV = new ArbolPlanCuentas;
    TreeV->setObjectName(QStringLiteral("TreeV"));
    setArbol(TreeV);

    auto* derecha = PanelCuenta = new QWidget(Divisor);
    auto* columna = new QVBoxLayout(derecha);
    columna->setContentsMargins(0, 0, 0, 0);
    Divisor->addWidget(PanelArbol);
    Divisor->addWidget(derecha);
    Divisor->setStretchFactor(0, 2);
    Divisor->setStretchFactor(1, 3);
    // The tree and the account side as wide as the window had them (twips).
    Divisor->setSizes({4455, 7095});

    Paxtor1 = new Paxtor(derecha);
    Paxtor1->setObjectName(QStringLiteral("Paxtor1"));
    columna->addWidget(Paxtor1);

    SSTab1 = new QTabWidget(derecha);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    columna->addWidget(SSTab1, 1);
    auto* datos = new QWidget(SSTab1);
    auto* mas = new QWidget(SSTab1);
    SSTab1->addTab(datos, QStringLiteral("Datos Generales"));
    SSTab1->addTab(mas, QStringLiteral("Mas Datos"));

    for (size_t i = 0; i < kTitulos.size(); ++i)
        LblTitulo.push_back(Etiqueta(QString::fromUtf8(kTitulos[i]), datos, "LblTitulo"));

    TxtCodigo = new QLineEdit(datos);
    TxtCodigo->setObjectName(QStringLiteral("TxtCodigo"));
    TxtCodigo->setProperty("Tag", QStringLiteral("MA_CUENTAS"));
    for (const CampoCuenta& c : kCampos) {
        auto* t = new QLineEdit(datos);
        t->setObjectName(QStringLiteral("txtFields"));
        t->setProperty("DataField", QString::fromLatin1(c.columna));
        t->setProperty("Tag", QString::fromLatin1(c.tag));
        t->setToolTip(QString::fromUtf8(c.nombre));
        txtFields.push_back(t);
    }

    // Its entries are some 350 characters wide, the code set apart by
    // blanks: the list shows name and code in two columns and keeps the
    // width the layout gives it.
    Combo1 = new ListaColumnas(datos);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    Combo1->setMinimumContentsLength(20);
    auto* tipo = new QWidget(datos);
    auto* tipoFila = new QHBoxLayout(tipo);
    tipoFila->setContentsMargins(0, 0, 0, 0);
    const std::array<const char*, 2> tipos{"Imputable", "Título"};
    for (size_t i = 0; i < tipos.size(); ++i) {
        OptTipoCuenta[i] = new QRadioButton(QString::fromUtf8(tipos[i]), tipo);
        OptTipoCuenta[i]->setObjectName(QStringLiteral("OptTipoCuenta"));
        tipoFila->addWidget(OptTipoCuenta[i]);
    }
    tipoFila->addStretch();

    // The yes/no boxes show their state as their caption.
    CHKAjustable = Casilla(QStringLiteral("NO"), datos, "CHKAjustable");
    ChkBloqueo = Casilla(QStringLiteral("NO"), datos, "ChkBloqueo");
    ChkVto = Casilla(QStringLiteral("NO"), datos, "ChkVto");
    ChkBdu = Casilla(QStringLiteral("NO"), datos, "ChkBdu");
    ChkCyB = Casilla(QStringLiteral("NO"), datos, "ChkCyB");
    chkTarjeta = Casilla(QStringLiteral("No pide datos de la tarjeta."), datos, "chkTarjeta");
    chkCCostos = Casilla(QStringLiteral("&Usa Centros de Costos"), datos, "chkCCostos");
    CmbIndices = Lista(datos, "CmbIndices");
    CmbMP = Lista(datos, "CmbMP");
    CmbMoneda = Lista(datos, "CmbMoneda");
    lblCodTarjetaConcAuto =
        Etiqueta(QStringLiteral("Código para conciliación automática: (Tarjeta o Datanet)"), datos,
                 "lblCodTarjetaConcAuto");
    LblDV = Etiqueta(QStringLiteral("0"), datos, "LblDV");
    LblDescRelacionado = Etiqueta(QString(), datos, "LblDescRelacionado");
    Label1 = Etiqueta(QStringLiteral("Bienes de Uso"), datos, "Label1");

    auto* libros = new QGroupBox(datos);
    auto* librosFila = new QHBoxLayout(libros);
    const std::array<const char*, 3> textosLibros{"Ningún Libro de I.V.A.",
                                                  "Asignar a Libro de I.V.A. Compras",
                                                  "Asignar a Libro de I.V.A. Dulvar"};
    for (size_t i = 0; i < textosLibros.size(); ++i) {
        optLibros[i] = new QRadioButton(QString::fromUtf8(textosLibros[i]), libros);
        optLibros[i]->setObjectName(QStringLiteral("optLibros"));
        // Shown, never chosen: the save sets the books from the account's
        // view type, whatever the buttons say.
        optLibros[i]->setEnabled(false);
        librosFila->addWidget(optLibros[i]);
    }
    optLibros[1]->setProperty("DataField", QStringLiteral("Libro_Iva_Compras"));
    optLibros[2]->setProperty("DataField", QStringLiteral("Libro_Iva_Dulvar"));
    librosFila->addStretch();

    auto* g = new QGridLayout(datos);
    int fila = 0;
    g->addWidget(LblTitulo[8], fila, 0);
    g->addWidget(Combo1, fila++, 1, 1, 3);
    g->addWidget(LblTitulo[14], fila, 0);
    g->addWidget(TxtCodigo, fila, 1);
    g->addWidget(LblTitulo[5], fila, 2);
    g->addWidget(LblDV, fila++, 3);
    g->addWidget(LblTitulo[0], fila, 0);
    g->addWidget(txtFields[1], fila, 1);
    g->addWidget(LblTitulo[10], fila, 2);
    g->addWidget(txtFields[2], fila++, 3);
    g->addWidget(LblTitulo[1], fila, 0);
    g->addWidget(txtFields[0], fila++, 1, 1, 3);
    g->addWidget(LblTitulo[3], fila, 0);
    g->addWidget(tipo, fila++, 1, 1, 3);
    g->addWidget(LblTitulo[2], fila, 0);
    g->addWidget(CHKAjustable, fila, 1);
    g->addWidget(LblTitulo[4], fila, 2);
    g->addWidget(CmbIndices, fila++, 3);
    g->addWidget(LblTitulo[7], fila, 0);
    g->addWidget(ChkBloqueo, fila, 1);
    g->addWidget(LblTitulo[6], fila, 2);
    g->addWidget(ChkVto, fila++, 3);
    g->addWidget(Label1, fila, 0);
    g->addWidget(ChkBdu, fila, 1);
    g->addWidget(LblTitulo[9], fila, 2);
    g->addWidget(ChkCyB, fila++, 3);
    g->addWidget(LblTitulo[13], fila, 0);
    g->addWidget(txtFields[3], fila, 1);
    g->addWidget(LblTitulo[11], fila, 2);
    g->addWidget(LblDescRelacionado, fila++, 3);
    g->addWidget(CmbMP, fila, 0, 1, 2);
    g->addWidget(LblTitulo[12], fila, 2);
    g->addWidget(CmbMoneda, fila++, 3);
    g->addWidget(lblCodTarjetaConcAuto, fila, 0, 1, 2);
    g->addWidget(txtFields[4], fila, 2);
    g->addWidget(chkTarjeta, fila++, 3);
    g->addWidget(chkCCostos, fila++, 0, 1, 4);
    g->addWidget(libros, fila++, 0, 1, 4);
    g->setRowStretch(fila, 1);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    // Tab goes through the account's controls in the window's own order.
    QList<QWidget*> orden{TxtCodigo};
    orden << QList<QWidget*>(txtFields.begin(), txtFields.end());
    orden << Combo1 << OptTipoCuenta[0] << OptTipoCuenta[1] << CHKAjustable << CmbIndices
          << ChkBloqueo << ChkVto << ChkBdu << ChkCyB << CmbMP << CmbMoneda << chkTarjeta
          << chkCCostos << optLibros[0] << optLibros[1] << optLibros[2];
    ClsFormulario::OrdenTabulacion(orden);

    // The custom-fields grid and its edit box go into this frame.
    auto* masFila = new QVBoxLayout(mas);
    Frame1 = new QGroupBox(mas);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    new QVBoxLayout(Frame1);
    masFila->addWidget(Frame1);
    Grilla = new GrillaPersonalizados;
    setGrilla(Grilla);

    Tbar = new QToolBar(derecha);
    Tbar->setObjectName(QStringLiteral("Tbar"));
    Tbar->setToolButtonStyle(Qt::ToolButtonIconOnly);
    for (const BotonBarra& b : kBotonesTbar) {
        const QString clave = QString::fromUtf8(b.clave);
        QAction* boton = Tbar->addAction(style()->standardIcon(b.imagen), clave.trimmed());
        boton->setData(clave);
    }
    // "Adjuntar Jerarquías " stays pressed while the tree is shown.
    BotonTbar(6)->setCheckable(true);
    columna->addWidget(Tbar);

    sbStatusBar = new StatusBar(this);
    sbStatusBar->setObjectName(QStringLiteral("sbStatusBar"));
    for (const char* clave : {"VERSION", "SERVER", "BASEDEDATOS", "USUARIO", "CAJA"})
        sbStatusBar->AddPanel(QLatin1String(clave));
    sbStatusBar->AddPanel(QStringLiteral("MENSAJE"), 1);
    raiz->addWidget(sbStatusBar);
}

void FrmMA_CUENTAS::ConectaEventos() {
    Filtro = new FiltroCuentas(this);
    for (QWidget* c : {static_cast<QWidget*>(TxtCodigo), static_cast<QWidget*>(Combo1),
                       static_cast<QWidget*>(CmbIndices), static_cast<QWidget*>(CmbMP)})
        c->installEventFilter(Filtro);
    // The right button opens a field's lookup.
    TxtCodigo->setContextMenuPolicy(Qt::NoContextMenu);
    for (QLineEdit* t : txtFields) {
        t->installEventFilter(Filtro);
        t->setContextMenuPolicy(Qt::NoContextMenu);
    }
    ValidaAlSalir.assign(txtFields.size(), false);
    // A key pressed anywhere in the window reaches the command bar first.
    Previa = ui::PreviaTeclas(
        this, [this](int KeyCode, int Shift) { Protege([&] { Form_KeyDown(KeyCode, Shift); }); });
    connect(TxtCodigo, &QLineEdit::textChanged, this,
            [this] { Protege([&] { TxtCodigo_Change(); }); });
    // A code the user types again is judged again, the same as before or not.
    for (QLineEdit* caja : {TxtCodigo, txtFields[1]})
        connect(caja, &QLineEdit::textEdited, this, [this] { CodigoRechazado.clear(); });
    // The code box shows the code member's text as it is typed, not a key
    // behind it: a command reads either.
    connect(txtFields[1], &QLineEdit::textChanged, this, [this](const QString& texto) {
        if (TxtCodigo->text() != texto)
            TxtCodigo->setText(texto);
    });
    for (int i = 0; i < int(OptTipoCuenta.size()); ++i)
        connect(OptTipoCuenta[size_t(i)], &QRadioButton::toggled, this, [this, i](bool marcado) {
            if (marcado)
                Protege([&] { OptTipoCuenta_Click(i); });
        });
    const std::array<std::pair<QCheckBox*, void (FrmMA_CUENTAS::*)()>, 5> casillas{{
        {CHKAjustable, &FrmMA_CUENTAS::CHKAjustable_Click},
        {ChkCyB, &FrmMA_CUENTAS::ChkCyB_Click},
        {ChkVto, &FrmMA_CUENTAS::ChkVto_Click},
        {ChkBdu, &FrmMA_CUENTAS::ChkBdu_Click},
        {ChkBloqueo, &FrmMA_CUENTAS::ChkBloqueo_Click},
    }};
    for (const auto& [casilla, manejador] : casillas)
        connect(casilla, &QCheckBox::toggled, this,
                [this, m = manejador] { Protege([&] { (this->*m)(); }); });
    connect(CmbMP, &QComboBox::currentIndexChanged, this,
            [this] { Protege([&] { CmbMP_Click(); }); });
    connect(Paxtor1, &Paxtor::ButtonClick, this,
            [this](const QString& Key) { Protege([&] { Paxtor1_ButtonClick(Key); }); });
    connect(Tbar, &QToolBar::actionTriggered, this,
            [this](QAction* Button) { Protege([&] { Tbar_ButtonClick(Button); }); });
    connect(TreeV, &ArbolPlanCuentas::NodeClick, this,
            [this](const QString& Codigo) { Protege([&] { TreeV_NodeClick(Codigo); }); });
    connect(TreeV, &ArbolPlanCuentas::KeyPress, this,
            [this](int KeyAscii) { Protege([&] { TreeV_KeyPress(KeyAscii); }); });
}

void FrmMA_CUENTAS::setArbol(QWidget* arbol) {
    arbol->setParent(PanelArbol);
    PanelArbol->layout()->addWidget(arbol);
}

void FrmMA_CUENTAS::setGrilla(QWidget* grilla) {
    grilla->setParent(Frame1);
    Frame1->layout()->addWidget(grilla);
}

QAction* FrmMA_CUENTAS::BotonTbar(int n) const {
    const QList<QAction*> botones = Tbar->actions();
    return n >= 1 && n <= botones.size() ? botones[n - 1] : nullptr;
}

QLineEdit* FrmMA_CUENTAS::Campo(const QString& columna) const {
    const int i = ClsFormulario::IndiceControl(columna, txtFields);
    return i < 0 ? nullptr : txtFields[size_t(i)];
}

void FrmMA_CUENTAS::closeEvent(QCloseEvent* e) {
    e->accept();
    if (Descargando)
        return;
    int cancelar = 0;
    Protege([&] { Form_Unload(cancelar); });
}
