#include "lookup/modelo_consulta.h"

#include <QFont>
#include <algorithm>
#include <numeric>

ModeloConsulta::ModeloConsulta(QObject* parent) : QAbstractTableModel(parent) {
    espera_.setSingleShot(true);
    espera_.setInterval(kPausaMs);
    connect(&espera_, &QTimer::timeout, this, &ModeloConsulta::pausa);
}

void ModeloConsulta::vaciar() {
    beginResetModel();
    filas_.clear();
    fuente_ = nullptr;
    anteriores_ = nullptr;
    pausa_ = nullptr;
    espera_.stop();
    ++carga_;
    endResetModel();
}

void ModeloConsulta::setEncabezados(const QStringList& textos) {
    beginResetModel();
    encabezados_ = textos;
    endResetModel();
}

void ModeloConsulta::setMarcable(bool marcable) {
    if (marcable == marcable_)
        return;
    beginResetModel();
    marcable_ = marcable;
    endResetModel();
}

void ModeloConsulta::setFuente(Fuente fuente, std::function<void()> pausa, Fuente anteriores) {
    fuente_ = std::move(fuente);
    pausa_ = std::move(pausa);
    anteriores_ = std::move(anteriores);
    fetchMore(QModelIndex());
}

// False when the list was loaded again while reading; a source with no more
// rows is dropped.
bool ModeloConsulta::leeLote(Fuente& fuente, std::vector<FilaConsulta>& nuevas) {
    // A copy: reading may show an error box, whose events could reach here.
    const Fuente copia = fuente;
    const int carga = carga_;
    bool quedan = false;
    {
        const Lectura lectura(leyendo_);
        fallo_ = false;
        quedan = copia(nuevas, kLote);
    }
    if (carga != carga_)
        return false;
    if (!quedan)
        fuente = nullptr;
    return true;
}

int ModeloConsulta::traeAnteriores() {
    if (!anteriores_ || leyendo_)
        return 0;
    std::vector<FilaConsulta> nuevas;
    if (!leeLote(anteriores_, nuevas) || nuevas.empty())
        return 0;
    std::reverse(nuevas.begin(), nuevas.end());
    const int n = int(nuevas.size());
    beginInsertRows(QModelIndex(), 0, n - 1);
    filas_.insert(filas_.begin(), std::make_move_iterator(nuevas.begin()),
                  std::make_move_iterator(nuevas.end()));
    endInsertRows();
    return n;
}

void ModeloConsulta::traerTodo() {
    if (leyendo_)
        return;
    fallo_ = false;
    while (anteriores_ && !fallo_)
        traeAnteriores();
    if (!fuente_ || fallo_)
        return;
    Fuente fuente = std::move(fuente_);
    fuente_ = nullptr;
    const int carga = carga_;
    std::vector<FilaConsulta> nuevas;
    bool quedan = false;
    {
        const Lectura lectura(leyendo_);
        // A read that failed leaves the source for the next one.
        fallo_ = false;
        while (!fallo_ && (quedan = fuente(nuevas, kLote))) {
        }
    }
    if (carga != carga_)
        return;
    if (quedan)
        fuente_ = std::move(fuente);
    agrega(nuevas);
    leido();
    if (ordenado_ && ordenEnLista_)
        aplicaOrden();
}

void ModeloConsulta::leeHasta(int cuantas) {
    // A read that failed is tried again later, not at once.
    fallo_ = false;
    while (!fallo_ && filas() < cuantas && canFetchMore(QModelIndex()))
        fetchMore(QModelIndex());
}

void ModeloConsulta::pausa() {
    espera_.stop();
    if ((fuente_ || anteriores_) && pausa_)
        pausa_();
}

void ModeloConsulta::leido() {
    if (fuente_ && pausa_)
        espera_.start();
    else
        espera_.stop();
}

void ModeloConsulta::agrega(std::vector<FilaConsulta>& nuevas) {
    if (nuevas.empty())
        return;
    beginInsertRows(QModelIndex(), filas(), filas() + int(nuevas.size()) - 1);
    std::move(nuevas.begin(), nuevas.end(), std::back_inserter(filas_));
    endInsertRows();
}

QString ModeloConsulta::texto(int fila, int columna) const {
    const QStringList& c = filas_[size_t(fila)].celdas;
    return columna >= 0 && columna < c.size() ? c[columna] : QString();
}

void ModeloConsulta::setTexto(int fila, int columna, const QString& texto) {
    QStringList& c = filas_[size_t(fila)].celdas;
    while (c.size() <= columna)
        c << QString();
    c[columna] = texto;
    const QModelIndex i = index(fila, columna);
    Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
}

void ModeloConsulta::setMarcada(int fila, bool marcada) {
    filas_[size_t(fila)].marcada = marcada;
    const QModelIndex i = index(fila, 0);
    Q_EMIT dataChanged(i, i, {Qt::CheckStateRole});
}

void ModeloConsulta::marcaTodas(bool marcada) {
    for (FilaConsulta& f : filas_)
        f.marcada = marcada;
    if (!filas_.empty())
        Q_EMIT dataChanged(index(0, 0), index(filas() - 1, 0), {Qt::CheckStateRole});
}

void ModeloConsulta::invierteMarcas() {
    for (FilaConsulta& f : filas_)
        f.marcada = !f.marcada;
    if (!filas_.empty())
        Q_EMIT dataChanged(index(0, 0), index(filas() - 1, 0), {Qt::CheckStateRole});
}

void ModeloConsulta::ordenar(int columna, Qt::SortOrder orden) {
    ordenado_ = true;
    ordenEnLista_ = true;
    columnaOrden_ = columna;
    orden_ = orden;
    traerTodo();
    aplicaOrden();
}

void ModeloConsulta::setOrdenDeFuente(int columna, Qt::SortOrder orden) {
    ordenado_ = true;
    ordenEnLista_ = false;
    columnaOrden_ = columna;
    orden_ = orden;
}

void ModeloConsulta::aplicaOrden() {
    Q_EMIT layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    std::vector<int> orden(filas_.size());
    std::iota(orden.begin(), orden.end(), 0);
    const int col = columnaOrden_;
    const bool descendente = orden_ == Qt::DescendingOrder;
    std::stable_sort(orden.begin(), orden.end(), [&](int a, int b) {
        const int c = QString::compare(texto(a, col), texto(b, col), Qt::CaseInsensitive);
        return descendente ? c > 0 : c < 0;
    });
    std::vector<FilaConsulta> ordenadas;
    ordenadas.reserve(filas_.size());
    std::vector<int> nuevaPosicion(filas_.size());
    for (size_t i = 0; i < orden.size(); ++i) {
        ordenadas.push_back(std::move(filas_[size_t(orden[i])]));
        nuevaPosicion[size_t(orden[i])] = int(i);
    }
    filas_ = std::move(ordenadas);
    const QModelIndexList antes = persistentIndexList();
    QModelIndexList despues;
    despues.reserve(antes.size());
    for (const QModelIndex& i : antes)
        despues << index(nuevaPosicion[size_t(i.row())], i.column());
    changePersistentIndexList(antes, despues);
    Q_EMIT layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

int ModeloConsulta::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : filas();
}

int ModeloConsulta::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(encabezados_.size());
}

QVariant ModeloConsulta::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= filas())
        return QVariant();
    const FilaConsulta& f = filas_[size_t(index.row())];
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return texto(index.row(), index.column());
    case Qt::CheckStateRole:
        if (marcable_ && index.column() == 0)
            return f.marcada ? Qt::Checked : Qt::Unchecked;
        return QVariant();
    case Qt::ForegroundRole:
        return f.color.isValid() ? QVariant(f.color) : QVariant();
    case Qt::FontRole:
        if (f.color.isValid()) {
            QFont negrita;
            negrita.setBold(true);
            return negrita;
        }
        return QVariant();
    default:
        return QVariant();
    }
}

bool ModeloConsulta::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!index.isValid() || index.row() >= filas())
        return false;
    if (role == Qt::CheckStateRole && marcable_ && index.column() == 0) {
        setMarcada(index.row(), value.value<Qt::CheckState>() == Qt::Checked);
        return true;
    }
    if (role == Qt::EditRole) {
        setTexto(index.row(), index.column(), value.toString());
        return true;
    }
    return false;
}

Qt::ItemFlags ModeloConsulta::flags(const QModelIndex& index) const {
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (marcable_ && index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

QVariant ModeloConsulta::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < encabezados_.size())
        return encabezados_[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

bool ModeloConsulta::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && fuente_ && !leyendo_;
}

void ModeloConsulta::fetchMore(const QModelIndex& parent) {
    if (parent.isValid() || !fuente_ || leyendo_)
        return;
    std::vector<FilaConsulta> nuevas;
    if (!leeLote(fuente_, nuevas))
        return;
    agrega(nuevas);
    leido();
}
