#pragma once
// The data object: one connection, the login values that built it and every
// data-access operation the windows and modules use. Several instances live
// in a run (data/instances.h); some operations read the shared instance
// gDatos whatever instance runs them, as noted at each one.
//
// No database error leaves these operations towards the caller, except where
// noted (the column extremes and the name helpers): the outcome is gOpenFlag,
// the state of the recordset, RecordsAffected or the connection's Errors.

#include "data/pasos.h"
#include "platform/ado/ado.h"
#include "platform/win/clsutilidades.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

class DB_Dll;

// The access window as the data object sees it. The start-up installs the
// real one (DB_Dll::setAccessWindow); without one an exchange counts as
// cancelled.
struct AccessWindow {
    virtual ~AccessWindow() = default;
    // Loads the window with the values, shows it modally and hands back what
    // the operator left in it. True when the operator accepted. `datos` is
    // the object asking: the window's own tests of a connection work on its
    // connection, never on another object's.
    virtual bool exchange(DB_Dll& datos, QString& dbName, QString& server, QString& user,
                          QString& password, int& platformIndex) = 0;
    // Hides the window when it is still on screen.
    virtual void hide() {}
};

class DB_Dll {
public:
    // File-open dialog used to pick a local database file.
    class ClsDialogoArchivo {
    public:
        virtual ~ClsDialogoArchivo() = default;
        virtual void Titulo(const QString& title);
        virtual void Filtro(const QString& filter);
        virtual void MuestraAbrir();
        virtual QString ArchivoElegido() const { return chosen_; }
        virtual bool Cancelado() const { return cancelled_; }

    protected:
        QString title_;
        QString filter_;
        QString chosen_;
        bool cancelled_ = false;
    };

    // What the steps of a trapping routine do after a failure.
    using Resume = pasos::Resume;

    DB_Dll();
    ~DB_Dll();
    DB_Dll(const DB_Dll&) = delete;
    DB_Dll& operator=(const DB_Dll&) = delete;

    // ---- Public values --------------------------------------------------------
    std::shared_ptr<ClsDialogoArchivo> CmdDlg; // created on first use
    bool gOpenFlag = false;
    QVariant gIgnoraPassWord;
    // Created with the object (never replaced), so callers may read it at once.
    ado::ConnectionPtr gCnn;
    ado::RecordsetPtr glrcs;
    QVariant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    QString gLogErr;
    bool ParametrosSQL = false;
    int gKQTimeOut = 0;

    // Provider texts.
    static QString pJETOLEDB40() { return QStringLiteral("Microsoft.Jet.OLEDB.4.0"); }
    static QString pJETOLEDB35() { return QStringLiteral("Microsoft.Jet.OLEDB.3.51"); }
    static QString pSQLOLEDB() { return QStringLiteral("SQLOLEDB"); }

    // The access window of the run (shared by all instances).
    static void setAccessWindow(std::shared_ptr<AccessWindow> window);
    static std::shared_ptr<AccessWindow> accessWindow();

    // Executable names of the suite's two stock programs, which see the real
    // warehouse table; set by the start-up.
    static void setProgramasStock(const QStringList& names);
    static QStringList programasStock();

    // ---- Column extremes (errors reach the caller) ----------------------------
    QVariant BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                         std::optional<int> Tipo = std::nullopt);
    // Condicion may be extended in place (article codes without leading zero).
    QVariant BuscaMaximo(const QString& QueTabla, const QString& QueCampo, std::optional<int> Tipo,
                         QString& Condicion);
    QVariant BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                         std::optional<int> Tipo = std::nullopt,
                         const std::optional<QString>& Condicion = std::nullopt);
    QVariant BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, int Tipo = 8,
                               const QString& Condicion = QString());

    // ---- Connection -------------------------------------------------------------
    // Tables the database must hold for OpenServerADODB to take it: the
    // start-up names the company's, so that a file of another kind fails as a
    // connection failure. Empty (the default): any database.
    void setTablasRequeridas(const QStringList& tablas) { tablasRequeridas_ = tablas; }
    void OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString,
                         bool ValidaAdmin, bool MuestraError);
    void ReintentaConectar();
    void OpenLocalADODB(const QString& ConnString, const QString& CadenaID,
                        const QString& CadenaPWD);
    // The engine the connection string reaches: Oracle, SQLite files (a
    // local-file provider, or a server that names a local folder) or SQL Server.
    MotorSQL Motor();

    // ---- Single-row lookups -----------------------------------------------------
    // Lrcs, when given, receives the open recordset (created when null).
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                         const QString& Campo = QStringLiteral("Codigo"),
                         ado::RecordsetPtr* Lrcs = nullptr, int Tipodato = 8,
                         const QString& Condicion = QString(), bool SoloLectura = false);
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado,
                       const QString& Campo = QStringLiteral("Codigo"),
                       ado::RecordsetPtr* Lrcs = nullptr, int Tipodato = 8,
                       const QString& Condicion = QString(), bool SoloLectura = true);
    QVariant DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                        const QString& CampoDevuelto,
                        const QString& Campo = QStringLiteral("Codigo"), int Tipodato = 8,
                        const QString& Condicion = QString(), bool UsaTrim = true,
                        bool IgnoraError = false);
    // Tipodato may hold "'" (text); the caller's variable then becomes 8.
    QVariant DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                        const QString& CampoDevuelto, const QString& Campo, QVariant& Tipodato,
                        const QString& Condicion, bool UsaTrim, bool IgnoraError);

    // ---- Data-type classes --------------------------------------------------------
    static bool adodate(int Qtype);
    static QString ADOComilla(int Qtype);
    static bool ADOText(int Qtype);
    static bool ADONumeric(int Qtype);
    static bool ADOCurrency(int Qtype);
    static bool ADOBoolean(int Qtype);

    // ---- Recordsets and statements ------------------------------------------------
    void CierraRecordset(ado::RecordsetPtr& LRCSTEMP);
    // Lookup windows are opened by the lookup launcher, not here.
    void QConsulta(const QString& TB, const QString& Rsp, const QString& Cl1, const QString& Cl2,
                   const QString& CmpDisplay, const QString& SQLWHERE);
    void QGridConsulta(const QString& Sentencia, const QString& CampoDevuelto1,
                       const QString& gCnnString, const QString& CampoDevuelto2,
                       const QString& CampoDevuelto3);

    // ---- Name helpers (an impossible cut raises error 5) -----------------------------
    static QString stSTF(QString& rsName, bool rnPart);
    static QString AddBrackets(const QString& rObjName);
    static QString StripConnect(const QString& rsTblName);
    static QString StripBrackets(const QString& rsObjName);
    static QString StripOwner(QString& rsTblName);
    static QString StripFileName(const QString& rsFileName);

    // The statement is rewritten in place (markers removed, restricted views).
    void EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected);
    void EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr& Lrcs);
    void EjecutaConsultaSQL(const QString& SentenciaSQL, long& RecordsAffected);
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected);
    void EjecutaConsultaRSQL(const QString& SentenciaSQL, long& RecordsAffected);
    void EjecutaConsultaRSQL(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr& Lrcs);
    // One statement with "?" markers run once per row of values and parsed
    // once (ado::Connection::ExecutePrepared), its text treated as
    // EjecutaConsultaSQL treats it. For statements inside the caller's
    // transaction: the first failing row stops, its error stays in the
    // connection's errors, and no lost link is retried.
    void EjecutaPreparada(const QString& SentenciaSQL, const std::vector<QVariantList>& Filas,
                          long& RecordsAffected);

    // Lrcs is open on return when the query succeeded, closed otherwise.
    // Conexionactiva null means gCnn.
    void AbrirRecordset(QString& SentenciaSQL, ado::RecordsetPtr& Lrcs,
                        const ado::ConnectionPtr& Conexionactiva = nullptr, int CursorType = 0,
                        int LockType = 1, long Options = -1, bool ConvOracle = true);
    void AbrirRecordset(const QString& SentenciaSQL, ado::RecordsetPtr& Lrcs,
                        const ado::ConnectionPtr& Conexionactiva = nullptr, int CursorType = 0,
                        int LockType = 1, long Options = -1, bool ConvOracle = true);

    // The statement in Oracle's dialect when gConnString names Oracle,
    // unchanged otherwise (data/oracle_dicc.h has the rules). A lone LEN
    // becomes LENGTH. An unclosed quote raises error 5.
    QString ORACLE_Dicc(const QString& Valor);

    // ---- Literals ---------------------------------------------------------------------
    // Tipo "@" number, "'" text or date (apostrophes doubled), other: as is.
    QVariant SQLValue(const QVariant& Valor, const QString& Tipo = QStringLiteral("'"));

    // ---- Schema -------------------------------------------------------------------------
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo,
                  bool PermiteNulos, const std::optional<QVariant>& ValorDefault = std::nullopt);
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo,
                    bool PermiteNulos, const std::optional<QVariant>& ValorDefault = std::nullopt);

    // ---- Restricted views -----------------------------------------------------------------
    QString SS_TSinonimos(const QString& SQL) const;

    // ---- Error treatment --------------------------------------------------------------------
    QVariant ArchivoErrores() const { return gLogErr; }
    void setArchivoErrores(const QVariant& path) { gLogErr = path.toString(); }
    int TratamientoErrores(const ado::Error& CodErr, std::optional<int> Botones = std::nullopt,
                           const std::optional<QString>& Rutina = std::nullopt);
    // How many failed reads the operator has abandoned (answered Abort): a
    // check that read nothing must not pass for one that found nothing.
    int LecturasAbandonadas() const { return lecturasAbandonadas_; }

    // The connection, created when a caller dropped it.
    const ado::ConnectionPtr& cnn();

private:
    enum class Enlace { Repetir, Agotado };

    QStringList tablasRequeridas_;
    int lecturasAbandonadas_ = 0;
    // Closes the connection and fails as the open does when the database
    // lacks one of the required tables.
    void ExigeTablasRequeridas();

    void EjecutaConsulta(QString& SentenciaSQL, long& RecordsAffected, ado::RecordsetPtr* Lrcs,
                         bool remota);
    // The administrator markers removed, or the restricted views named.
    QString TextoAEjecutar(const QString& SentenciaSQL) const;
    void BuildServerConnString();
    bool AccessExchange();
    void AnunciaMotor(bool local);
    bool ElegirArchivo();
    QString ConnectionFailureText(const ado::Error& e) const;
    QString LogPath() const;
    void LogLine(const QString& routinePart, const QString& message, const QString& answer) const;
    // The lost-link question; No ends the program.
    void LostLinkQuestion();
    // Reconnects after a lost link (statements and recordsets).
    Enlace EnlacePerdido(short& contador);
    // Failure of a single-row lookup: lost link, then the operator's box.
    Resume FallaBusqueda(const ado::Error& e, short& contador, bool datosTabla,
                         const ado::ConnectionPtr& conexion);
    bool ExisteEnTablaImpl(bool st, const QString& Tabla, const QString& ValorBuscado,
                           const QString& Campo, ado::RecordsetPtr* Lrcs, int Tipodato,
                           const QString& Condicion, bool SoloLectura);
    QVariant BuscaMaximoImpl(const QString& QueTabla, const QString& QueCampo,
                             std::optional<int> Tipo, QString* Condicion);
    QVariant Extremo(const QString& statement, const QString& columna);
    // Empty (and the argument emptied) for a statement only SQL Server knows.
    QString DepuraSentenciaOracle(QString& sentencia);
    // Runs a script on the Oracle connection statement by statement, its
    // transaction commands as the connection's own; consumes SentenciaSQL
    // (what is left when a statement fails) and adds the counts to
    // RecordsAffected. Failures reach the caller.
    QString EjecutaScriptOracle(QString& SentenciaSQL, long& RecordsAffected);
    // ORACLE_Dicc, its failure recorded in the connection's errors.
    QString TraduceAOracle(const QString& sentencia);
};

// Closes a recordset quietly, dropping a pending edit first; for a routine
// left half way. No failure reaches the error box or the caller.
void CierraSinAviso(const ado::RecordsetPtr& rs);
