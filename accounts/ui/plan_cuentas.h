#pragma once
// The chart of accounts as the accounts window lists it: the rows of every
// active account in code order, and the list of title accounts (Combo1) from
// which a new code is proposed. The tree of the same rows is arbol_plan.h.

#include "accounts/core/plan.h"

#include <QHash>
#include <QString>
#include <vector>

class QComboBox;

namespace PlanCuentas {

// Text of a title's entry: an indent of five blanks per code character after
// the first (45 from ten characters on), the description, 300 blanks and the
// code, so that the code reads back from the end and the name from the start.
QString ItemTitulo(const FilaPlan& fila);
// What readers take from an entry: the code (the last 50 characters,
// trimmed) and the name (the first 80, trimmed).
QString CodigoDeItem(const QString& item);
QString NombreDeItem(const QString& item);

// Refills Combo1: an empty first entry, then one entry per title account in
// code order. When the chart gives no row at all the list keeps its entries.
// Failures go to the operator error box ("CargaComboTitulo"). Desde is not
// used. The entries are some 350 characters wide: the list's size should not
// follow its contents. Filas, when given, are the chart's rows already read;
// Posiciones, when given, receives each entry's position by its code (letter
// case folded) whenever the list is refilled.
void CargaComboTitulo(QComboBox* Combo1, const QString& Desde = QString(),
                      const std::vector<FilaPlan>* Filas = nullptr,
                      QHash<QString, int>* Posiciones = nullptr);

} // namespace PlanCuentas
