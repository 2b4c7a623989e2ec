#include "startup/ui/frmacceso.h"

#include "data/db_dll.h"
#include "data/instances.h"
#include "data/pasos.h"
#include "data/runwide.h"
#include "platform/ado/connstring.h"
#include "platform/ui/modal.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsreporte.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/quindel2.h"
#include "startup/core/bases_txt.h"
#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"
#include "startup/ui/cns_ventana.h"

#include <QComboBox>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

namespace {

QLineEdit* caja(QWidget* padre, const char* nombre, const QString& consejo) {
    auto* c = new QLineEdit(padre);
    c->setObjectName(QString::fromLatin1(nombre));
    c->setToolTip(consejo);
    return c;
}

QLabel* etiqueta(QWidget* padre, const QString& nombre, const QString& texto) {
    auto* l = new QLabel(texto, padre);
    l->setObjectName(nombre);
    return l;
}

QPushButton* boton(QWidget* padre, const char* nombre, const QString& texto) {
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QString::fromLatin1(nombre));
    return b;
}

// The runtime's Str: a blank before a number that is not negative.
QString Str(qint32 n) {
    return n < 0 ? QString::number(n) : u' ' + QString::number(n);
}

// Failures of "Registrar" that are passed over: a closed connection, a
// service already running (1056 and its 32-bit form), and two the server's
// management objects give when there is nothing to do.
bool IgnoradaAlRegistrar(qint32 n) {
    return n == 3704 || n == 1056 || n == qint32(0x80070420) || n == 440 || n == 20480;
}

// A string value of a desktop entry, as the format escapes it.
QString ValorTexto(QString valor) {
    valor.replace(u'\\', QStringLiteral("\\\\"));
    valor.replace(u'\n', QStringLiteral("\\n"));
    valor.replace(u'\t', QStringLiteral("\\t"));
    valor.replace(u'\r', QStringLiteral("\\r"));
    return valor;
}

// The Exec value of a desktop entry that starts `programa` without
// arguments: quoted when it holds a character the format reserves, then
// escaped as every string value of the file is.
QString ValorExec(const QString& programa) {
    static const QString reservados = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    QString arg = programa;
    if (std::any_of(arg.cbegin(), arg.cend(), [](QChar c) { return reservados.contains(c); })) {
        QString citado;
        for (QChar c : arg) {
            if (c == u'"' || c == u'`' || c == u'$' || c == u'\\')
                citado += u'\\';
            citado += c;
        }
        arg = u'"' + citado + u'"';
    }
    arg.replace(u'%', QStringLiteral("%%"));
    return ValorTexto(arg);
}

class VentanaAcceso : public AccessWindow {
public:
    bool exchange(DB_Dll& datos, QString& dbName, QString& server, QString& user, QString& password,
                  int& platformIndex) override {
        frmAcceso ventana;
        ventana.setDatos(datos);
        ventana.Form_Load();
        ventana.TxtDbName->setText(dbName);
        ventana.TxtServidor->setText(server);
        ventana.TxtUserId->setText(user);
        ventana.TxtUserPassword->setText(password);
        ventana.CboPlataformaDB->setCurrentIndex(0);
        ui::showModal(ventana);
        dbName = ventana.TxtDbName->text();
        server = ventana.TxtServidor->text();
        user = ventana.TxtUserId->text();
        password = ventana.TxtUserPassword->text();
        platformIndex = ventana.CboPlataformaDB->currentIndex();
        // "Cancelar" ends the run once the window is gone, never from inside
        // its own event.
        if (ventana.FinPedido())
            vb::End();
        return ventana.Aceptar;
    }
    // Each exchange has a window of its own, gone when it returns: none is
    // left on screen to hide (the one whose "Registrar" asked for a second
    // connection stays under it).
};

} // namespace

frmAcceso::frmAcceso(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));

    TxtUserId = caja(this, "TxtUserId", QStringLiteral("Ingrese el nombre de usuario"));
    TxtUserPassword = caja(this, "TxtUserPassword", QStringLiteral("Ingrese la contraseña"));
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtUserPassword->setStyleSheet(QStringLiteral("lineedit-password-character: 42;")); // "*"
    TxtDbName = caja(this, "TxtDbName", QStringLiteral("ingrese el nombre de la base de datos"));
    TxtServidor =
        caja(this, "TxtServidor", QStringLiteral("ingrese el nombre del servidor e instancia"));
    TxtPuerto = caja(this, "TxtPuerto", QStringLiteral("Ingrese el Puerto "));
    TxtPuerto->setText(QStringLiteral("1433"));
    CboPlataformaDB = new QComboBox(this);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE")});
    lstBases = new QListWidget(this);
    lstBases->setObjectName(QStringLiteral("lstBases"));

    bcAceptar = boton(this, "bcAceptar", QStringLiteral("Conectar"));
    bcCancelar = boton(this, "bcCancelar", QStringLiteral("Cancelar"));
    CmdRegistrar = boton(this, "CmdRegistrar", QStringLiteral("Registrar"));
    CmdLineaComando = boton(this, "CmdLineaComando", QStringLiteral("Crear Acceso Directo"));

    const QString titulos[3] = {QStringLiteral("AUTENTICACION"),
                                QStringLiteral("Conexiones registradas"),
                                QStringLiteral("Control de Acceso")};
    for (int i = 0; i < 3; ++i)
        Label1[size_t(i)] = etiqueta(this, QStringLiteral("Label1_%1").arg(i), titulos[i]);
    QFont grande = Label1[2]->font();
    grande.setPointSize(grande.pointSize() + 6);
    grande.setBold(true);
    Label1[2]->setFont(grande);
    Label2 = etiqueta(this, QStringLiteral("Label2"), QStringLiteral("Usuario"));
    Label3 = etiqueta(this, QStringLiteral("Label3"), QStringLiteral("Contraseña"));
    Label4 = etiqueta(this, QStringLiteral("Label4"), QStringLiteral("Base de datos"));
    Label5 = etiqueta(this, QStringLiteral("Label5"), QStringLiteral("Servidor"));
    Label6 = etiqueta(this, QStringLiteral("Label6"), QStringLiteral("Plataforma"));
    Label7 = etiqueta(this, QStringLiteral("Label7"), QStringLiteral("QUINDEL"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(grande.pointSize());
    tahoma.setBold(true);
    Label7->setFont(tahoma);
    // No address of the maker is known: the label stays empty and links nowhere.
    Label8 = etiqueta(this, QStringLiteral("Label8"), QString());
    Line1 = new QFrame(this);
    Line1->setObjectName(QStringLiteral("Line1"));
    Line1->setFrameShape(QFrame::HLine);

    framAcceso = new QGroupBox(this);
    framAcceso->setObjectName(QStringLiteral("framAcceso"));
    auto* rejilla = new QGridLayout(framAcceso);
    rejilla->addWidget(Label1[0], 0, 0, 1, 3);
    const std::pair<QLabel*, QLineEdit*> filas[] = {
        {Label2, TxtUserId}, {Label3, TxtUserPassword}, {Label4, TxtDbName}};
    int fila = 1;
    for (const auto& [titulo, valor] : filas) {
        rejilla->addWidget(titulo, fila, 0);
        rejilla->addWidget(valor, fila++, 1, 1, 2);
    }
    rejilla->addWidget(Label5, fila, 0);
    rejilla->addWidget(TxtServidor, fila, 1);
    rejilla->addWidget(TxtPuerto, fila++, 2);
    rejilla->addWidget(Label6, fila, 0);
    rejilla->addWidget(CboPlataformaDB, fila, 1, 1, 2);
    TxtPuerto->setMaximumWidth(TxtPuerto->fontMetrics().horizontalAdvance(u'0') * 8);
    // Wide enough for the longest hint.
    TxtDbName->setMinimumWidth(TxtDbName->fontMetrics().horizontalAdvance(
                                   QStringLiteral("ingrese el nombre del servidor e instancia")) +
                               16);

    auto* registradas = new QVBoxLayout;
    registradas->addWidget(Label1[1]);
    registradas->addWidget(lstBases);
    auto* cuerpo = new QHBoxLayout;
    cuerpo->addWidget(framAcceso, 3);
    cuerpo->addLayout(registradas, 2);
    auto* cabecera = new QHBoxLayout;
    cabecera->addWidget(Label1[2]);
    cabecera->addStretch();
    auto* marca = new QVBoxLayout;
    marca->addWidget(Label7, 0, Qt::AlignRight);
    marca->addWidget(Label8, 0, Qt::AlignRight);
    cabecera->addLayout(marca);
    auto* botones = new QHBoxLayout;
    botones->addWidget(CmdLineaComando);
    botones->addWidget(CmdRegistrar);
    botones->addStretch();
    botones->addWidget(bcAceptar);
    botones->addWidget(bcCancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addLayout(cabecera);
    todo->addLayout(cuerpo);
    todo->addWidget(Line1);
    todo->addLayout(botones);

    setTabOrder(TxtUserId, TxtUserPassword);
    setTabOrder(TxtUserPassword, TxtDbName);
    setTabOrder(TxtDbName, TxtServidor);
    for (QLineEdit* c : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor})
        c->installEventFilter(this);

    connect(bcAceptar, &QPushButton::clicked, this, &frmAcceso::bcAceptar_Click);
    connect(bcCancelar, &QPushButton::clicked, this, &frmAcceso::bcCancelar_Click);
    connect(CmdRegistrar, &QPushButton::clicked, this, &frmAcceso::CmdRegistrar_Click);
    connect(CmdLineaComando, &QPushButton::clicked, this, &frmAcceso::CmdLineaComando_Click);
    // A click, or a key that moves the selection, copies the entry.
    connect(lstBases, &QListWidget::currentRowChanged, this, [this](int fila) {
        if (fila >= 0)
            AsignarDatosBase();
    });
    connect(lstBases, &QListWidget::itemClicked, this, [this] { AsignarDatosBase(); });
    connect(lstBases, &QListWidget::itemDoubleClicked, this, &frmAcceso::lstBases_DblClick);
}

void frmAcceso::Form_Load() {
    adjustSize();
    ClsUtilidades::PreparaFormulario(this);
    llenarlist();
    for (QLineEdit* c : {TxtUserId, TxtUserPassword, TxtDbName, TxtServidor})
        MensajeInicial(c);
}

void frmAcceso::MensajeInicial(QLineEdit* ObjTxt) {
    const QString nombre = ObjTxt->objectName();
    QString pista;
    if (nombre == u"TxtUserId")
        pista = QStringLiteral("Ingrese el usuario");
    else if (nombre == u"TxtDbName")
        pista = QStringLiteral("ingrese el nombre de la base de datos");
    else if (nombre == u"TxtServidor")
        pista = QStringLiteral("ingrese el nombre del servidor e instancia");
    ObjTxt->setPlaceholderText(pista);
}

bool frmAcceso::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent*>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter) {
            QWidget* siguiente = nullptr;
            if (watched == TxtUserId)
                siguiente = TxtUserPassword;
            else if (watched == TxtUserPassword)
                siguiente = TxtDbName;
            else if (watched == TxtDbName)
                siguiente = TxtServidor;
            else if (watched == TxtServidor)
                siguiente = bcAceptar;
            if (siguiente) {
                siguiente->setFocus(Qt::TabFocusReason);
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAcceso::llenarlist() {
    pasos::RunSteps(
        [this](int paso) -> int {
            switch (paso) {
            case 0:
                rutaBases_ = basestxt::filePath();
                return 1;
            case 1:
                if (!CNStuffContable::ExisteArchivo(quindel2::localPath(rutaBases_))) {
                    lstBases->clear();
                    return -1;
                }
                return 2;
            case 2: {
                const auto lineas = basestxt::read(rutaBases_);
                if (!lineas)
                    vb::Raise(vb::errPathFileAccess);
                // The list is filled quietly; selecting the first entry below
                // is what copies it into the boxes.
                const QSignalBlocker quieta(lstBases);
                lstBases->clear();
                for (const basestxt::RegisteredConnection& l : *lineas)
                    if (!l.key.trimmed().isEmpty())
                        lstBases->addItem(l.key);
                return 3;
            }
            case 3:
                if (lstBases->count() > 0)
                    lstBases->setCurrentRow(0);
                return -1;
            }
            return -1;
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                CNStuffContable::AvisaErrorOperador(e, std::nullopt, QStringLiteral("FormLoad")));
        },
        0, pasos::Trap::AllErrors);
}

void frmAcceso::DatosBase(const QString& Clave) {
    if (!CNStuffContable::ExisteArchivo(quindel2::localPath(rutaBases_)))
        return;
    try {
        const auto lineas = basestxt::read(rutaBases_);
        if (!lineas)
            vb::Raise(vb::errPathFileAccess);
        const QString buscada = Clave.trimmed();
        for (const basestxt::RegisteredConnection& l : *lineas) {
            if (l.key.trimmed() != buscada)
                continue;
            servidorElegido_ = l.server;
            baseElegida_ = l.database;
            usuarioElegido_ = l.user;
            claveElegida_ = ClsUtilidades::DecodificaClave(l.obfuscatedPassword);
            return;
        }
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        CNStuffContable::AvisaErrorOperador(pasos::CurrentError(), std::nullopt,
                                            QStringLiteral("DatosBase"));
    }
}

void frmAcceso::AsignarDatosBase() {
    const QListWidgetItem* elegido = lstBases->currentItem();
    DatosBase(elegido ? elegido->text().trimmed() : QString());
    const qsizetype dosPuntos = servidorElegido_.indexOf(u':');
    if (dosPuntos >= 0) {
        puerto_ = servidorElegido_.mid(dosPuntos + 1);
        servidorElegido_ = basestxt::keyServer(servidorElegido_);
    }
    TxtServidor->setText(servidorElegido_);
    TxtUserId->clear();
    TxtUserPassword->clear();
    TxtDbName->setText(baseElegida_);
    TxtPuerto->setText(vb::CStr(puerto_));
}

DB_Dll& frmAcceso::Datos() const {
    return datos_ ? *datos_ : gDatos();
}

bool frmAcceso::EsDeLaEmpresa() const {
    return &Datos() == &gDatos();
}

bool frmAcceso::ExisteBaseDeDatos(const QString& Servidor, const QString& Dbname,
                                  const QString& Usuario, const QString& Password,
                                  const QString& Proveedor) {
    DB_Dll& datos = Datos();
    const ado::ConnectionPtr& cnn = datos.cnn();
    try {
        // Only an open connection is closed: the flag stays True while a
        // failed open waits for this window, and closing the closed
        // connection would fail every test made from here.
        if (datos.gOpenFlag && cnn->State() == ado::adStateOpen)
            cnn->Close();
        // Quoted as the data object quotes its own: a typed ";" adds no key.
        const QString cadena =
            QStringLiteral("PROVIDER=") + ado::oledbValue(Proveedor) + QStringLiteral(";") +
            QStringLiteral("Server=") + ado::oledbValue(Servidor) + QStringLiteral(";") +
            QStringLiteral("Database =") + ado::oledbValue(Dbname) + QStringLiteral(";") +
            QStringLiteral("UId=") + ado::oledbValue(Usuario) + QStringLiteral(";") +
            QStringLiteral("Pwd=") + ado::oledbValue(Password) + QStringLiteral(";");
        cnn->Open(cadena, QString(), QString(), -1);
        cnn->Close();
        return true;
    } catch (const ado::Exception&) {
        return false;
    }
}

void frmAcceso::bcAceptar_Click() {
    const QString clave = basestxt::connectionKey(TxtDbName->text(), TxtServidor->text());
    servidorElegido_.clear();
    DatosBase(clave);
    // A replication target's login is no change of the run's operator.
    if (EsDeLaEmpresa()) {
        CNStuffContable::gUsuarioLogeado = TxtUserId->text();
        CNStuffContable::gPasswordUsuario = TxtUserPassword->text();
    }
    Aceptar = true;
    accept();
}

void frmAcceso::bcCancelar_Click() {
    Aceptar = false;
    // The suite's stock-movements program goes on after a cancel; this
    // program is never that one, so it ends. A replication target's window
    // only leaves that target: the company's save has committed by then.
    finPedido_ = EsDeLaEmpresa();
    reject();
}

void frmAcceso::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        bcCancelar_Click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void frmAcceso::lstBases_DblClick() {
    AsignarDatosBase();
    bcAceptar_Click();
}

void frmAcceso::Label8_Click() {
    // Only an address the label shows is opened; it shows none.
    if (!Label8->text().trimmed().isEmpty())
        Mod_Macuentas::EjecutaArchivo(QStringLiteral("http://") + Label8->text(), true);
}

bool frmAcceso::EjecutarCmdRegDB(const QString& Archivo, QString& ErrDevuelto) {
    QStringList argumentos = QProcess::splitCommand(Archivo);
    bool corrio = false;
    if (!argumentos.isEmpty()) {
        QProcess proceso;
        // Nobody types into it: a command that reads its input ends instead
        // of waiting forever. Its output goes where the program's goes.
        proceso.setStandardInputFile(QProcess::nullDevice());
        proceso.setProcessChannelMode(QProcess::ForwardedChannels);
        QEventLoop espera;
        connect(&proceso, &QProcess::finished, &espera, &QEventLoop::quit);
        connect(&proceso, &QProcess::errorOccurred, &espera, &QEventLoop::quit);
        const QString programa = argumentos.takeFirst();
        proceso.start(programa, argumentos);
        // The window goes on answering while the command runs.
        while (proceso.state() != QProcess::NotRunning)
            espera.exec();
        corrio = proceso.error() != QProcess::FailedToStart;
    }
    if (!corrio)
        ErrDevuelto = QStringLiteral("Error al ejecutar el comando");
    return corrio;
}

// "Registrar": the typed connection is tested and registered in steps, each
// giving the one that follows (-1 ends the routine).
class frmAcceso::Registro {
public:
    explicit Registro(frmAcceso& ventana) : v_(ventana), datos_(ventana.Datos()) {}

    // A failure goes on where the registration ends, or with the step after
    // it once there.
    void Corre() {
        const std::function<int(int)> paso = [this](int i) { return Ejecuta(i); };
        const pasos::OnError tratamiento = [this](const ado::Error& e) { return Falla(e); };
        for (int desde = Existente; desde >= 0 && desde <= Lista; desde = seguir_) {
            seguir_ = -1;
            pasos::RunSteps(paso, tratamiento, desde, pasos::Trap::AllErrors);
        }
    }

private:
    enum Paso {
        Existente,
        Puerto,
        Recorta,
        LoginDeLaBase,
        LoginDelOperador,
        RegistraOAvisa,
        Odbc,
        Cierra,
        Lista,
    };

    int Ejecuta(int i) {
        actual_ = i;
        switch (i) {
        case Existente:
            return RechazaExistente();
        case Puerto:
            return TomaPuerto();
        case Recorta:
            return RecortaCajas();
        case LoginDeLaBase:
            return PruebaLoginDeLaBase();
        case LoginDelOperador:
            return ConectaComoOperador();
        case RegistraOAvisa:
            return RegistraSiConecto();
        case Odbc:
            return IniciaOdbc();
        case Cierra:
            return CierraConexion();
        case Lista:
            v_.llenarlist();
            return -1;
        }
        return -1;
    }

    int RechazaExistente() {
        clave_ = basestxt::connectionKey(v_.TxtDbName->text(), v_.TxtServidor->text());
        v_.servidorElegido_.clear();
        v_.DatosBase(clave_);
        if (!v_.servidorElegido_.trimmed().isEmpty()) {
            vb::MsgBox(QStringLiteral("La conexion que intenta registrar ya existe "),
                       vb::vbInformation, QStringLiteral("Atencion"));
            return -1;
        }
        return Puerto;
    }

    int TomaPuerto() {
        const double puerto = ClsUtilidades::TextoAMoneda(v_.TxtPuerto->text()).toDouble();
        v_.puerto_ = puerto == 0 ? 1433.0 : puerto;
        return Recorta;
    }

    int RecortaCajas() {
        for (QLineEdit* c : {v_.TxtServidor, v_.TxtUserId, v_.TxtUserPassword, v_.TxtDbName})
            c->setText(c->text().trimmed());
        return LoginDeLaBase;
    }

    // The database's own login first.
    int PruebaLoginDeLaBase() {
        const QString d = v_.TxtDbName->text().toUpper();
        if (!v_.ExisteBaseDeDatos(v_.TxtServidor->text(), d, d, d, DB_Dll::pSQLOLEDB()))
            return LoginDelOperador;
        Registra();
        return Odbc;
    }

    int ConectaComoOperador() {
        if (datos_.gOpenFlag && datos_.cnn()->State() == ado::adStateOpen)
            datos_.cnn()->Close();
        datos_.gServidor = v_.TxtServidor->text();
        datos_.gUsuario = v_.TxtUserId->text();
        datos_.gUserPassWord = v_.TxtUserPassword->text();
        datos_.gDBName = v_.TxtDbName->text();
        datos_.OpenServerADODB(false, ado::adUseClient, QString(), true, true);
        return RegistraOAvisa;
    }

    int RegistraSiConecto() {
        if (!datos_.gOpenFlag) {
            vb::MsgBox(QStringLiteral("NO SE PUDO CONECTAR AL SERVIDOR ") + v_.TxtServidor->text() +
                           QStringLiteral(" VERIFIQUE EL NOMBRE DE USUARIO Y PASSWORD "
                                          "INGRESADO"),
                       vb::vbInformation, QStringLiteral("AVISO AL OPERADOR"));
            return -1;
        }
        Registra();
        return Odbc;
    }

    void Registra() {
        LBM_Common1::RegistraConexion(clave_, v_.TxtDbName->text(), v_.TxtDbName->text(),
                                      v_.TxtDbName->text(), v_.TxtServidor->text(), false);
    }

    // The database just registered, whichever login reached it.
    int IniciaOdbc() {
        const QString carpeta = ClsUtilidades::CarpetaConBarra(vb::AppPath());
        const QString odbc = ClsReporte::BuscaPrograma(carpeta, QStringLiteral("ODBC.exe"));
        if (!odbc.isEmpty())
            ClsReporte::Inicia(odbc,
                               {QStringLiteral("Server=") + v_.TxtServidor->text() +
                                QStringLiteral(";DB=") + v_.TxtDbName->text() + u';'},
                               carpeta);
        return Cierra;
    }

    int CierraConexion() {
        if (datos_.cnn()->State() == ado::adStateOpen)
            datos_.cnn()->Close();
        return Lista;
    }

    pasos::Resume Falla(const ado::Error& e) {
        const qint32 numero = qint32(e.Number);
        if (IgnoradaAlRegistrar(numero))
            return pasos::Resume::Next;
        vb::MsgBox(QStringLiteral("SQL Server start failed.  ") + vb::vbCr +
                   QStringLiteral("SQL-DMO error:  ") + Str(numero) + u' ' + e.Description);
        // The routine goes on where the registration ends; a failure from
        // there on goes on with the step after it.
        seguir_ = actual_ < Odbc ? int(Odbc) : actual_ + 1;
        return pasos::Resume::Exit;
    }

    frmAcceso& v_;
    DB_Dll& datos_;
    QString clave_;
    int actual_ = Existente;
    int seguir_ = -1;
};

void frmAcceso::CmdRegistrar_Click() {
    Registro(*this).Corre();
}

void frmAcceso::CmdLineaComando_Click() {
    const QString nombre = vb::AppExeName().trimmed();
    const QString programa = ClsUtilidades::CarpetaConBarra(vb::AppPath()) + nombre;
    const QString escritorio = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
    // The program's icon image when its folder has one; otherwise the
    // program itself stands for it.
    const QString imagen = CNStuffContable::ArchivoIconoDelSistema();
    const QString icono = imagen.isEmpty() ? programa : QFileInfo(imagen).absoluteFilePath();
    const QString texto = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=") +
                          nombre + QStringLiteral("\nExec=") + ValorExec(programa) +
                          QStringLiteral("\nIcon=") + ValorTexto(icono) +
                          QStringLiteral("\nTerminal=false\n");
    QFile archivo(QDir(escritorio).filePath(nombre + QStringLiteral(".desktop")));
    const QByteArray bytes = texto.toUtf8();
    const bool escrito = QDir().mkpath(escritorio) && archivo.open(QIODevice::WriteOnly) &&
                         archivo.write(bytes) == bytes.size() && archivo.flush();
    archivo.close();
    if (!escrito) {
        CNStuffContable::AvisaErrorOperador(vb::RuntimeError(vb::errPathFileAccess),
                                            vb::vbOKOnly + vb::vbCritical,
                                            QStringLiteral("CmdLineaComando"));
        return;
    }
    // Desktops start only launchers that may be run.
    archivo.setPermissions(archivo.permissions() | QFileDevice::ExeOwner | QFileDevice::ExeUser);
}

void installAccessWindow() {
    DB_Dll::setAccessWindow(std::make_shared<VentanaAcceso>());
}
