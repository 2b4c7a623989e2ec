#pragma once
// The chart-of-accounts rules the accounts window and the chart manual rely
// on: which code lengths an account may have as a title or as a postable
// account, the check digit, and whether an account has postings or accounts
// below it; and the two structures kept beside the chart for the suite's
// reports: the hierarchy of the accounts and the cash-flow lines.
//
// Every answer is read from the database and the level configuration at the
// moment of the call; the object keeps nothing. Failures are not trapped:
// they reach the calling routine's handler.

#include "accounts/core/niveles.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

class ClsReglasPlan {
public:
    // Hands every account of the chart that is not dropped, in code order,
    // to Agrega, which puts it in the caller's tree (key "A" and the code).
    void LlenaArbolPlan(
        const std::function<void(const QString& Codigo, const QString& Descripcion)>& Agrega);
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
    // A subledger's account is kept on that one account (a postable account
    // of the chart) rather than on the accounts below a title.
    bool ValidaSubdiario(const QString& Codigo);

    // Rebuilds MA_CUENTAS_JERARQUIAS from the active chart (JerarquiaPlan),
    // all rows replaced in one transaction. A failure is undone and told by
    // the transaction runner.
    void ActualizaJerarquias();
    // Gives the account its line in the cash-flow structure ([MA_CASH-DETALLE])
    // when it has none; an existing line is kept as it is.
    void ActualizaCashFlow(const QString& Codigo);
};

namespace cuentas {

// One row of MA_CUENTAS_JERARQUIAS.
struct FilaJerarquia {
    QString Codigo;
    int Nivel = 0; // the level the code's length ends; 0 when it ends none
    QString Padre; // the nearest title above; empty at the top
    bool operator==(const FilaJerarquia&) const = default;
};

// An account as the hierarchy reads it.
struct CuentaPlan {
    QString Codigo;
    bool Titulo = false;
};

// The hierarchy of the accounts: each one's level and its parent, the
// longest code among the titles that is a proper prefix of it ending a level
// (codes compared without regard to case).
std::vector<FilaJerarquia> JerarquiaPlan(const std::vector<CuentaPlan>& Cuentas,
                                         const NivelesPlan& Niveles);

} // namespace cuentas
