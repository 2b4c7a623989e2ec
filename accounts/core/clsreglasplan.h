#pragma once
// The chart-of-accounts rules the accounts window and the chart manual rely
// on: which code lengths an account may have as a title or as a postable
// account, the check digit, and whether an account has postings or accounts
// below it.
//
// Every answer is read from the database and the level configuration at the
// moment of the call; the object keeps nothing. Failures are not trapped:
// they reach the calling routine's handler.

#include <QString>
#include <cstdint>

class ClsReglasPlan {
public:
    // Check digit of a code (without "-").
    std::int16_t DigitoVerificador(const QString& Codigo);
    // Journal-entry lines are posted to the account.
    bool TieneMovimientos(const QString& Codigo);
    // The code (as shown, "-" allowed) may be a postable account: its length
    // ends a level. On False Mensaje holds the text to show.
    bool ValidaCodigoImputable(const QString& Codigo, QString& Mensaje);
    // The code may be a title: its length ends a level and a level follows
    // it. On False Mensaje holds the title refusal's text.
    bool ValidaCodigoTitulo(const QString& Codigo, QString& Mensaje);
    // The code's length is one the level structure allows.
    bool ValidaCantidadDigitos(const QString& Codigo);
    // Accounts with a longer code beginning with this one exist (dropped
    // ones included: they are still rows under it).
    bool TieneSubcuentas(const QString& Codigo);
};
