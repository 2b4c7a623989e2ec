// The access window, the registered connections of BASES.TXT and the
// connection failure that asks for them.

#include "test_cns_fixture.h"

#include "platform/ui/modal.h"
#include "platform/win/quindel2.h"
#include "startup/ui/frmacceso.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

using namespace CNStuffContable;

namespace {

QStringList entries(const QListWidget* list) {
    QStringList r;
    for (int i = 0; i < list->count(); ++i)
        r << list->item(i)->text();
    return r;
}

QByteArray fileBytes(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public Q_SLOTS:
    void open(const QUrl& url) { urls << url; }
};

// An environment variable put back as it was when the test leaves.
struct EnvGuard {
    explicit EnvGuard(const char* name) : saved(name) {}
    ~EnvGuard() { saved.restore(); }
    testutil::SavedEnv saved;
};

} // namespace

class Acceso : public CnsTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CnsTest::SetUp());
        resetInstances(); // the start-up finds the data object closed
        useAppFolder(QStringLiteral("CN040"));
        db.exec(QStringLiteral(
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024');"
            "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', '2', 1)"));
        installAccessWindow();
        previousDriver = ui::setModalDriver([](QDialog&) {});
    }

    void TearDown() override {
        ui::setModalDriver(std::move(previousDriver));
        setLineaComandos(std::nullopt);
        ado::setLockWaitNotice({});
        CnsTest::TearDown();
    }

    QString basesPath() const { return tempDir.filePath(QStringLiteral("BASES.TXT")); }

    ui::ModalDriver previousDriver;
};

TEST_F(Acceso, FailedConnectionAnsweredYesAsksInTheAccessWindow) {
    enum class Accion { Ninguna, Elegir, Cancelar, Escape, Cerrar };
    struct Caso {
        const char* nombre;
        QString servidor;
        QString base;
        int respuesta;
        Accion accion;
        int fin;         // -1: the run goes on
        QString usuario; // typed in the window
    };
    const QString ausente = tempDir.filePath(QStringLiteral("no_existe"));
    const Caso casos[] = {
        {"folder that does not exist", ausente, db.dbName(), vb::vbYes, Accion::Elegir, -1, "sa"},
        // The user box left with its hint: no user name at all.
        {"database without a file", db.folder(), "NOHAY", vb::vbYes, Accion::Elegir, -1, ""},
        {"No", ausente, db.dbName(), vb::vbNo, Accion::Ninguna, 1, ""},
        {"Cancelar", ausente, db.dbName(), vb::vbYes, Accion::Cancelar, 0, ""},
        {"Escape", ausente, db.dbName(), vb::vbYes, Accion::Escape, 0, ""},
        {"close box", ausente, db.dbName(), vb::vbYes, Accion::Cerrar, 1, ""},
    };
    const QString clave = QStringLiteral("EMPRESA / ") + db.folder().toUpper();
    LBM_Common1::RegistraConexion(clave, db.dbName(), db.dbName(), db.dbName(), db.folder(), false);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        resetInstances();
        responder->shown.clear();
        responder->answerMsg(c.respuesta);
        int mostrada = 0;
        ui::setModalDriver([&](QDialog& d) {
            ++mostrada;
            auto* w = qobject_cast<frmAcceso*>(&d);
            ASSERT_NE(w, nullptr);
            EXPECT_EQ(w->windowTitle(), QStringLiteral("Control de Acceso"));
            // Loaded with the registered list, then preset with what failed.
            EXPECT_EQ(entries(w->lstBases), QStringList{clave});
            EXPECT_EQ(w->TxtServidor->text(), c.servidor);
            EXPECT_EQ(w->TxtDbName->text(), c.base);
            EXPECT_EQ(w->TxtUserId->text(), QStringLiteral("ana"));
            if (c.accion == Accion::Elegir) {
                QListWidget* l = w->lstBases;
                QTest::mouseClick(l->viewport(), Qt::LeftButton, {},
                                  l->visualItemRect(l->item(0)).center());
                EXPECT_EQ(w->TxtServidor->text(), db.folder());
                EXPECT_EQ(w->TxtDbName->text(), db.dbName());
                EXPECT_EQ(w->TxtUserId->text(), QString()); // the operator types it
                EXPECT_EQ(w->TxtUserId->placeholderText(), QStringLiteral("Ingrese el usuario"));
                QTest::keyClicks(w->TxtUserId, c.usuario);
                QTest::mouseClick(w->bcAceptar, Qt::LeftButton);
                EXPECT_EQ(gUsuarioLogeado, c.usuario);
            } else if (c.accion == Accion::Cancelar) {
                QTest::mouseClick(w->bcCancelar, Qt::LeftButton);
            } else if (c.accion == Accion::Escape) {
                QTest::keyClick(w->TxtUserId, Qt::Key_Escape);
            } else if (c.accion == Accion::Cerrar) {
                w->close();
            }
        });
        setLineaComandos(QStringLiteral("@Server=") + c.servidor + QStringLiteral("; @DbName=") +
                         c.base +
                         QStringLiteral("; @Usuario=sa; @Password=x; @UsuarioLogeado=ana;"));
        int fin = -1;
        try {
            IniciaSistema();
        } catch (const vb::ProgramEnded& e) {
            fin = e.code;
        }
        EXPECT_EQ(fin, c.fin);
        EXPECT_EQ(mostrada, c.respuesta == vb::vbYes ? 1 : 0);
        ASSERT_EQ(responder->shown.size(), 1u) << responder->messages().join(u'|').toStdString();
        EXPECT_EQ(responder->shown[0].title, QStringLiteral(" Error de Conexion a Base de Datos"));
        if (fin >= 0)
            continue;
        // Connected to the chosen database, and the start-up went on to the end.
        DB_Dll& d = gDatos();
        EXPECT_TRUE(d.gOpenFlag);
        EXPECT_EQ(d.cnn()->DefaultDatabase(), db.dbName());
        EXPECT_EQ(d.gUsuario, db.dbName());        // the database's own login
        EXPECT_EQ(d.gEsAdmin, c.usuario == u"sa"); // the user typed in the window
        EXPECT_EQ(gPeriodoActual, QStringLiteral("2024"));
    }
}

TEST_F(Acceso, RegistersATestedConnectionOnce) {
    // As while a failed open waits for the window: the flag up, the
    // connection closed.
    DB_Dll& d = gDatos();
    d.gOpenFlag = true;
    d.gUsuario = QStringLiteral("sa");
    db.sibling(QStringLiteral("Año2023"));
    const QString coma = QDir(db.folder()).filePath(QStringLiteral("srv,1"));
    ASSERT_TRUE(QDir().mkpath(coma));
    ASSERT_TRUE(QFile::copy(db.path(), QDir(coma).filePath(QStringLiteral("EMPRESA.db"))));
    frmAcceso w;
    w.Form_Load();
    auto registrar = [&](const QString& servidor, const QString& base) {
        w.TxtServidor->setText(servidor);
        w.TxtDbName->setText(base);
        w.TxtUserId->setText(QStringLiteral("ana"));
        w.CmdRegistrar->click();
    };

    registrar(db.folder() + QStringLiteral("  "), QStringLiteral(" Año2023 "));
    const QString clave = QStringLiteral("AÑO2023 / ") + db.folder().toUpper();
    const QByteArray linea =
        quindel2::encodeWindows1252(clave + QStringLiteral(",Año2023,Año2023,") +
                                    ClsUtilidades::CodificaClave(QStringLiteral("Año2023")) + u',' +
                                    db.folder() + QStringLiteral("\r\n"));
    EXPECT_EQ(fileBytes(basesPath()), linea);
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
    // The database's own login made it: the data object was not asked.
    EXPECT_EQ(d.gUsuario, QStringLiteral("sa"));
    EXPECT_EQ(d.cnn()->State(), ado::adStateClosed);
    EXPECT_EQ(entries(w.lstBases), QStringList{clave});

    struct Rechazo {
        QString servidor, base;
        int respuesta;
        QString ultimo; // the last message shown
        qsizetype mensajes;
    };
    const Rechazo rechazos[] = {
        {db.folder(), "año2023", 0, "La conexion que intenta registrar ya existe ", 1},
        // Neither login opens it: the data object's box, then the window's.
        {db.folder(), "NOHAY", vb::vbNo,
         "NO SE PUDO CONECTAR AL SERVIDOR " + db.folder() +
             " VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO",
         2},
        // A typed ";" names no second database: neither test takes the one after it.
        {db.folder(), "NOHAY;Database=Año2023", vb::vbNo,
         "NO SE PUDO CONECTAR AL SERVIDOR " + db.folder() +
             " VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD INGRESADO",
         2},
        // It opens, but a comma would break the file for every reader.
        {coma, "EMPRESA", 0,
         "SQL Server start failed.  \rSQL-DMO error:   5 Llamada a procedimiento o argumento no "
         "válidos",
         1},
    };
    for (const Rechazo& r : rechazos) {
        SCOPED_TRACE(r.base.toStdString());
        responder->shown.clear();
        if (r.respuesta)
            responder->answerMsg(r.respuesta);
        registrar(r.servidor, r.base);
        const QStringList vistos = responder->messages();
        ASSERT_EQ(vistos.size(), r.mensajes) << vistos.join(u'|').toStdString();
        EXPECT_EQ(vistos.last(), r.ultimo);
        EXPECT_EQ(fileBytes(basesPath()), linea);
    }
}

TEST_F(Acceso, BasesTxtRoundTripsInWindows1252) {
    struct Registro {
        QString clave, base, usuario, clave_, servidor;
        bool oracle;
        QString linea;
    };
    const Registro registros[] = {
        {"CONTA / SRV01\\SQL", "conta", "conta", "conta", "srv01\\sql:1433", false,
         "CONTA / SRV01\\SQL,conta,conta," + ClsUtilidades::CodificaClave("conta") +
             ",srv01\\sql:1433"},
        {" COMPAÑÍA / ORÁCULO ", " Compañía ", "Compañía", "contraseña", "oráculo", true,
         "COMPAÑÍA / ORÁCULO,Compañía,Compañía," + ClsUtilidades::CodificaClave("contraseña") +
             ",oráculo#"},
    };
    QByteArray esperado;
    for (const Registro& r : registros) {
        LBM_Common1::RegistraConexion(r.clave, r.base, r.usuario, r.clave_, r.servidor, r.oracle);
        esperado += quindel2::encodeWindows1252(r.linea + QStringLiteral("\r\n"));
    }
    ASSERT_EQ(fileBytes(basesPath()), esperado);
    EXPECT_TRUE(esperado.contains("COMPA\xD1\xCD"
                                  "A")); // one byte per accented letter
    // A line written by hand: blanks around the fields, a quoted key.
    ASSERT_TRUE(quindel2::writeTextFile(basesPath(), " \"X, Y\" , x ,u,sa, srv:1500 \r\n", true));

    // The window lists the keys; an entry with a port splits it off.
    frmAcceso w;
    w.Form_Load();
    EXPECT_EQ(entries(w.lstBases),
              (QStringList{"CONTA / SRV01\\SQL", "COMPAÑÍA / ORÁCULO", "X, Y"}));
    EXPECT_EQ(w.TxtServidor->text(), QStringLiteral("SRV01\\SQL")); // the first entry, chosen
    EXPECT_EQ(w.TxtPuerto->text(), QStringLiteral("1433"));
    w.lstBases->setCurrentRow(1);
    EXPECT_EQ(w.TxtServidor->text(), QStringLiteral("oráculo#")); // the platform rides along
    EXPECT_EQ(w.TxtDbName->text(), QStringLiteral("Compañía"));
    w.lstBases->setCurrentRow(2);
    EXPECT_EQ(w.TxtServidor->text(), QStringLiteral("SRV"));
    EXPECT_EQ(w.TxtDbName->text(), QStringLiteral("x"));
    EXPECT_EQ(w.TxtPuerto->text(), QStringLiteral("1500"));
}

TEST_F(Acceso, DesktopLauncherStartsTheProgramWithoutArguments) {
    const EnvGuard home("HOME"), config("XDG_CONFIG_HOME");
    const QString casa = tempDir.filePath(QStringLiteral("casa"));
    ASSERT_TRUE(QDir().mkpath(casa + QStringLiteral("/.config")));
    qputenv("HOME", casa.toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (casa + QStringLiteral("/.config")).toLocal8Bit());
    const QString conIcono = tempDir.filePath(QStringLiteral("con icono")); // its default name
    ASSERT_TRUE(QDir().mkpath(conIcono) &&
                QImage(2, 2, QImage::Format_RGB32).save(conIcono + "/ICONKQ.png"));
    struct Caso {
        QString carpeta;
        const char* escritorio; // XDG_DESKTOP_DIR, "" when the user has none
        QString exec;
        QString donde;
        QString icono;
    };
    const Caso casos[] = {
        {"/opt/quarzelo", "", "/opt/quarzelo/CN040", "Desktop", "/opt/quarzelo/CN040"},
        {"/opt/mis programas", "$HOME/Escritorio", "\"/opt/mis programas/CN040\"", "Escritorio",
         "/opt/mis programas/CN040"},
        {"/opt/100%", "", "/opt/100%%/CN040", "Desktop", "/opt/100%/CN040"},
        {"/opt/a$b\"c\\d", "", "\"/opt/a\\\\$b\\\\\"c\\\\\\\\d/CN040\"", "Desktop",
         "/opt/a$b\"c\\\\d/CN040"},
        {conIcono, "", '"' + conIcono + "/CN040\"", "Desktop", conIcono + "/ICONKQ.png"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.carpeta.toStdString());
        QFile dirs(casa + QStringLiteral("/.config/user-dirs.dirs"));
        dirs.remove();
        if (*c.escritorio) {
            ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
            dirs.write(QByteArray("XDG_DESKTOP_DIR=\"") + c.escritorio + "\"\n");
            dirs.close();
        }
        vb::setAppPath(c.carpeta);
        frmAcceso w;
        w.CmdLineaComando->click();
        const QString ruta = casa + u'/' + c.donde + QStringLiteral("/CN040.desktop");
        const QString texto = QString::fromUtf8(fileBytes(ruta));
        EXPECT_TRUE(texto.startsWith(QStringLiteral("[Desktop Entry]\nType=Application\n")));
        EXPECT_TRUE(texto.contains(QStringLiteral("\nExec=") + c.exec + u'\n'))
            << texto.toStdString();
        EXPECT_TRUE(texto.contains(QStringLiteral("\nIcon=") + c.icono + u'\n'))
            << texto.toStdString();
        EXPECT_TRUE(QFile::permissions(ruta) & QFileDevice::ExeOwner);
        QFile::remove(ruta);
    }
    EXPECT_TRUE(responder->shown.empty());
}

// No address of the maker is known: the label shows none and a click on it
// opens nothing.
TEST_F(Acceso, MakersLabelLinksNowhere) {
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("http", &catcher, "open");
    frmAcceso w;
    QTest::mouseClick(w.Label8, Qt::LeftButton);
    w.Label8_Click();
    QDesktopServices::unsetUrlHandler("http");
    EXPECT_TRUE(w.Label8->text().isEmpty());
    EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST_F(Acceso, CommandRunnerWaitsForTheEndAndTellsAFailedStart) {
    frmAcceso w;
    for (const auto& [comando, corrio] : {std::pair<QString, bool>{"sh -c \"exit 3\"", true},
                                          {"no-existe --x", false},
                                          {"  ", false}}) {
        QString error = QStringLiteral("previo");
        EXPECT_EQ(w.EjecutarCmdRegDB(comando, error), corrio) << comando.toStdString();
        EXPECT_EQ(error, corrio ? "previo" : "Error al ejecutar el comando");
    }
    // It ends only once an event of the window has run during the wait.
    const QString senal = tempDir.filePath("senal"), fin = tempDir.filePath("fin");
    QTimer::singleShot(0, [&] { QFile(senal).open(QIODevice::WriteOnly); });
    const QString espera = "while [ ! -e '%1' ] && [ $i -lt 999 ]; do sleep 0.01; i=$((i+1)); done";
    QString error;
    EXPECT_TRUE(w.EjecutarCmdRegDB("sh -c \"i=0; " + espera.arg(senal) + "; [ -e '" + senal +
                                       "' ] && touch '" + fin + "'\"",
                                   error));
    EXPECT_TRUE(QFile::exists(fin)); // and the call waited for that end
}

TEST_F(Acceso, ErrorLogsKeepPasswordsOut) {
    const ado::Error e{long(0x80004005),
                       QStringLiteral("No se pudo abrir Server=srv;UId=sa;Pwd=secreta;"
                                      "Password={a;b}; @Password=otra;"),
                       {},
                       0,
                       QStringLiteral("CN040")};
    responder->answerMsg(vb::vbAbort);
    responder->answerMsg(vb::vbAbort);
    gDatos().TratamientoErrores(e); // the data object's log, in the program folder
    AvisaErrorOperador(e);          // the operator's log, in TEMP: the same folder here
    const QString log = readLog(logPath());
    EXPECT_EQ(log.count(QStringLiteral("Server=srv;UId=sa;Pwd=***;Password=***; @Password=***;")),
              2)
        << log.toStdString();
    for (const char* secreto : {"secreta", "a;b", "otra"})
        EXPECT_FALSE(log.contains(QString::fromUtf8(secreto))) << secreto;
}

#include "test_acceso.moc"
