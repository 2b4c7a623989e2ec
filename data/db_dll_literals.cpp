// SQL literals, data-type classes and name helpers.

#include "data/db_dll.h"

#include "data/db_dll_internal.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

using namespace dbdll;

QVariant DB_Dll::SQLValue(const QVariant& Valor, const QString& Tipo) {
    if (Tipo == QLatin1String("@")) {
        const QVariant valor = vb::IsNull(Valor) ? QVariant(0) : Valor;
        // The amount in regional form, then a decimal point for the statement.
        const vb::Currency monto = ClsUtilidades::TextoAMoneda(vb::CStr(valor));
        return ClsUtilidades::CambiaCaracter(monto.toString(), QStringLiteral(","),
                                             QStringLiteral("."));
    }
    if (vb::IsNull(Valor))
        return QStringLiteral("NULL");
    const QString texto = vb::CStr(Valor);
    // An apostrophe inside the text would end the literal.
    return Tipo == QLatin1String("'") ? sqltext::literal(texto) : texto;
}

// ---- Data-type classes
// ---------------------------------------------------------------------------

bool DB_Dll::adodate(int Qtype) {
    switch (Qtype) {
    case 7:
    case 133:
    case 134:
    case 135:
    case 137:
    case 64:
        return true;
    default:
        return false;
    }
}

bool DB_Dll::ADOText(int Qtype) {
    switch (Qtype) {
    case 8:
    case 129:
    case 130:
    case 200:
    case 201:
    case 202:
    case 203:
        return true;
    default:
        return false;
    }
}

QString DB_Dll::ADOComilla(int Qtype) {
    return adodate(Qtype) || ADOText(Qtype) ? QStringLiteral("'") : QString();
}

bool DB_Dll::ADONumeric(int Qtype) {
    switch (Qtype) {
    case 2:
    case 3:
    case 4:
    case 5:
    case 14:
    case 16:
    case 17:
    case 18:
    case 19:
    case 20:
    case 21:
    case 131:
        return true;
    default:
        return false;
    }
}

bool DB_Dll::ADOCurrency(int Qtype) {
    return Qtype == 6;
}

bool DB_Dll::ADOBoolean(int Qtype) {
    return Qtype == 11;
}

// ---- Name helpers
// ----------------------------------------------------------------------------------

QString DB_Dll::StripOwner(QString& rsTblName) {
    const qsizetype punto = rsTblName.indexOf(QLatin1Char('.'));
    if (punto >= 0)
        rsTblName = rsTblName.mid(punto + 1);
    return rsTblName;
}

QString DB_Dll::stSTF(QString& rsName, bool rnPart) {
    if (rsName.count(QLatin1Char('.')) >= 2)
        return StripOwner(rsName);
    const qsizetype punto = rsName.indexOf(QLatin1Char('.'));
    if (rnPart)
        return punto < 0 ? rsName : rsName.mid(punto + 1);
    if (punto < 0)
        vb::Raise(vb::errInvalidCall);
    return rsName.left(punto);
}

QString DB_Dll::AddBrackets(const QString& rObjName) {
    if (rObjName.contains(QLatin1Char(' ')) && !rObjName.startsWith(QLatin1Char('[')))
        return QLatin1Char('[') + rObjName + QLatin1Char(']');
    return rObjName;
}

QString DB_Dll::StripBrackets(const QString& rsObjName) {
    if (!rsObjName.startsWith(QLatin1Char('[')))
        return rsObjName;
    if (rsObjName.size() < 2)
        vb::Raise(vb::errInvalidCall);
    return rsObjName.mid(1, rsObjName.size() - 2);
}

QString DB_Dll::StripConnect(const QString& rsTblName) {
    const qsizetype flecha = rsTblName.indexOf(QLatin1String("->"));
    if (flecha < 0)
        return rsTblName;
    if (flecha == 0)
        vb::Raise(vb::errInvalidCall);
    return rsTblName.left(flecha - 1);
}

QString DB_Dll::StripFileName(const QString& rsFileName) {
    // Paths of both systems: the folder ends at the last separator.
    const qsizetype barra = std::max(rsFileName.lastIndexOf(QLatin1Char('\\')),
                                     rsFileName.lastIndexOf(QLatin1Char('/')));
    if (barra < 0)
        return QString();
    return rsFileName.left(barra);
}
