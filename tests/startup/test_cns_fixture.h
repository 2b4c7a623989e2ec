#pragma once
// A company database opened through the shared data object, scripted boxes,
// a fixed clock and a private temporary folder for the operator error log.

#include "common/tempdb.h"
#include "data/instances.h"
#include "platform/clsutilidades.h"
#include "platform/msgbox.h"
#include "platform/programend.h"
#include "platform/vb.h"
#include "startup/cnstuffcontable.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class CnsTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetInstances();
        responder = std::make_shared<vb::ScriptedResponder>();
        vb::setDialogResponder(responder);
        vb::throwOnEnd();
        vb::setClock([] { return vb::MakeDate(2024, 3, 15, 10, 20, 30); });
        temp_ = qgetenv("TEMP");
        tmp_ = qgetenv("TMP");
        qputenv("TEMP", tempDir.path().toLocal8Bit());
        qunsetenv("TMP");

        using namespace CNStuffContable;
        gTablaConfiguracion.clear();
        gCamposSQL.clear();
        gTalonario = 0;
        gUsuarioLogeado.clear();

        DB_Dll& d = gDatos();
        d.gServidor = db.folder();
        d.gDBName = db.dbName();
        d.gUsuario = QStringLiteral("sa");
        d.gUserPassWord.clear();
        d.OpenServerADODB(false, 3, QString(), false, false);
        ASSERT_TRUE(d.gOpenFlag);
    }

    void TearDown() override {
        resetInstances();
        vb::setClock({});
        vb::setDialogResponder(std::make_shared<vb::ScriptedResponder>());
        restore("TEMP", temp_);
        restore("TMP", tmp_);
    }

    static void restore(const char* name, const QByteArray& value) {
        if (value.isNull())
            qunsetenv(name);
        else
            qputenv(name, value);
    }

    QVariant scalar(const QString& sql) const { return db.scalar(sql); }

    // Records every statement the engine is asked to run; `falla` refuses
    // those for which it returns an error.
    void espia(std::function<std::optional<ado::Error>(const QString&)> falla = {}) {
        gDatos().cnn()->setFaultInjector(
            [this, falla](const QString& s) -> std::optional<ado::Error> {
                vistas << s;
                return falla ? falla(s) : std::nullopt;
            });
    }
    QStringList vistas;

    testutil::TempDatabase db;
    QTemporaryDir tempDir;
    std::shared_ptr<vb::ScriptedResponder> responder;

private:
    QByteArray temp_;
    QByteArray tmp_;
};
