#pragma once
// In-cell editing of a flex grid. A plain text box, hidden while the user
// browses the grid, is laid over the current cell when a key is typed on the
// grid (seeded with that key) or a cell is double-clicked (seeded with the
// cell's text). Its text goes into the cell it was opened on when the grid
// takes the focus back or that cell is left; keys in the box move the current
// cell. Two key schemes:
//
//   Libre        every cell past the fixed ones takes the box. Enter walks
//                right, then to the first column of the next row, and stays
//                put on the last cell; Up and Down move one row.
//   PorColumnas  only the columns ColumnaEditable accepts take the box. Enter
//                typed on the grid moves on instead of opening it; Enter skips
//                to the next editable column, wrapping to the next row; Down
//                on the last row adds an empty row; after every key the grid
//                scrolls one row once the current cell passes its middle.
//
// The hooks let a window put its own rules in (key filter, checks before the
// cursor moves, the box's properties per column) without the grid knowing
// them. Key codes and key characters are the runtime's (13 Enter, 27 Escape,
// 38 Up, 40 Down; Shift 1, Ctrl 2, Alt 4).

#include <QObject>
#include <functional>

class FlexGrid;
class QKeyEvent;
class QLineEdit;
class QWidget;

class EdicionCelda : public QObject {
    Q_OBJECT
public:
    enum class Esquema { Libre, PorColumnas };

    // The box is hidden here; it may sit anywhere in the grid's window.
    EdicionCelda(FlexGrid* grilla, QLineEdit* caja, Esquema esquema = Esquema::Libre,
                 QObject* parent = nullptr);

    // Opens the box over the current cell. Backspace (8) opens it empty,
    // other KeyAscii 0 to 32 show the cell's text, any other key that character (through
    // FiltraTecla unless SemillaFiltrada is off); the caret goes to the end. A cell outside the
    // editable part opens nothing.
    void AbrirCaja(int KeyAscii);
    // The key scheme's move for a key pressed in the box.
    void EditKeyCode(int KeyCode, int Shift);
    // The box's text into the cell it was opened on, box emptied and hidden.
    // False when RechazaTexto refused it: the box stays open over its cell.
    bool Confirmar();
    // Box emptied and hidden, the cell left as it was.
    void Descartar();

    bool Abierta() const { return abierta_; }
    // The cell the open box edits; -1 when it is closed.
    int FilaEditada() const { return abierta_ ? fila_ : -1; }
    int ColumnaEditada() const { return abierta_ ? columna_ : -1; }

    FlexGrid* grilla() const { return grilla_; }
    QLineEdit* caja() const { return caja_; }

    // ---- Hooks (all optional) ---------------------------------------------------
    // PorColumnas: whether a column takes the box; unset, every column does.
    std::function<bool(int Columna)> ColumnaEditable;
    // Each character typed in the box, and the key that seeds it: may replace
    // the character or drop it (0).
    std::function<void(int& KeyAscii)> FiltraTecla;
    // Off: the key that opens the box still goes through FiltraTecla, but the
    // box takes it as typed.
    bool SemillaFiltrada = true;
    // Right before the box shows over a cell of that column.
    std::function<void(int Columna)> AntesDeAbrir;
    // A key pressed in the box; unset, EditKeyCode. A window that checks the
    // value first calls EditKeyCode itself when the value passes.
    std::function<void(int KeyCode, int Shift)> TeclaEnCaja;
    // The edited cell was left (another cell chosen) with the box open: runs
    // after the text went into the cell, while the box still holds it.
    std::function<void(int Fila, int Columna)> AlDejarCelda;
    // The box's text went into its cell with no key in the box and no other
    // cell chosen (the grid took the focus back, the same cell was clicked):
    // runs while the box still holds it. Confirmar from code does not run it.
    std::function<void(int Fila, int Columna)> AlConfirmar;
    // Judges the box's text on every road into its cell (a key in the box,
    // Tab, another cell chosen, the grid taking the focus back, Confirmar):
    // why the cell cannot take it, empty when it can. Refused, the cell keeps
    // what it held and the box stays open over it with the focus, and
    // AvisaRechazo tells the user why.
    std::function<QString(int Fila, int Columna, const QString& Texto)> RechazaTexto;
    std::function<void(const QString& Motivo)> AvisaRechazo;

    // The runtime's key code of a Qt key event; 0 for keys it has none for.
    static int CodigoTecla(const QKeyEvent* e);

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override;

private:
    bool editable(int fila, int columna) const;
    // Focus to the grid, which takes the box's text; false when it was refused.
    bool focoAGrilla();
    bool dejaCelda();
    // Confirmar for a commit the user did not ask for with a key.
    bool confirmaSinTecla();
    // The box's text into its cell, then `despues` on that cell, and closed;
    // false, the box left open, when the text is refused.
    bool pasaACelda(const std::function<void(int, int)>& despues);
    // RechazaTexto on the box's text; a refusal is told and counted.
    bool acepta();
    void cierra();
    bool pasoAbajo();
    void desplaza();
    bool teclaEnGrilla(QKeyEvent* e);
    bool teclaEnCaja(QKeyEvent* e);

    FlexGrid* grilla_;
    QWidget* vista_; // the grid's viewport
    QLineEdit* caja_;
    Esquema esquema_;
    bool abierta_ = false;
    bool juzgando_ = false;
    int rechazos_ = 0;
    int fila_ = -1;
    int columna_ = -1;
};
