#pragma once
// Account codes as the accounts window treats them: judging a typed code,
// its check digit, the code a title or postable account may have, the title
// above a code and the next free code under a title. The window calls these
// from its field checks and from leaving the title list; none of them
// touches a control.

#include <QString>

class ClsReglasPlan;

namespace cuentas {

// The code as it is looked up and judged: trimmed, every "-" removed.
QString CodigoSinGuiones(const QString& Texto);

// Outcome of judging a typed code, in the order the checks run.
enum class JuicioCodigo {
    Valido,
    Alfanumerico,   // letters while CUENTASALFANUMERICAS is not "SI"
    CantidadDigitos // a length the level structure does not allow
};
// Judges a code as typed ("-" allowed).
JuicioCodigo JuzgaCodigo(const QString& Codigo, ClsReglasPlan& Reglas);
// The refusal's text of a judgement (empty for Valido).
QString MensajeJuicio(JuicioCodigo Juicio);

// What LblDV shows: the check digit of a postable code, "0" for a title.
QString TextoDigitoVerificador(const QString& Codigo, bool Titulo, ClsReglasPlan& Reglas);

// Before a save: the code as shown in the code field may be of the chosen
// kind. On False Mensaje holds the text to show.
bool ValidaCodigoSegunTipo(const QString& CodigoMostrado, bool Titulo, ClsReglasPlan& Reglas,
                           QString& Mensaje);

// True when Codigo is an active account; Nombre then receives the
// description of the nearest active title whose code begins Codigo (empty
// when there is none). False leaves Nombre unchanged. Database failures
// reach the caller.
bool ExisteNivelSuperior(const QString& Codigo, QString& Nombre);

// The code IdentificaCuenta proposes under a title: the title followed by
// the lowest number of the level below it that no row of MA_CUENTAS holds
// (dropped accounts count as taken), written with that level's width.
// When the level is full the operator is asked whether to go on under the
// next title (the title's number plus one, same width); No, or no next
// title, gives the first number that no longer fits the level, which the
// code check then refuses. Empty when the title is empty, or when its
// length ends no level or no level follows it. Read failures are passed
// over, as the window's routine does.
QString ProponeCodigoLibre(const QString& Titulo);

} // namespace cuentas
