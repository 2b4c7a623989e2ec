#pragma once
// Storing and deleting an account without the window: the row and what the
// chart keeps beside it go in as values; what happened comes out.
//
// A save writes the account's row, its audit row, its first cost-centre row
// and the user-group rights it lacks in one transaction; the configuration
// keys of its means of payment and the copies in the company's other
// databases follow only once it is committed. A delete removes the row with
// everything kept under its code, and its audit row, in one transaction; an
// account other rows still name is dropped by its flag instead, with its
// audit row in the same transaction.

#include "accounts/core/cuenta.h"

#include <QString>
#include <optional>
#include <utility>
#include <vector>

class ClsReglasPlan;

namespace cuentas {

// The columns of an account's row that a save writes, with their values as
// read: a save expects to find them as the window loaded them.
struct FilaGuardada {
    std::vector<std::pair<QString, QVariant>> Valores;
    // The value of a column (letter case ignored); nullptr when not read.
    const QVariant* valor(const QString& Columna) const;
};
// Those columns of the row on which Rs stands.
FilaGuardada LeeFilaGuardada(const ado::RecordsetPtr& Rs);

// What came of a save, a delete or a drop.
struct Desenlace {
    enum class Estado {
        Hecho,       // stored (or deleted)
        Rechazado,   // refused before anything was written: Mensaje tells why
        NoConvierte, // the value of Campo is not of its column's type; nothing written
        Fallido,     // failed and nothing written; the error was shown
        DadaDeBaja,  // the delete could not be done: the account was dropped by its flag
        Reutilizar,  // another user dropped the account since it was loaded; Actual
                     // holds its row, which a save that reuses it expects
    };
    Estado estado = Estado::Hecho;
    // A refusal: the system's text and its box's style and title.
    QString Mensaje;
    int Estilo = 0;
    QString Titulo;
    // The column whose field takes the focus (a refusal, a value that does
    // not convert); empty for none.
    QString Campo;
    // Reutilizar: the dropped row as the save found it.
    std::optional<FilaGuardada> Actual;

    bool hecho() const { return estado == Estado::Hecho; }
};

// What the save needs beside the row to keep the cost-centre row in line.
struct SatelitesCuenta {
    bool CCostosHabilitado = true; // the user could change the cost-centre box
    QString CCostoPorDefecto;      // the first cost centre of TA_CCOSTO
};

// Saves the account: a new one (Nueva) is inserted, an existing one updated
// by its code. Columnas gives the columns' types (the window's recordset
// over MA_CUENTAS); null opens one. The audit row names the stored code and
// C.Codigo as shown.
// Inside its transaction the save reads the row again: a new account whose
// code another user stored meanwhile is refused as a duplicate; an existing
// one must still hold Cargada (the row as loaded; nothing: not compared),
// else the save is refused as changed or deleted by another user, or, when
// another user dropped it, comes back as Reutilizar.
Desenlace GrabaCuenta(const Cuenta& C, bool Nueva, const SatelitesCuenta& S, ClsReglasPlan& Reglas,
                      ado::RecordsetPtr Columnas = nullptr,
                      const std::optional<FilaGuardada>& Cargada = std::nullopt);

// The refusal of a delete before it is asked for: an account with lower
// levels stays. Hecho when it may be deleted.
Desenlace PuedeBorrarse(const QString& Codigo, ClsReglasPlan& Reglas);
// Deletes the account (Codigo without "-"; CodigoMostrado as the window
// shows it, for the audit row) with its additional data, cash-flow lines,
// cost-centre shares and user-group rights, and has the delete repeated in
// the other databases. One that journal lines or other rows name is dropped
// by its flag instead (BajaLogica).
Desenlace BorraCuenta(const QString& Codigo, const QString& CodigoMostrado, ClsReglasPlan& Reglas);
// Drops the account by its flag when it has no postings in the current
// fiscal year and no opening balance; the flag and the audit row in one
// transaction, then the copies. DadaDeBaja when it was dropped.
Desenlace BajaLogica(const QString& Codigo, const QString& CodigoMostrado);

} // namespace cuentas
