#pragma once
// Common set-up of the data object's tests: fresh instances, scripted boxes,
// the program end turned into an exception, the error log in a temporary
// folder and a fixed clock.

#include "common/tempdb.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/runwide.h"
#include "platform/msgbox.h"
#include "platform/programend.h"
#include "platform/vb.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <stdexcept>

// Readable failure messages for Qt values.
inline void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}
inline void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}
inline void PrintTo(const QVariant& v, std::ostream* os) {
    if (!v.isValid())
        *os << "Empty";
    else
        *os << v.typeName() << ' ' << v.toString().toStdString();
}

// A provider error as a fault injector hands it to the engine.
inline ado::Error providerError(long number, long native = 0, const QString& sqlState = {}) {
    ado::Error e;
    e.Number = number;
    e.NativeError = native;
    e.SQLState = sqlState;
    e.Description = QStringLiteral("falla %1 nativo %2").arg(number).arg(native);
    return e;
}

// A scripted responder that stops a runaway loop. Unscripted boxes answer
// their first button (Yes, Retry), which is exactly what keeps a reconnect
// loop or an error box's Retry going: a test whose script runs short would
// spin for ever instead of failing. Past a handful of unscripted boxes the
// responder throws, which the data object does not catch.
class BoundedResponder : public vb::ScriptedResponder {
public:
    static constexpr int kMaxUnexpected = 20;

    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        const int answer = ScriptedResponder::messageBox(prompt, buttons, title);
        check(prompt);
        return answer;
    }
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        QString answer = ScriptedResponder::inputBox(prompt, title, defaultText);
        check(prompt);
        return answer;
    }

private:
    void check(const QString& prompt) const {
        if (unexpected > kMaxUnexpected)
            throw std::runtime_error("unscripted box shown again and again: " +
                                     prompt.simplified().toStdString());
    }
};

class DataTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetInstances();
        vb::throwOnEnd();
        responder = std::make_shared<BoundedResponder>();
        vb::setDialogResponder(responder);
        ASSERT_TRUE(appDir.isValid());
        vb::setAppPath(appDir.path());
        vb::setAppExeName(QStringLiteral("CN000P"));
        vb::setClock([] { return vb::MakeDate(2024, 3, 7, 9, 5, 2); });
        CNStuffContable::gUsuarioLogeado.clear();
        CNStuffContable::gPasswordUsuario.clear();
        CNStuffContable::gConfidencialidad = false;
        DB_Dll::setAccessWindow(nullptr);
        DB_Dll::setProgramasStock({});
    }

    void TearDown() override {
        // Every box a test causes is answered by its script.
        EXPECT_EQ(responder->unexpected, 0);
        resetInstances();
        DB_Dll::setAccessWindow(nullptr);
        vb::setClock({});
        vb::setAppPath(QString());
        vb::setAppExeName(QString());
        vb::setDialogResponder(std::make_shared<vb::ScriptedResponder>());
    }

    // Opens gDatos on the database as the start-up does, administrator test off.
    DB_Dll& openShared(const testutil::TempDatabase& db) {
        DB_Dll& d = gDatos();
        d.gServidor = db.folder();
        d.gDBName = db.dbName();
        d.gUsuario = QStringLiteral("sa");
        d.OpenServerADODB(false, 3, QString(), false, true);
        EXPECT_TRUE(d.gOpenFlag);
        EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
        return d;
    }

    // Records every text the engine is asked to run on the connection.
    void capture(const ado::ConnectionPtr& c) {
        c->setFaultInjector([this](const QString& s) -> std::optional<ado::Error> {
            seen << s;
            return std::nullopt;
        });
    }

    // Texts seen that contain the fragment.
    QStringList seenWith(const QString& fragment) const {
        return seen.filter(fragment, Qt::CaseInsensitive);
    }

    QString logPath() const { return appDir.path() + QStringLiteral("/KQERR.LOG"); }

    static QString readLog(const QString& path) {
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            return QString();
        QStringDecoder dec("windows-1252");
        return dec.decode(f.readAll());
    }

    std::shared_ptr<vb::ScriptedResponder> responder;
    QTemporaryDir appDir;
    QStringList seen;
};
