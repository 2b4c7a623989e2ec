#pragma once
// The one start of every program with windows (the adjustment and the
// chart-of-accounts programs, their picture takers, the benches), so that
// none runs without one of the seams the windows rely on.

#include <QApplication>
#include <memory>

namespace arranque {

// A private runtime folder when the session has none, the application, the
// widget side of the seams (boxes, desktop, Qt's texts in Spanish, the
// Windows keys and window sizes), the lookups tied to the start-up's
// connection, the access window for a failed connection and the banner of
// long operations. argc and argv must outlive the application.
std::unique_ptr<QApplication> IniciaPrograma(int& argc, char** argv);

} // namespace arranque
