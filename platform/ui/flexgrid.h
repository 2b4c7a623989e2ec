#pragma once
// Flex grid of the common controls: a table of texts addressed by the current
// cell (Row, Col) and by cell (TextMatrix), with widths in twips. Its first
// row and first column may be fixed: they hold the headings, stay in place
// when the grid scrolls and the cursor never enters them. A grid here has at
// most one fixed row and one fixed column; their texts are still cells of
// row 0 and column 0.

#include <QRect>
#include <QString>
#include <QTableView>

class FlexGrid : public QTableView {
    Q_OBJECT
public:
    // Twips of the original's screen per pixel.
    static constexpr int kTwipsPorPixel = 15;

    explicit FlexGrid(QWidget* parent = nullptr);
    ~FlexGrid() override;

    // Added rows and columns are empty; removed ones take their texts along.
    int Rows() const;
    void setRows(int filas);
    int Cols() const;
    void setCols(int columnas);
    // 0 or 1.
    int FixedRows() const;
    void setFixedRows(int filas);
    int FixedCols() const;
    void setFixedCols(int columnas);

    // The current cell; before one was set, the first cell past the fixed
    // ones. A value outside the grid is not taken. A fixed cell may be made
    // current from code (to address it), never by the user.
    int Row() const;
    void setRow(int fila);
    int Col() const;
    void setCol(int columna);
    QString Text() const;
    void setText(const QString& texto);
    // A cell outside the grid reads as empty and is not written.
    QString TextMatrix(int fila, int columna) const;
    void setTextMatrix(int fila, int columna, const QString& texto);

    // First row shown below the fixed one.
    int TopRow() const;
    void setTopRow(int fila);
    int ColWidth(int columna) const; // twips
    void setColWidth(int columna, int twips);
    void setColAlignment(int columna, Qt::Alignment alineacion);

    // A new last row; tab characters separate its cells' texts.
    void AddItem(const QString& fila);
    // Every cell's text emptied; rows and columns stay.
    void Clear();

    // The current cell's rectangle in the coordinates of `en` (the grid
    // itself when null); empty when the cell is not shown.
    QRect RectanguloCelda(const QWidget* en = nullptr) const;

private:
    class Modelo;
    // Headers shown and row 0 / column 0 hidden as the fixed counts say.
    void aplicaFijas();
    // The same after a fixed count changed, with every cell's flags.
    void cambianFijas();
    Modelo* modelo_;
};
