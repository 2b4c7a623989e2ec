#include "common/odbc_env.h"
#include "platform/vb/msgbox.h"

#include <QCoreApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// The tests of the layers below the windows run without any widget: a core
// application, and boxes answered by a scripted responder; what the run writes
// to the temporary folder stays in one of its own.
int main(int argc, char** argv) {
    // The same machine for every run: C locale, whatever the desktop's.
    qputenv("LC_ALL", "C.UTF-8");
    testutil::isolateOdbc();
    QTemporaryDir temporal;
    qputenv("TEMP", temporal.path().toLocal8Bit());
    qunsetenv("TMP");
    QCoreApplication app(argc, argv);
    vb::setDialogResponder(std::make_shared<vb::ScriptedResponder>());
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
