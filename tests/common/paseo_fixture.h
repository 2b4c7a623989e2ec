#pragma once
// The fixture of a walk over a window on the demo company: the company built
// once per program (the tables its walk watches), every walk on fresh copies
// of its files, the program's parameter string pointing at them.

#include "common/db_fixture.h"
#include "common/paseo_demo.h"

#include "platform/ado/ado.h"
#include "startup/core/cartel.h"
#include "startup/core/cnstuffcontable.h"

template <class Demo> class WalkFixture : public DbFixture {
protected:
    WalkFixture() : DbFixture(vb::MakeDate(2024, 3, 15, 10, 20, 30)) {}

    static const Demo& demo() {
        static const Demo d;
        return d;
    }

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(DbFixture::SetUp());
        useAppFolder();
        demo();
    }

    void TearDown() override {
        stop();
        CNStuffContable::setLineaComandos(std::nullopt);
        CNStuffContable::resetCartel();
        ado::setLockWaitNotice({});
        DbFixture::TearDown();
    }

    // The walk's windows closed and the run's objects let go.
    virtual void stop() = 0;

    // The demo files back as built, and the program's parameter string on
    // them, `extra` (a menu entry) after it.
    void restoreDemo(const QString& extra = QString()) {
        stop();
        demo().restore();
        CNStuffContable::gTablaConfiguracion.clear();
        CNStuffContable::CuentaActual.clear();
        CNStuffContable::setLineaComandos(QStringLiteral("@Server=") + demo().company.folder() +
                                          QStringLiteral("; @DbName=EMPRESA; @Usuario=sa; "
                                                         "@Password=;") +
                                          extra);
    }
};
