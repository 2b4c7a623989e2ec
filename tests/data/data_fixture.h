#pragma once
// Common set-up of the data object's tests: the shared fixture with the
// temporary folder as the program's folder (where the error log goes) and a
// tight guard on unscripted boxes.

#include "common/db_fixture.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/runwide.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <stdexcept>

// A provider error as a fault injector hands it to the engine.
inline ado::Error providerError(long number, long native = 0, const QString& sqlState = {}) {
    ado::Error e;
    e.Number = number;
    e.NativeError = native;
    e.SQLState = sqlState;
    e.Description = QStringLiteral("falla %1 nativo %2").arg(number).arg(native);
    return e;
}

class DataTest : public DbFixture {
protected:
    // Unscripted boxes answer their first button (Yes, Retry), which is exactly
    // what keeps a reconnect loop or an error box's Retry going: a test whose
    // script runs short fails after a handful of them instead of spinning.
    static constexpr int kMaxUnexpected = 20;

    DataTest() : DbFixture(vb::MakeDate(2024, 3, 7, 9, 5, 2)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DbFixture::SetUp());
        responder->unexpectedLimit = kMaxUnexpected;
        useAppFolder(QStringLiteral("CN000P"));
    }

    void TearDown() override {
        // Every box a test causes is answered by its script.
        EXPECT_EQ(responder->unexpected, 0);
        DbFixture::TearDown();
    }

    // Opens gDatos on the database as the start-up does, administrator test off.
    DB_Dll& openShared(const testutil::TempDatabase& db) {
        DB_Dll& d = openGDatos(db, true);
        EXPECT_TRUE(d.gOpenFlag);
        EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
        return d;
    }

    // Records every text the engine is asked to run on the connection.
    void capture(const ado::ConnectionPtr& c) { testutil::recordStatements(c, seen); }

    // Texts seen that contain the fragment.
    QStringList seenWith(const QString& fragment) const {
        return seen.filter(fragment, Qt::CaseInsensitive);
    }

    QStringList seen;
};
