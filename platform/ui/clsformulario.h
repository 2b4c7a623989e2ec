#pragma once
// Data-entry helpers of the windows. A control array is a sequence of widget
// pointers (null members allowed); each member names its column in the
// dynamic property "DataField". AjustaCamposATabla leaves the column's ADO
// type in the property "DataType", which the key filter reads.

#include "platform/ado/ado.h"

#include <QList>
#include <QString>
#include <QWidget>

class ClsFormulario {
public:
    // Index of the member bound to `campo` (letter case, blanks and square
    // brackets ignored); -1 when no member is.
    template <class Controles>
    static int IndiceControl(const QString& campo, const Controles& controles) {
        return indiceControl(campo, lista(controles));
    }
    // The accept key: Enter (13).
    static bool EsTeclaAceptar(int keyCode);
    // Moves the focus from the focused control to the next one in tab order
    // that can take it.
    static void MueveFoco(int keyCode);
    // The focus to the first control of `dentro` (a window or a part of one)
    // in tab order that takes typing: an enabled, shown text box that is not
    // read-only, a list or a number box. False when there is none.
    static bool FocoAlPrimerCampo(QWidget* dentro);
    // Tab moves through the controls in this order (null members skipped).
    static void OrdenTabulacion(const QList<QWidget*>& controles);
    // Key filter by the control's data type: control keys pass; on a number
    // column digits and "-" pass, "," and "." become the decimal separator
    // (dropped when the text holds one already, and on whole-number
    // columns); on a date column digits and "/" pass; any other key there
    // becomes 0. Text and unknown columns take every key.
    static void FiltraTecla(QWidget* control, int& keyAscii);
    // The decimal separator, one character.
    static QString FiltraNumerico();
    // A field that receives the focus gets its whole text selected.
    static void MarcaControl(QWidget* control, const QString& texto = QString());
    // Empties the bound text controls (those with a DataField) of the window.
    // Every mode clears them the same way. With `soloControl` only the
    // members of the control array of that name (letter case ignored).
    static void LimpiaFormulario(QWidget* formulario, int modo = 0,
                                 const QString& soloControl = QString());
    // Fits the members to the columns of `tabla`: a text column's size
    // becomes the member's maximum length, its type the member's DataType.
    // A table that cannot be read leaves the members as they are.
    template <class Controles>
    static void AjustaCamposATabla(const Controles& controles, const QString& tabla,
                                   const QString& connString) {
        ajustaCamposATabla(lista(controles), tabla, connString);
    }
    // The current row's columns shown in the members bound to them, as
    // ValorCampo writes them. Nothing happens without a current row.
    template <class Controles>
    static void CopiaRegistro(const ado::Recordset& rs, const Controles& controles) {
        copiaRegistro(rs, lista(controles));
    }

    // The member's text (line edit, text edit, label, combo box).
    static QString texto(const QWidget* control);
    static void setTexto(QWidget* control, const QString& texto);
    // True when the DataField `enlazado` names the column `campo`.
    static bool mismoCampo(const QString& enlazado, const QString& campo);

private:
    template <class Controles> static QList<QWidget*> lista(const Controles& controles) {
        QList<QWidget*> l;
        for (auto* c : controles)
            l.push_back(c);
        return l;
    }
    static int indiceControl(const QString& campo, const QList<QWidget*>& controles);
    static void ajustaCamposATabla(const QList<QWidget*>& controles, const QString& tabla,
                                   const QString& connString);
    static void copiaRegistro(const ado::Recordset& rs, const QList<QWidget*>& controles);
};
