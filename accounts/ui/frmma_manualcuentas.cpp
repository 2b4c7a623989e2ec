#include "accounts/ui/frmma_manualcuentas.h"

#include "accounts/core/carga.h"
#include "accounts/core/clsreglasplan.h"

#include "accounts/ui/arbol_plan.h"
#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"
#include "startup/ui/cns_ventana.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QStyle>
#include <algorithm>

using CNStuffContable::CuentaActual;

namespace {

const std::array<const char*, 2> kColumnas{{"Manual", "Manual_Haber"}};
const std::array<const char*, 2> kTitulos{{"Se debita por: ", "Se Acredita por:"}};

// The window's design: twips as the layout states them, 15 to a pixel.
constexpr int Px(int twips) {
    return twips / 15;
}

QPointer<frmMa_ManualCuentas>& instancia() {
    static QPointer<frmMa_ManualCuentas> w;
    return w;
}

using pasos::Protege;
using pasos::Recuadro;

// The focused box is cyan (&HFFFF00), the others white.
void Pinta(QWidget* caja, bool conFoco) {
    QPalette p = caja->palette();
    p.setColor(QPalette::Base, conFoco ? QColor(0, 255, 255) : QColor(255, 255, 255));
    caja->setPalette(p);
}

// The suite stores the texts with CR LF between lines; the box shows them
// with LF alone.
QString ParaMostrar(const QString& guardado) {
    QString t = guardado;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

QString ParaGuardar(const QString& mostrado) {
    QString t = ParaMostrar(mostrado);
    return t.replace(u'\n', QStringLiteral("\r\n"));
}

} // namespace

// Focus and keys of the two text boxes.
class FiltroManual : public QObject {
public:
    explicit FiltroManual(frmMa_ManualCuentas* w) : QObject(w), w_(w) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        const auto it = std::find(w_->txtFields.begin(), w_->txtFields.end(), objeto);
        if (it == w_->txtFields.end())
            return false;
        const int indice = int(it - w_->txtFields.begin());
        switch (evento->type()) {
        case QEvent::FocusIn:
            Protege([&] { w_->txtFields_GotFocus(indice); });
            return false;
        case QEvent::FocusOut: {
            // Another window taking the activation (a box, the accounts
            // window) or a context menu does not take the focus from the box.
            const Qt::FocusReason razon = static_cast<QFocusEvent*>(evento)->reason();
            if (razon == Qt::ActiveWindowFocusReason || razon == Qt::PopupFocusReason)
                return false;
            Protege([&] { w_->txtFields_LostFocus(indice); });
            return false;
        }
        case QEvent::KeyPress:
            return tecla(indice, *static_cast<QKeyEvent*>(evento));
        default:
            return false;
        }
    }

private:
    // A typed character goes through the window's filter; what it answers is
    // typed instead.
    bool tecla(int indice, const QKeyEvent& k) {
        const QString texto = k.text();
        if (texto.size() != 1 || texto.at(0).unicode() < 32 ||
            (k.modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
            return false;
        const QByteArray codigo = quindel2::encodeWindows1252(texto);
        if (codigo.size() != 1 || quindel2::decodeWindows1252(codigo) != texto)
            return false;
        const int original = static_cast<unsigned char>(codigo.at(0));
        int ascii = original;
        Protege([&] { w_->txtFields_KeyPress(indice, ascii); });
        if (ascii == original)
            return false;
        if (ascii > 0 && ascii <= 255)
            w_->txtFields[size_t(indice)]->insertPlainText(
                quindel2::decodeWindows1252(QByteArray(1, char(ascii))));
        return true;
    }

    frmMa_ManualCuentas* w_;
};

frmMa_ManualCuentas* frmMa_ManualCuentas::Muestra() {
    // Asked for another account: the texts typed go to the account shown,
    // as leaving them does, and the window moves to the one asked for.
    frmMa_ManualCuentas* abierta = instancia();
    const QString pedida = CuentaActual.trimmed();
    if (abierta && !pedida.isEmpty() &&
        pedida.compare(abierta->CuentaMostrada(), Qt::CaseInsensitive) != 0 &&
        abierta->GrabaTextos(QStringLiteral("Muestra")))
        abierta->MostrarCuenta(abierta->TablaManual);
    return ui::showSingle(instancia(), [](frmMa_ManualCuentas& w) { w.Form_Load(); });
}

QString frmMa_ManualCuentas::CuentaMostrada() const {
    if (!rsCuenta || rsCuenta->State() != ado::adStateOpen || rsCuenta->BOF() || rsCuenta->EOF())
        return QString();
    return ClsUtilidades::ValorCampo(rsCuenta->value(QStringLiteral("Codigo"))).trimmed();
}

frmMa_ManualCuentas* frmMa_ManualCuentas::Instancia() {
    return instancia();
}

frmMa_ManualCuentas::frmMa_ManualCuentas(QWidget* parent) : QWidget(parent) {
    setWindowTitle(QStringLiteral("Manual de Cuentas"));
    ArmaControles();
    resize(Px(11700), Px(7800));
}

frmMa_ManualCuentas::~frmMa_ManualCuentas() {
    // The filter reads the boxes: it goes before the children do.
    delete Filtro;
    Filtro = nullptr;
}

void frmMa_ManualCuentas::ArmaControles() {
    TreeV = new ArbolPlanCuentas(this);
    TreeV->setObjectName(QStringLiteral("TreeV"));

    LblCuenta = new QLabel(QStringLiteral("..."), this);
    LblCuenta->setObjectName(QStringLiteral("LblCuenta"));

    for (size_t i = 0; i < txtFields.size(); ++i) {
        LblTitulo[i] = new QLabel(QString::fromUtf8(kTitulos[i]), this);
        LblTitulo[i]->setObjectName(QStringLiteral("LblTitulo"));
        auto* caja = new QPlainTextEdit(this);
        caja->setObjectName(QStringLiteral("txtFields"));
        caja->setProperty("DataField", QString::fromLatin1(kColumnas[i]));
        caja->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        caja->setTabChangesFocus(true);
        txtFields[i] = caja;
    }

    ChkRama = new QCheckBox(QStringLiteral("Contraer/Expander"), this);
    ChkRama->setObjectName(QStringLiteral("ChkRama"));
    CmdActualizar = new QPushButton(style()->standardIcon(QStyle::SP_BrowserReload),
                                    QStringLiteral("Actualizar"), this);
    CmdActualizar->setObjectName(QStringLiteral("CmdActualizar"));
    cmdClose = new QPushButton(style()->standardIcon(QStyle::SP_DialogCloseButton),
                               QStringLiteral("Cerrar"), this);
    cmdClose->setObjectName(QStringLiteral("cmdClose"));

    // Design positions; the tree and the texts follow the window's size.
    ChkRama->move(Px(60), Px(150));
    CmdActualizar->setGeometry(Px(2100), Px(60), Px(1500), Px(450));
    cmdClose->setGeometry(Px(3700), Px(60), Px(1500), Px(450));
    LblCuenta->move(Px(5400), Px(180));
    txtFields[0]->move(0, Px(840));
    LblTitulo[0]->move(0, Px(600));

    Filtro = new FiltroManual(this);
    for (QPlainTextEdit* caja : txtFields)
        caja->installEventFilter(Filtro);
    connect(TreeV, &ArbolPlanCuentas::NodeClick, this,
            [this](const QString& codigo) { Protege([&] { TreeV_NodeClick(codigo); }); });
    connect(ChkRama, &QCheckBox::clicked, this, [this] { Protege([&] { ChkRama_Click(); }); });
    connect(CmdActualizar, &QPushButton::clicked, this,
            [this] { Protege([&] { CmdActualizar_Click(); }); });
    connect(cmdClose, &QPushButton::clicked, this, [this] { Protege([&] { cmdClose_Click(); }); });
}

void frmMa_ManualCuentas::Form_Load() {
    ClsUtilidades::PreparaFormulario(this);
    CNStuffContable::ConfiguraIconoYBarras(this);
    ArmarTreeVAutomatico(QVariant::fromValue(static_cast<QObject*>(TreeV)));
    for (QPlainTextEdit* caja : txtFields) {
        caja->clear();
        caja->setEnabled(false);
    }
    TablaManual = QStringLiteral("Ma_Cuentas");
    MostrarCuenta(TablaManual);
    // Typing starts in the account's first text, when it has one to show.
    ClsFormulario::FocoAlPrimerCampo(this);
}

void frmMa_ManualCuentas::ArmarTreeVAutomatico(const std::optional<QVariant>& Desde) {
    std::vector<FilaPlan> filas;
    pasos::RunSteps({
                        [&] {
                            std::optional<int> desde;
                            // Where postable accounts begin: the heading level ("rubro")
                            // when it may take postings, the level below it otherwise.
                            if (Desde)
                                desde = CNStuffContable::CfgSi(QStringLiteral("Rubro_Imputable"))
                                            ? CNStuffContable::gFinNivel2
                                            : CNStuffContable::gFinNivel3;
                            filas = PlanCuentas::LeePlanManual(desde);
                            return !filas.empty();
                        },
                        [&] { TreeV->Armar(filas); },
                    },
                    Recuadro(QStringLiteral("ArmarTreeVAutomatico")), pasos::Trap::AllErrors);
}

void frmMa_ManualCuentas::MostrarCuenta(const QString& Tabla) {
    pasos::RunSteps(
        {
            [&] { cuentas::AbreCuentaManual(Tabla, CuentaActual, rsCuenta); },
            [&] { return rsCuenta && rsCuenta->State() == ado::adStateOpen && !rsCuenta->EOF(); },
            [&] { rsCuenta->MoveFirst(); },
            [&] { MuestraFila(CuentaActual); },
            [&] { TreeV->SeleccionaCuenta(CuentaActual); },
        },
        Recuadro(QStringLiteral("Generar")), pasos::Trap::AllErrors);
}

void frmMa_ManualCuentas::MuestraFila(const QString& Codigo) {
    LblCuenta->setText(QStringLiteral("Cuenta: ") + Codigo + u' ' +
                       ClsUtilidades::ValorCampo(rsCuenta->value(QStringLiteral("Descripcion"))));
    for (size_t i = 0; i < txtFields.size(); ++i) {
        txtFields[i]->setPlainText(ParaMostrar(
            ClsUtilidades::ValorCampo(rsCuenta->value(QString::fromLatin1(kColumnas[i])))));
        txtFields[i]->setEnabled(true);
    }
}

void frmMa_ManualCuentas::SinCuenta() {
    LblCuenta->clear();
    // Nothing would keep what were typed here.
    for (QPlainTextEdit* caja : txtFields) {
        caja->clear();
        caja->setEnabled(false);
    }
}

void frmMa_ManualCuentas::TreeV_NodeClick(const QString& Codigo) {
    for (QPlainTextEdit* caja : txtFields)
        caja->clear();
    if (!rsCuenta) {
        // Reopened with its own cursor and lock, so that its row can be written.
        rsCuenta = ado::Recordset::create();
        rsCuenta->setCursorType(ado::adOpenDynamic);
        rsCuenta->setLockType(ado::adLockOptimistic);
    }
    if (gDatos().ExisteEnTabla(QStringLiteral("MA_CUENTAS"), Codigo, QStringLiteral("Codigo"),
                               &rsCuenta, 8, QString(), false))
        MuestraFila(Codigo);
    else
        SinCuenta();
}

bool frmMa_ManualCuentas::GrabaTextos(const QString& Rutina) {
    if (Grabando)
        return true;
    Grabando = true;
    const bool hecho = pasos::RunSteps(
        {
            [&] {
                return rsCuenta && rsCuenta->State() == ado::adStateOpen && !rsCuenta->BOF() &&
                       !rsCuenta->EOF();
            },
            [&] {
                // Both texts each time, changed or not; an empty box stores an
                // empty text.
                for (size_t i = 0; i < txtFields.size(); ++i)
                    rsCuenta->Fields(QString::fromLatin1(kColumnas[i]))
                        .setValue(ParaGuardar(txtFields[i]->toPlainText()));
                rsCuenta->Update();
            },
        },
        [&](const ado::Error& e) {
            // The row must not keep a pending edit: the next account could not
            // be loaded over it. The texts stay in the boxes.
            try {
                if (rsCuenta && rsCuenta->State() == ado::adStateOpen &&
                    rsCuenta->EditMode() != ado::adEditNone)
                    rsCuenta->CancelUpdate();
            } catch (const std::exception&) {
            }
            return pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, Rutina));
        },
        pasos::Trap::AllErrors);
    Grabando = false;
    return hecho;
}

void frmMa_ManualCuentas::txtFields_GotFocus(int Index) {
    Pinta(txtFields[size_t(Index)], true);
}

void frmMa_ManualCuentas::txtFields_LostFocus(int Index) {
    GrabaTextos(QStringLiteral("txtFields_LostFocus"));
    Pinta(txtFields[size_t(Index)], false);
}

void frmMa_ManualCuentas::txtFields_KeyPress(int Index, int& KeyAscii) {
    Q_UNUSED(Index);
    KeyAscii = Mod_Macuentas::MayusculaCodigo(std::int16_t(KeyAscii));
}

void frmMa_ManualCuentas::ChkRama_Click() {
    if (ChkRama->isChecked())
        TreeV->expandAll();
    else
        TreeV->collapseAll();
}

void frmMa_ManualCuentas::CmdActualizar_Click() {
    TreeV->modelo()->Vaciar();
    // The whole chart, whatever the accounts window leaves out of its own.
    std::vector<FilaPlan> filas;
    ClsReglasPlan().LlenaArbolPlan([&](const QString& Codigo, const QString& Descripcion) {
        filas.push_back({Codigo, Descripcion});
    });
    TreeV->Armar(filas);
}

void frmMa_ManualCuentas::cmdClose_Click() {
    close();
}

void frmMa_ManualCuentas::Form_Resize() {
    const int alto = height();
    const int ancho = width();
    const QRect exterior = frameGeometry();
    TreeV->setGeometry(0, Px(600), ancho / 3, std::max(alto - Px(600), 0));
    const int izquierda = TreeV->width() + Px(50);
    const int altoTexto = std::max(exterior.height() / 2 - Px(1000), 0);
    const int anchoTexto = std::max(exterior.width() - TreeV->width() - Px(150), 0);
    txtFields[0]->setGeometry(izquierda, txtFields[0]->y(), anchoTexto, altoTexto);
    LblTitulo[0]->move(izquierda, LblTitulo[0]->y());
    txtFields[1]->setGeometry(izquierda, txtFields[0]->y() + txtFields[0]->height() + Px(600),
                              anchoTexto, altoTexto);
    LblTitulo[1]->adjustSize();
    LblTitulo[1]->move(izquierda, txtFields[1]->y() - LblTitulo[1]->height() - Px(200));
    LblCuenta->resize(std::max(ancho - LblCuenta->x(), 0), LblCuenta->sizeHint().height());
}

void frmMa_ManualCuentas::Form_Unload(int& Cancel) {
    if (!GrabaTextos(QStringLiteral("Form_Unload"))) {
        Cancel = 1;
        return;
    }
    if (rsCuenta)
        CierraSinAviso(rsCuenta);
    rsCuenta.reset();
    hide();
}

void frmMa_ManualCuentas::closeEvent(QCloseEvent* e) {
    int Cancel = 0;
    Protege([&] { Form_Unload(Cancel); });
    if (Cancel)
        e->ignore();
    else
        e->accept(); // WA_DeleteOnClose releases the shown instance
}

void frmMa_ManualCuentas::resizeEvent(QResizeEvent* e) {
    QWidget::resizeEvent(e);
    // Sizes the layout cannot take are left as they were.
    try {
        Form_Resize();
    } catch (const std::exception&) {
    }
}
