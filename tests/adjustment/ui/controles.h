#pragma once
// The window's controls as a user finds them: by their names, the header
// fields by the column each is bound to.

#include "adjustment/ui/frmquarzelo.h"
#include "platform/ui/paxtor.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QTableWidget>
#include <array>

// The control of that name; nullptr when there is none.
template <typename T> T* control(const QWidget& w, const char* nombre) {
    return w.findChild<T*>(QLatin1String(nombre));
}

// The header field bound to a column; nullptr when none is.
inline QLineEdit* campo(const QWidget& w, const QString& columna) {
    for (QLineEdit* c : w.findChildren<QLineEdit*>(QStringLiteral("txtFields")))
        if (c->property("DataField").toString().compare(columna, Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

// The index of a header field, as the window's handlers take it.
inline int indiceCampo(const QString& columna) {
    static const std::array<const char*, 11> columnas = {
        "[NUMERO ASIENTO]", "PERIODO_DESDE", "PERIODO_HASTA", "CTA_REI", "TC",        "SUCURSAL",
        "NUMERO",           "LETRA",         "DETALLE",       "FECHA",   "CABIMPORTE"};
    for (size_t i = 0; i < columnas.size(); ++i)
        if (columna.compare(QLatin1String(columnas[i]), Qt::CaseInsensitive) == 0)
            return int(i);
    return -1;
}

// The total fields: 0 debit, 1 credit.
inline QLineEdit* total(const QWidget& w, int i) {
    const QList<QLineEdit*> t = w.findChildren<QLineEdit*>(QStringLiteral("txtTotal"));
    return i < t.size() ? t[i] : nullptr;
}

inline Paxtor* paxtor(const QWidget& w) {
    return control<Paxtor>(w, "Paxtor1");
}
inline QPushButton* generar(const QWidget& w) {
    return control<QPushButton>(w, "CmdGenerar");
}
inline QGroupBox* cabecera(const QWidget& w) {
    return control<QGroupBox>(w, "FrmCabecera");
}
inline QTableWidget* grilla(const QWidget& w) {
    return control<QTableWidget>(w, "FgResumen");
}
inline QLabel* etiqueta(const QWidget& w, const char* nombre) {
    return control<QLabel>(w, nombre);
}

// The grid's cell text; empty when the cell holds nothing.
inline QString celda(const QWidget& w, int fila, int columna) {
    const QTableWidgetItem* item = grilla(w)->item(fila, columna);
    return item ? item->text() : QString();
}

// Validates a header field with this text as the accept key does; true when
// it passed.
inline bool valida(FrmQuarzelo& w, const char* columna, const QString& texto) {
    campo(w, QLatin1String(columna))->setText(texto);
    return w.ValidaCampo(indiceCampo(QLatin1String(columna)));
}

// The window's lines changed by `cambio`.
template <typename F> void cambiaLineas(FrmQuarzelo& w, F&& cambio) {
    LineasAjuste l = w.lineas();
    cambio(l);
    w.setLineas(std::move(l));
}
