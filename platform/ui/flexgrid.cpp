#include "platform/ui/flexgrid.h"

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyleOptionHeader>
#include <algorithm>
#include <functional>
#include <vector>

// The texts of every cell, row 0 and column 0 included. A fixed row or
// column is shown by the view's headers, which read its texts here.
class FlexGrid::Modelo : public QAbstractTableModel {
public:
    using QAbstractTableModel::QAbstractTableModel;

    std::vector<std::vector<QString>> celdas;
    int columnas = 0;
    int fijasFilas = 0;
    int fijasColumnas = 0;
    std::vector<Qt::Alignment> alineaciones;

    int rowCount(const QModelIndex& p = QModelIndex()) const override {
        return p.isValid() ? 0 : int(celdas.size());
    }
    int columnCount(const QModelIndex& p = QModelIndex()) const override {
        return p.isValid() ? 0 : columnas;
    }
    QVariant data(const QModelIndex& i, int rol) const override {
        if (!i.isValid())
            return {};
        if (rol == Qt::DisplayRole)
            return texto(i.row(), i.column());
        if (rol == Qt::TextAlignmentRole)
            return QVariant::fromValue(alineacion(i.column()));
        return {};
    }
    Qt::ItemFlags flags(const QModelIndex& i) const override {
        if (!i.isValid() || i.row() < fijasFilas || i.column() < fijasColumnas)
            return Qt::NoItemFlags;
        return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    }
    QVariant headerData(int seccion, Qt::Orientation o, int rol) const override {
        if (rol == Qt::TextAlignmentRole)
            return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
        if (rol != Qt::DisplayRole)
            return {};
        if (o == Qt::Horizontal)
            return fijasFilas > 0 ? texto(0, seccion) : QString();
        return fijasColumnas > 0 ? texto(seccion, 0) : QString();
    }

    QString texto(int f, int c) const {
        if (f < 0 || c < 0 || f >= int(celdas.size()) || c >= columnas)
            return {};
        return celdas[size_t(f)][size_t(c)];
    }
    void setTexto(int f, int c, const QString& t) {
        if (f < 0 || c < 0 || f >= int(celdas.size()) || c >= columnas)
            return;
        celdas[size_t(f)][size_t(c)] = t;
        const QModelIndex i = index(f, c);
        Q_EMIT dataChanged(i, i, {Qt::DisplayRole});
        if (f == 0)
            Q_EMIT headerDataChanged(Qt::Horizontal, c, c);
        if (c == 0)
            Q_EMIT headerDataChanged(Qt::Vertical, f, f);
    }
    Qt::Alignment alineacion(int c) const {
        return c < int(alineaciones.size()) ? alineaciones[size_t(c)]
                                            : Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter);
    }

    void agregaFilas(int cuantas, const std::vector<QString>& primera = {}) {
        const int desde = int(celdas.size());
        beginInsertRows(QModelIndex(), desde, desde + cuantas - 1);
        for (int k = 0; k < cuantas; ++k) {
            std::vector<QString> fila(static_cast<size_t>(columnas));
            if (k == 0)
                std::copy_n(primera.begin(), std::min(primera.size(), fila.size()), fila.begin());
            celdas.push_back(std::move(fila));
        }
        endInsertRows();
    }
    void setFilas(int n) {
        const int actuales = int(celdas.size());
        if (n > actuales) {
            agregaFilas(n - actuales);
        } else if (n < actuales) {
            beginRemoveRows(QModelIndex(), n, actuales - 1);
            celdas.resize(size_t(n));
            endRemoveRows();
        }
    }
    void setColumnas(int n) {
        if (n > columnas) {
            beginInsertColumns(QModelIndex(), columnas, n - 1);
            columnas = n;
            for (auto& fila : celdas)
                fila.resize(size_t(n));
            endInsertColumns();
        } else if (n < columnas) {
            beginRemoveColumns(QModelIndex(), n, columnas - 1);
            columnas = n;
            for (auto& fila : celdas)
                fila.resize(size_t(n));
            endRemoveColumns();
        }
    }
    void vacia() {
        for (auto& fila : celdas)
            std::fill(fila.begin(), fila.end(), QString());
        if (!celdas.empty() && columnas > 0)
            Q_EMIT dataChanged(index(0, 0), index(int(celdas.size()) - 1, columnas - 1));
        if (columnas > 0)
            Q_EMIT headerDataChanged(Qt::Horizontal, 0, columnas - 1);
        if (!celdas.empty())
            Q_EMIT headerDataChanged(Qt::Vertical, 0, int(celdas.size()) - 1);
    }
};

namespace {

// Paints the corner over the fixed column with the text of cell (0, 0),
// which neither header shows.
class EsquinaFija : public QObject {
public:
    EsquinaFija(QAbstractButton* boton, std::function<QString()> texto)
        : QObject(boton), texto_(std::move(texto)) {
        boton->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* o, QEvent* e) override {
        if (e->type() != QEvent::Paint)
            return false;
        auto* boton = static_cast<QAbstractButton*>(o);
        QStyleOptionHeader opcion;
        opcion.initFrom(boton);
        opcion.rect = boton->rect();
        opcion.text = texto_();
        opcion.textAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        opcion.position = QStyleOptionHeader::OnlyOneSection;
        QPainter p(boton);
        boton->style()->drawControl(QStyle::CE_Header, &opcion, &p, boton);
        return true;
    }

private:
    std::function<QString()> texto_;
};

} // namespace

FlexGrid::FlexGrid(QWidget* parent) : QTableView(parent), modelo_(new Modelo(this)) {
    setModel(modelo_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionsClickable(false);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    if (auto* esquina = findChild<QAbstractButton*>())
        new EsquinaFija(esquina, [this] { return modelo_->texto(0, 0); });
    // The layout the grids start with: two rows and two columns, one of each fixed.
    modelo_->setColumnas(2);
    modelo_->setFilas(2);
    setFixedRows(1);
    setFixedCols(1);
}

FlexGrid::~FlexGrid() = default;

int FlexGrid::Rows() const {
    return modelo_->rowCount();
}

void FlexGrid::setRows(int filas) {
    modelo_->setFilas(std::max(0, filas));
    aplicaFijas();
}

int FlexGrid::Cols() const {
    return modelo_->columnCount();
}

void FlexGrid::setCols(int columnas) {
    modelo_->setColumnas(std::max(0, columnas));
    aplicaFijas();
}

int FlexGrid::FixedRows() const {
    return modelo_->fijasFilas;
}

void FlexGrid::setFixedRows(int filas) {
    modelo_->fijasFilas = std::clamp(filas, 0, 1);
    cambianFijas();
}

int FlexGrid::FixedCols() const {
    return modelo_->fijasColumnas;
}

void FlexGrid::setFixedCols(int columnas) {
    modelo_->fijasColumnas = std::clamp(columnas, 0, 1);
    cambianFijas();
}

void FlexGrid::aplicaFijas() {
    const bool fila = modelo_->fijasFilas > 0 && Rows() > 0;
    const bool columna = modelo_->fijasColumnas > 0 && Cols() > 0;
    horizontalHeader()->setVisible(fila);
    verticalHeader()->setVisible(columna);
    // Only row 0 and column 0 are ever hidden: they are what the headers show.
    if (Rows() > 0)
        setRowHidden(0, fila);
    if (Cols() > 0)
        setColumnHidden(0, columna);
}

void FlexGrid::cambianFijas() {
    aplicaFijas();
    if (Rows() > 0 && Cols() > 0)
        Q_EMIT modelo_->dataChanged(modelo_->index(0, 0), modelo_->index(Rows() - 1, Cols() - 1));
    if (Cols() > 0)
        Q_EMIT modelo_->headerDataChanged(Qt::Horizontal, 0, Cols() - 1);
    if (Rows() > 0)
        Q_EMIT modelo_->headerDataChanged(Qt::Vertical, 0, Rows() - 1);
}

int FlexGrid::Row() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.row() : FixedRows();
}

void FlexGrid::setRow(int fila) {
    if (fila < 0 || fila >= Rows())
        return;
    const int columna = std::min(Col(), Cols() - 1);
    if (columna < 0)
        return;
    selectionModel()->setCurrentIndex(modelo_->index(fila, columna),
                                      QItemSelectionModel::ClearAndSelect);
}

int FlexGrid::Col() const {
    const QModelIndex i = currentIndex();
    return i.isValid() ? i.column() : FixedCols();
}

void FlexGrid::setCol(int columna) {
    if (columna < 0 || columna >= Cols())
        return;
    const int fila = std::min(Row(), Rows() - 1);
    if (fila < 0)
        return;
    selectionModel()->setCurrentIndex(modelo_->index(fila, columna),
                                      QItemSelectionModel::ClearAndSelect);
}

QString FlexGrid::Text() const {
    return modelo_->texto(Row(), Col());
}

void FlexGrid::setText(const QString& texto) {
    modelo_->setTexto(Row(), Col(), texto);
}

QString FlexGrid::TextMatrix(int fila, int columna) const {
    return modelo_->texto(fila, columna);
}

void FlexGrid::setTextMatrix(int fila, int columna, const QString& texto) {
    modelo_->setTexto(fila, columna, texto);
}

int FlexGrid::TopRow() const {
    const int fila = rowAt(0);
    return fila < 0 ? FixedRows() : fila;
}

void FlexGrid::setTopRow(int fila) {
    if (fila < FixedRows() || fila >= Rows() || Cols() == 0)
        return;
    scrollTo(modelo_->index(fila, std::max(Col(), 0)), QAbstractItemView::PositionAtTop);
}

int FlexGrid::ColWidth(int columna) const {
    if (columna == 0 && FixedCols() > 0)
        return verticalHeader()->width() * kTwipsPorPixel;
    return columnWidth(columna) * kTwipsPorPixel;
}

void FlexGrid::setColWidth(int columna, int twips) {
    const int pixeles = std::max(0, twips / kTwipsPorPixel);
    if (columna == 0 && FixedCols() > 0)
        verticalHeader()->setFixedWidth(pixeles);
    else
        setColumnWidth(columna, pixeles);
}

void FlexGrid::setColAlignment(int columna, Qt::Alignment alineacion) {
    if (columna < 0)
        return;
    if (modelo_->alineaciones.size() <= size_t(columna))
        modelo_->alineaciones.resize(size_t(columna) + 1, Qt::AlignLeft | Qt::AlignVCenter);
    modelo_->alineaciones[size_t(columna)] = alineacion;
    if (Rows() > 0 && columna < Cols())
        Q_EMIT modelo_->dataChanged(modelo_->index(0, columna),
                                    modelo_->index(Rows() - 1, columna));
}

void FlexGrid::AddItem(const QString& fila) {
    const QStringList partes = fila.split(u'\t');
    modelo_->agregaFilas(1, std::vector<QString>(partes.begin(), partes.end()));
    aplicaFijas();
}

void FlexGrid::Clear() {
    modelo_->vacia();
}

QRect FlexGrid::RectanguloCelda(const QWidget* en) const {
    const QModelIndex i = modelo_->index(Row(), Col());
    if (!i.isValid() || isRowHidden(i.row()) || isColumnHidden(i.column()))
        return {};
    const QRect r = visualRect(i);
    if (!en)
        en = this;
    return QRect(en->mapFromGlobal(viewport()->mapToGlobal(r.topLeft())), r.size());
}
