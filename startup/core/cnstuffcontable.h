#pragma once
// The shared module of the accounting programs, without widgets: run-wide
// values loaded at start-up and the services every window uses
// (configuration keys, the operator error box, the statement builder with
// its one-transaction save, voucher numbering, audit and failed-statement
// rows, small helpers). The window dressing is in startup/ui/cns_ventana.h.

#include "data/runwide.h" // gUsuarioLogeado, gPasswordUsuario, gConfidencialidad
#include "platform/ado/ado.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

class ClsReporte;

namespace CNStuffContable {

// ---- Run-wide values -----------------------------------------------------------
// Written once at start-up (some later by the windows that own them), read
// everywhere. gUsuarioLogeado, gPasswordUsuario and gConfidencialidad live in
// data/runwide.h because the data object reads them.

extern QString gSeccionIni;         // "PC|USER": this computer's INI section
extern bool gFlatToolbars;          // toolbar style from CN000p.INI
extern QString gParametroAdicional; // "@ParametroAdicional" of the command line
extern QString gMenu;               // "@Menu" of the command line
extern QString gCaja;               // "@Caja": cash-box number, empty when absent
extern QString gCadenaODBC;         // "DSN=...; UID=...; PWD=..." for the reports
extern QString gPeriodoActual;      // fiscal year in use (key PERIODO, then the main window)
extern bool gSoloMayusculas;        // key ESCRIBE_SOLO_MAYUSCULAS
extern bool gBloqueoActivo;         // key SS_BloqueoActivo
extern QString gUNegocioUsuario;    // the user's business unit, four characters
extern QString gTablaConfiguracion; // "TA_CONFIGURACION"
extern QVariant gIdControlAcceso;   // ID of this run's Control_Acceso row
extern std::int16_t gDigitosNivel1, gDigitosNivel2, gDigitosNivel3, gDigitosNivel4, gDigitosNivel5,
    gDigitosNivel6; // account-code level sizes
extern std::int16_t gFinNivel1, gFinNivel2, gFinNivel3, gFinNivel4, gFinNivel5,
    gFinNivel6;                 // cumulative level ends
extern QString CuentaActual;    // account being edited, handed between account windows
extern std::int16_t gTalonario; // receipt book found by the last voucher lookup
extern int gEstiloSkin;         // skin number
extern bool gUsaMultiMonedas;   // several currencies in use

// One (column, literal) pair of the statement being built.
struct CampoSQL {
    QString Campo;
    QString Valor;
};
using ListaCampos = std::vector<CampoSQL>;
// The one field list of the process: one statement is built at a time.
extern ListaCampos gCamposSQL;

// ---- Configuration keys ----------------------------------------------------------
// Value of a key; " " when absent, "" after a failure. ValorAux receives the
// row's second value ("" when absent).
QString Cfg(const QString& Clave, QString& ValorAux);
QString Cfg(const QString& Clave);
// A flag is on when its value is "SI" in any letter case.
bool CfgSi(const QString& Clave);
// Writes one key (trimmed, upper case); an empty ValorAux keeps the stored one.
void GrabaDfg(const QString& Clave, const QVariant& Valor, const QString& ValorAux,
              bool PoliticaNegocio, const QString& Grupo);
// Loads the run-wide settings.
void IniContable();

// ---- Small helpers ------------------------------------------------------------------
// False only for "FALSE", "FALSO" and "0" in any letter case (not trimmed).
bool EsVerdadero(const QString& Texto);
QString FormatoFecha();     // "dd/mm/yy"
QString FormatoHora();      // "hh:mm"
QString FormatoFechaHora(); // "dd/mm/yy hh:mm"
// The file exists and can be opened for reading now.
bool ExisteArchivo(const QString& Ruta);
// Text after the first "/", or the whole text when it holds none.
QString TextoDespuesDeBarra(const QString& Texto);
// The server's date and time (seconds); today at midnight when it gives no row.
QDateTime FechaServidor();

// ---- Operator error box ---------------------------------------------------------
// Shows the error (Abort/Retry/Ignore by default), logs the answer in
// KQERR.LOG of the temporary folder and returns the answer: 4 retry the
// failing step, 5 go on with the next one, anything else leave the routine.
// 0 (nothing shown) when the error number is 0.
std::int16_t AvisaErrorOperador(const ado::Error& Err, std::optional<int> Botones = std::nullopt,
                                const std::optional<QVariant>& Rutina = std::nullopt);
// Full path of the operator error log.
QString ArchivoErrorOperador();
// The log line alone, for a failure the operator was told of by another box
// (answered OK).
void AnotaErrorOperador(const QString& Mensaje, const QString& Rutina);

// ---- Statement builder and one-transaction save ---------------------------------
void AgregaCampo(const QString& Campo, const QString& Valor, const QString& Delimitador,
                 bool Inicializa);
// The column's type in Rs decides the literal; brackets are removed from Campo.
void AgregaCampoRecordset(const ado::RecordsetPtr& Rs, QString& Campo, const QString& Valor,
                          bool Inicializa);
// Builds one INSERT (or UPDATE with Where) into the last slot of Sentencias,
// appends an empty slot and leaves Campos with one empty entry.
void ArmaSentenciaSQL(ListaCampos& Campos, QStringList& Sentencias, const QString& Tabla,
                      bool EsUpdate, QString& Where);
// Appends "(columns) VALUES (values)" to Sentencia; Limpiar empties Campos.
void ArmaValoresInsert(QString& Sentencia, ListaCampos& Campos, bool Limpiar);
// A statement of a save that repeats for many rows (the lines of an entry):
// its text with "?" where each row's values go, parsed once.
struct SentenciaRepetida {
    QString Sentencia;
    std::vector<QVariantList> Filas;
};
// Runs the non-blank statements as one transaction. HuboError is True when the
// save did not take effect; ErrorNativo is the first provider error (0 when none).
// The repeated statements run after them, in order, in the same transaction.
// AntesDeConfirmar runs on the connection after the statements, before the
// commit (to read back what the statements computed); a database failure in
// it undoes the save like a refused statement. AlComenzar runs right after
// the transaction begins, before any statement: false undoes the save
// without a word (the caller tells why), a database failure as above.
// Whatever a hook or a step throws, of any type, undoes the save and is
// reported like a refused statement; the transaction is never left open.
struct OpcionesTransaccion {
    bool IgnoraClaveDuplicada = false;
    std::function<void()> AntesDeConfirmar;
    std::vector<SentenciaRepetida> Repetidas;
    std::function<bool()> AlComenzar;
    // A save with a routine of its own: a failure goes to that routine's
    // operator error box, whose Retry runs the whole save again, in place
    // of the message.
    QString Rutina;
    // The statements must touch a row, as a write through a recordset fails
    // for a row that is gone.
    bool ExigeFila = false;
};
// What a hook throws when the operator, already told of its failure in the
// routine's own box, left the run: the save is undone and its AUX_ERR row
// written, without a second box.
struct FallaAvisada {
    ado::Error Error;
};
void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& ErrorNativo,
                        const OpcionesTransaccion& Opciones);
void EjecutaTransaccion(const QStringList& Sentencias, bool& HuboError, std::int32_t& ErrorNativo,
                        bool IgnoraClaveDuplicada = false,
                        const std::function<void()>& AntesDeConfirmar = {},
                        const std::vector<SentenciaRepetida>& Repetidas = {},
                        const std::function<bool()>& AlComenzar = {});

// ---- Audit and failed-statement rows --------------------------------------------------
// One V_MV_CPTEACCIONES row (A add, M change, B delete); never reports a failure.
void GrabaAccionComprobante(const QString& TC, const QString& IdComprobante,
                            const QString& IdComplemento, bool Alta, bool Modificacion,
                            const QString& Texto, bool EsBaja = false);
// The same row's INSERT, for a save that runs it in its own transaction;
// a failure to build it reaches the caller.
QString SentenciaAccionComprobante(const QString& TC, const QString& IdComprobante,
                                   const QString& IdComplemento, bool Alta, bool Modificacion,
                                   const QString& Texto, bool EsBaja = false);
// One AUX_ERR row for a refused statement; failures go to the caller.
void GrabaErrorAux(const QString& Sentencia, const QString& Proceso, std::int32_t NroError,
                   const QString& Descripcion);

// ---- Voucher numbering by receipt books ---------------------------------------------
// The seven voucher letters.
inline const QString LetrasComprobante = QStringLiteral("A,B,C,E,R,X,M");
// Checks a voucher number against its receipt books (letter, range, expiry);
// may set gTalonario. Fecha empty: no expiry check.
bool ValidaNumeracionComprobante(const QString& TC, const QString& Sucursal, const QString& Numero,
                                 const QString& Letra, QString& Mensaje,
                                 const QString& Fecha = QString());
// Records Numero as the book's last number: at once (ArmaSentencia False),
// never below a higher number already stored, or as statements left in
// Sentencia for the caller's transaction, which set it as given.
void ConsultaComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal,
                         const QString& Numero, QString& Letra, bool ArmaSentencia,
                         QString& Sentencia, bool ForzaControl = false, bool SoloControl = false);
// The direct mode's advance of the book as a statement for the caller's
// transaction, nothing written: Numero finds the book, NumeroSQL (an SQL
// expression, which may read what the same transaction stores) is the number
// the book is to show. Sentencia stays empty when the book serves another
// branch, which LibroObligatorio reports as no book found; false when a
// failure was reported (no book found, a refused read).
bool SentenciaAvanceComprobante(const QString& TC, const QString& Sistema, const QString& Sucursal,
                                const QString& Numero, const QString& NumeroSQL, QString& Letra,
                                QString& Sentencia, bool LibroObligatorio = false);

// ---- Point-of-sale reach test and replication ----------------------------------------
// Logs the point-of-sale object (gDatosRemoto) into a point of sale's database
// (server in the two-part "name/server" form allowed) and marks its V_TA_TPV
// row by Codigo: CONECTADO 1 when it answered; else CONECTADO 0, the time of
// the attempt in ULTIMA_DETECCION and the kinds of data the running program
// leaves pending. An empty Codigo marks nothing. True when it answered; the
// object stays connected then.
bool ConectaBaseRemota(const QString& Servidor, const QString& Base, const QString& Usuario,
                       const QString& Password, const QString& Codigo);
// File names (without folder and extension) of the suite's master-data
// programs, by the pending flags a point of sale they could not reach gets.
// None by default: this program leaves nothing pending.
struct ProgramasMaestros {
    QStringList Clientes;  // customers: PEND_CLIENTES, PEND_PROVEEDORES
    QStringList Tablas;    // reference tables and sellers: PEND_TABLAS
    QStringList Articulos; // articles and data grids: PEND_ARTICULOS, PEND_PRECIOS
};
void setProgramasMaestros(const ProgramasMaestros& Programas);
// Hands the replication module (ModGruposEmp) the services of this module;
// the start-up calls it.
void InstalaReplicacion();

// ---- Start-up ---------------------------------------------------------------------------
// Prepares the run from the command line: INI preferences, the connection,
// the lookup object, the run-wide settings and the access-log row. Called
// once, before any other use of the database. A failure ends the program.
void IniciaSistema();
// The parameter string: the program's arguments joined by blanks, unless a
// text was set (an empty optional goes back to the arguments).
QString LineaComandos();
void setLineaComandos(const std::optional<QString>& Linea);
// Value of one "@Key=value;" entry of a parameter string: the key in any
// letter case, as a whole key followed by "=" (blanks may stand between);
// the value up to the next ";", trimmed. "" when absent or without its ";".
QString ValorParametro(const QString& Linea, const QString& Clave);
// The lookup object lives above this module: whoever links it installs how
// the start-up hands it the connection string, the query-mask switch and the
// query-mask file. Without one the start-up leaves lookups alone.
using PreparaConsultas =
    std::function<void(const QString& ConnString, bool UsarMascaras, const QString& RutaMascara)>;
void setPreparaConsultas(PreparaConsultas Prepara);

// ---- Process rights and access log --------------------------------------------------------
// Looks up the run's user's right to this program and writes the run's
// Control_Acceso row (its ID goes to gIdControlAcceso). Without the right and
// with Avisar the program ends with a message; otherwise it goes on. A blank
// or omitted Proceso logs the executable name.
void ControlaAccesoProceso(const std::optional<QString>& Proceso, bool Avisar);

// ---- Reports and sibling programs -----------------------------------------------------------
// The run's report component, created on first use; reset for tests.
ClsReporte& gReporte();
void resetReporte();
// Runs the named report through the report runner (CN000R), after checking
// that the runner is installed beside the program. A blank name does nothing.
void ImprimeReporte(const QString& Menu);
// The parameter string handed to a sibling program, one entry per argument:
// ";", "@server=..;", "@dbname=..;", "@usuario=..;", "@Password=..;",
// "@ParametroAdicional=..;", "kovu@", ";" (joined by blanks, the suite's text).
QStringList ParametrosProceso(const QString& ParametroAdicional);
// Starts the sibling program named by Opcion from its seventh character on
// ("SHELL:V_TA_TABLAS") with the connection values. IdTarea is its process
// number, 0 (after a message) when it could not start. A program that is not
// there raises error 53.
void EjecutaProcesoExterno(const QString& Opcion, const QString& ParametroAdicional,
                           std::int32_t& IdTarea);

} // namespace CNStuffContable

namespace LBM_Common1 {
// "0003-00001234A": branch with four digits, number with eight, first letter.
QString FormateaNroComprobante(const QString& Sucursal, const QString& Numero,
                               const QString& Letra);
// Appends one connection to BASES.TXT in the program folder (startup/bases_txt.h):
// the password obfuscated, a "#" after the server of an Oracle connection.
// Duplicates are not checked. A field the file cannot carry (a comma, a
// double quote, a line break, a character outside the code page) raises
// error 5 and writes nothing; a file that cannot be written raises error 75.
void RegistraConexion(const QString& Clave, const QString& Base, const QString& Usuario,
                      const QString& Password, const QString& Servidor, bool Oracle);
} // namespace LBM_Common1
