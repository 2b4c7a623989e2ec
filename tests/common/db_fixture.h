#pragma once
// Common set-up of the tests that run on the shared data object: fresh data
// instances and run-wide values, scripted boxes, the program end turned into
// an exception, a fixed clock and a private temporary folder that TEMP (where
// the operator error log goes) points at. TearDown puts all of it back.
//
// DbFixture leaves the opening to the test; CompanyDbFixture also opens gDatos
// on a company database of its own. Each folder's fixture derives from one of
// them, names the date of its clock and adds what its tests need.
//
// Everything that touches the data object stays inline here: the test helper
// library links only the platform, the folder executables link the rest.

#include "common/odbc_env.h"
#include "common/tempdb.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/runwide.h"
#include "platform/ado/ado.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"

#include <QByteArray>
#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>
#include <QVariant>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

// Readable failure messages for Qt values.
void PrintTo(const QString& s, std::ostream* os);
void PrintTo(const QStringList& l, std::ostream* os);
void PrintTo(const QVariant& v, std::ostream* os);

namespace testutil {

// Records into `into` every text the engine is asked to run on the
// connection; `fault`, when given, refuses those for which it returns an error.
void recordStatements(const ado::ConnectionPtr& c, QStringList& into,
                      ado::FaultInjector fault = {});

// Fails the statement sent `at`-th (from 0; the reopens of the connection,
// which send its connection string, not counted), and every repetition of
// it, with a lost link; the reconnects work. `sent` counts the statements.
ado::FaultInjector lostLinkAt(int at, const QString& connectionString, int& sent);

// A text file written in the Windows code page (the error logs); empty when it
// cannot be read.
QString readAnsiFile(const QString& path);

// An environment variable as it was; restore() puts it back (unset when it was).
class SavedEnv {
public:
    explicit SavedEnv(const char* name) : name_(name), value_(qgetenv(name)) {}
    void restore() const;

private:
    const char* name_;
    QByteArray value_;
};

} // namespace testutil

class DbFixture : public ::testing::Test {
protected:
    explicit DbFixture(const QDateTime& now) : now_(now) {}

    void SetUp() override {
        ASSERT_TRUE(tempDir.isValid());
        resetInstances();
        CNStuffContable::gUsuarioLogeado.clear();
        CNStuffContable::gPasswordUsuario.clear();
        CNStuffContable::gConfidencialidad = false;
        DB_Dll::setAccessWindow(nullptr);
        DB_Dll::setProgramasStock({});
        responder = std::make_shared<vb::ScriptedResponder>();
        vb::setDialogResponder(responder);
        vb::throwOnEnd();
        vb::setClock([now = now_] { return now; });
        qputenv("TEMP", tempDir.path().toLocal8Bit());
        qunsetenv("TMP");
        // The data object's error log goes to the program folder: the test's own.
        vb::setAppPath(tempDir.path());
    }

    void TearDown() override {
        resetInstances();
        DB_Dll::setAccessWindow(nullptr);
        vb::setClock({});
        vb::setAppPath(QString());
        vb::setAppExeName(QString());
        vb::setDialogResponder(std::make_shared<vb::ScriptedResponder>());
        temp_.restore();
        tmp_.restore();
    }

    // The temporary folder as the program's folder (INI files, the data
    // object's error log), as every test has it from SetUp; an empty name
    // leaves the executable's own.
    void useAppFolder(const QString& exeName = QString()) {
        vb::setAppPath(tempDir.path());
        vb::setAppExeName(exeName);
    }

    // Opens gDatos on the database as the start-up does: user sa without a
    // password, administrator test off; `muestraError` lets a failure show
    // its box.
    static DB_Dll& openGDatos(const testutil::TempDatabase& db, bool muestraError) {
        DB_Dll& d = gDatos();
        d.gServidor = db.folder();
        d.gDBName = db.dbName();
        d.gUsuario = QStringLiteral("sa");
        d.gUserPassWord.clear();
        // A run on the ODBC engine hands the data object the driver's string.
        d.OpenServerADODB(false, 3, testutil::viaOdbc() ? db.connectionString() : QString(), false,
                          muestraError);
        return d;
    }

    // KQERR.LOG in the temporary folder: the operator error log, and the data
    // object's log when the folder is the program's.
    QString logPath() const { return tempDir.filePath(QStringLiteral("KQERR.LOG")); }
    static QString readLog(const QString& path) { return testutil::readAnsiFile(path); }

    std::shared_ptr<vb::ScriptedResponder> responder;
    QTemporaryDir tempDir;

private:
    QDateTime now_;
    testutil::SavedEnv temp_{"TEMP"};
    testutil::SavedEnv tmp_{"TMP"};
};

class CompanyDbFixture : public DbFixture {
protected:
    using DbFixture::DbFixture;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DbFixture::SetUp());
        ASSERT_TRUE(openGDatos(db, false).gOpenFlag);
    }

    testutil::TempDatabase db;
};
