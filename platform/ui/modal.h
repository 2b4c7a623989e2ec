#pragma once
// Every modal window of our own (lookups, the access window) is shown through
// showModal, so that a test can drive it instead of blocking in exec(): with a
// driver installed the window is shown, handed to the driver, and hidden when
// the driver returns, as if the user had closed it.

#include <QPointer>
#include <functional>

class QDialog;

namespace ui {

using ModalDriver = std::function<void(QDialog& window)>;

// Installs a driver; an empty one restores exec(). Returns the previous one.
ModalDriver setModalDriver(ModalDriver driver);

// Shows the window modally (or through the installed driver) and returns when
// it is hidden.
void showModal(QDialog& window);

// A window of which the run has one instance, shown modeless: created on
// first use (Load prepares it; it is deleted when closed), then shown and
// brought to the front as it stands.
template <class Window, class Load> Window* showSingle(QPointer<Window>& instance, Load load) {
    if (!instance) {
        instance = new Window;
        instance->setAttribute(Qt::WA_DeleteOnClose);
        load(*instance);
    }
    instance->show();
    instance->raise();
    instance->activateWindow();
    return instance;
}

} // namespace ui
