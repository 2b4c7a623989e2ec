#pragma once
// A drop-down list whose entries are a name and, after a run of blanks, a
// code ("   Activo Corriente      ...      1101"): the blanks align the code
// only in the fixed-width font of the original, so the list draws each entry
// as two columns instead, the name (with its leading indent) on the left and
// the code at the same place on every row; the box shows the chosen entry's
// name with its code at the right. The entries' texts, and so what the window
// reads back from them (currentText, itemText), stay as they are.

#include <QComboBox>
#include <QString>

class QStyleOptionViewItem;

class ListaColumnas : public QComboBox {
    Q_OBJECT
public:
    explicit ListaColumnas(QWidget* parent = nullptr);

    struct Partes {
        QString nombre; // leading blanks kept, trailing ones dropped
        QString codigo; // the entry's last run without blanks; empty when none
    };
    // An entry without a run of blanks before its end is all name.
    static Partes Separa(const QString& entrada);

    // Where an entry's code is drawn inside the cell `celda` of the list: a
    // column at the right as wide as the widest code of the entries.
    QRect ColumnaCodigo(const QRect& celda) const;
    // The widest code of the entries in the list's font.
    int anchoCodigos() const;

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    mutable int anchoCodigos_ = 0;
    mutable bool medidos_ = false;
};
