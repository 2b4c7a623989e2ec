#include "platform/ui/modal.h"

#include <QDialog>

namespace ui {

namespace {

ModalDriver& installed() {
    static ModalDriver driver;
    return driver;
}

} // namespace

ModalDriver setModalDriver(ModalDriver driver) {
    ModalDriver previous = std::move(installed());
    installed() = std::move(driver);
    return previous;
}

void showModal(QDialog& window) {
    if (!installed()) {
        window.exec();
        return;
    }
    // A copy: the driver may install another one while it runs.
    const ModalDriver driver = installed();
    window.setModal(true);
    window.show();
    driver(window);
    window.hide();
}

} // namespace ui
