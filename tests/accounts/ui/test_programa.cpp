// The chart-of-accounts program run as the suite's menu runs it: its own
// executable, the parameter string on its command line.

#include "common/db_fixture.h"
#include "common/tempdb.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>
#include <QtTest/QTest>
#include <gtest/gtest.h>

TEST(ProgramaCuentas, ArrancaYRegistraSuPropioProceso) {
    testutil::TempDatabase db;
    db.exec(QStringLiteral(
        "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', '0001', 1);"
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('NOMBRE', 'EMPRESA DE PRUEBA');"
        "INSERT INTO TA_MENU (Menu, Clave, Nombre, Proceso) VALUES "
        "('CONTABILIDAD', 'CN_AJUSTE', 'Asiento de Ajuste', 'QUARZELO.EXE'),"
        "('CONTABILIDAD', 'CN_PLANCTAS', 'Plan de Cuentas', 'QUARZELO-CUENTAS.EXE');"
        "INSERT INTO TA_TAREAS (USUARIO, SISTEMA, TAREA) VALUES ('sa', 'CONTABLE', 'CN_AJUSTE'),"
        "('sa', 'CONTABLE', 'CN_PLANCTAS');"
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('1', 'ACTIVO', 1)"));
    QTemporaryDir temporal;
    ASSERT_TRUE(temporal.isValid());

    QProcess programa;
    QProcessEnvironment entorno = QProcessEnvironment::systemEnvironment();
    entorno.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    entorno.insert(QStringLiteral("TEMP"), temporal.path());
    programa.setProcessEnvironment(entorno);
    programa.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    programa.start(QStringLiteral(QUARZELO_CUENTAS_EXE),
                   {QStringLiteral("@Server=") + db.folder() + QStringLiteral(";@DbName=") +
                    db.dbName() + QStringLiteral(";@Usuario=sa;@Password=;")});
    ASSERT_TRUE(programa.waitForStarted(30000));

    const auto accesos = [&] {
        return db.rows(QStringLiteral("SELECT Formulario, Tarea, NombreUsuario FROM "
                                      "Control_Acceso"));
    };
    const bool registrado = QTest::qWaitFor([&] { return !accesos().isEmpty(); }, 60000);
    // The window's load ends with the status bar, which creates the run's
    // cash box; then the program waits on its window.
    const bool cargado = QTest::qWaitFor(
        [&] {
            return db.scalar(QStringLiteral("SELECT COUNT(*) FROM V_TA_CAJAS")).toInt() > 0 ||
                   programa.state() != QProcess::Running;
        },
        60000);
    const bool abierto = programa.state() == QProcess::Running;
    programa.kill();
    programa.waitForFinished(30000);

    ASSERT_TRUE(registrado);
    EXPECT_TRUE(cargado);
    EXPECT_TRUE(abierto) << "exit code " << programa.exitCode();
    // The start-up logs the run under the menu entry whose process names
    // the running executable: the accounts program's, not the adjustment's,
    // though both names contain "quarzelo". The start-up gives no process
    // name of its own, so the executable's name is logged.
    EXPECT_EQ(accesos(),
              (QList<QVariantList>{{QStringLiteral("QUARZELO-CUENTAS"),
                                    QStringLiteral("PLAN DE CUENTAS"), QStringLiteral("sa")}}));
}
