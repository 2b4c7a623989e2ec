#include "platform/ui/teclas.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QWidget>

namespace ui {

int vbKeyCode(const QKeyEvent& e) {
    const int k = e.key();
    const bool teclado = e.modifiers() & Qt::KeypadModifier;
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return teclado ? 96 + (k - Qt::Key_0) : 48 + (k - Qt::Key_0);
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return 65 + (k - Qt::Key_A);
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return 112 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return 9;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Shift:
        return 16;
    case Qt::Key_Control:
        return 17;
    case Qt::Key_Alt:
        return 18;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Space:
        return 32;
    case Qt::Key_PageUp:
        return 33;
    case Qt::Key_PageDown:
        return 34;
    case Qt::Key_End:
        return 35;
    case Qt::Key_Home:
        return 36;
    case Qt::Key_Left:
        return 37;
    case Qt::Key_Up:
        return 38;
    case Qt::Key_Right:
        return 39;
    case Qt::Key_Down:
        return 40;
    case Qt::Key_Insert:
        return 45;
    case Qt::Key_Delete:
        return 46;
    case Qt::Key_Asterisk:
        return teclado ? 106 : 0;
    case Qt::Key_Plus:
        return teclado ? 107 : 0;
    case Qt::Key_Minus:
        return teclado ? 109 : 0;
    case Qt::Key_Period:
        return teclado ? 110 : 0;
    case Qt::Key_Slash:
        return teclado ? 111 : 0;
    default:
        return 0;
    }
}

int vbShift(Qt::KeyboardModifiers m) {
    return (m & Qt::ShiftModifier ? 1 : 0) | (m & Qt::ControlModifier ? 2 : 0) |
           (m & Qt::AltModifier ? 4 : 0);
}

void TecleaEnLugar(QWidget* Campo, const QKeyEvent& K, int Ascii, bool& Reenvio) {
    if (Ascii <= 0 || Ascii > 255)
        return;
    QKeyEvent otro(QEvent::KeyPress, K.key(), K.modifiers(), QString(QChar(char16_t(Ascii))));
    Reenvio = true;
    QCoreApplication::sendEvent(Campo, &otro);
    Reenvio = false;
}

bool EsTeclaBarra(int KeyCode) {
    return KeyCode >= 113 && KeyCode <= 120;
}

namespace {

class Previa : public QObject {
public:
    Previa(QWidget* ventana, std::function<void(int, int)> alTeclear, bool soloBarra)
        : QObject(ventana), ventana_(ventana), alTeclear_(std::move(alTeclear)),
          soloBarra_(soloBarra) {}

protected:
    bool eventFilter(QObject* objeto, QEvent* evento) override {
        if (evento->type() != QEvent::KeyPress || !objeto->isWidgetType())
            return false;
        auto* destino = static_cast<QWidget*>(objeto);
        if (destino != ventana_ && !ventana_->isAncestorOf(destino))
            return false;
        const auto* k = static_cast<QKeyEvent*>(evento);
        const int codigo = vbKeyCode(*k);
        const bool barra = EsTeclaBarra(codigo);
        if (barra || !soloBarra_)
            alTeclear_(codigo, vbShift(k->modifiers()));
        return barra;
    }

private:
    QWidget* ventana_;
    std::function<void(int, int)> alTeclear_;
    bool soloBarra_;
};

} // namespace

QObject* PreviaTeclas(QWidget* Ventana, std::function<void(int KeyCode, int Shift)> AlTeclear,
                      bool SoloBarra) {
    auto* filtro = new Previa(Ventana, std::move(AlTeclear), SoloBarra);
    QCoreApplication::instance()->installEventFilter(filtro);
    return filtro;
}

} // namespace ui
