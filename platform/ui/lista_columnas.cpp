#include "platform/ui/lista_columnas.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QPainter>
#include <QStylePainter>
#include <QStyledItemDelegate>

namespace {

// Between the name's column and the code's.
constexpr int kSeparacion = 24;

class DelegadoColumnas : public QStyledItemDelegate {
public:
    explicit DelegadoColumnas(ListaColumnas* lista) : QStyledItemDelegate(lista), lista_(lista) {}

    void paint(QPainter* p, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        const ListaColumnas::Partes partes = ListaColumnas::Separa(o.text);
        o.text.clear();
        const QWidget* vista = o.widget;
        QStyle* estilo = vista ? vista->style() : QApplication::style();
        // Every row as wide as the list shows it, so that the codes line up
        // at its right whatever each name's length.
        if (const auto* v = qobject_cast<const QAbstractItemView*>(vista))
            o.rect.setRight(std::max(o.rect.right(), v->viewport()->width() - 1));
        // Background, selection and focus as the style draws an entry.
        estilo->drawControl(QStyle::CE_ItemViewItem, &o, p, vista);
        const QRect texto = estilo->subElementRect(QStyle::SE_ItemViewItemText, &o, vista);
        const QRect codigo = lista_->ColumnaCodigo(texto);
        QRect nombre = texto;
        nombre.setRight(codigo.left() - kSeparacion);
        const QPalette::ColorGroup grupo = !(o.state & QStyle::State_Enabled) ? QPalette::Disabled
                                           : (o.state & QStyle::State_Active) ? QPalette::Normal
                                                                              : QPalette::Inactive;
        p->save();
        p->setFont(o.font);
        p->setPen(o.palette.color(
            grupo, o.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        const int alto = Qt::AlignVCenter;
        p->drawText(nombre, Qt::AlignLeft | alto,
                    o.fontMetrics.elidedText(partes.nombre, Qt::ElideRight, nombre.width()));
        p->drawText(codigo, Qt::AlignLeft | alto, partes.codigo);
        p->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyleOptionViewItem o(option);
        initStyleOption(&o, index);
        o.text = ListaColumnas::Separa(o.text).nombre;
        const QWidget* vista = o.widget;
        QStyle* estilo = vista ? vista->style() : QApplication::style();
        QSize s = estilo->sizeFromContents(QStyle::CT_ItemViewItem, &o, QSize(), vista);
        s.rwidth() += kSeparacion + lista_->anchoCodigos();
        return s;
    }

private:
    ListaColumnas* lista_;
};

} // namespace

ListaColumnas::ListaColumnas(QWidget* parent) : QComboBox(parent) {
    setItemDelegate(new DelegadoColumnas(this));
    // Measured again when next needed: a list is filled one entry at a time.
    QAbstractItemModel* m = model();
    const auto cambia = [this] { medidos_ = false; };
    connect(m, &QAbstractItemModel::rowsInserted, this, cambia);
    connect(m, &QAbstractItemModel::rowsRemoved, this, cambia);
    connect(m, &QAbstractItemModel::modelReset, this, cambia);
    connect(m, &QAbstractItemModel::dataChanged, this, cambia);
}

ListaColumnas::Partes ListaColumnas::Separa(const QString& entrada) {
    qsizetype fin = entrada.size();
    while (fin > 0 && entrada.at(fin - 1).isSpace())
        --fin;
    qsizetype inicio = fin;
    while (inicio > 0 && !entrada.at(inicio - 1).isSpace())
        --inicio;
    // Two blanks at least before the last word: a code set apart.
    if (inicio >= 2 && entrada.at(inicio - 1).isSpace() && entrada.at(inicio - 2).isSpace()) {
        qsizetype nombre = inicio;
        while (nombre > 0 && entrada.at(nombre - 1).isSpace())
            --nombre;
        return {entrada.left(nombre), entrada.mid(inicio, fin - inicio)};
    }
    return {entrada.left(fin), QString()};
}

QRect ListaColumnas::ColumnaCodigo(const QRect& celda) const {
    QRect r = celda;
    r.setLeft(std::max(celda.left(), celda.right() + 1 - anchoCodigos()));
    return r;
}

int ListaColumnas::anchoCodigos() const {
    if (!medidos_) {
        const QFontMetrics letra(view()->font());
        int ancho = 0;
        for (int i = 0; i < count(); ++i)
            ancho = std::max(ancho, letra.horizontalAdvance(Separa(itemText(i)).codigo));
        // Room for the glyphs' overhang past their advance.
        anchoCodigos_ = ancho ? ancho + letra.averageCharWidth() : 0;
        medidos_ = true;
    }
    return anchoCodigos_;
}

void ListaColumnas::paintEvent(QPaintEvent* /*e*/) {
    QStylePainter p(this);
    QStyleOptionComboBox o;
    initStyleOption(&o);
    const Partes partes = Separa(o.currentText);
    o.currentText.clear();
    p.drawComplexControl(QStyle::CC_ComboBox, o);
    p.drawControl(QStyle::CE_ComboBoxLabel, o);
    // The chosen entry: its name, and its code at the right of the box.
    const QRect campo =
        style()->subControlRect(QStyle::CC_ComboBox, &o, QStyle::SC_ComboBoxEditField, this);
    const int ancho = fontMetrics().horizontalAdvance(partes.codigo);
    QRect codigo = campo;
    codigo.setLeft(std::max(campo.left(), campo.right() + 1 - ancho));
    QRect nombre = campo;
    nombre.setRight(codigo.left() - (partes.codigo.isEmpty() ? 0 : kSeparacion));
    const QPalette::ColorRole rol = isEditable() ? QPalette::Text : QPalette::ButtonText;
    const QString visible =
        fontMetrics().elidedText(partes.nombre.trimmed(), Qt::ElideRight, nombre.width());
    p.drawItemText(nombre, Qt::AlignLeft | Qt::AlignVCenter, o.palette, isEnabled(), visible, rol);
    p.drawItemText(codigo, Qt::AlignLeft | Qt::AlignVCenter, o.palette, isEnabled(), partes.codigo,
                   rol);
}
