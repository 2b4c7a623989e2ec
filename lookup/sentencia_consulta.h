#pragma once
// Statement work of the list lookup: the table a SELECT reads, its clauses
// found outside literals and comments, and the server filter of a search
// combo. The typed text always goes in as a quoted LIKE pattern whose
// wildcard characters are escaped, so it can neither end the literal nor
// match more than it says.

#include "platform/win/clsutilidades.h"

#include <QString>
#include <QStringList>

namespace sentenciaconsulta {

// The escape character of the LIKE conditions built here.
inline constexpr char16_t kEscape = u'\\';

// Start of the first occurrence of the words (in order, blanks or comments
// between them) outside literals and comments, letter case ignored; -1 when
// there is none.
qsizetype PosicionClausula(const QString& sql, const QStringList& palabras);

// The name after the first FROM, up to the next blank; empty without FROM.
QString TablaDeSentencia(const QString& sql);

// The typed text as a LIKE pattern that matches it literally: "%", "_", the
// escape character and, but on Oracle, "[" are escaped.
QString EscapaLike(const QString& texto, MotorSQL motor);

// The pattern of a server search. Contains-anywhere: blanks separate words
// that must appear in that order anywhere in the value. Prefix: the value
// starts with the text, where a typed "*" stands for any run of characters.
QString PatronBusqueda(const QString& texto, bool contiene, MotorSQL motor);

// A server search on one column, built on the current statement.
struct Filtro {
    QString sql;       // the new statement
    QString sqlActual; // the statement without its tail, as the filter found it
    QString cola;      // ORDER BY / GROUP BY tail put back after the filter
};

// Adds "column LIKE pattern" to `sql` before its GROUP BY / ORDER BY tail.
// `sqlActual` is what the statement without a tail is taken to be when
// `sql` has none. Columns of the article views get their view's prefix.
Filtro FiltroServidor(const QString& sql, const QString& sqlActual, const QString& campo,
                      const QString& texto, bool contiene, MotorSQL motor);

// The statement selects its rows with TOP.
bool ConTop(const QString& sql);

// The statement sorted by the database on its select list's column
// `columna` (1-based), in place of its own ORDER BY, whose keys follow as
// ties' order.
QString OrdenServidor(const QString& sql, int columna, bool descendente);

} // namespace sentenciaconsulta

#include <QVariant>
#include <optional>
#include <vector>

namespace sentenciaconsulta {

// One column of the list's order: its place in the select list (0-based).
struct Clave {
    int columna = 0;
    bool descendente = false;
    // A date column: on the embedded engine compared and sorted as the
    // instant its text names, whatever form another program wrote it in.
    bool fecha = false;
};

// The statement's own ORDER BY as keys over its select list `nombres`, with
// every other column after them as ties' order, so that no two different
// rows tie. Nothing when a key is no column of the list or a name could not
// be named from an outer query (empty, repeated).
// Columns marked false in `ordenables` (long texts, which a server does not
// compare) are no ties' order.
std::optional<std::vector<Clave>> OrdenDeSentencia(const QString& sql, const QStringList& nombres,
                                                   const std::vector<bool>& ordenables = {});

// The keys of a header sort: `columna` first, the former order after it.
std::vector<Clave> OrdenPorColumna(const std::vector<Clave>& claves, int columna, bool descendente);

// Where a read by keys starts, relative to a row's values: from the first
// row, after it, at it, before it (nearest first), at it and before it
// (nearest first), the rows before it in the keys' order, or from the last
// row backwards.
enum class Desde { Principio, Despues, En, Antes, AntesEn, Hasta, Final };

// The statement's rows in the keys' order: the rows its TOP selects are
// chosen first, by its own order, and then read in the keys'. From the row
// `valores` on (after it, at it, or before it, nearest first), with the
// extra `condicion` on the outer query's columns and at most `top` rows (0:
// all).
QString SentenciaPorClaves(const QString& sql, const QStringList& nombres,
                           const std::vector<Clave>& claves, Desde desde,
                           const std::vector<QVariant>& valores, MotorSQL motor,
                           const QString& condicion = QString(), int top = 0);

// The statement's rows in no order: the cheapest read of how many there are.
QString SentenciaSinOrden(const QString& sql);

// The outer query's name of a column of the list.
QString Columna(const QString& nombre, MotorSQL motor);

// A value as a literal of the engine.
QString Literal(const QVariant& valor, MotorSQL motor);

// A condition that holds at least for the rows whose column `nombre` starts
// with `texto`, letter case ignored. On the embedded engine a text column is
// bounded on both sides in its own case-blind order, so that an index serves
// and a scan compares no pattern; elsewhere it is a LIKE.
QString CondicionPrefijo(const QString& nombre, const QString& texto, bool esTexto, MotorSQL motor);

} // namespace sentenciaconsulta
