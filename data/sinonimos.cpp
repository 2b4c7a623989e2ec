// Restricted views: a non-administrator's statement names the SS_ view
// instead of the table.

#include "data/db_dll.h"

#include "data/db_dll_internal.h"
#include "data/runwide.h"
#include "platform/sql/lexer.h"
#include "platform/vb/vb.h"

using namespace dbdll;

namespace {

// Every name of the table (a bare word, or a quoted name "..." [...] `...`,
// letter case ignored, with or without its owner before it) becomes the
// view's name, in the same quotes. Literals, comments, longer names and
// marked names ("@Admin_...") are other tokens and stay as they are.
QString Reemplaza(const QString& texto, const QString& tabla, const QString& vista) {
    QString salida;
    qsizetype copiado = 0;
    for (const sqltext::Token& t : sqltext::lex(texto)) {
        QString nombre;
        if (t.kind == sqltext::TokenKind::Word &&
            t.text(texto).compare(tabla, Qt::CaseInsensitive) == 0) {
            nombre = vista;
        } else if (t.kind == sqltext::TokenKind::Ident &&
                   sqltext::unquoted(texto, t).compare(tabla, Qt::CaseInsensitive) == 0) {
            const QChar abre = texto.at(t.begin);
            nombre = abre + vista + (abre == u'[' ? QChar(u']') : abre);
        } else {
            continue;
        }
        salida += texto.mid(copiado, t.begin - copiado) + nombre;
        copiado = t.end;
    }
    salida += texto.mid(copiado);
    return salida;
}

bool ProgramaEs(const QStringList& nombres) {
    const QString exe = vb::AppExeName();
    for (const QString& n : nombres)
        if (exe.compare(n, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

QString DB_Dll::SS_TSinonimos(const QString& SQL) const {
    if (gEsAdmin)
        return QuitaMarcaAdmin(SQL);
    if (ContainsCI(SQL, QStringLiteral("MV_ASIENTOS")) && !CNStuffContable::gConfidencialidad)
        return QuitaMarcaAdmin(SQL);

    QString s = Reemplaza(SQL, QStringLiteral("MA_CUENTAS"), QStringLiteral("SS_MA_CUENTAS"));
    s = ReplaceFueraDeLiterales(s, QStringLiteral("@Admin_MA_CUENTAS"),
                                QStringLiteral("MA_CUENTAS"));
    if (!ProgramaEs(programasStock()))
        s = Reemplaza(s, QStringLiteral("V_TA_DEPOSITO"), QStringLiteral("SS_V_TA_DEPOSITO"));
    s = Reemplaza(s, QStringLiteral("MV_ASIENTOS"), QStringLiteral("SS_MV_ASIENTOS"));
    if (!ProgramaEs({QStringLiteral("KQTRANS"), QStringLiteral("ZMT")}))
        s = Reemplaza(s, QStringLiteral("V_TA_FAMILIAS"), QStringLiteral("SS_V_TA_FAMILIAS"));
    s = Reemplaza(s, QStringLiteral("V_TA_CAJAS"), QStringLiteral("SS_V_TA_CAJAS"));
    s = Reemplaza(s, QStringLiteral("AC_CUENTASDIARIO"), QStringLiteral("SS_AC_CUENTASDIARIO"));
    s = Reemplaza(s, QStringLiteral("AC_CUENTASDIARIO_CCOSTO"),
                  QStringLiteral("SS_AC_CUENTAS_DIARIO_CCOSTO"));
    return QuitaMarcaAdmin(s);
}
