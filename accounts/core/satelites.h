#pragma once
// The tables the chart keeps or reads beside MA_CUENTAS, as the accounts
// window's checks, save and delete use them: the user groups that see an
// account, the cash-flow lines that name it, the staff files bound to it,
// the optional code's uniqueness, the account's first cost-centre row and
// the delete statements. Every value goes into the statements as a quoted
// literal.

#include <QString>
#include <QStringList>

namespace cuentas {

// ---- MA_CUENTAS_USUARIOS ------------------------------------------------------
// The groups a new account inherits: those of the accounts whose codes are
// proper prefixes of its own; a new level-1 account for which there are
// none gets every non-empty group of TA_USUARIOS.
QStringList GruposDeCuentaNueva(const QString& Codigo);
// Gives a new account those groups, one row each, each row repeated in the
// company's other databases.
void AgregaGruposCuentaNueva(const QString& Codigo);

// ---- [MA_CASH-DETALLE] -----------------------------------------------------------
// The cash-flow structure names the account.
bool EstaEnCashFlow(const QString& Codigo);
// Deletes the account's cash-flow lines, at once and on its own.
void BorrarCashFlow(const QString& Codigo);

// ---- P_MA_LEGAJOS --------------------------------------------------------------------
// A staff file is bound to the account; its file number and company then.
bool LegajoDeCuenta(const QString& Codigo, QString& Legajo, QString& IdEmpresa);
QString MensajeLegajo(const QString& Legajo, const QString& IdEmpresa);
inline const QString TituloAvisoUsuario = QStringLiteral("Aviso al Usuario");

// ---- CodigoOpcional ---------------------------------------------------------------------
// Another account (dropped ones included) has this optional code, both
// compared as stored, without "-"; its code and description then.
bool CodigoOpcionalRepetido(const QString& CodigoOpcional, const QString& Codigo,
                            QString& OtroCodigo, QString& OtraDescripcion);
QString MensajeCodigoOpcionalRepetido(const QString& OtroCodigo, const QString& OtraDescripcion);

// ---- MA_CUENTASCCOSTO ------------------------------------------------------------------
// Keeps the cost-centre box and the rows in line after a postable account is
// saved: a ticked box without rows gets one row for the default cost centre
// at 0 %; an unticked enabled box loses the rows. Runs directly on the
// connection, outside any transaction; failures reach the caller.
void ActualizaCCostoCuenta(const QString& Codigo, bool Tildado, bool Habilitado,
                           const QString& CCostoPorDefecto);

// ---- Delete -------------------------------------------------------------------------------
// The account's row with everything kept beside it under its code: its
// additional data, cash-flow lines, cost-centre shares and user-group
// rights, for one transaction.
QStringList SentenciasBajaCuenta(const QString& Codigo);
// Repeats that delete in the company's other databases (the cash-flow lines
// are not kept there by account).
void ReplicaBajaCuenta(const QString& Codigo);

} // namespace cuentas
