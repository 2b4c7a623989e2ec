// Connection, recordsets, statements and error treatment of the data object.

#include "data/db_dll.h"

#include "data/db_dll_internal.h"
#include "data/instances.h"
#include "data/oracle_dicc.h"
#include "data/runwide.h"
#include "platform/ado/connstring.h"
#include "platform/sql/lexer.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "platform/win/desktop.h"
#include "platform/win/quindel2.h"

#include <QFile>
#include <QFileInfo>
#include <QStringEncoder>
#include <algorithm>

using namespace dbdll;

namespace {

std::shared_ptr<AccessWindow>& accessWindowSlot() {
    static std::shared_ptr<AccessWindow> w;
    return w;
}

QStringList& programasStockSlot() {
    static QStringList names;
    return names;
}

// A refused stored password is tried this many times before giving up.
constexpr int kIntentosClaveGuardada = 3;

// The warning (0x40EC9) that Oracle's provider leaves after a script.
constexpr long kAvisoOracle = 265929;

// A login value as the connection string's reader takes it back whole.
QString Valor(const QString& v) {
    return ado::oledbValue(v);
}

} // namespace

// ---- Helpers shared by the data object's files ------------------------------------------

namespace dbdll {

QString LTrim(const QString& s) {
    qsizetype i = 0;
    while (i < s.size() && s.at(i) == QLatin1Char(' '))
        ++i;
    return s.mid(i);
}

QString RTrim(const QString& s) {
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1) == QLatin1Char(' '))
        --n;
    return s.left(n);
}

QString Trim(const QString& s) {
    return LTrim(RTrim(s));
}

bool ContainsCI(const QString& text, const QString& what) {
    return text.contains(what, Qt::CaseInsensitive);
}

QString ReplaceCI(const QString& text, const QString& what, const QString& with) {
    QString r = text;
    return r.replace(what, with, Qt::CaseInsensitive);
}

std::vector<bool> DentroDeLiteral(const QString& sql) {
    std::vector<bool> dentro(size_t(sql.size()), false);
    // Read as the server reads it: an apostrophe in a comment or in a quoted
    // name opens no literal.
    for (const sqltext::Token& t : sqltext::lex(sql)) {
        if (t.kind != sqltext::TokenKind::String && t.kind != sqltext::TokenKind::Ident &&
            t.kind != sqltext::TokenKind::Comment)
            continue;
        for (qsizetype i = t.begin; i < t.end; ++i)
            dentro[size_t(i)] = true;
    }
    return dentro;
}

QString ReplaceFueraDeLiterales(const QString& sql, const QString& what, const QString& with) {
    const std::vector<bool> dentro = DentroDeLiteral(sql);
    QString r;
    qsizetype copiado = 0;
    for (qsizetype p = sql.indexOf(what, 0, Qt::CaseInsensitive); p >= 0;
         p = sql.indexOf(what, p, Qt::CaseInsensitive)) {
        if (dentro[size_t(p)]) {
            ++p;
            continue;
        }
        r += sql.mid(copiado, p - copiado) + with;
        p += what.size();
        copiado = p;
    }
    return r + sql.mid(copiado);
}

bool TieneMarcaAdmin(const QString& sql) {
    return ReplaceFueraDeLiterales(sql, QStringLiteral("@Admin_"), QString()).size() != sql.size();
}

QString QuitaMarcaAdmin(const QString& sql) {
    return ReplaceFueraDeLiterales(sql, QStringLiteral("@Admin_"), QString());
}

} // namespace dbdll

// ---- File dialog ---------------------------------------------------------------------------

void DB_Dll::ClsDialogoArchivo::Titulo(const QString& title) {
    title_ = title;
}

void DB_Dll::ClsDialogoArchivo::Filtro(const QString& filter) {
    filter_ = filter;
}

void DB_Dll::ClsDialogoArchivo::MuestraAbrir() {
    // "Description|pattern|Description|pattern" becomes Qt's "Description (pattern);;..."
    const QStringList parts = filter_.split(QLatin1Char('|'));
    QStringList qtFilters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        qtFilters << Trim(parts[i]) + QStringLiteral(" (") + parts[i + 1] + QLatin1Char(')');
    chosen_ = quindel2::desktop().chooseFileToOpen(title_, qtFilters.join(QStringLiteral(";;")));
    cancelled_ = chosen_.isEmpty();
}

// ---- Object ----------------------------------------------------------------------------------

DB_Dll::DB_Dll() : gCnn(ado::Connection::create()) {}

DB_Dll::~DB_Dll() = default;

const ado::ConnectionPtr& DB_Dll::cnn() {
    if (!gCnn)
        gCnn = ado::Connection::create();
    return gCnn;
}

void DB_Dll::setAccessWindow(std::shared_ptr<AccessWindow> window) {
    accessWindowSlot() = std::move(window);
}

std::shared_ptr<AccessWindow> DB_Dll::accessWindow() {
    return accessWindowSlot();
}

void DB_Dll::setProgramasStock(const QStringList& names) {
    programasStockSlot() = names;
}

QStringList DB_Dll::programasStock() {
    return programasStockSlot();
}

// ---- Connection ------------------------------------------------------------------------------

void DB_Dll::BuildServerConnString() {
    if (gServidor.contains(QLatin1Char('#'))) {
        gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + Valor(gDBName) +
                      QStringLiteral(";User Id=") + Valor(gUsuario) + QStringLiteral(";Password=") +
                      Valor(gUserPassWord) + QStringLiteral(";");
        return;
    }
    gConnString = QStringLiteral("PROVIDER=") + gDatos().pSQLOLEDB() + QStringLiteral(";") +
                  QStringLiteral("Server=") + Valor(gServidor) + QStringLiteral(";") +
                  QStringLiteral("Database =") + Valor(gDBName) + QStringLiteral(";") +
                  QStringLiteral("UId=") + Valor(gUsuario) + QStringLiteral(";") +
                  QStringLiteral("Pwd=") + Valor(gUserPassWord) + QStringLiteral(";") + gExtended;
}

MotorSQL DB_Dll::Motor() {
    const QString cadena = cnn()->ConnectionString;
    // An Oracle data source reached through any driver wants Oracle's text.
    if (ContainsCI(cadena, QStringLiteral("ORACLE")))
        return MotorSQL::Oracle;
    // Once open, the connection knows which engine answers.
    if (cnn()->State() == ado::adStateOpen) {
        switch (cnn()->serverKind()) {
        case ado::ServerKind::Oracle:
            return MotorSQL::Oracle;
        case ado::ServerKind::Sqlite:
            return MotorSQL::SQLite;
        default:
            return MotorSQL::SqlServer;
        }
    }
    const ado::ConnectionStringParts partes = ado::parseConnectionString(cadena);
    const QString proveedor = partes.value(QStringLiteral("provider"));
    if (ContainsCI(proveedor, QStringLiteral("JET")) ||
        ContainsCI(proveedor, QStringLiteral("ACE.OLEDB")))
        return MotorSQL::SQLite;
    const QString servidor = partes.value(QStringLiteral("server"));
    return !servidor.isEmpty() && QFileInfo(servidor).isDir() ? MotorSQL::SQLite
                                                              : MotorSQL::SqlServer;
}

void DB_Dll::AnunciaMotor(bool local) {
    // Date literals of the whole program follow the company connection.
    if (this != &gDatos())
        return;
    const MotorSQL motor = Motor();
    ClsUtilidades::setMotorSQL(local && motor != MotorSQL::Oracle ? MotorSQL::SQLite : motor);
}

bool DB_Dll::AccessExchange() {
    QString dbName = gDBName;
    QString server = gServidor;
    QString user = CNStuffContable::gUsuarioLogeado;
    QString password = CNStuffContable::gPasswordUsuario;
    int platform = 0;
    const std::shared_ptr<AccessWindow> window = accessWindow();
    const bool aceptar =
        window && window->exchange(*this, dbName, server, user, password, platform);
    if (!aceptar) {
        gOpenFlag = false;
        return false;
    }
    gOpenFlag = true;
    gDBName = dbName;
    gServidor = server;
    // The database login is named after the database, with the name as password.
    gUsuario = dbName;
    gUserPassWord = dbName;
    if (platform > 0) {
        gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
        if (!gServidor.contains(QLatin1Char('#')))
            gServidor += QLatin1Char('#');
    } else {
        gProveedor = pSQLOLEDB();
    }
    return true;
}

QString DB_Dll::ConnectionFailureText(const ado::Error& e) const {
    const QString& cr = vb::vbCr;
    const QString& crlf = vb::vbCrLf;
    return QStringLiteral(" Estado de Sql: ") + e.SQLState + cr +
           QStringLiteral("Numero de Error: ") + QString::number(ErrLong(e.Number)) + cr +
           QStringLiteral("Descripcion: ") + e.Description + cr +
           QStringLiteral("Codigo Nativo: ") + QString::number(ErrLong(e.NativeError)) + cr + crlf +
           QStringLiteral("Nombre de Proceso: ") + vb::AppExeName() + cr + crlf + crlf +
           QStringLiteral("1. Verifique el Usuario, contraseña y base de datos") + crlf +
           QStringLiteral("2. Verifique el nombre del servidor, quizas necesite agregarle el "
                          "nombre de la instancia, por ejemplo : ") +
           gDatos().gServidor + QStringLiteral("\\QUINDEL") + crlf +
           QStringLiteral("3. Verifique si el inicio de sesion para el usuario ") +
           gDatos().gUsuario + QStringLiteral(" existe") + crlf + crlf + crlf +
           QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
}

void DB_Dll::ExigeTablasRequeridas() {
    if (tablasRequeridas_.isEmpty())
        return;
    QStringList faltan = tablasRequeridas_;
    for (ado::RecordsetPtr rs = cnn()->OpenSchema(ado::adSchemaTables); !rs->EOF(); rs->MoveNext())
        faltan.removeIf(
            [nombre = rs->value(QStringLiteral("TABLE_NAME")).toString()](const QString& t) {
                return t.compare(nombre, Qt::CaseInsensitive) == 0;
            });
    if (faltan.isEmpty())
        return;
    const QString base = cnn()->DefaultDatabase();
    ado::Error e;
    e.Number = ado::adErrUnspecified;
    e.SQLState = QStringLiteral("42000");
    e.NativeError = ado::nativeCannotOpenDatabase;
    e.Description = QStringLiteral("La base de datos \"%1\" no es una base de datos de la empresa: "
                                   "le faltan las tablas %2.")
                        .arg(base, faltan.join(QStringLiteral(", ")));
    e.Source = QStringLiteral("DB_Dll");
    // Closed, so that a retry with other values opens afresh.
    cnn()->Close();
    cnn()->raise(e);
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString,
                             bool ValidaAdmin, bool MuestraError) {
    bool reintentado = false;
    gOpenFlag = true;
    if (gProveedor.isEmpty())
        gProveedor = pSQLOLEDB();
    if (Trim(ConnString).isEmpty())
        BuildServerConnString();
    else
        gConnString = ConnString;
    if (PideParametrosSQL) {
        if (!AccessExchange())
            return;
        BuildServerConnString();
    }

    const std::vector<Step> steps = {
        [&] {
            cnn()->CursorLocation = int(lCursor);
            cnn()->Open(gConnString, QString(), QString(), -1);
            ExigeTablasRequeridas();
            AnunciaMotor(false);
        },
        [&] {
            if (!ValidaAdmin) {
                gEsAdmin = true;
                return false;
            }
            return !Trim(gDBName).isEmpty();
        },
        [&] { cnn()->setDefaultDatabase(gDBName); },
        [&] {
            if (!gDatos().ExisteTablaDB(QStringLiteral("TA_USUARIOS")))
                return;
            if (!MuestraError) {
                gEsAdmin = true;
                return;
            }
            const QVariant admin =
                DatosTabla(QStringLiteral("ta_usuarios"), CNStuffContable::gUsuarioLogeado,
                           QStringLiteral("Administrador"), QStringLiteral("nombre"), 8, QString(),
                           true, false);
            gEsAdmin = vb::Val(vb::CStr(admin)) == 1;
        },
    };
    RunSteps(steps, [&](const ado::Error& e) {
        const bool yaAbierto = SameErr(e.Number, ado::adErrObjectOpen);
        auto closeForRetry = [&] {
            reintentado = true;
            try {
                cnn()->Close();
            } catch (const ado::Exception&) {
            }
        };
        if (!MuestraError) {
            if (yaAbierto && !reintentado) {
                closeForRetry();
                return Resume::Retry;
            }
            gOpenFlag = false;
            return Resume::Exit;
        }
        ado::Errors& errs = cnn()->errors();
        if (errs.Count() > 0) {
            const int answer =
                vb::MsgBox(ConnectionFailureText(errs.Item(0)), vb::vbYesNo + vb::vbCritical,
                           QStringLiteral(" Error de Conexion a Base de Datos"));
            if (answer != vb::vbYes) {
                gOpenFlag = false;
                return Resume::Exit;
            }
            errs.Clear();
            if (const auto window = accessWindow())
                window->hide();
            if (!AccessExchange())
                return Resume::Exit;
            BuildServerConnString();
            return Resume::Retry;
        }
        if (yaAbierto && !reintentado) {
            closeForRetry();
            return Resume::Retry;
        }
        vb::MsgBox(e.Description);
        // The flag tells whether the connection really is open, not merely
        // that this failure was shown.
        gOpenFlag = cnn()->State() == ado::adStateOpen;
        return Resume::Exit;
    });
}

void DB_Dll::ReintentaConectar() {
    QString cadena;
    const std::vector<Step> steps = {
        [&] { gOpenFlag = false; },
        [&] { cnn()->CommandTimeout = 90; },
        [&] {
            cadena = cnn()->ConnectionString;
            cnn()->Close();
        },
        [&] {
            if (cadena.isEmpty())
                cadena = cnn()->ConnectionString;
            cnn()->Open(cadena, gDatos().gUsuario, gDatos().gUserPassWord, -1);
        },
        // An ignored failure of the reopen leaves the connection closed.
        [&] { gOpenFlag = cnn()->State() == ado::adStateOpen; },
    };
    RunSteps(steps, [&](const ado::Error& e) {
        if (SameErr(e.Number, ado::adErrObjectClosed))
            return Resume::Next;
        gOpenFlag = false;
        if (SameErr(e.Number, ado::adErrUnspecified))
            return Resume::Exit;
        return ResumeFor(TratamientoErrores(e, std::nullopt, QStringLiteral("AbrirRecordset")));
    });
}

bool DB_Dll::ElegirArchivo() {
    if (!CmdDlg)
        CmdDlg = std::make_shared<ClsDialogoArchivo>();
    CmdDlg->Titulo(QStringLiteral("Buscar Base de Datos"));
    CmdDlg->Filtro(QStringLiteral("Base de Datos de Microsoft Access |*.MDB"));
    CmdDlg->MuestraAbrir();
    gDBName = CmdDlg->ArchivoElegido();
    return !CmdDlg->Cancelado();
}

void DB_Dll::OpenLocalADODB(const QString& ConnString, const QString& CadenaID,
                            const QString& CadenaPWD) {
    enum class Clave { Ninguna, Guardada, Tecleada };
    Clave clave = Clave::Ninguna;
    QString tecleada;
    int rechazosGuardada = 0;
    for (;;) {
        if (Trim(gDBName).isEmpty() && !ElegirArchivo())
            return;
        QString cadena = ConnString;
        if (cadena.isEmpty())
            cadena = QStringLiteral("PROVIDER=") + gProveedor + QStringLiteral(";") +
                     QStringLiteral("Data Source =") + Valor(gDBName) + QStringLiteral(";") +
                     CadenaID + QStringLiteral("=") + Valor(gUsuario) + QStringLiteral(";") +
                     CadenaPWD + QStringLiteral("=") + Valor(gUserPassWord) + QStringLiteral(";") +
                     gExtended;
        if (clave == Clave::Guardada)
            cadena += QStringLiteral("Jet OLEDB:Database Password=") + Valor(gUserPassWord) +
                      QStringLiteral(";");
        else if (clave == Clave::Tecleada)
            cadena += QStringLiteral(" Jet OLEDB:Database Password=") + Valor(tecleada) +
                      QStringLiteral(";");
        try {
            cnn()->Open(cadena, QString(), QString(), -1);
            gConnString = cadena;
            AnunciaMotor(true);
            return;
        } catch (const ado::Exception& ex) {
            const ado::Errors& errs = cnn()->errors();
            if (errs.Count() > 0) {
                const QString estado = errs.Item(0).SQLState;
                if (estado == QLatin1String("3024") || estado == QLatin1String("3044") ||
                    estado == QLatin1String("3051")) {
                    if (!ElegirArchivo())
                        return;
                    continue;
                }
                if (estado == QLatin1String("3031")) {
                    const bool usarGuardada = !vb::IsNull(gIgnoraPassWord) &&
                                              !vb::IsEmpty(gIgnoraPassWord) &&
                                              vb::CBool(gIgnoraPassWord);
                    if (usarGuardada) {
                        // A stored password that keeps being refused is not
                        // tried for ever.
                        if (clave == Clave::Guardada &&
                            ++rechazosGuardada >= kIntentosClaveGuardada) {
                            vb::MsgBox(QString::number(ErrLong(ex.number())) +
                                           QStringLiteral("  ") + ex.error().Description,
                                       vb::vbCritical);
                            return;
                        }
                        clave = Clave::Guardada;
                        continue;
                    }
                    tecleada = vb::InputBox(QStringLiteral("ingrese el password:"),
                                            QStringLiteral("Password Access"));
                    // Cancel or an empty answer gives up the open.
                    if (tecleada.isEmpty())
                        return;
                    clave = Clave::Tecleada;
                    continue;
                }
            }
            vb::MsgBox(QString::number(ErrLong(ex.number())) + QStringLiteral("  ") +
                           ex.error().Description,
                       vb::vbCritical);
            return;
        }
    }
}

// ---- Lost link -------------------------------------------------------------------------------

void DB_Dll::LostLinkQuestion() {
    const QString& crlf = vb::vbCrLf;
    const QString texto =
        crlf + crlf + crlf + QStringLiteral("Se perdio la conexion con la base de datos ") +
        gDatos().gDBName + crlf + QStringLiteral(" Servidor ") + gDatos().gServidor + crlf + crlf +
        QStringLiteral("Elija SI para reintentar conectarse") + crlf +
        QStringLiteral("Elija NO para cerrar la aplicacion") + crlf + crlf + crlf;
    if (vb::MsgBox(texto, vb::vbYesNo + vb::vbCritical, QStringLiteral("AVISO AL OPERADOR")) !=
        vb::vbYes)
        vb::End();
}

DB_Dll::Enlace DB_Dll::EnlacePerdido(short& contador) {
    ReintentaConectar();
    if (gOpenFlag) {
        ++contador;
        return contador < 3 ? Enlace::Repetir : Enlace::Agotado;
    }
    while (contador < 3) {
        ReintentaConectar();
        if (gOpenFlag)
            return Enlace::Repetir;
        ++contador;
    }
    for (;;) {
        LostLinkQuestion();
        ReintentaConectar();
        if (gOpenFlag)
            return Enlace::Repetir;
        ++contador;
    }
}

// ---- Recordsets and statements -----------------------------------------------------------------

void DB_Dll::CierraRecordset(ado::RecordsetPtr& LRCSTEMP) {
    if (!LRCSTEMP)
        return;
    for (;;) {
        try {
            if (LRCSTEMP->State() != ado::adStateClosed)
                LRCSTEMP->Close();
            return;
        } catch (const ado::Exception& ex) {
            if (SameErr(ex.number(), ado::adErrIllegalOperation)) {
                // A pending edit refuses the close: drop the edit, then close.
                try {
                    LRCSTEMP->CancelUpdate();
                } catch (const ado::Exception&) {
                }
                try {
                    if (LRCSTEMP->State() != ado::adStateClosed)
                        LRCSTEMP->Close();
                } catch (const ado::Exception&) {
                }
                return;
            }
            if (TratamientoErrores(ex.error(), std::nullopt, QStringLiteral("CierraRecordset")) !=
                vb::vbRetry)
                return;
        }
    }
}

void CierraSinAviso(const ado::RecordsetPtr& rs) {
    try {
        if (rs && rs->State() != ado::adStateClosed) {
            if (rs->EditMode() != ado::adEditNone)
                rs->CancelUpdate();
            rs->Close();
        }
    } catch (const std::exception&) {
    }
}

void DB_Dll::QConsulta(const QString&, const QString&, const QString&, const QString&,
                       const QString&, const QString&) {}

void DB_Dll::QGridConsulta(const QString&, const QString&, const QString&, const QString&,
                           const QString&) {}

void DB_Dll::AbrirRecordset(const QString& SentenciaSQL, ado::RecordsetPtr& Lrcs,
                            const ado::ConnectionPtr& Conexionactiva, int CursorType, int LockType,
                            long Options, bool ConvOracle) {
    QString sentencia = SentenciaSQL;
    AbrirRecordset(sentencia, Lrcs, Conexionactiva, CursorType, LockType, Options, ConvOracle);
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, ado::RecordsetPtr& Lrcs,
                            const ado::ConnectionPtr& Conexionactiva, int CursorType, int LockType,
                            long Options, bool ConvOracle) {
    short contador = 2;
    if (!Lrcs)
        Lrcs = ado::Recordset::create();
    CierraRecordset(Lrcs);
    SentenciaSQL = SS_TSinonimos(SentenciaSQL);
    QString fuente = SentenciaSQL;
    if (cnn()->ConnectionString.indexOf(QLatin1String("ORACLE"), 0, Qt::CaseInsensitive) > 0 &&
        ConvOracle) {
        for (;;) {
            try {
                fuente = ORACLE_Dicc(SentenciaSQL);
                break;
            } catch (const ado::Exception& ex) {
                const int answer =
                    TratamientoErrores(ex.error(), std::nullopt, QStringLiteral("AbrirRecordset"));
                if (answer == vb::vbRetry)
                    continue;
                if (answer == vb::vbIgnore)
                    break; // the statement goes as written
                return;
            }
        }
    }
    const ado::ConnectionPtr conexion = Conexionactiva ? Conexionactiva : cnn();
    for (;;) {
        try {
            Lrcs->Open(fuente, conexion, CursorType, LockType, Options);
            break;
        } catch (const ado::Exception& ex) {
            const ado::Error e = ex.error();
            // A lock time-out shares the unspecified number but is no lost
            // link: reconnecting would close the connection and drop its
            // open transaction.
            if ((SameErr(e.Number, ado::adErrUnspecified) ||
                 SameErr(e.Number, ado::adErrInvalidConnection)) &&
                e.NativeError != ado::nativeLockTimeout && cnn()->errors().Count() > 0 &&
                !cnn()->inTransaction()) {
                if (EnlacePerdido(contador) == Enlace::Repetir)
                    continue;
            }
            const int answer =
                TratamientoErrores(e, std::nullopt, QStringLiteral("AbrirRecordset"));
            if (answer == vb::vbRetry)
                continue;
            if (answer == vb::vbIgnore)
                break;
            return;
        }
    }
    vb::DoEvents();
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected) {
    EjecutaConsulta(SentenciaSQL, RecordsAffected, nullptr, false);
}

void DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected,
                                ado::RecordsetPtr& Lrcs) {
    EjecutaConsulta(SentenciaSQL, RecordsAffected, &Lrcs, false);
}

void DB_Dll::EjecutaConsultaSQL(const QString& SentenciaSQL, long& RecordsAffected) {
    QString sentencia = SentenciaSQL;
    EjecutaConsulta(sentencia, RecordsAffected, nullptr, false);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected) {
    EjecutaConsulta(SentenciaSQL, RecordsAffected, nullptr, true);
}

void DB_Dll::EjecutaConsultaRSQL(const QString& SentenciaSQL, long& RecordsAffected) {
    QString sentencia = SentenciaSQL;
    EjecutaConsulta(sentencia, RecordsAffected, nullptr, true);
}

void DB_Dll::EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected,
                                 ado::RecordsetPtr& Lrcs) {
    EjecutaConsulta(SentenciaSQL, RecordsAffected, &Lrcs, true);
}

QString DB_Dll::TextoAEjecutar(const QString& SentenciaSQL) const {
    const bool create = ContainsCI(SentenciaSQL, QStringLiteral("CREATE"));
    const bool drop = ContainsCI(SentenciaSQL, QStringLiteral("DROP"));
    const bool conMarca = TieneMarcaAdmin(SentenciaSQL);
    if (!(create && drop))
        return QuitaMarcaAdmin(SentenciaSQL);
    if (ContainsCI(SentenciaSQL, QStringLiteral("DELETE")))
        return conMarca ? QuitaMarcaAdmin(SentenciaSQL) : SentenciaSQL;
    if (conMarca)
        return QuitaMarcaAdmin(SentenciaSQL);
    return SS_TSinonimos(SentenciaSQL);
}

void DB_Dll::EjecutaPreparada(const QString& SentenciaSQL, const std::vector<QVariantList>& Filas,
                              long& RecordsAffected) {
    long afectados = 0;
    try {
        QString texto = TextoAEjecutar(SentenciaSQL);
        // These rows would have gone through the script runner as statements
        // of their own.
        if (ContainsCI(cnn()->ConnectionString, QStringLiteral("ORACLE")))
            texto = TraduceAOracle(texto);
        cnn()->ExecutePrepared(texto, Filas, &afectados);
        RecordsAffected = afectados;
    } catch (const ado::Exception&) {
        // The connection's errors tell the caller.
    }
}

void DB_Dll::EjecutaConsulta(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr* Lrcs,
                             bool remota) {
    SentenciaSQL = TextoAEjecutar(SentenciaSQL);

    // The statement is judged by its own connection's errors: a target's
    // success must not clear the company's warnings, nor the company's lost
    // link reconnect a target.
    const QString rutina =
        remota ? QStringLiteral("EjecutaConsultaRSQL") : QStringLiteral("EjecutaConsultaSQL");
    const bool trans = ContainsCI(SentenciaSQL, QStringLiteral("TRANS"));
    // Reconnecting would drop the open transaction and run the statement
    // outside it: inside one, a lost link is the save's failure.
    const bool enTransaccion = cnn()->inTransaction();
    short contador = 0;
    for (;;) {
        try {
            if (ContainsCI(cnn()->ConnectionString, QStringLiteral("ORACLE"))) {
                EjecutaScriptOracle(SentenciaSQL, RecordsAffected);
            } else {
                long afectados = 0;
                ado::RecordsetPtr filas = cnn()->Execute(SentenciaSQL, &afectados, -1);
                RecordsAffected = afectados;
                if (Lrcs)
                    *Lrcs = filas;
            }
            // Truncation warnings of a statement that ran are not the caller's business.
            ado::Errors& errs = cnn()->errors();
            if ((errs.Count() == 1 || errs.Count() == 2) && !trans &&
                errs.Item(0).NativeError == ado::nativeTruncation)
                errs.Clear();
            return;
        } catch (const ado::Exception& ex) {
            ado::Errors& errs = cnn()->errors();
            if (errs.Count() > 0 && !trans) {
                const long nativo = errs.Item(0).NativeError;
                if (!remota && !enTransaccion && nativo == ado::nativeLostLink) {
                    if (EnlacePerdido(contador) == Enlace::Repetir)
                        continue;
                    // Dropped: the reopen cleared the errors, but the caller
                    // must still see that the statement never ran.
                    ado::Errors& tras = cnn()->errors();
                    if (tras.Count() == 0)
                        for (const ado::Error& err : ex.all())
                            tras.Add(err);
                    return;
                }
                if (nativo == ado::nativeTruncation) {
                    // The statement did not run: the error stays for the
                    // caller and goes to the log, without a box.
                    LogLine(QStringLiteral(" - ") + rutina,
                            QStringLiteral("Ha ocurrido el Siguiente Error (") +
                                QString::number(ErrLong(ex.number())) + QStringLiteral(") ") +
                                Trim(ex.error().Description),
                            QString());
                    return;
                }
            }
            if (remota && !trans) {
                const long n = ex.number();
                if (!SameErr(n, ado::adErrUnspecified) && !SameErr(n, ado::adErrIntegrity) &&
                    !SameErr(n, ado::adErrNoSuchTable) && !SameErr(n, ado::adErrCommand))
                    vb::MsgBox(ex.error().Description, vb::vbCritical,
                               QStringLiteral("Aviso al operador!!!"));
            }
            return;
        }
    }
}

// ---- Oracle -------------------------------------------------------------------------------

QString DB_Dll::ORACLE_Dicc(const QString& Valor) {
    if (!ContainsCI(gConnString, QStringLiteral("ORACLE")))
        return Valor;
    if (ClsUtilidades::CuentaPalabras(Valor) <= 1)
        return Valor.compare(QLatin1String("LEN"), Qt::CaseInsensitive) == 0
                   ? QStringLiteral("LENGTH")
                   : Valor;
    return oracle::rewriteStatement(Valor);
}

QString DB_Dll::TraduceAOracle(const QString& sentencia) {
    try {
        return ORACLE_Dicc(sentencia);
    } catch (const ado::Exception& ex) {
        // A statement that cannot be rewritten is a failed statement to the
        // callers that read the connection's errors.
        cnn()->raise(ex);
    }
}

QString DB_Dll::DepuraSentenciaOracle(QString& sentencia) {
    if (oracle::isServerOnly(sentencia)) {
        sentencia.clear();
        return QString();
    }
    return sentencia;
}

QString DB_Dll::EjecutaScriptOracle(QString& SentenciaSQL, long& RecordsAffected) {
    SentenciaSQL = oracle::normalizeScript(SentenciaSQL);
    while (const std::optional<oracle::ScriptCut> corte = oracle::nextStatement(SentenciaSQL)) {
        const QString& sentencia = corte->statement;
        auto es = [&](const char* orden) {
            return sentencia.compare(QLatin1String(orden), Qt::CaseInsensitive) == 0;
        };
        if (es("SET TRANSACTION")) {
            cnn()->BeginTrans();
        } else if (es("COMMIT")) {
            cnn()->CommitTrans();
        } else if (es("ROLLBACK")) {
            cnn()->RollbackTrans();
        } else if (!sentencia.isEmpty()) {
            QString traducida = TraduceAOracle(sentencia);
            DepuraSentenciaOracle(traducida);
            if (!Trim(traducida).isEmpty()) {
                long afectados = -1;
                cnn()->Execute(traducida, &afectados, -1);
                // A statement that writes no rows reports -1, not a count.
                if (afectados > 0)
                    RecordsAffected += afectados;
            }
        }
        // On a failure above, the caller's text keeps the unprocessed part.
        SentenciaSQL = corte->rest;
    }
    ado::Errors& errores = cnn()->errors();
    if (errores.Count() == 1 && errores.Item(0).Number == kAvisoOracle)
        errores.Clear();
    return QString();
}

// ---- Error treatment
// -----------------------------------------------------------------------------

QString DB_Dll::LogPath() const {
    if (!gLogErr.isEmpty())
        return gLogErr;
    QString carpeta = vb::AppPath();
    if (!carpeta.endsWith(QLatin1Char('/')) && !carpeta.endsWith(QLatin1Char('\\')))
        carpeta += QLatin1Char('/');
    return carpeta + QStringLiteral("KQERR.LOG");
}

void DB_Dll::LogLine(const QString& routinePart, const QString& message,
                     const QString& answer) const {
    const QDateTime ahora = vb::Now();
    const QString linea = ahora.toString(QStringLiteral("MM-dd-yyyy")) + QLatin1Char(' ') +
                          ahora.toString(QStringLiteral("HH:mm:ss")) + QStringLiteral(" Rutina: ") +
                          Trim(routinePart) + QStringLiteral(" Mensaje ") + Trim(message) +
                          QStringLiteral(" Respondió : ") + answer + vb::vbCrLf;
    QFile f(LogPath());
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        return;
    // A password quoted by an error's text stays out of the log.
    const QString segura = quindel2::maskPasswords(linea);
    QStringEncoder encoder("windows-1252");
    const QByteArray bytes =
        encoder.isValid() ? QByteArray(encoder.encode(segura)) : segura.toLatin1();
    f.write(bytes);
}

int DB_Dll::TratamientoErrores(const ado::Error& CodErr, std::optional<int> Botones,
                               const std::optional<QString>& Rutina) {
    const QString mensaje = QStringLiteral("Ha ocurrido el Siguiente Error (") +
                            QString::number(ErrLong(CodErr.Number)) + QStringLiteral(") ") +
                            Trim(CodErr.Description);
    const QString parteRutina = Rutina ? QStringLiteral(" - ") + *Rutina : QString();
    const QString titulo =
        CodErr.Source + parteRutina + QStringLiteral(" Aviso al operador!!! - 5 ");
    const int estilo = Botones.value_or(vb::vbAbortRetryIgnore + vb::vbCritical);
    if (CodErr.Number == 0)
        return 0;
    const int respuesta = vb::MsgBox(mensaje, estilo, titulo);
    if (respuesta == vb::vbAbort)
        ++lecturasAbandonadas_;
    LogLine(parteRutina, mensaje, pasos::AnswerWord(respuesta));
    return respuesta;
}
