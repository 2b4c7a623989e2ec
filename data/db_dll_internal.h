#pragma once
// Helpers shared by the data object's source files; not for other folders.

#include "data/db_dll.h"

#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

namespace dbdll {

// Trapping routines run their steps through pasos::RunSteps (data/pasos.h).
using pasos::OnError;
using pasos::ResumeFor;
using pasos::RunSteps;
using pasos::Step;

// Trim of the original runtime: blanks only, not line breaks or tabs.
QString Trim(const QString& s);
QString LTrim(const QString& s);
QString RTrim(const QString& s);

// Error numbers are 32-bit in the original; 0x80004005 shows as -2147467259.
inline std::int32_t ErrLong(long n) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(n));
}
inline bool SameErr(long a, long b) {
    return ErrLong(a) == ErrLong(b);
}

bool ContainsCI(const QString& text, const QString& what);
// Every occurrence of `what`, letter case ignored, replaced by `with`.
QString ReplaceCI(const QString& text, const QString& what, const QString& with);

// Whether position i of a statement lies inside a quoted literal ('...'), a
// quoted name ([...], "...") or a comment.
std::vector<bool> DentroDeLiteral(const QString& sql);
// The "@Admin_" marker (any case) in a statement, outside quoted literals: a
// value that holds the text is data, not a marker.
bool TieneMarcaAdmin(const QString& sql);
// The statement with every such marker removed.
QString QuitaMarcaAdmin(const QString& sql);
// Every occurrence of `what` (any case) outside quoted literals replaced by `with`.
QString ReplaceFueraDeLiterales(const QString& sql, const QString& what, const QString& with);

} // namespace dbdll
