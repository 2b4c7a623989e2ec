#pragma once
// A company database opened through the shared data object, scripted boxes,
// a fixed clock and a private temporary folder for the operator error log.

#include "common/db_fixture.h"
#include "common/recording_banner.h"
#include "common/tempdb.h"
#include "data/instances.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class CnsTest : public CompanyDbFixture {
protected:
    CnsTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        using namespace CNStuffContable;
        gTablaConfiguracion.clear();
        gCamposSQL.clear();
        gTalonario = 0;
        banner = testutil::RecordingBanner::install();
    }

    void TearDown() override {
        CNStuffContable::resetCartel();
        CompanyDbFixture::TearDown();
    }

    QVariant scalar(const QString& sql) const { return db.scalar(sql); }

    // Records every statement the engine is asked to run; `falla` refuses
    // those for which it returns an error.
    void espia(ado::FaultInjector falla = {}) {
        testutil::recordStatements(gDatos().cnn(), vistas, std::move(falla));
    }
    QStringList vistas;
    std::shared_ptr<testutil::RecordingBanner> banner;
};
