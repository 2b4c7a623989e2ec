#include "platform/ui/mouse.h"

#include <QLineEdit>
#include <QMouseEvent>

namespace ui {

int vbMouseButton(const QWidget& Control, const QMouseEvent& e) {
    // Qt hands a disabled control's presses to its event filters all the
    // same; the runtime's locked and disabled controls raise no event.
    if (!Control.isEnabled())
        return 0;
    const int boton = e.button() == Qt::RightButton ? 2 : e.button() == Qt::MiddleButton ? 4 : 1;
    if (boton == 2 && !AceptaConsulta(Control))
        return 0;
    return boton;
}

bool AceptaConsulta(const QWidget& Control) {
    const auto* caja = qobject_cast<const QLineEdit*>(&Control);
    return Control.isEnabled() && !(caja && caja->isReadOnly());
}

} // namespace ui
