#pragma once
// The chart of accounts as the accounts window and the chart manual read it:
// the rows of the active accounts in code order, from which the tree and the
// title list are built.

#include <QString>
#include <optional>
#include <vector>

// One account of the chart as the list and the tree read it.
struct FilaPlan {
    QString Codigo;
    QString Descripcion;
    bool Titulo = false;
};

namespace PlanCuentas {

// The rows' statement: accounts not dropped, in code order; customer ("CL")
// and supplier ("PR") accounts only when the key "PlanCuentas_ClyPr" holds
// something other than "NO" (absent or blank reads as "NO").
QString SentenciaPlan();
// Its rows; none when it gives none. The data object reports its own failures.
std::vector<FilaPlan> LeePlan();
// The chart manual's rows: every account not dropped, in code order; with
// Desde, only codes of at least that many characters. Without the title
// flag.
std::vector<FilaPlan> LeePlanManual(std::optional<int> Desde);

} // namespace PlanCuentas
