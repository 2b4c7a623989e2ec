#pragma once
// The launcher of lookups by table or view name: it knows the usual
// description, code and extra columns of the suite's tables and views (and
// rules for families of names), and how the lookup over them is opened.

#include <QString>
#include <optional>

namespace Def_QConsulta {

// Default columns of the table or view TB (letter case ignored): Rsp the
// description column(s), Cl1 the code column, Cl2 the extra column.
// "TA_COMPROBANTES" and "V_TA_Cpte" also turn TB into "VT_TA_Cpte". A name
// that no row or rule covers leaves all four as the caller passed them.
void ColumnasPorDefecto(QString& TB, QString& Rsp, QString& Cl1, QString& Cl2);

// The mask-file rule: "consultas.zub" is in the program folder and the
// program is none of talvoc, zmt and kqtrans.
bool AplicaArchivoMascaras();

// The lookup QConsulta opens: set the lookup object's CampoDevuelto, then
// run its ConsultaSearch with SQL, no returned-columns list, an empty key
// and search column, Where, SentenciaOpcional, no tree and no default
// values. The chosen value's text (empty when cancelled) goes back in Cl1.
struct LlamadaConsulta {
    QString CampoDevuelto;
    QString SQL;
    QString Where;
    QString SentenciaOpcional;
};

// Fills the columns as ColumnasPorDefecto does and decides the lookup:
// under the mask-file rule the bare name, with SQLWHERE as filter and the
// two-column statement for a table without a mask; else, with CmpDisplay,
// the two-column statement (a blank Rsp becomes " * "). std::nullopt: no
// lookup opens and the caller keeps the column names.
std::optional<LlamadaConsulta> PreparaQConsulta(QString& TB, QString& Rsp, QString& Cl1,
                                                QString& Cl2, bool CmpDisplay,
                                                const QString& SQLWHERE);

// Opens the lookup of the table or view TB with its usual columns (see
// PreparaQConsulta). After a lookup Cl1 holds the chosen code, "" when the
// user cancelled.
void QConsulta(QString& TB, QString& Rsp, QString& Cl1, QString& Cl2, bool CmpDisplay,
               const QString& SQLWHERE);

} // namespace Def_QConsulta
