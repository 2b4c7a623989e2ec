#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"

#include <QApplication>
#include <QLineEdit>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <QtTest/QTest>
#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace {

using Celda = std::pair<int, int>;
using Esquema = EdicionCelda::Esquema;

// A grid of `filas` rows and `columnas` columns, one of each fixed, with the
// box beside it in an active window; cells named by position ("r1c2").
// PorColumnas: columns 1 and 3 take the box (3 while `porcentaje`), as in the
// cost-centre grid.
struct Ventana {
    QWidget w;
    FlexGrid* g = new FlexGrid(&w);
    QLineEdit* caja = new QLineEdit(&w);
    EdicionCelda* e;
    bool porcentaje = true;

    Ventana(int filas, int columnas, Esquema esquema) {
        (new QVBoxLayout(&w))->addWidget(g);
        g->setCols(columnas);
        g->setRows(filas);
        for (int f = 0; f < filas; ++f)
            for (int c = 0; c < columnas; ++c)
                g->setTextMatrix(f, c, QStringLiteral("r%1c%2").arg(f).arg(c));
        e = new EdicionCelda(g, caja, esquema);
        if (esquema == Esquema::PorColumnas)
            e->ColumnaEditable = [this](int c) { return c == 1 || (c == 3 && porcentaje); };
        w.resize(400, 300);
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        g->setFocus();
    }
    Celda actual() const { return {g->Row(), g->Col()}; }
    QPoint centro(int f, int c) const { return g->visualRect(g->model()->index(f, c)).center(); }

    // Runs a script of blank-separated steps: "g:x" types x on the grid,
    // "g:Enter" presses Enter there, "c:..." the same in the box ("c:Esc",
    // "c:Up", "c:Down", "c:Back", or a text), "dbl:r,c" and "clic:r,c" use the mouse,
    // "sin%" closes the percentage column.
    void corre(const QString& guion) {
        const std::map<QString, Qt::Key> teclas{{"Enter", Qt::Key_Return},
                                                {"Esc", Qt::Key_Escape},
                                                {"Up", Qt::Key_Up},
                                                {"Down", Qt::Key_Down},
                                                {"Back", Qt::Key_Backspace}};
        for (const QString& paso : guion.split(u' ', Qt::SkipEmptyParts)) {
            if (paso == "sin%") {
                porcentaje = false;
                continue;
            }
            const QString dest = paso.section(u':', 0, 0), arg = paso.section(u':', 1);
            if (dest == "dbl" || dest == "clic") {
                const QPoint p =
                    centro(arg.section(u',', 0, 0).toInt(), arg.section(u',', 1).toInt());
                if (dest == "dbl")
                    QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, p);
                else
                    QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, p);
                continue;
            }
            QWidget* a = dest == "g" ? static_cast<QWidget*>(g) : caja;
            if (teclas.count(arg))
                QTest::keyClick(a, teclas.at(arg));
            else
                QTest::keyClicks(a, arg);
        }
    }
};

// A grid "L3x2@1,1" (scheme L or C, rows x columns, starting cell), a script
// and what must hold afterwards: "@r,c" the current cell, "r,c=text" a cell's
// text, "caja=text" the box open with that text, caret at the end, over the
// cell (without it, the box is closed), "filas=n" the row count.
struct Caso {
    const char* nombre;
    QString grilla, guion, esperado;
};

TEST(EdicionCeldaTest, KeysMoveTheBoxAndTheCursor) {
    const std::vector<Caso> casos = {
        // Free scheme (custom fields).
        {"a key replaces the text, Enter keeps it and moves right", "L3x3@1,1", "g:7 c:5 c:Enter",
         "@1,2 1,1=75"},
        {"Enter on the last column goes to the next row", "L3x3@1,2", "g:x c:Enter", "@2,1 1,2=x"},
        {"Enter on the last row commits and stays", "L3x2@2,1", "g:x c:Enter", "@2,1 2,1=x"},
        {"Escape drops the typing", "L3x2@1,1", "g:x c:Esc", "@1,1 1,1=r1c1"},
        {"Backspace on the grid empties the cell for what is typed next", "L3x2@1,1",
         "g:Back c:5 c:Enter", "@2,1 1,1=5"},
        {"Backspace in the open box deletes one character", "L3x2@1,1", "g:Enter c:Back",
         "@1,1 caja=r1c"},
        {"Enter on the grid opens on the cell's text", "L3x2@1,1", "g:Enter", "@1,1 caja=r1c1"},
        {"Down and Up commit and move, never into the fixed row", "L3x2@1,1",
         "g:a c:Down g:b c:Up g:c c:Up", "@1,1 1,1=c 2,1=b"},
        {"a double click shows the cell's text", "L3x2@1,1", "dbl:2,1", "@2,1 caja=r2c1"},
        {"a click elsewhere puts the text in the edited cell", "L3x3@1,1", "g:z clic:2,2",
         "@2,2 1,1=z 2,2=r2c2"},
        // Column scheme (cost centres).
        {"Enter in the code goes to the percentage", "C4x4@1,1", "g:x c:Enter", "@1,3 1,1=x"},
        {"Enter in the percentage goes to the next line", "C4x4@1,3", "g:x c:Enter", "@2,1"},
        {"Enter on the last line adds a line", "C3x4@2,3", "g:x c:Enter", "@3,1 filas=4"},
        {"Enter without a percentage goes to the next line", "C4x4@1,1", "sin% g:x c:Enter",
         "@2,1"},
        {"a column that takes no box opens nothing", "C4x4@1,2", "g:x", "@1,2"},
        {"Enter on the grid moves on without opening", "C4x4@1,1", "g:Enter", "@1,3"},
        {"Down on the last line adds a line", "C3x4@2,3", "g:x c:Down", "@3,1 filas=4"},
        {"Up on line 1 stays", "C3x4@1,1", "g:x c:Up", "@1,1 1,1=x filas=3"},
        {"Backspace then a digit in a percentage replaces it", "C4x4@1,3", "g:Back c:5 c:Enter",
         "@2,1 1,3=5"},
    };
    const auto celda = [](const QString& t) {
        return Celda(t.section(u',', 0, 0).toInt(), t.section(u',', 1).toInt());
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        const QStringList medidas = c.grilla.mid(1).split(QRegularExpression("[x@]"));
        Ventana v(medidas[0].toInt(), medidas[1].toInt(),
                  c.grilla.startsWith(u'L') ? Esquema::Libre : Esquema::PorColumnas);
        const Celda inicio = celda(medidas[2]);
        v.g->setCurrentIndex(v.g->model()->index(inicio.first, inicio.second));
        v.corre(c.guion);
        bool abierta = false;
        for (const QString& e : c.esperado.split(u' ')) {
            const QString clave = e.section(u'=', 0, 0), valor = e.section(u'=', 1);
            if (e.startsWith(u'@')) {
                EXPECT_EQ(v.actual(), celda(e.mid(1)));
            } else if (clave == "filas") {
                EXPECT_EQ(v.g->Rows(), valor.toInt());
            } else if (clave == "caja") {
                abierta = true;
                EXPECT_EQ(v.caja->text(), valor);
                EXPECT_EQ(v.caja->cursorPosition(), valor.size());
                EXPECT_EQ(v.caja->geometry(), v.g->RectanguloCelda(&v.w));
            } else {
                const Celda k = celda(clave);
                EXPECT_EQ(v.g->TextMatrix(k.first, k.second), valor) << clave.toStdString();
            }
        }
        EXPECT_EQ(v.e->Abierta(), abierta);
        EXPECT_EQ(v.caja->isVisible(), abierta);
    }
}

TEST(EdicionCeldaTest, AWindowsChecksCanKeepTheBoxOpenAndSeeTheCellLeft) {
    Ventana v(4, 4, Esquema::PorColumnas);
    bool acepta = false;
    std::vector<std::pair<Celda, QString>> dejadas;
    v.e->TeclaEnCaja = [&](int KeyCode, int Shift) {
        if (KeyCode == 13 && acepta)
            v.e->EditKeyCode(KeyCode, Shift);
    };
    v.e->AlDejarCelda = [&](int f, int c) { dejadas.push_back({{f, c}, v.caja->text()}); };
    v.corre("g:9 c:Enter");
    EXPECT_TRUE(v.e->Abierta()); // refused: the box stays with the value
    EXPECT_EQ(v.g->TextMatrix(1, 1), "r1c1");
    acepta = true;
    v.corre("c:Enter");
    EXPECT_EQ(v.g->TextMatrix(1, 1), "9");
    EXPECT_EQ(v.actual(), Celda(1, 3));
    EXPECT_TRUE(dejadas.empty()); // moved by the key: no check on leaving
    v.corre("g:4 clic:2,1");
    ASSERT_EQ(dejadas.size(), 1u);
    EXPECT_EQ(dejadas[0], (std::pair<Celda, QString>{{1, 3}, "4"}));
    EXPECT_EQ(v.g->TextMatrix(1, 3), "4");
}

// Every way the box's text reaches its cell without a key in the box tells
// the window, which checks it there; a commit from code does not.
TEST(EdicionCeldaTest, ACommitWithoutAKeyInTheBoxIsTold) {
    const struct {
        const char* como;
        std::function<void(Ventana&)> accion;
        bool avisa;
    } casos[] = {
        {"the grid takes the focus back", [](Ventana& v) { v.g->setFocus(Qt::TabFocusReason); },
         true},
        {"the same cell clicked",
         [](Ventana& v) { QTest::mouseClick(v.g->viewport(), Qt::LeftButton, {}, v.centro(1, 1)); },
         true},
        {"Confirmar from code", [](Ventana& v) { v.e->Confirmar(); }, false},
        {"Descartar from code", [](Ventana& v) { v.e->Descartar(); }, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.como);
        Ventana v(4, 4, Esquema::PorColumnas);
        std::vector<std::pair<Celda, QString>> avisos;
        v.e->AlConfirmar = [&](int f, int col) { avisos.push_back({{f, col}, v.caja->text()}); };
        v.corre("g:7");
        ASSERT_TRUE(v.e->Abierta());
        c.accion(v);
        EXPECT_FALSE(v.e->Abierta());
        using Avisos = std::vector<std::pair<Celda, QString>>;
        const Avisos esperados = c.avisa ? Avisos{{{1, 1}, "7"}} : Avisos{};
        EXPECT_EQ(avisos, esperados);
    }
}

TEST(EdicionCeldaTest, ColumnSchemeScrollsOnceTheCellPassesTheMiddle) {
    Ventana v(40, 4, Esquema::PorColumnas);
    QApplication::processEvents();
    v.g->setCurrentIndex(v.g->model()->index(1, 1));
    const int alto = v.g->height();
    const int fila = v.g->rowHeight(1);
    for (int paso = 1; paso <= 15; ++paso) {
        v.corre("g:x c:Down");
        // A plain grid would let the cell run down to its bottom edge.
        const int fondo =
            v.g->viewport()->geometry().top() + v.g->rowViewportPosition(v.g->Row()) + fila;
        EXPECT_LE(fondo * 2, alto + 2 * fila) << "after " << paso << " moves";
    }
    EXPECT_EQ(v.g->Row(), 16);
    EXPECT_GT(v.g->TopRow(), 1);
}

} // namespace
