// The additional-data window's controls, their layout, the routing of their
// events to the window's handlers and the one shared instance.

#include "accountextras/ui/frmma_cuentasadic.h"

#include "accountextras/ui/interno.h"
#include "accounts/ui/grilla_personalizados.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/modal.h"
#include "platform/ui/mouse.h"
#include "platform/ui/paxtor.h"
#include "platform/ui/teclas.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>
#include <QTabWidget>
#include <QVBoxLayout>

using cuentasadic::ui::Protege;

namespace {

struct CampoAdicional {
    const char* columna;
    const char* leyenda;
    int largo; // initial maximum length; 0: free
    const char* tag;
    const char* nombre; // display name, in the tooltip
};

// Indexed as the window's code addresses them.
constexpr std::array<CampoAdicional, 24> kCampos{{
    {"CODIGO", "Cuenta", 30, "MA_CUENTAS", ""},
    {"CONTACTO", "Contacto:", 30, "", ""},
    {"CALLE", "Calle", 30, "", "Calle"},
    {"NUMERO", "Número", 6, "", "Número"},
    {"PISO", "Piso", 2, "", ""},
    {"DEPARTAMENTO", "Departamento", 2, "", ""},
    {"CPOSTAL", "Cod.Postal", 10, "", "Código Postal"},
    {"LOCALIDAD", "Localidad", 30, "", "Localidad"},
    {"PROVINCIA", "Provincia", 4, "TA_ESTADOS", "Provincia"},
    {"PAIS", "Pais:", 4, "TA_PAISES", "Pais"},
    {"TELEFONO", "Teléfono", 20, "", ""},
    {"DOCUMENTO_TIPO", "Tipo de Documento:", 50, "TA_TIPODOCUMENTO", "Tipo de Documento"},
    {"NUMERO_DOCUMENTO", "Número:", 13, "", "Número de Documento"},
    {"IVA", "Cond. de IVA:", 4, "TA_CONDIVA", "Condición de I.V.A."},
    {"OBSERVACIONES", "Observaciones", 50, "", ""},
    {"FAX", "Fax", 20, "", ""},
    {"MAIL", "E-Mail", 20, "", ""},
    {"IDCOND_Cpra_Vta", "Condición de Compra/Venta:", 4, "V_TA_Cpra_Vta", ""},
    {"LIMITE_CREDITO", "Límite de Crédito", 0, "", ""},
    {"idcategoria", "Categoría", 0, "V_TA_CATEGORIA", ""},
    {"IdMotivoVta", "Motivo de Venta", 0, "V_TA_MotivoVta", ""},
    {"IdMotivoCpra", "Motivo de Compra", 0, "V_TA_MotivoCpra", ""},
    {"IdVendedor", "Vendedor habitual", 0, "V_TA_Vendedores", ""},
    {"IdLista", "Lista de precios habitual", 0, "V_MA_PreciosCab", ""},
}};

// The field of each caption of the "Más Datos" tab (Label1 by index).
constexpr std::array<int, 7> kCamposLabel1{{17, 19, 20, 18, 21, 22, 23}};

QPointer<frmMA_CUENTASADIC>& instancia() {
    static QPointer<frmMA_CUENTASADIC> w;
    return w;
}

} // namespace

// Focus, keys and mouse of the text fields.
class FiltroAdicionales : public QObject {
public:
    explicit FiltroAdicionales(frmMA_CUENTASADIC* w) : QObject(w), w_(w) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (reenvio_)
            return false;
        const int i = Indice(objeto);
        if (i < 0)
            return false;
        switch (evento->type()) {
        case QEvent::FocusIn:
            Protege([&] { w_->txtFields_GotFocus(i); });
            return false;
        case QEvent::FocusOut: {
            // Another window taking the activation (a box, a lookup) does not
            // take the focus from the field.
            const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
            if (razon != Qt::ActiveWindowFocusReason && razon != Qt::PopupFocusReason)
                Protege([&] { w_->txtFields_LostFocus(i); });
            return false;
        }
        case QEvent::KeyPress:
            return Tecla(i, *static_cast<QKeyEvent*>(evento));
        case QEvent::MouseButtonPress: {
            const int boton = ui::vbMouseButton(*static_cast<QWidget*>(objeto),
                                                *static_cast<QMouseEvent*>(evento));
            if (boton == 0)
                return true;
            Protege([&] { w_->txtFields_MouseDown(i, boton); });
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

    bool Tecla(int i, const QKeyEvent& k) {
        Protege([&] { w_->txtFields_KeyDown(i, ui::vbKeyCode(k), ui::vbShift(k.modifiers())); });
        const QString texto = k.text();
        if (texto.size() != 1 || (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const int original = texto.at(0).unicode();
        if (original < 32 || original > 255)
            return false;
        int ascii = original;
        Protege([&] { w_->txtFields_KeyPress(i, ascii); });
        if (ascii == original)
            return false;
        // The character the filter chose is typed instead.
        ui::TecleaEnLugar(w_->txtFields[size_t(i)], k, ascii, reenvio_);
        return true;
    }

    frmMA_CUENTASADIC* w_;
    bool reenvio_ = false;
};

frmMA_CUENTASADIC* frmMA_CUENTASADIC::Muestra(bool FormaIndependiente) {
    // Bound and asked for another account: it moves there once what it holds
    // unsaved is given up; kept, it stays on its own.
    frmMA_CUENTASADIC* abierta = instancia();
    if (abierta && !FormaIndependiente && !abierta->FormaIndependiente &&
        abierta->CodigoCuenta.compare(CNStuffContable::CuentaActual.trimmed(),
                                      Qt::CaseInsensitive) != 0 &&
        abierta->AbandonaCambios())
        abierta->Form_Load();
    return ui::showSingle(instancia(), [&](frmMA_CUENTASADIC& w) {
        w.FormaIndependiente = FormaIndependiente;
        w.Form_Load();
    });
}

frmMA_CUENTASADIC* frmMA_CUENTASADIC::Instancia() {
    return instancia();
}

frmMA_CUENTASADIC::frmMA_CUENTASADIC(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Plan General de Cuentas - Datos Adicionales -"));
    ArmaControles();
    ConectaEventos();
    resize(780, 500);
}

frmMA_CUENTASADIC::~frmMA_CUENTASADIC() {
    // The filters read the controls: they go before the children do.
    delete Previa;
    delete Filtro;
}

void frmMA_CUENTASADIC::ArmaControles() {
    auto* raiz = new QVBoxLayout(this);

    Paxtor1 = new Paxtor(this);
    Paxtor1->setObjectName(QStringLiteral("Paxtor1"));
    raiz->addWidget(Paxtor1);

    for (size_t i = 0; i < kCampos.size(); ++i) {
        const CampoAdicional& c = kCampos[i];
        auto* t = new QLineEdit(this);
        t->setObjectName(QStringLiteral("txtFields"));
        t->setProperty("DataField", QString::fromLatin1(c.columna));
        t->setProperty("Tag", QString::fromLatin1(c.tag));
        t->setToolTip(QString::fromUtf8(c.nombre));
        if (c.largo > 0)
            t->setMaxLength(c.largo);
        txtFields.push_back(t);
        auto* l = new QLabel(QString::fromUtf8(c.leyenda), this);
        l->setObjectName(QStringLiteral("lblLabels"));
        lblLabels.push_back(l);
    }
    // A description beside every field whose Tag names a table of codes.
    std::vector<QLabel*> detalleDe(kCampos.size(), nullptr);
    for (size_t i = 1; i < kCampos.size(); ++i) {
        const QString tag = QString::fromLatin1(kCampos[i].tag);
        if (!tag.startsWith(u"TA_", Qt::CaseInsensitive) &&
            !tag.startsWith(u"V_TA_", Qt::CaseInsensitive))
            continue;
        auto* d = new QLabel(QStringLiteral("..."), this);
        d->setObjectName(QStringLiteral("lblDetalle"));
        d->setProperty("Tag", tag);
        d->setMinimumWidth(160);
        lblDetalle.push_back(d);
        detalleDe[i] = d;
    }

    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(lblLabels[0]);
    txtFields[0]->setMaximumWidth(160);
    cabecera->addWidget(txtFields[0]);
    LblTitulo = new QLabel(QStringLiteral("..."), this);
    LblTitulo->setObjectName(QStringLiteral("LblTitulo"));
    QFont negrita = LblTitulo->font();
    negrita.setBold(true);
    LblTitulo->setFont(negrita);
    cabecera->addWidget(LblTitulo, 1);
    raiz->addLayout(cabecera);

    SSTab1 = new QTabWidget(this);
    SSTab1->setObjectName(QStringLiteral("SSTab1"));
    raiz->addWidget(SSTab1, 1);

    // First tab: address, document and tax condition.
    auto* carga = new QWidget(SSTab1);
    auto* cargaFila = new QVBoxLayout(carga);
    Frame1 = new QGroupBox(carga);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    cargaFila->addWidget(Frame1);
    auto* g = new QGridLayout(Frame1);
    const auto pon = [&](int campo, int fila, int columna, int ancho = 1) {
        g->addWidget(lblLabels[size_t(campo)], fila, columna);
        g->addWidget(txtFields[size_t(campo)], fila, columna + 1, 1, ancho);
        txtFields[size_t(campo)]->setParent(Frame1);
        lblLabels[size_t(campo)]->setParent(Frame1);
        if (QLabel* d = detalleDe[size_t(campo)]) {
            d->setParent(Frame1);
            g->addWidget(d, fila, columna + 1 + ancho, 1, 2);
        }
    };
    pon(1, 0, 0, 3);
    pon(2, 1, 0, 3);
    pon(3, 1, 4);
    pon(4, 2, 0);
    pon(5, 2, 2);
    pon(6, 2, 4);
    pon(7, 3, 0, 3);
    pon(8, 4, 0);
    pon(9, 5, 0);
    pon(10, 6, 0, 3);
    pon(15, 6, 4);
    pon(16, 7, 0, 5);
    pon(11, 8, 0);
    pon(12, 8, 4);
    pon(13, 9, 0);
    pon(14, 10, 0, 5);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);
    g->setRowStretch(11, 1);
    SSTab1->addTab(carga, QStringLiteral("&Carga de Datos"));

    // Second tab: the commercial defaults, some of them per the view.
    auto* mas = new QWidget(SSTab1);
    auto* masFila = new QVBoxLayout(mas);
    FrmMasDatos = new QGroupBox(mas);
    FrmMasDatos->setObjectName(QStringLiteral("FrmMasDatos"));
    masFila->addWidget(FrmMasDatos);
    auto* m = new QGridLayout(FrmMasDatos);
    for (size_t i = 0; i < kCamposLabel1.size(); ++i) {
        const size_t campo = size_t(kCamposLabel1[i]);
        Label1[i] = lblLabels[campo];
        Label1[i]->setObjectName(QStringLiteral("Label1"));
        Label1[i]->setParent(FrmMasDatos);
        txtFields[campo]->setParent(FrmMasDatos);
        txtFields[campo]->setMaximumWidth(120);
    }
    int fila = 0;
    for (int campo = 17; campo <= 23; ++campo, ++fila) {
        m->addWidget(lblLabels[size_t(campo)], fila, 0);
        m->addWidget(txtFields[size_t(campo)], fila, 1);
        if (QLabel* d = detalleDe[size_t(campo)]) {
            d->setParent(FrmMasDatos);
            m->addWidget(d, fila, 2);
        }
    }
    m->setColumnStretch(2, 1);
    m->setRowStretch(fila, 1);
    SSTab1->addTab(mas, QStringLiteral("&Más Datos"));

    // Third tab: the custom "P_" columns.
    Grilla = new GrillaPersonalizados(SSTab1);
    Grilla->setObjectName(QStringLiteral("Grilla"));
    SSTab1->addTab(Grilla, QStringLiteral("Campos &Personalizados"));
}

void frmMA_CUENTASADIC::ConectaEventos() {
    Filtro = new FiltroAdicionales(this);
    for (QLineEdit* t : txtFields) {
        t->installEventFilter(Filtro);
        // The right button opens a field's lookup.
        t->setContextMenuPolicy(Qt::NoContextMenu);
    }
    // A key pressed anywhere in the window reaches the command bar first.
    Previa = ui::PreviaTeclas(
        this, [this](int KeyCode, int Shift) { Protege([&] { Form_KeyDown(KeyCode, Shift); }); });
    connect(Paxtor1, &Paxtor::ButtonClick, this,
            [this](const QString& Key) { Protege([&] { Paxtor1_ButtonClick(Key); }); });
}

QLineEdit* frmMA_CUENTASADIC::Campo(const QString& columna) const {
    const int i = ClsFormulario::IndiceControl(columna, txtFields);
    return i < 0 ? nullptr : txtFields[size_t(i)];
}

void frmMA_CUENTASADIC::closeEvent(QCloseEvent* e) {
    e->accept();
    if (Descargando)
        return;
    Protege([&] { Form_Unload(); });
}
