#pragma once
// What every engine reads from a statement's text before running it, and
// the errors both engines give for transaction commands out of place
// (engine.cpp).

#include "platform/ado/ado.h"
#include <QString>

namespace ado {

enum class TransactionCommand { None, Begin, Commit, Rollback };

// "BEGIN TRAN[SACTION]", "COMMIT [TRAN[SACTION] | WORK]", "ROLLBACK ..."
TransactionCommand transactionCommand(const QString& stmt);
// "SET NOCOUNT ON|OFF"
bool isNoCount(const QString& stmt);
// INSERT, UPDATE, DELETE: the statements whose rows RecordsAffected counts.
bool isDml(const QString& sql);

// COMMIT or ROLLBACK without a transaction, as the server refuses it.
Exception noTransaction(TransactionCommand command);

} // namespace ado
