#include "platform/ui/edicion_celda.h"

#include "platform/ui/flexgrid.h"
#include "platform/ui/teclas.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <algorithm>

namespace {

constexpr int kRetroceso = 8;
constexpr int kTab = 9;
constexpr int kEnter = 13;
constexpr int kEscape = 27;
constexpr int kArriba = 38;
constexpr int kAbajo = 40;

// Shift 1, Ctrl 2, Alt 4.
// The character a key types, as the runtime's key press gives it (control
// characters such as Enter, Escape and Backspace included); 0 for keys that
// type nothing, for Tab (it moves the focus) and for shortcuts.
int Caracter(const QKeyEvent* e) {
    if (e->text().size() != 1 || (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return 0;
    const int k = e->text().at(0).unicode();
    return k == '\t' || k == 127 ? 0 : k;
}

} // namespace

EdicionCelda::EdicionCelda(FlexGrid* grilla, QLineEdit* caja, Esquema esquema, QObject* parent)
    : QObject(parent ? parent : grilla), grilla_(grilla), vista_(grilla->viewport()), caja_(caja),
      esquema_(esquema) {
    caja_->hide();
    grilla_->installEventFilter(this);
    vista_->installEventFilter(this);
    caja_->installEventFilter(this);
    connect(grilla_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { dejaCelda(); });
}

int EdicionCelda::CodigoTecla(const QKeyEvent* e) {
    return ui::vbKeyCode(*e);
}

bool EdicionCelda::editable(int fila, int columna) const {
    if (fila < grilla_->FixedRows() || fila >= grilla_->Rows() || columna < grilla_->FixedCols() ||
        columna >= grilla_->Cols())
        return false;
    return esquema_ == Esquema::Libre || !ColumnaEditable || ColumnaEditable(columna);
}

void EdicionCelda::AbrirCaja(int KeyAscii) {
    if (esquema_ == Esquema::PorColumnas && KeyAscii == kEnter) {
        EditKeyCode(kEnter, 0);
        return;
    }
    if (!Confirmar()) // a box still open over another cell keeps what it holds
        return;
    const int fila = grilla_->Row();
    const int columna = grilla_->Col();
    if (!editable(fila, columna))
        return;
    QString semilla;
    if (KeyAscii == kRetroceso) {
        // Backspace deletes: the box opens empty, as a typed character
        // replaces the cell's text.
    } else if (KeyAscii >= 0 && KeyAscii <= 32) {
        semilla = grilla_->Text();
    } else {
        int tecla = KeyAscii;
        if (FiltraTecla)
            FiltraTecla(tecla);
        if (!SemillaFiltrada)
            tecla = KeyAscii;
        if (tecla != 0)
            semilla = QString(QChar(tecla));
    }
    caja_->setText(semilla);
    caja_->setCursorPosition(int(semilla.size()));
    if (caja_->parentWidget())
        caja_->setGeometry(grilla_->RectanguloCelda(caja_->parentWidget()));
    fila_ = fila;
    columna_ = columna;
    if (AntesDeAbrir)
        AntesDeAbrir(columna);
    abierta_ = true;
    caja_->raise();
    caja_->show();
    if (caja_->isEnabled())
        caja_->setFocus(Qt::OtherFocusReason);
}

void EdicionCelda::cierra() {
    abierta_ = false;
    caja_->clear();
    caja_->hide();
}

bool EdicionCelda::acepta() {
    if (!RechazaTexto)
        return true;
    // Events that come while the user reads why (the focus leaving for the
    // message and coming back) take nothing into the cell.
    if (juzgando_)
        return false;
    juzgando_ = true;
    const QString motivo = RechazaTexto(fila_, columna_, caja_->text());
    if (!motivo.isEmpty()) {
        ++rechazos_;
        // The focus in the box before the message, so that it comes back there.
        caja_->setFocus(Qt::OtherFocusReason);
        if (AvisaRechazo)
            AvisaRechazo(motivo);
        caja_->setFocus(Qt::OtherFocusReason);
    }
    juzgando_ = false;
    return motivo.isEmpty();
}

bool EdicionCelda::Confirmar() {
    if (!abierta_)
        return true;
    if (!acepta())
        return false;
    grilla_->setTextMatrix(fila_, columna_, caja_->text());
    cierra();
    return true;
}

void EdicionCelda::Descartar() {
    if (!abierta_)
        return;
    // Closed before the grid takes the focus, so that nothing goes in.
    abierta_ = false;
    if (caja_->hasFocus())
        grilla_->setFocus(Qt::OtherFocusReason);
    cierra();
}

bool EdicionCelda::dejaCelda() {
    if (abierta_ && grilla_->Row() == fila_ && grilla_->Col() == columna_)
        return true; // back on the cell being edited
    if (pasaACelda(AlDejarCelda))
        return true;
    // Refused: the cursor goes back to the cell the box stays over.
    grilla_->setCurrentIndex(grilla_->model()->index(fila_, columna_));
    return false;
}

bool EdicionCelda::confirmaSinTecla() {
    return pasaACelda(AlConfirmar);
}

bool EdicionCelda::pasaACelda(const std::function<void(int, int)>& despues) {
    if (!abierta_)
        return true;
    if (!acepta())
        return false;
    const int fila = fila_;
    const int columna = columna_;
    grilla_->setTextMatrix(fila, columna, caja_->text());
    if (despues)
        despues(fila, columna);
    cierra();
    return true;
}

bool EdicionCelda::focoAGrilla() {
    // The box is still open here when the grid could not take the focus
    // (a window that is not active), or when its text was refused.
    const int rechazos = rechazos_;
    grilla_->setFocus(Qt::OtherFocusReason);
    return rechazos_ == rechazos && Confirmar();
}

bool EdicionCelda::pasoAbajo() {
    if (!focoAGrilla())
        return false;
    const int fila = grilla_->Row();
    if (fila <= grilla_->Rows() - 2) {
        grilla_->setRow(fila + 1);
    } else if (fila == grilla_->Rows() - 1) {
        grilla_->AddItem(QString());
        grilla_->setRow(grilla_->Rows() - 1);
        grilla_->setCol(grilla_->FixedCols());
    }
    return true;
}

void EdicionCelda::desplaza() {
    // The bottom of the current cell below the middle of the grid.
    const int fila = grilla_->Row();
    if (fila < 0 || fila >= grilla_->Rows())
        return;
    const int arriba = grilla_->viewport()->geometry().top() + grilla_->rowViewportPosition(fila);
    if (grilla_->height() < (arriba + grilla_->rowHeight(fila)) * 2)
        grilla_->setTopRow(grilla_->TopRow() + 1);
}

void EdicionCelda::EditKeyCode(int KeyCode, int /*Shift*/) {
    if (KeyCode == kEscape) {
        Descartar();
    } else if (KeyCode == kArriba) {
        if (!focoAGrilla())
            return;
        if (grilla_->Row() > grilla_->FixedRows())
            grilla_->setRow(grilla_->Row() - 1);
    } else if (KeyCode == kAbajo) {
        if (esquema_ == Esquema::PorColumnas) {
            if (!pasoAbajo())
                return;
        } else {
            if (!focoAGrilla())
                return;
            if (grilla_->Row() < grilla_->Rows() - 1)
                grilla_->setRow(grilla_->Row() + 1);
        }
    } else if (KeyCode == kEnter) {
        if (!focoAGrilla())
            return;
        const int ultima = grilla_->Cols() - 1;
        if (esquema_ == Esquema::Libre) {
            if (grilla_->Col() < ultima) {
                grilla_->setCol(grilla_->Col() + 1);
            } else if (grilla_->Row() < grilla_->Rows() - 1) {
                grilla_->setRow(grilla_->Row() + 1);
                grilla_->setCol(grilla_->FixedCols());
            }
        } else {
            if (grilla_->Col() == ultima) {
                if (!pasoAbajo())
                    return;
                grilla_->setCol(0);
            }
            const auto puede = [this](int c) { return !ColumnaEditable || ColumnaEditable(c); };
            int c = grilla_->Col();
            do {
                ++c;
            } while (c < ultima && !puede(c));
            c = std::min(c, ultima);
            grilla_->setCol(c);
            if (c == ultima && !puede(c)) {
                if (!pasoAbajo())
                    return;
                grilla_->setCol(grilla_->FixedCols());
            }
        }
    }
    if (esquema_ == Esquema::PorColumnas)
        desplaza();
}

bool EdicionCelda::teclaEnGrilla(QKeyEvent* e) {
    const int k = Caracter(e);
    if (k == 0)
        return false; // arrows and the like move the cursor as usual
    AbrirCaja(k);
    return true;
}

bool EdicionCelda::teclaEnCaja(QKeyEvent* e) {
    const int codigo = CodigoTecla(e);
    // Tab leaves the box with its text, which must be one the cell takes.
    if (codigo == kTab && abierta_ && !acepta())
        return true;
    if (TeclaEnCaja)
        TeclaEnCaja(codigo, ui::vbShift(e->modifiers()));
    else
        EditKeyCode(codigo, ui::vbShift(e->modifiers()));
    if (codigo == kEnter || codigo == kEscape || codigo == kArriba || codigo == kAbajo || !abierta_)
        return true;
    int k = Caracter(e);
    if (k < 32 || !FiltraTecla)
        return false;
    const int tecleada = k;
    FiltraTecla(k);
    if (k == tecleada)
        return false;
    if (k != 0)
        caja_->insert(QString(QChar(k)));
    return true;
}

bool EdicionCelda::eventFilter(QObject* objeto, QEvent* evento) {
    if (objeto == caja_) {
        if (evento->type() == QEvent::KeyPress)
            return teclaEnCaja(static_cast<QKeyEvent*>(evento));
        return false;
    }
    if (objeto == grilla_) {
        if (evento->type() == QEvent::KeyPress)
            return teclaEnGrilla(static_cast<QKeyEvent*>(evento));
        // A click on the grid comes with its own cell change; the mouse press
        // decides below whether the cell is left.
        if (evento->type() == QEvent::FocusIn &&
            static_cast<QFocusEvent*>(evento)->reason() != Qt::MouseFocusReason)
            confirmaSinTecla();
        return false;
    }
    // Compared by the pointer kept: while the grid is destroyed its children
    // still send events, and the grid can no longer be asked for them.
    if (objeto == vista_) {
        if (evento->type() == QEvent::MouseButtonPress && abierta_) {
            const QModelIndex i =
                grilla_->indexAt(static_cast<QMouseEvent*>(evento)->position().toPoint());
            const bool otra = i.isValid() && (i.flags() & Qt::ItemIsEnabled) &&
                              (i.row() != fila_ || i.column() != columna_);
            // Refused, the click chooses no cell.
            if (!(otra ? pasaACelda(AlDejarCelda) : confirmaSinTecla()))
                return true;
        } else if (evento->type() == QEvent::MouseButtonDblClick) {
            // The cell under the mouse is the current one once its press was
            // handled; a double click that comes alone makes it so first.
            const QModelIndex i =
                grilla_->indexAt(static_cast<QMouseEvent*>(evento)->position().toPoint());
            if (i.isValid() && (i.flags() & Qt::ItemIsEnabled) && i != grilla_->currentIndex())
                grilla_->setCurrentIndex(i);
            AbrirCaja(32);
        }
    }
    return false;
}
