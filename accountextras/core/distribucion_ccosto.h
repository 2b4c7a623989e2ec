#pragma once
// The distribution of a postable account over cost centres: each line names
// a centre (TA_CCOSTO) and the percentage of the account's amounts it takes.
// An account has one general distribution (MA_CUENTASCCOSTO, which also keeps
// the account's two flags) and one per business unit
// (MA_CUENTASCCOSTO_UNEG). A distribution need not reach 100: each
// percentage and the total stay between 0 and 100.
//
// Lines are kept as the grid shows them: element n of a line vector is grid
// row n, element 0 is never a line. Percentages are texts as typed, read
// with the regional decimal separator, each one decimal value of at most
// DecimalesPorcentaje decimals: the checks add them exactly, and what they
// judged is what is stored.
//
// A save or a delete touches one distribution (the general one, or one
// unit's) and runs as one transaction; the copies in the other databases of
// the company are brought into line only after it committed. Inside it the
// account is checked again, and what the window loaded must still be stored
// as it was: another user's change since is refused, never overwritten.

#include "accountextras/core/resultado.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <vector>

namespace ccosto {

using cuentasadic::Resultado;

inline const QString TablaGeneral = QStringLiteral("MA_CUENTASCCOSTO");
inline const QString TablaUnidades = QStringLiteral("MA_CUENTASCCOSTO_UNEG");

// Refusals of a typed value, with the title TituloAviso.
inline const QString TituloAviso = QStringLiteral("Aviso al Operador");
inline const QString MsgCentroInexistente = QStringLiteral("Codigo_Inexistente");
inline const QString MsgCentroTitulo = QStringLiteral("El centro de Costos es Titulo, seleccione "
                                                      "otro!");
inline const QString MsgCentroRepetido = QStringLiteral("El centro de Costo ingresado ya fue "
                                                        "informado anteriormente");
inline const QString MsgRangoPorcentaje =
    QStringLiteral("El porcentaje debe estar en un rango de 0 a 100");
inline const QString MsgSumaPorcentajes =
    QStringLiteral("La suma de los porcentajes debe estar entre 0 y 100");
inline const QString MsgSumaTotal =
    QStringLiteral("La suma de los porcentajes debe estar en un rango de 0 a 100");
// An account whose distribution is applied without asking the user.
inline const QString MsgSumaIncompleta =
    QStringLiteral("La suma de los porcentajes debe completar el 100%");
inline const QString MsgSinCuenta = QStringLiteral("Debe Ingresar una Cuenta");
inline const QString MsgCuentaInexistente = QStringLiteral("La cuenta es inexistente");
inline const QString MsgCuentaTitulo = QStringLiteral("La Cuenta debe ser imputable");
// A save that finds the distribution otherwise than the window loaded it.
inline const QString MsgDistribucionCambiada =
    QStringLiteral("La distribución de la cuenta fue modificada por otro usuario después de "
                   "cargarla. Cárguela nuevamente para ver sus datos actuales.");
inline const QString TituloCambio = QStringLiteral("Aviso al operador...");

struct LineaCCosto {
    QString CCosto;
    QString Descripcion;
    QString Porcentaje;
};
using Lineas = std::vector<LineaCCosto>;

// A line takes part in the distribution when its code holds a value.
bool LineaUsada(const LineaCCosto& Linea);

// Decimals a percentage may have: three thirds of 100 (33,33333 + 33,33333
// + 33,33334) fit the edit box.
inline constexpr int DecimalesPorcentaje = 5;
// A percentage as typed, in units of 1/10^DecimalesPorcentaje: digits, an
// optional leading "-" and at most one decimal separator (the regional one,
// or ".") followed by at most DecimalesPorcentaje digits. std::nullopt when
// the text is no such number; a blank text reads as 0.
std::optional<std::int64_t> LeePorcentaje(const QString& Texto);
// Units as the window shows them ("33,33333", "100"), and as an SQL number.
QString TextoPorcentaje(std::int64_t Unidades);
QString NumeroPorcentaje(std::int64_t Unidades);
// The exact total of the lines that take part, in the same units.
std::int64_t SumaPorcentajes(const Lineas& L);

// What a save or a delete of one distribution overwrites, as it was read:
// its lines, and the flags on the account's general rows (a unit's save
// writes them there too). Compared, never shown.
struct Guardada {
    QStringList Lineas;
    QStringList Banderas;
    bool operator==(const Guardada&) const = default;
};

// A distribution as stored.
struct Distribucion {
    // Lines of the distribution asked for.
    bool HayFilas = false;
    // The account's flags, kept in the general table whichever distribution
    // was asked for; false when the account has no general row.
    bool PideConfirmacion = false;
    bool VariablePorUD = false;
    Lineas Filas{LineaCCosto{}}; // element 0 unused
    // The same rows as a save finds them.
    Guardada Leida;
};

// The distribution of Cuenta: the general one when Unidad is empty, else
// that business unit's, in cost-centre order, each share as the window
// shows it. A flag stored Null reads as set. Read failures reach the
// caller.
Distribucion LeeDistribucion(const QString& Cuenta, const QString& Unidad);
// Only what a save compares (Distribucion::Leida), read the same way.
Guardada LeeGuardada(const QString& Cuenta, const QString& Unidad);

// Checks of one typed value. Each returns the refusal's text, empty when the
// value passes.
//
// A cost centre typed on row Fila: it must exist, not be a title and not be
// on another line (letter case ignored). On success Codigo holds the code
// as the table keeps it and Descripcion its description; a blank value
// passes with both empty.
QString ValidaCentro(const Lineas& L, int Fila, const QString& Valor, QString& Codigo,
                     QString& Descripcion);
// A percentage between 0 and 100, both allowed.
QString ValidaPorcentaje(const QString& Valor);
// The exact total of the lines that take part, between 0 and 100: the check
// of every typed percentage, and again of a save.
bool VerificarSumaPorcentajes(const Lineas& L, QString& Mensaje);
// The same total as a save checks it, which must be 100 when Completa (the
// percentages are not confirmed by the user when the account is posted, so
// the whole amount must be spread) and the distribution has a line: one
// without lines spreads nothing.
QString VerificaSumaTotal(const Lineas& L, bool Completa = false);

// A line refused by the check before a save: its row, the grid column of
// the value (1 centre, 3 percentage) and the refusal.
struct Rechazo {
    int Fila = 0;
    int Columna = 0;
    QString Mensaje;
};
// Every used line again (centre and percentage), then the total with the
// text the grid gives, then VerificaSumaTotal.
std::optional<Rechazo> VerificaLineas(const Lineas& L, bool Completa = false);

// The account box: given, existing, postable. On success Descripcion holds
// the account's description.
QString ValidaCuenta(const QString& Codigo, QString& Descripcion);

// The account has cost-centre movements (a MV_ASIENTOSCCOSTO row with an
// amount). Read failures reach the caller.
bool TieneMov(const QString& Cuenta);

// The save of one distribution: its rows deleted, the used lines inserted.
// The general distribution's rows carry the flags and the time Ahora; a
// unit's save also writes the flags onto the account's general rows, where
// they are kept. An account whose distribution goes by business unit alone
// keeps them on a general row without a cost centre (CCOSTO ' ', share 0),
// which is no line of any distribution and goes with its last unit line.
struct Grabacion {
    QString Cuenta;
    QString Unidad; // empty: the general distribution
    Lineas Filas;
    bool PideConfirmacion = false;
    bool VariablePorUD = false;
    QDateTime Ahora;
    // The distribution as the window loaded it; nothing: not compared.
    std::optional<Guardada> Cargada;
};
QStringList SentenciasGrabacion(const Grabacion& G);
// The delete of one distribution (G's lines are not read). A general delete
// on an account that keeps unit lines leaves its flags (G's, as loaded) on
// the row of no cost centre.
QStringList SentenciasBaja(const Grabacion& G);

// Checks every used line and the exact total (100 when PideConfirmacion)
// and refuses the first that fails, naming its row and its column (CCOSTO
// or PORCENTAJE). Then runs the statements as one transaction (the operator
// is told of a failure, and nothing is stored) and, once committed,
// replicates the distribution: its copies deleted, then every stored row
// written (and, for a unit's change, the account's general rows again).
// A failure of the replication leaves the save done. Inside the transaction
// an account no longer postable is refused with the account box's text, and
// a distribution that is not G.Cargada any more with
// MsgDistribucionCambiada: nothing is written.
Resultado GrabaDistribucion(const Grabacion& G);
Resultado BorraDistribucion(const Grabacion& G);

// A business unit or an account, as the window's lists show them.
struct Elemento {
    QString Codigo;
    QString Descripcion;
};
// The business units, in code order; none when the data object refused the
// read (and told so). Failures while reading reach the caller.
std::vector<Elemento> UnidadesNegocio();
// The accounts with a general distribution, once each, read as the units.
std::vector<Elemento> CuentasAsignadas();
// The sheet of every account's general distribution.
QString SentenciaPlanilla();
// The cost centres' lookup.
QString ConsultaCentros();

} // namespace ccosto
