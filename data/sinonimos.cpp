// Restricted views: a non-administrator's statement names the SS_ view
// instead of the table.

#include "data/db_dll.h"

#include "data/db_dll_internal.h"
#include "data/runwide.h"
#include "platform/vb/vb.h"

using namespace dbdll;

namespace {

bool DelimitaAntes(QChar c, bool llave) {
    return c == QLatin1Char(' ') || c == QLatin1Char('(') || c == QLatin1Char(',') ||
           c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t') ||
           (llave && c == QLatin1Char('{'));
}

bool DelimitaDespues(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('.') || c == QLatin1Char(',') ||
           c == QLatin1Char(')') || c == QLatin1Char('\r') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\t');
}

// Every standalone occurrence of the table name (letter case ignored) becomes
// the view name. A name counts when a delimiter or the text's edge stands on
// both sides, so a longer name that merely contains it, a marked name
// ("@Admin_...") or a bracketed one stays as it is; so does a name inside a
// quoted value.
QString Reemplaza(const QString& texto, const QString& tabla, const QString& vista,
                  bool llave = false) {
    const std::vector<bool> literal = DentroDeLiteral(texto);
    QString salida;
    qsizetype desde = 0;
    qsizetype copiado = 0;
    for (;;) {
        const qsizetype p = texto.indexOf(tabla, desde, Qt::CaseInsensitive);
        if (p < 0)
            break;
        const qsizetype fin = p + tabla.size();
        const bool antes = p == 0 || DelimitaAntes(texto.at(p - 1), llave);
        const bool despues = fin == texto.size() || DelimitaDespues(texto.at(fin));
        if (antes && despues && !literal[size_t(p)]) {
            salida += texto.mid(copiado, p - copiado) + vista;
            copiado = fin;
            desde = fin;
        } else {
            desde = p + 1;
        }
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

    QString s = Reemplaza(SQL, QStringLiteral("MA_CUENTAS"), QStringLiteral("SS_MA_CUENTAS"), true);
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
