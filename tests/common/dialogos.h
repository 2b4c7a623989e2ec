#pragma once

#include "platform/ui/modal.h"

#include <QDialog>

namespace testutil {

// Counts the dialogs a test opens, without showing them, and puts back the
// driver that was in place when the test ends.
class CuentaDialogos {
public:
    CuentaDialogos() : previo_(ui::setModalDriver([this](QDialog&) { ++abiertos; })) {}
    ~CuentaDialogos() { ui::setModalDriver(previo_); }
    CuentaDialogos(const CuentaDialogos&) = delete;
    CuentaDialogos& operator=(const CuentaDialogos&) = delete;

    int abiertos = 0;

private:
    ui::ModalDriver previo_;
};

} // namespace testutil
