#include "test_cns_fixture.h"

#include <QDir>
#include <QFile>
#include <QTest>

using namespace CNStuffContable;

class Reportes : public CnsTest {
protected:
    void SetUp() override {
        CnsTest::SetUp();
        vb::setAppPath(programa.path());
        resetReporte();
        DB_Dll& d = gDatos();
        // Values that a command line spliced as one text would break.
        d.gUserPassWord = QStringLiteral("p w'\"=1");
        d.gUsuario = QStringLiteral("sa");
    }
    void TearDown() override {
        vb::setAppPath(QString());
        resetReporte();
        CnsTest::TearDown();
    }

    // A stand-in program that writes its arguments, one a line, to
    // "<name>.args" beside itself.
    QString programaFalso(const QString& nombre, bool ejecutable = true) const {
        const QString ruta = QDir(programa.path()).filePath(nombre);
        QFile f(ruta);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("#!/bin/sh\n"
                "out=\"$0.args\"\n"
                ": > \"$out.tmp\"\n"
                "for a in \"$@\"; do printf '%s\\n' \"$a\" >> \"$out.tmp\"; done\n"
                "mv \"$out.tmp\" \"$out\"\n");
        f.close();
        if (ejecutable)
            f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
        return ruta;
    }

    static QStringList argumentos(const QString& programa) {
        const QString ruta = programa + QStringLiteral(".args");
        if (!QTest::qWaitFor([&] { return QFile::exists(ruta); }, 10000))
            return {QStringLiteral("<no arrancó>")};
        QFile f(ruta);
        f.open(QIODevice::ReadOnly);
        QString texto = QString::fromUtf8(f.readAll());
        texto.chop(1);
        return texto.split(u'\n');
    }

    QTemporaryDir programa;
};

TEST_F(Reportes, MissingRunnerIsReportedAndBlankReportDoesNothing) {
    ImprimeReporte(QStringLiteral("   "));
    EXPECT_TRUE(responder->shown.empty());

    ImprimeReporte(QStringLiteral("RP_ASIENTOS"));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Error de integridad en los Archivos del sistema (CN000R), copie "
                             "este mensaje y comuniquese con su proveedor de software"));
    EXPECT_EQ(responder->shown[0].buttons, 16);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al operador"));
}

TEST_F(Reportes, RunnerGetsTheNamedReportAndTheLogin) {
    const QString runner = programaFalso(QStringLiteral("cn000r.exe"));
    ImprimeReporte(QStringLiteral("Rp_PlanCtas"));
    EXPECT_EQ(argumentos(runner),
              (QStringList{QStringLiteral("@Menu=Rp_PlanCtas;"),
                           QStringLiteral("@Server=") + db.folder() + u';',
                           QStringLiteral("@DbName=EMPRESA;"), QStringLiteral("@Usuario=sa;"),
                           QStringLiteral("@Password=p w'\"=1;"), QStringLiteral("kovu@;")}));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Reportes, SiblingProgramGetsTheSuitesParameterString) {
    const QString hermano = programaFalso(QStringLiteral("v_ta_tablas"));
    std::int32_t tarea = -1;
    EjecutaProcesoExterno(QStringLiteral("SHELL:V_TA_TABLAS"), QString(), tarea);
    EXPECT_GT(tarea, 0);
    const QStringList args = argumentos(hermano);
    EXPECT_EQ(u' ' + args.join(u' '),
              QStringLiteral(" ; @server=") + db.folder() +
                  QStringLiteral("; @dbname=EMPRESA; @usuario=sa; @Password=p w'\"=1; "
                                 "@ParametroAdicional=; kovu@ ;"));
    EXPECT_EQ(args.value(4), QStringLiteral("@Password=p w'\"=1;")); // one argument
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Reportes, SiblingThatCannotStart) {
    std::int32_t tarea = -1;
    try {
        EjecutaProcesoExterno(QStringLiteral("SHELL:V_MA_CLIENTES"), QString(), tarea);
        ADD_FAILURE() << "a missing program must raise an error";
    } catch (const ado::Exception& e) {
        EXPECT_EQ(e.number(), 53);
    }
    EXPECT_THROW(EjecutaProcesoExterno(QStringLiteral("SHELL"), QString(), tarea), ado::Exception);
    EXPECT_TRUE(responder->shown.empty());

    programaFalso(QStringLiteral("V_MA_CLIENTES"), false);
    EjecutaProcesoExterno(QStringLiteral("SHELL:V_MA_CLIENTES"), QString(), tarea);
    EXPECT_EQ(tarea, 0);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Opcion no Implementada!\rComuniquese con su proveedor de sistemas"));
    EXPECT_EQ(responder->shown[0].buttons, 16);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Atención"));
}
