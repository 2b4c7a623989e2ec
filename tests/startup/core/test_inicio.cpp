#include "test_cns_fixture.h"

#include "common/locks.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsreporte.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using namespace CNStuffContable;

TEST(ValorParametro, KeysAreWholeAndOnlyTheSeparatorGoes) {
    struct Caso {
        const char* linea;
        const char* clave;
        const char* valor;
    };
    const Caso casos[] = {
        {"@server=ORA#1;", "@Server", "ORA#1"},
        {"@DbName= CONTA ;", "@DbName", "CONTA"},
        {"@DbName =CONTA;", "@DbName", "CONTA"},
        {"@DbName=CONTA;B;", "@DbName", "CONTA"},
        {"@Password=a=b c=;", "@Password", "a=b c="},
        {"@UsuarioLogeado=ana; @Usuario=sa;", "@Usuario", "sa"},
        {"@UsuarioLogeado=ana; @Usuario=sa;", "@UsuarioLogeado", "ana"},
        {"@UsuarioLogeado=ana;", "@Usuario", ""},
        {"@Menu=5; @Caja=3", "@Caja", ""}, // no closing ";"
        {"@Menu=5; @Caja=3", "@Menu", "5"},
        {"", "@Server", ""},
        {"@Server=a;@Server=b;", "@Server", "a"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(ValorParametro(QString::fromUtf8(c.linea), QString::fromUtf8(c.clave)),
                  QString::fromUtf8(c.valor))
            << c.linea << " / " << c.clave;
}

class Inicio : public CnsTest {
protected:
    void SetUp() override {
        CnsTest::SetUp();
        resetInstances(); // start-up finds the data object closed
        resetReporte();
        vb::setAppPath(programa.path());
        vb::setAppExeName(QStringLiteral("CN040"));
        gIdControlAcceso = QVariant();
        setPreparaConsultas([this](const QString& c, bool u, const QString& r) {
            consultas = {c, u ? QStringLiteral("1") : QStringLiteral("0"), r};
        });
        db.exec(QStringLiteral(
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024');"
            "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', '2', 1)"));
    }

    void TearDown() override {
        setLineaComandos(std::nullopt);
        setPreparaConsultas({});
        ado::setLockWaitNotice({}); // the one the start-up installed
        vb::setAppPath(QString());
        vb::setAppExeName(QString());
        resetReporte();
        CnsTest::TearDown();
    }

    QString linea(const QString& resto = QString()) const {
        return QStringLiteral("@Server=") + db.folder() + QStringLiteral("; @DbName=") +
               db.dbName() + QStringLiteral("; @Usuario=sa; @Password=;") + resto;
    }

    QList<QVariantList> accesos() const {
        return db.rows(QStringLiteral(
            "SELECT ID, Formulario, Tarea, NombreUsuario FROM Control_Acceso ORDER BY ID"));
    }

    QTemporaryDir programa;
    QStringList consultas;
};

TEST_F(Inicio, PreparesTheWholeRun) {
    QFile ini(programa.filePath(QStringLiteral("CN000p.INI")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    const QString seccion =
        ClsEntorno::NombrePC().toUpper() + u'|' + ClsEntorno::UsuarioWindows().toUpper();
    ini.write((u'[' + seccion + QStringLiteral("]\r\nFlatToolbars=0\r\n")).toUtf8());
    ini.close();
    setLineaComandos(QStringLiteral("@ParametroAdicional=extra 1; @Menu=M1; ") +
                     linea(QStringLiteral(" @UsuarioLogeado=ana; @Caja=3;")));

    IniciaSistema();

    DB_Dll& d = gDatos();
    ASSERT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.cnn()->CommandTimeout, 360);
    EXPECT_EQ(d.cnn()->DefaultDatabase(), db.dbName());
    EXPECT_EQ(gSeccionIni, seccion);
    EXPECT_FALSE(gFlatToolbars);
    EXPECT_EQ(gParametroAdicional, QStringLiteral("extra 1"));
    EXPECT_EQ(gMenu, QStringLiteral("M1"));
    EXPECT_EQ(gCaja, QStringLiteral("3"));
    // The login user replaces the one the command line named.
    EXPECT_EQ(gUsuarioLogeado, QStringLiteral("sa"));
    EXPECT_EQ(gCadenaODBC, QStringLiteral("DSN=EMPRESA; UID=sa; PWD="));
    const QString carpeta = ClsUtilidades::CarpetaConBarra(programa.path());
    EXPECT_EQ(gReporte().CarpetaReportes(), carpeta);
    EXPECT_EQ(consultas, (QStringList{d.gConnString, QStringLiteral("1"),
                                      carpeta + QStringLiteral("consultas.zub")}));
    EXPECT_EQ(gPeriodoActual, QStringLiteral("2024"));
    EXPECT_TRUE(ado::lockWaitNotice()); // lock waits are shown from now on

    const auto filas = accesos();
    ASSERT_EQ(filas.size(), 1);
    EXPECT_EQ(filas[0][1].toString(),
              QStringLiteral("CN040"));           // the program, unnamed by the start-up
    EXPECT_EQ(filas[0][2].toString(), QString()); // no right: logged, and the run goes on
    EXPECT_EQ(filas[0][3].toString(), QStringLiteral("sa"));
    EXPECT_EQ(gIdControlAcceso.toLongLong(), filas[0][0].toLongLong());
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

TEST_F(Inicio, ConnectionThatDoesNotOpenEndsTheProgram) {
    const QString ausente = QDir(programa.path()).filePath(QStringLiteral("no_existe"));
    setLineaComandos(QStringLiteral("@Server=") + ausente + QStringLiteral("; @DbName=X;"));
    responder->answerMsg(vb::vbNo);
    EXPECT_THROW(IniciaSistema(), vb::ProgramEnded);
    EXPECT_FALSE(gDatos().gOpenFlag);
    // The data object's box only: the start-up adds none of its own.
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_TRUE(consultas.isEmpty());
}

// A file that is no company database, or a name that leaves the server's
// folder, is one connection failure: one box, and a failure status.
TEST_F(Inicio, DatabaseThatIsNoCompanysEndsTheProgramAfterOneBox) {
    using testutil::TempDatabase;
    const TempDatabase vacia = db.sibling(QStringLiteral("VACIA"), TempDatabase::Schema::Empty);
    db.sibling(QStringLiteral("SINTABLAS"), TempDatabase::Schema::Empty)
        .exec(QStringLiteral("CREATE TABLE X (A INT); DROP TABLE X;"));
    db.sibling(QStringLiteral("OTRA"), TempDatabase::Schema::Empty)
        .exec(QStringLiteral("CREATE TABLE ta_configuracion (A INT); CREATE TABLE MA_CUENTAS (A "
                             "INT); CREATE TABLE CLIENTES (A INT);"));
    QFile texto(QDir(db.folder()).filePath(QStringLiteral("TEXTO.db")));
    ASSERT_TRUE(texto.open(QIODevice::WriteOnly) && texto.write("Estimado cliente:\n") > 0);
    texto.close();
    ASSERT_TRUE(QDir(db.folder()).mkdir(QStringLiteral("srv")));
    const QString todas = QStringLiteral(
        "le faltan las tablas TA_CONFIGURACION, MA_CUENTAS, MV_ASIENTOS, MV_EJERCICIOS.");
    const std::pair<const char*, QString> casos[] = {
        {"VACIA", todas},
        {"SINTABLAS", todas},
        {"OTRA", QStringLiteral("le faltan las tablas MV_ASIENTOS, MV_EJERCICIOS.")},
        {"TEXTO", QStringLiteral("file is not a database")},
        {"srv; @DbName=../EMPRESA", QStringLiteral("la base de datos \"../EMPRESA\"")},
    };
    for (const auto& [resto, texto] : casos) {
        SCOPED_TRACE(resto);
        resetInstances();
        responder->shown.clear();
        responder->answerMsg(vb::vbNo);
        const QString servidor = QString::fromUtf8(resto).startsWith(u"srv")
                                     ? QDir(db.folder()).filePath(QString::fromUtf8(resto))
                                     : db.folder() + QStringLiteral("; @DbName=") + resto;
        setLineaComandos(QStringLiteral("@Server=") + servidor + QStringLiteral("; @Usuario=sa;"));
        int fin = 0;
        try {
            IniciaSistema();
        } catch (const vb::ProgramEnded& e) {
            fin = e.code;
        }
        EXPECT_NE(fin, 0);
        ASSERT_EQ(responder->shown.size(), 1u) << responder->messages().join(u'|').toStdString();
        EXPECT_EQ(responder->shown[0].title, QStringLiteral(" Error de Conexion a Base de Datos"));
        EXPECT_TRUE(responder->shown[0].prompt.contains(texto));
    }
    EXPECT_EQ(QFileInfo(vacia.path()).size(), 0); // looked at, not written
}

TEST_F(Inicio, FailureAfterOpeningIsShownAndEndsTheProgram) {
    setLineaComandos(linea());
    setPreparaConsultas([](const QString&, bool, const QString&) {
        throw ado::Exception(
            ado::Error{5, QStringLiteral("Llamada no valida"), {}, 0, QStringLiteral("CN040")});
    });
    EXPECT_THROW(IniciaSistema(), vb::ProgramEnded);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Ha ocurrido el Siguiente Error (5) Llamada no valida"));
    EXPECT_EQ(responder->shown[0].title,
              QStringLiteral("CN040 - IniciaSistema Aviso al operador!!! "));
    EXPECT_TRUE(accesos().isEmpty()); // the later steps did not run
}

// Login values that hold what separates or quotes ODBC keywords reach the
// reports' ODBC string whole, each part between braces.
TEST_F(Inicio, ReportsOdbcStringQuotesItsValues) {
    DB_Dll& d = gDatos();
    d.gServidor = db.folder();
    d.gDBName = db.dbName();
    d.gUsuario = QStringLiteral("sa");
    d.OpenServerADODB(false, 3, QString(), false, false);
    ASSERT_TRUE(d.gOpenFlag);
    d.gUsuario = QStringLiteral("s=a");
    d.gUserPassWord = QStringLiteral("p;w={x}}");
    setLineaComandos(linea());
    IniciaSistema();
    EXPECT_EQ(gCadenaODBC, QStringLiteral("DSN=EMPRESA; UID={s=a}; PWD={p;w={x}}}}}"));
}

TEST_F(Inicio, OpenConnectionIsKeptAndTheCommandLineNotRead) {
    DB_Dll& d = gDatos();
    d.gServidor = db.folder();
    d.gDBName = db.dbName();
    d.gUsuario = QStringLiteral("sa");
    d.OpenServerADODB(false, 3, QString(), false, false);
    ASSERT_TRUE(d.gOpenFlag);
    const ado::ConnectionPtr abierta = d.gCnn;
    gMenu = QStringLiteral("M1");
    gCaja.clear();
    setLineaComandos(QStringLiteral("@Server=/otro; @DbName=OTRA; @Usuario=x; @Menu=M9; @Caja=7;"));

    IniciaSistema();

    EXPECT_EQ(d.gCnn, abierta);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    EXPECT_EQ(d.gDBName, db.dbName());
    EXPECT_EQ(d.gUsuario, QStringLiteral("sa"));
    EXPECT_EQ(gMenu, QStringLiteral("M1"));
    EXPECT_TRUE(gCaja.isEmpty());
    // The steps after the connection still run.
    EXPECT_EQ(gCadenaODBC, QStringLiteral("DSN=EMPRESA; UID=sa; PWD="));
    EXPECT_EQ(gUsuarioLogeado, QStringLiteral("sa"));
    EXPECT_EQ(gPeriodoActual, QStringLiteral("2024"));
    EXPECT_EQ(accesos().size(), 1);
    EXPECT_TRUE(responder->shown.empty());
}

// Another user saving while this program starts: the access-log row waits
// once, briefly and said, and the run goes on without it and without a box.
TEST_F(Inicio, AccessLogUnderAnotherUsersLockWaitsBriefly) {
    setLineaComandos(linea());
    testutil::LockWaits esperas(200, AvisoEsperaBloqueo);
    auto otro = ado::Connection::create();
    otro->Open(db.connectionString());
    otro->BeginTrans();
    IniciaSistema(); // its command time-out is 360 s
    otro->RollbackTrans();
    EXPECT_EQ(esperas.told, (QList<bool>{true, false}));
    EXPECT_EQ(banner->esperas, esperas.told); // told on the banner
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
    EXPECT_TRUE(accesos().isEmpty());
    EXPECT_EQ(gDatos().cnn()->State(), ado::adStateOpen);
}
