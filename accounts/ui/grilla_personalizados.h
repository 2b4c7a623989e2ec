#pragma once
// The custom columns of an account (MA_CUENTAS) or of its additional data
// (MA_CUENTASADIC): every column whose name begins with "P_", in any letter
// case, is one row of a "Campo" / "Valor" grid (MSFlexGrid1) whose values are
// typed in place through the edit box TxtEdit. A column added to the table
// shows up without a change here.
//
// The grid knows each row's column (type, length, digits) from the record it
// was filled from: the decimal-separator filter applies to number columns
// only; a cell takes only a value its column holds as shown (a whole number
// in an integer column, a date that exists, a text within the length...),
// refused in the cell otherwise; values go back parsed by that type, a blank
// number or date as Null.

#include "accounts/core/cuenta.h"
#include "platform/ado/ado.h"

#include <QString>
#include <QWidget>
#include <vector>

class EdicionCelda;
class FlexGrid;
class QLineEdit;

class GrillaPersonalizados : public QWidget {
    Q_OBJECT
public:
    explicit GrillaPersonalizados(QWidget* parent = nullptr);

    FlexGrid* MSFlexGrid1 = nullptr;
    QLineEdit* TxtEdit = nullptr;
    EdicionCelda* Edicion = nullptr;

    // A column the grid lists: its name begins with "P_" in any letter case.
    static bool EsCampoPersonalizado(const QString& nombre);

    // Fills the grid from the record's columns and its current row: the
    // header row, then one row per "P_" column (name and value trimmed; no
    // value without a current row or for a Null). A box left open is dropped.
    // Failures go to the operator error box ("UltimoNumero$").
    void AsignarPersonalizados(const ado::RecordsetPtr& Lrcs);

    // Additional-data window: every row's value into the record's column of
    // that name, without storing the record. Text columns take the text as
    // typed (a blank one as empty text); other columns take it converted to
    // their type, a blank one as Null. A value the column refuses goes to the
    // operator error box ("UltimoNumero$"): retry, skip that row or stop.
    void GrabarPersonalizados(const ado::RecordsetPtr& Lrcs);

    // The rows a save sends, as shown (a value still in the edit box as it
    // stands over its cell): every non-blank value, and a blank one
    // only where the row showed a value (the user cleared it, so it goes as
    // Null); a row left blank is left out, so an insert keeps the column's
    // default and an update its stored value.
    std::vector<cuentas::CampoPersonalizado> Personalizados() const;
    // Those rows as pairs of the statement's field list, never starting the
    // list, each value a literal of its column's type
    // (cuentas::AgregaCampoPersonalizado, which the account's save uses too).
    // A value that is not of its column's type raises ado::adErrDataConversion
    // (3421) with the column's name as the error's Source, before anything was
    // added for that row.
    void AgregaCamposPersonalizados() const;

    // A value still in the edit box goes into its cell, as leaving it would;
    // false when the cell refused it (told to the user, the box left open
    // with the focus).
    bool ConfirmaEdicion();

    // ---- Handlers (the grid's and the box's events are routed to them) ---------
    void MsflexGridEdt(int KeyAscii);
    void EditKeyCode(int KeyCode, int Shift);
    // The value a row showed when the grid was filled ("" past the filled
    // rows): a blank value now means the user cleared it.
    QString ValorCargado(int fila) const;

    // Characters typed in a "Valor" cell: on a number column "," and "."
    // become the decimal separator, dropped (0) when the value holds one.
    void TxtEdit_KeyPress(int& KeyAscii) const;

private:
    struct Campo {
        cuentas::ColumnaPersonalizada Columna;
        QString Cargado; // the value shown when the grid was filled
    };
    // Why the row's column cannot hold the text; empty when it can.
    QString Rechazo(int fila, const QString& texto) const;
    // The grid's tab shown, the box given the focus and the reason told.
    void AvisaRechazo(const QString& motivo);
    // The column of a grid row (1 on); null past the filled ones.
    const Campo* campoDeFila(int fila) const;
    QString Valor(int fila) const;
    bool SeGuarda(int fila) const;
    std::vector<Campo> campos_;
};
