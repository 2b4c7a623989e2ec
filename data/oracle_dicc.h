#pragma once
// SQL Server to Oracle: the statement rewriting of the data object's Oracle
// road and the cutting of a script into statements. Pure text work; the data
// object decides when it applies (DB_Dll::ORACLE_Dicc, the script runner).
//
// Quoted literals are data: no rule looks inside one, except the one that
// turns a date literal into TO_DATE, and a script is never cut inside one.

#include <QString>
#include <optional>

namespace oracle {

// One statement in Oracle's dialect:
//  - TOP n: a ROWNUM limit, in an inline view when the select orders or
//    groups (so the rows are the first n of the order, counted after the
//    grouping); TOP 100 PERCENT goes.
//  - LEN( -> LENGTH(, [name] -> "name", CHARINDEX(a, b) -> InStr(b, a),
//    CONVERT(NVARCHAR, -> TO_CHAR(, CONVERT(INT, -> TO_NUMBER(, style 103 of
//    TO_CHAR -> 'DD/MM/YYYY', SUBSTRING( -> SUBSTR(, ISNULL( -> NVL(.
//  - A date literal ('31/12/2020', '2020-12-31') -> TO_DATE('31/12/2020',
//    'DD/MM/YYYY'); one that is already TO_DATE's argument stays.
//  - After WHERE, "= ''" -> " IS NULL "; anywhere, "<> ''" -> " IS NOT NULL"
//    (Oracle's empty text is NULL).
//  - Forms of SQL Server alone: table hints (with(nolock)) and owners (dbo.T,
//    [db].DBO.T) go; GETDATE() -> SYSDATE; YEAR(x), MONTH(x), DAY(x) ->
//    EXTRACT(YEAR FROM x); FORMAT(n, '0000') -> TO_CHAR(n, 'FM0000');
//    #31/12/2020# -> TO_DATE(...); a SELECT without FROM reads FROM DUAL.
// An unclosed quote raises the runtime's error 5.
QString rewriteStatement(const QString& sql);

// The script without SET NOCOUNT and GO separators, carriage returns made
// blanks, and the transaction commands spelled SET TRANSACTION, COMMIT and
// ROLLBACK.
QString normalizeScript(const QString& script);

struct ScriptCut {
    QString statement; // trimmed
    QString rest;      // what follows it, trimmed
};
// The first statement of a normalised script: from its first statement
// keyword (INSERT, DELETE, UPDATE, CREATE, DROP, ALTER, SET TRANSACTION,
// COMMIT, ROLLBACK, IF [NOT] EXIST, GRANT) up to the next one. Text before
// the first keyword is skipped. Nothing when no keyword is left.
std::optional<ScriptCut> nextStatement(const QString& script);

// A statement only SQL Server understands: SET NOCOUNT, IF NOT EXIST.
bool isServerOnly(const QString& statement);

} // namespace oracle
