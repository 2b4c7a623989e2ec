#include "lookup/lib_frmcons3tree.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"
#include "platform/ui/teclas.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTreeView>
#include <QVBoxLayout>
#include <functional>

namespace {

const QString kRaiz = QStringLiteral("A");
const QString kTextoRaiz = QStringLiteral("Consulta...");
const QString kColumnaFiltro = QStringLiteral("Descripcion");

// The tree control's own errors.
constexpr long kElementoNoEncontrado = 35601;
constexpr long kClaveDuplicada = 35602;

[[noreturn]] void ErrorArbol(long numero) {
    const QString texto = numero == kClaveDuplicada
                              ? QStringLiteral("La clave no es única en la colección")
                              : QStringLiteral("No se encontró el elemento");
    throw vb::TrappableError(vb::Error{numero, texto, {}, 0, vb::AppExeName()});
}

QString Familias() {
    return QStringLiteral("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, ") +
           QStringLiteral("(SELECT     TOP 1 idfamilia FROM @Admin_v_ta_familias a  ") +
           QStringLiteral(" Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) "
                          "< Len(LTrim(RTrim(b.IdFamilia)))) ") +
           QStringLiteral(" ORDER BY idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b "
                          "Where IdFamilia<>'' ORDER BY IdFamilia");
}

bool EsFamilias(const QString& sql) {
    return sql.contains(u"v_ta_familias", Qt::CaseInsensitive);
}

// The runtime's code of the keys the search combo acts on; 0 for the rest.
int CodigoTecla(int key) {
    switch (key) {
    case Qt::Key_F5:
        return 116;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    default:
        return 0;
    }
}

// The statement split for the filter: the base, the ORDER BY tail, and
// whether the statement has its own WHERE. Only the outer statement counts,
// and never a word inside a literal: a filter text already in the statement
// cannot move the split.
struct Partes {
    QString base;
    QString cola;
    bool conWhere = false;
};

Partes ParteSentencia(const QString& sql) {
    const std::vector<sqltext::Token> t = sqltext::lex(sql);
    auto siguiente = [&](size_t i) {
        for (++i; i < t.size(); ++i)
            if (t[i].kind != sqltext::TokenKind::Space && t[i].kind != sqltext::TokenKind::Comment)
                return i;
        return t.size();
    };
    Partes p;
    qsizetype orden = -1;
    int nivel = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const QStringView texto = t[i].text(sql);
        if (t[i].kind == sqltext::TokenKind::Punct) {
            nivel += texto == u"(" ? 1 : texto == u")" ? -1 : 0;
            continue;
        }
        if (nivel != 0 || t[i].kind != sqltext::TokenKind::Word)
            continue;
        const QString palabra = sqltext::upperWord(sql, t[i]);
        if (palabra == u"WHERE")
            p.conWhere = true;
        if (palabra == u"ORDER" && orden < 0) {
            const size_t j = siguiente(i);
            if (j < t.size() && sqltext::upperWord(sql, t[j]) == u"BY")
                orden = t[i].begin;
        }
    }
    p.base = orden < 0 ? sql : sql.left(orden);
    p.cola = orden < 0 ? QString() : sql.mid(orden);
    return p;
}

// Runs the steps of a handler that passes over its failures.
void SinErrores(const std::vector<pasos::Step>& pasosLista) {
    pasos::RunSteps(
        pasosLista, [](const ado::Error&) { return pasos::Resume::Next; }, pasos::Trap::AllErrors);
}

// The error box of a routine that traps its errors. Adding a node again
// cannot succeed: a retry passes over it instead of asking forever.
pasos::OnError CajaOperador(const QString& rutina) {
    return [rutina](const ado::Error& e) {
        pasos::Resume r = pasos::ResumeFor(
            int(CNStuffContable::AvisaErrorOperador(e, std::nullopt, QVariant(rutina))));
        if (r == pasos::Resume::Retry &&
            (e.Number == kClaveDuplicada || e.Number == kElementoNoEncontrado))
            r = pasos::Resume::Next;
        return r;
    };
}

} // namespace

Lib_FrmCons3Tree::Lib_FrmCons3Tree(QWidget* parent)
    : QDialog(parent), modelo_(new QStandardItemModel(this)) {
    setWindowTitle(kTextoRaiz);
    resize(480, 520);

    auto* combo = new QComboBox(this);
    combo->setObjectName(QStringLiteral("CmbSearch"));
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    CmbSearch.push_back(combo);

    TreeV = new QTreeView(this);
    TreeV->setObjectName(QStringLiteral("TreeV"));
    TreeV->setHeaderHidden(true);
    TreeV->setRootIsDecorated(true);
    TreeV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TreeV->setUniformRowHeights(true);
    TreeV->setModel(modelo_);

    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), this);
    CmdAceptar->setObjectName(QStringLiteral("CmdAceptar"));
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    CmdCancelar->setObjectName(QStringLiteral("CmdCancelar"));
    CmdNueva = new QPushButton(QStringLiteral("&Nueva Busqueda"), this);
    CmdNueva->setObjectName(QStringLiteral("CmdNueva"));
    // Enter in the search combo is no accept.
    for (QPushButton* b : {CmdAceptar, CmdCancelar, CmdNueva})
        b->setAutoDefault(false);

    auto* botones = new QHBoxLayout;
    botones->addWidget(CmdAceptar);
    botones->addWidget(CmdCancelar);
    botones->addStretch();
    botones->addWidget(CmdNueva);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(combo);
    layout->addWidget(TreeV, 1);
    layout->addLayout(botones);

    combo->installEventFilter(this);
    connect(combo, &QComboBox::editTextChanged, this, [this] { CmbSearch_Change(0); });
    connect(combo, &QComboBox::activated, this, [this] { CmbSearch_Click(0); });
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { CmdAceptar_Click(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { CmdCancelar_Click(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { CmdNueva_Click(); });
    connect(TreeV, &QTreeView::doubleClicked, this, [this] { TreeV_DblClick(); });
    connect(modelo_, &QStandardItemModel::itemChanged, this, [this](QStandardItem* item) {
        if (!propagando_ && item->isCheckable())
            TreeV_NodeCheck(item);
    });
}

Lib_FrmCons3Tree::~Lib_FrmCons3Tree() = default;

void Lib_FrmCons3Tree::showEvent(QShowEvent* event) {
    Cargar();
    QDialog::showEvent(event);
}

bool Lib_FrmCons3Tree::eventFilter(QObject* watched, QEvent* event) {
    if (watched != CmbSearch[0])
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::FocusIn) {
        CmbSearch_GotFocus(0);
    } else if (event->type() == QEvent::KeyPress) {
        const auto* k = static_cast<QKeyEvent*>(event);
        int codigo = CodigoTecla(k->key());
        if (codigo != 0) {
            CmbSearch_KeyDown(0, codigo, ui::vbShift(k->modifiers()));
            return true;
        }
    }
    return false;
}

// ---- Loading -------------------------------------------------------------------------------

void Lib_FrmCons3Tree::Cargar() {
    if (cargado_)
        return;
    cargado_ = true;
    Form_Load();
}

void Lib_FrmCons3Tree::Form_Load() {
    cargado_ = true;
    pasos::RunSteps({[&] { Valores.clear(); }, [&] { LimpiaNodos(); },
                     // The nodes take check boxes as they are added.
                     [&] { casillas_ = CheckBoxes; }, [&] { ArmaArbol(); }},
                    CajaOperador(QStringLiteral("FORM_LOAD")), pasos::Trap::AllErrors);
}

void Lib_FrmCons3Tree::Form_Unload() {
    try {
        LimpiaNodos();
    } catch (const std::exception& e) {
        vb::MsgBox(QString::fromLocal8Bit(e.what()), vb::vbCritical,
                   QStringLiteral("Aviso al Operador"));
    }
}

void Lib_FrmCons3Tree::ArmaArbol() {
    if (EsFamilias(SQL))
        ArmarTreeVFamilias();
    else
        ArmarTreeVAutomatico();
}

// ---- Builders ------------------------------------------------------------------------------

void Lib_FrmCons3Tree::ArmarTreeVFamilias() {
    SQL = Familias();
    Arma(QStringLiteral("ArmarTreeVFamilias"), 3, [&](const QStringList& fila) {
        // Rows come by code: the family above is already there. No family
        // above gives the root.
        QStandardItem* padre = Nodo(kRaiz + fila[2]);
        if (!padre)
            ErrorArbol(kElementoNoEncontrado);
        return padre;
    });
}

void Lib_FrmCons3Tree::ArmarTreeVAutomatico() {
    Arma(QStringLiteral("ArmarTreeVAutomatico"), 2,
         [&](const QStringList& fila) { return PadreAutomatico(kRaiz + fila[0]); });
}

void Lib_FrmCons3Tree::Arma(const QString& rutina, int columnas,
                            const std::function<QStandardItem*(const QStringList&)>& padreDe) {
    // Steps: the nodes cleared, the root, the rows read, then one per row.
    constexpr int primeraFila = 3;
    pasos::RunSteps(
        [&](int i) {
            switch (i) {
            case 0:
                LimpiaNodos();
                break;
            case 1:
                CreaRaiz();
                break;
            case 2:
                LeeFilas(columnas);
                break;
            default: {
                const size_t r = size_t(i - primeraFila);
                if (r >= filas_.size())
                    return -1;
                const QStringList& f = filas_[r];
                AgregaNodo(padreDe(f), kRaiz + f[0], f[0] + QStringLiteral(" - ") + f[1]);
            }
            }
            return i + 1;
        },
        CajaOperador(rutina), 0, pasos::Trap::AllErrors);
    MuestraRaiz();
    filas_.clear();
}

void Lib_FrmCons3Tree::LeeFilas(int columnas) {
    filas_.clear();
    ado::RecordsetPtr rs;
    // A copy: the data object rewrites the text it is given.
    const QString sentencia = SQL;
    gDatos().AbrirRecordset(sentencia, rs);
    // A failed open was reported by the data object.
    if (!rs || rs->State() == ado::adStateClosed)
        return;
    while (!rs->EOF()) {
        QStringList fila;
        for (int c = 0; c < columnas; ++c)
            fila << ClsUtilidades::ValorCampo(rs->Fields(c));
        filas_.push_back(std::move(fila));
        rs->MoveNext();
    }
    gDatos().CierraRecordset(rs);
}

// ---- Nodes ---------------------------------------------------------------------------------

void Lib_FrmCons3Tree::LimpiaNodos() {
    nodos_.clear();
    claves_.clear();
    raizPendiente_.reset();
    modelo_->removeRows(0, modelo_->rowCount());
}

void Lib_FrmCons3Tree::CreaRaiz() {
    raizPendiente_ = std::make_unique<QStandardItem>();
    QStandardItem* raiz = raizPendiente_.get();
    raiz->setText(kTextoRaiz);
    raiz->setData(kRaiz, KeyRole);
    raiz->setEditable(false);
    if (casillas_) {
        raiz->setCheckable(true);
        raiz->setCheckState(Qt::Unchecked);
    }
    nodos_.push_back(raiz);
    claves_.insert(kRaiz.toCaseFolded(), raiz);
}

void Lib_FrmCons3Tree::MuestraRaiz() {
    if (!raizPendiente_)
        return;
    QStandardItem* raiz = raizPendiente_.release();
    modelo_->appendRow(raiz);
    TreeV->expand(raiz->index());
}

QStandardItem* Lib_FrmCons3Tree::AgregaNodo(QStandardItem* padre, const QString& Key,
                                            const QString& Text) {
    const QString plegada = Key.toCaseFolded();
    if (claves_.contains(plegada))
        ErrorArbol(kClaveDuplicada);
    auto* nodo = new QStandardItem(Text);
    nodo->setData(Key, KeyRole);
    nodo->setEditable(false);
    if (casillas_) {
        nodo->setCheckable(true);
        nodo->setCheckState(Qt::Unchecked);
    }
    padre->appendRow(nodo);
    nodos_.push_back(nodo);
    claves_.insert(plegada, nodo);
    return nodo;
}

QStandardItem* Lib_FrmCons3Tree::Nodo(const QString& Key) const {
    return claves_.value(Key.toCaseFolded(), nullptr);
}

QStandardItem* Lib_FrmCons3Tree::PadreAutomatico(const QString& Key) const {
    // The longest key present that begins Key; the root ("A") always does.
    const QString plegada = Key.toCaseFolded();
    for (qsizetype n = plegada.size() - 1; n >= 1; --n)
        if (QStandardItem* nodo = claves_.value(plegada.left(n), nullptr))
            return nodo;
    return claves_.value(kRaiz.toCaseFolded(), nullptr);
}

// ---- Search combo ------------------------------------------------------------------------

void Lib_FrmCons3Tree::CmbSearch_KeyDown(int Index, int& KeyCode, int Shift) {
    Q_UNUSED(Shift);
    QComboBox* combo = CmbSearch[size_t(Index)];
    switch (KeyCode) {
    case 116:
        SinErrores({[&] {
                        const Partes p = ParteSentencia(SQL);
                        SQL = p.base +
                              (p.conWhere ? QStringLiteral(" and ") : QStringLiteral(" where ")) +
                              kColumnaFiltro + QStringLiteral(" like ") +
                              sqltext::likeContaining(combo->currentText()) + u' ' + p.cola;
                    },
                    [&] { combo->clearEditText(); }, [&] { Form_Load(); }});
        break;
    case 38:
    case 40:
    case 33:
    case 34:
        SinErrores({[&] { TreeV->setFocus(); }});
        break;
    default:
        break;
    }
}

void Lib_FrmCons3Tree::CmbSearch_Change(int Index) {
    SinErrores({[&] {
        const QString buscado = CmbSearch[size_t(Index)]->currentText();
        for (QStandardItem* nodo : nodos_) {
            const QString texto = nodo->text();
            const qsizetype guion = texto.indexOf(u'-');
            const QString codigo = guion < 0 ? QString() : texto.left(guion).trimmed();
            const QString descripcion = guion < 0 ? texto : texto.mid(guion + 1).trimmed();
            if (codigo.startsWith(buscado, Qt::CaseInsensitive) ||
                descripcion.startsWith(buscado, Qt::CaseInsensitive)) {
                const QModelIndex i = nodo->index();
                TreeV->setCurrentIndex(i);
                TreeV->scrollTo(i);
                return;
            }
        }
    }});
}

void Lib_FrmCons3Tree::CmbSearch_Click(int Index) {
    CmbSearch_Change(Index);
}

void Lib_FrmCons3Tree::CmbSearch_GotFocus(int Index) {
    indiceCombo_ = Index;
}

// ---- Buttons and tree ----------------------------------------------------------------------

void Lib_FrmCons3Tree::CmdAceptar_Click() {
    const QString campo = CampoDevuelto.toUpper();
    const auto codigoDe = [](const QStandardItem* nodo) {
        return nodo->data(KeyRole).toString().mid(1);
    };
    // Looks the code up; the row's CampoDevuelto column when found.
    const auto busca = [&](const QString& tabla, const QString& columna, const QString& codigo,
                           QString& valor) {
        ado::RecordsetPtr rs;
        const bool hallado = gDatos().ExisteEnTabla(tabla, codigo, columna, &rs);
        if (hallado)
            valor = ClsUtilidades::ValorCampo(rs->Fields(CampoDevuelto));
        gDatos().CierraRecordset(rs);
        return hallado;
    };

    if (CheckBoxes) {
        // A second accept (after a failure left the window open) starts over
        // rather than adding the same codes again.
        Valores.clear();
        // One step per node; the root is no row and gives no value.
        pasos::RunSteps(
            [&](int i) {
                if (i >= int(nodos_.size())) {
                    hide();
                    return -1;
                }
                const QStandardItem* nodo = nodos_[size_t(i)];
                if (i == 0 || nodo->checkState() != Qt::Checked)
                    return i + 1;
                const QString codigo = codigoDe(nodo);
                if (campo == u"IDFAMILIA" || campo == u"CODIGO") {
                    Valores << codigo.trimmed();
                } else if (campo == u"IDPOSICION") {
                    QString valor;
                    if (busca(QStringLiteral("MA_POSICIONES"), QStringLiteral("IDPOSICION"), codigo,
                              valor))
                        Valores << valor;
                }
                return i + 1;
            },
            CajaOperador(QStringLiteral("CmdAceptar_Click")), 0, pasos::Trap::AllErrors);
        return;
    }

    QString codigo;
    bool hallado = false;
    const auto asigna = [&](const QString& tabla, const QString& columna) {
        QString valor;
        hallado = busca(tabla, columna, codigo, valor);
        ValorDevuelto = hallado ? valor : QStringLiteral("");
    };
    pasos::RunSteps({[&] {
                         const QModelIndex i = TreeV->currentIndex();
                         if (!i.isValid())
                             vb::Raise(vb::errObjectNotSet);
                         codigo = codigoDe(modelo_->itemFromIndex(i));
                     },
                     [&] {
                         if (campo == u"IDFAMILIA")
                             asigna(QStringLiteral("@admin_V_TA_FAMILIAS"),
                                    QStringLiteral("IDFAMILIA"));
                         else if (campo == u"IDPOSICION")
                             asigna(QStringLiteral("MA_POSICIONES"), QStringLiteral("IDPOSICION"));
                         else if (campo == u"CODIGO")
                             asigna(QStringLiteral("TA_CCOSTO"), QStringLiteral("CODIGO"));
                     },
                     [&] {
                         if (campo == u"CODIGO" && !hallado)
                             asigna(QStringLiteral("MA_CUENTAS"), QStringLiteral("CODIGO"));
                     },
                     [&] { hide(); }},
                    CajaOperador(QStringLiteral("CmdAceptar_Click")), pasos::Trap::AllErrors);
}

void Lib_FrmCons3Tree::CmdCancelar_Click() {
    SinErrores({[&] { ValorDevuelto = QStringLiteral(""); }, [&] { CmpsDevueltos.clear(); },
                [&] { Valores.clear(); }, [&] { hide(); }});
}

void Lib_FrmCons3Tree::CmdNueva_Click() {
    SinErrores({[&] { ArmaArbol(); }});
}

void Lib_FrmCons3Tree::TreeV_DblClick() {
    CmdAceptar_Click();
}

void Lib_FrmCons3Tree::TreeV_NodeCheck(QStandardItem* Node) {
    // Down to six levels below the node, each child taking its parent's state.
    const std::function<void(QStandardItem*, int)> baja = [&](QStandardItem* padre, int nivel) {
        for (int r = 0; r < padre->rowCount(); ++r) {
            QStandardItem* hijo = padre->child(r);
            hijo->setCheckState(padre->checkState());
            if (nivel < 6)
                baja(hijo, nivel + 1);
        }
    };
    propagando_ = true;
    baja(Node, 1);
    propagando_ = false;
}
