#pragma once
// The tables the chart keeps or reads beside MA_CUENTAS, as the accounts
// window's checks, save and delete use them: the user groups that see an
// account, the cash-flow lines that name it, the staff files bound to it,
// the optional code's uniqueness, the account's first cost-centre row and
// the delete statements. Every value goes into the statements as a quoted
// literal.

#include "data/mod_gruposemp.h"

#include <QString>
#include <QStringList>

namespace cuentas {

// ---- MA_CUENTAS_USUARIOS ------------------------------------------------------
// The groups a new account inherits: those of the accounts whose codes are
// proper prefixes of its own; a new level-1 account for which there are
// none gets every non-empty group of TA_USUARIOS.
QStringList GruposDeCuentaNueva(const QString& Codigo);
// The rights rows a save adds: for a new account the groups it inherits
// that it has no row for yet; an existing account left without any row
// (a save cut short before the rights were added) gets them as a new one
// does, and one with rows keeps them as they are.
QStringList GruposQueFaltan(const QString& Codigo, bool Nueva);
// The row of one group, for the save's transaction, and the change that
// copies it to the company's other databases once the save is committed.
QString SentenciaGrupoCuenta(const QString& Grupo, const QString& Codigo);
ModGruposEmp::Cambio CopiaGrupoCuenta(const QString& Grupo, const QString& Codigo);

// ---- [MA_CASH-DETALLE] -----------------------------------------------------------
// The cash-flow structure names the account (matched as the delete matches
// it, by the trimmed CUENTA).
bool EstaEnCashFlow(const QString& Codigo);

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
// What keeps the cost-centre box and the rows in line when a postable
// account is saved, for the save's transaction: a ticked box without rows
// gets one row for the default cost centre at 0 %; an unticked enabled box
// loses the rows; otherwise nothing.
QStringList SentenciasCCostoCuenta(const QString& Codigo, bool Tildado, bool Habilitado,
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
