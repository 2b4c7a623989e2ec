#include "accounts/ui/arbol_plan.h"

#include <QHeaderView>

#include "data/pasos.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QKeyEvent>
#include <array>

const QString ModeloArbolPlan::kClaveRaiz = QStringLiteral("A");
const QString ModeloArbolPlan::kTextoRaiz = QStringLiteral("Plan General de Cuentas");

namespace {

using pasos::Recuadro;

QString TextoNodo(const QString& codigo, const QString& descripcion) {
    return codigo + QStringLiteral(" - ") + descripcion;
}

} // namespace

// ---- Model -----------------------------------------------------------------------

ModeloArbolPlan::ModeloArbolPlan(QObject* parent) : QAbstractItemModel(parent) {
    beginResetModel();
    nuevo(QString(), kTextoRaiz, false, -1);
    endResetModel();
}

std::optional<QString> ModeloArbolPlan::Plegada(const QString& clave) {
    const QString k = clave.trimmed();
    if (!k.startsWith(kClaveRaiz, Qt::CaseInsensitive))
        return std::nullopt;
    return k.mid(kClaveRaiz.size()).toCaseFolded();
}

int ModeloArbolPlan::nuevo(const QString& codigo, const QString& texto, bool conCodigo, int padre) {
    return nuevo(codigo, codigo.toCaseFolded(), texto, conCodigo, padre);
}

int ModeloArbolPlan::nuevo(const QString& codigo, const QString& clave, const QString& texto,
                           bool conCodigo, int padre) {
    const int n = int(nodos_.size());
    Nodo_ nodo;
    nodo.codigo = codigo;
    nodo.texto = texto;
    nodo.conCodigo = conCodigo;
    nodo.padre = padre;
    if (padre >= 0) {
        nodo.fila = int(nodos_[size_t(padre)].hijos.size());
        nodos_[size_t(padre)].hijos.push_back(n);
    }
    nodos_.push_back(std::move(nodo));
    porClave_.insert(clave, n);
    return n;
}

void ModeloArbolPlan::Vaciar() {
    Armar({});
}

void ModeloArbolPlan::Armar(const std::vector<FilaPlan>& filas) {
    beginResetModel();
    nodos_.clear();
    porClave_.clear();
    nodos_.reserve(filas.size() + 1);
    porClave_.reserve(qsizetype(filas.size()) + 1);
    nuevo(QString(), kTextoRaiz, false, -1);
    // The nodes from the root to the one placed last; each one's code begins
    // the codes of those after it. Rows in code order keep every account that
    // begins a code on this path until that code comes.
    std::vector<int> camino{0};
    for (const FilaPlan& f : filas) {
        const QString codigo = f.Codigo.trimmed();
        while (camino.size() > 1) {
            const QString& arriba = nodos_[size_t(camino.back())].codigo;
            if (codigo.size() > arriba.size() && codigo.startsWith(arriba, Qt::CaseInsensitive))
                break;
            camino.pop_back();
        }
        // The root's key stands for the empty code: an empty one is the root's.
        if (codigo.isEmpty())
            continue;
        const QString clave = codigo.toCaseFolded();
        if (porClave_.contains(clave))
            continue;
        camino.push_back(nuevo(codigo, clave, f.Descripcion, true, camino.back()));
    }
    endResetModel();
}

ModeloArbolPlan::Alta ModeloArbolPlan::Agrega(const QString& clave, const QString& texto,
                                              const QString& clavePadre) {
    const std::optional<QString> codigoPadre = Plegada(clavePadre);
    const auto padre = codigoPadre ? porClave_.constFind(*codigoPadre) : porClave_.constEnd();
    if (padre == porClave_.constEnd())
        return Alta::SinPadre;
    const std::optional<QString> codigo = Plegada(clave);
    if (!codigo || porClave_.contains(*codigo))
        return Alta::ClaveRepetida;
    const int p = *padre;
    const int fila = int(nodos_[size_t(p)].hijos.size());
    beginInsertRows(indice(p), fila, fila);
    nuevo(clave.trimmed().mid(kClaveRaiz.size()), texto, false, p);
    endInsertRows();
    return Alta::Agregado;
}

void ModeloArbolPlan::olvida(int nodo) {
    porClave_.remove(nodos_[size_t(nodo)].codigo.toCaseFolded());
    for (int h : nodos_[size_t(nodo)].hijos)
        olvida(h);
}

void ModeloArbolPlan::Quita(const QModelIndex& nodo) {
    if (!nodo.isValid() || nodo.model() != this || nodo.internalId() == 0)
        return;
    const int n = int(nodo.internalId());
    const int p = nodos_[size_t(n)].padre;
    const int fila = nodos_[size_t(n)].fila;
    beginRemoveRows(indice(p), fila, fila);
    std::vector<int>& hermanos = nodos_[size_t(p)].hijos;
    hermanos.erase(hermanos.begin() + fila);
    for (size_t k = size_t(fila); k < hermanos.size(); ++k)
        nodos_[size_t(hermanos[k])].fila = int(k);
    olvida(n);
    endRemoveRows();
}

QModelIndex ModeloArbolPlan::Nodo(const QString& clave) const {
    const std::optional<QString> codigo = Plegada(clave);
    const auto i = codigo ? porClave_.constFind(*codigo) : porClave_.constEnd();
    return i == porClave_.constEnd() ? QModelIndex() : indice(*i);
}

QModelIndex ModeloArbolPlan::indice(int nodo) const {
    return createIndex(nodos_[size_t(nodo)].fila, 0, quintptr(nodo));
}

QModelIndex ModeloArbolPlan::index(int row, int column, const QModelIndex& parent) const {
    if (column != 0 || row < 0)
        return {};
    if (!parent.isValid())
        return row == 0 ? indice(0) : QModelIndex();
    const std::vector<int>& hijos = nodos_[size_t(parent.internalId())].hijos;
    return row < int(hijos.size()) ? indice(hijos[size_t(row)]) : QModelIndex();
}

QModelIndex ModeloArbolPlan::parent(const QModelIndex& child) const {
    if (!child.isValid() || child.internalId() == 0)
        return {};
    return indice(nodos_[size_t(child.internalId())].padre);
}

int ModeloArbolPlan::rowCount(const QModelIndex& parent) const {
    if (!parent.isValid())
        return 1;
    if (parent.column() != 0)
        return 0;
    return int(nodos_[size_t(parent.internalId())].hijos.size());
}

int ModeloArbolPlan::columnCount(const QModelIndex&) const {
    return 1;
}

QVariant ModeloArbolPlan::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const Nodo_& n = nodos_[size_t(index.internalId())];
    if (role == Qt::DisplayRole)
        return n.conCodigo ? TextoNodo(n.codigo, n.texto) : n.texto;
    if (role == ClaveRole)
        return kClaveRaiz + n.codigo;
    return {};
}

Qt::ItemFlags ModeloArbolPlan::flags(const QModelIndex& index) const {
    // Never editable: node texts are not changed in place.
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

// ---- View ------------------------------------------------------------------------

ArbolPlanCuentas::ArbolPlanCuentas(QWidget* parent)
    : QTreeView(parent), modelo_(new ModeloArbolPlan(this)) {
    setModel(modelo_);
    setHeaderHidden(true);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    // Whole descriptions, however deep the node: the column is as wide as its
    // texts and the tree scrolls sideways, instead of cutting them with "...".
    setTextElideMode(Qt::ElideNone);
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    expand(modelo_->Raiz());
    connect(this, &QTreeView::clicked, this,
            [this](const QModelIndex& i) { Q_EMIT NodeClick(CodigoDeNodo(i)); });
}

QString ArbolPlanCuentas::CodigoDeNodo(const QModelIndex& nodo) {
    return nodo.data(ModeloArbolPlan::ClaveRole).toString().mid(1);
}

void ArbolPlanCuentas::Armar(const std::vector<FilaPlan>& filas) {
    modelo_->Armar(filas);
    expand(modelo_->Raiz());
    setCurrentIndex(modelo_->Raiz());
}

void ArbolPlanCuentas::ArmarTreeVAutomatico(const QString& /*Desde*/,
                                            const std::vector<FilaPlan>* Filas) {
    std::vector<FilaPlan> leidas;
    pasos::RunSteps({
                        [&] { Armar({}); },
                        [&] {
                            if (!Filas) {
                                leidas = PlanCuentas::LeePlan();
                                Filas = &leidas;
                            }
                            return !Filas->empty();
                        },
                        [&] { Armar(*Filas); },
                    },
                    Recuadro(QStringLiteral("ArmarTreeVAutomatico")), pasos::Trap::AllErrors);
}

void ArbolPlanCuentas::ActualizaTreeV(const QString& Clave, const QString& Texto) {
    pasos::RunSteps({[&] {
                        using namespace CNStuffContable;
                        const std::array<int, 6> fin{gFinNivel1, gFinNivel2, gFinNivel3,
                                                     gFinNivel4, gFinNivel5, gFinNivel6};
                        const QString codigo = Clave.trimmed();
                        const int largo = int(codigo.size());
                        size_t nivel = 0;
                        while (nivel < fin.size() && largo > fin[nivel])
                            ++nivel;
                        if (nivel == fin.size() || largo == 0)
                            return; // longer than the code structure: no title to hang it from
                        const QString padre =
                            nivel == 0 ? ModeloArbolPlan::kClaveRaiz
                                       : ModeloArbolPlan::kClaveRaiz + codigo.left(fin[nivel - 1]);
                        const QString clave = ModeloArbolPlan::kClaveRaiz + codigo;
                        if (modelo_->Agrega(clave, TextoNodo(codigo, Texto), padre) ==
                            ModeloArbolPlan::Alta::Agregado)
                            expand(modelo_->Nodo(clave));
                    }},
                    Recuadro(QStringLiteral("ActualizaTreev")), pasos::Trap::AllErrors);
}

bool ArbolPlanCuentas::SeleccionaCuenta(const QString& Codigo) {
    const QModelIndex nodo = modelo_->Nodo(ModeloArbolPlan::kClaveRaiz + Codigo.trimmed());
    if (!nodo.isValid())
        return false;
    setCurrentIndex(nodo);
    scrollTo(nodo);
    return true;
}

void ArbolPlanCuentas::QuitaNodoSeleccionado() {
    modelo_->Quita(currentIndex());
}

void ArbolPlanCuentas::keyPressEvent(QKeyEvent* e) {
    const QString texto = e->text();
    const bool caracter = texto.size() == 1 && texto.at(0) != u'\t' && texto.at(0) != QChar(127) &&
                          !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!caracter) {
        QTreeView::keyPressEvent(e);
        return;
    }
    e->accept();
    Q_EMIT KeyPress(texto.at(0).unicode());
}
