// The ODBC engine: connection string translation, batches, typed row sets,
// write-back by key and the catalogue, over unixODBC's C API. The error table
// for the driver's diagnostics is in ado_errors.cpp.

#include "platform/ado/engine_odbc.h"
#include "platform/ado/connstring.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/ado/engine_text.h"
#include "platform/sql/batch.h"
#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include <QFileInfo>
#include <QRegularExpression>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstring>
#include <deque>
#include <functional>
#include <sql.h>
#include <sqlext.h>
#include <string>
#include <string_view>

namespace ado {

// ---- Connection strings ---------------------------------------------------------------

QString sqlServerDriver() {
    const QString set = qEnvironmentVariable("QUARZELO_SQLSERVER_DRIVER").trimmed();
    return set.isEmpty() ? QStringLiteral("FreeTDS") : set;
}

namespace {

// A date parameter as the driver's timestamp, to the millisecond.
SQL_TIMESTAMP_STRUCT odbcTimestamp(const QDateTime& d) {
    return SQL_TIMESTAMP_STRUCT{
        SQLSMALLINT(d.date().year()),           SQLUSMALLINT(d.date().month()),
        SQLUSMALLINT(d.date().day()),           SQLUSMALLINT(d.time().hour()),
        SQLUSMALLINT(d.time().minute()),        SQLUSMALLINT(d.time().second()),
        SQLUINTEGER(d.time().msec()) * 1000000u};
}

QString firstOf(const ConnectionStringParts& parts, std::initializer_list<const char*> keys) {
    for (const char* k : keys)
        if (parts.has(QLatin1String(k)))
            return parts.value(QLatin1String(k));
    return QString();
}

void add(QString& out, const char* key, const QString& value) {
    out += QLatin1String(key) + u'=' + odbcValue(value) + u';';
}

} // namespace

OdbcTarget odbcTarget(const ConnectionStringParts& parts, const QString& defaultDatabase) {
    OdbcTarget t;
    const QString provider = parts.value(QStringLiteral("provider"));
    const QString user = firstOf(parts, {"uid", "user id", "user"});
    const QString password = firstOf(parts, {"pwd", "password"});
    if (parts.has(QStringLiteral("dsn")) || parts.has(QStringLiteral("driver"))) {
        // Already ODBC: every keyword but the OLE DB provider's goes through.
        for (auto it = parts.values.constBegin(); it != parts.values.constEnd(); ++it)
            if (it.key() != u"provider")
                t.connectionString += it.key() + u'=' + odbcValue(it.value()) + u';';
        t.database = firstOf(parts, {"database", "initial catalog"});
        // A database file is the database named after it, as on the embedded engine.
        if (t.database.contains(u'/'))
            t.database = QFileInfo(t.database).completeBaseName();
        t.server = firstOf(parts, {"server", "dsn"});
    } else if (provider.contains(QLatin1String("ORA"), Qt::CaseInsensitive)) {
        t.server = parts.value(QStringLiteral("data source"));
        add(t.connectionString, "DSN", t.server);
        add(t.connectionString, "UID", user);
        add(t.connectionString, "PWD", password);
        t.database = t.server;
    } else {
        const QString driver = sqlServerDriver();
        t.server = firstOf(parts, {"server", "data source", "address", "addr", "network address"});
        t.database = firstOf(parts, {"database", "initial catalog"});
        if (t.database.isEmpty())
            t.database = defaultDatabase;
        add(t.connectionString, "DRIVER", driver);
        // FreeTDS takes the port apart; Microsoft's driver reads "host,port".
        const qsizetype comma = t.server.indexOf(u',');
        if (driver.contains(QLatin1String("tds"), Qt::CaseInsensitive) && comma >= 0) {
            add(t.connectionString, "SERVER", t.server.left(comma).trimmed());
            add(t.connectionString, "PORT", t.server.mid(comma + 1).trimmed());
        } else {
            add(t.connectionString, "SERVER", t.server);
        }
        if (!t.database.isEmpty())
            add(t.connectionString, "DATABASE", t.database);
        add(t.connectionString, "UID", user);
        add(t.connectionString, "PWD", password);
    }
    return t;
}

// ---- Handles and texts ------------------------------------------------------------------

struct OdbcEngine::Handle {
    SQLHSTMT h = SQL_NULL_HSTMT;
    Handle() = default;
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (h)
            SQLFreeHandle(SQL_HANDLE_STMT, h);
    }
};

namespace {

constexpr int kLoginTimeoutSeconds = 15;
const char* const kKeyAlias = "qz_key%1__";

SQLWCHAR* wide(const QString& s) {
    return reinterpret_cast<SQLWCHAR*>(const_cast<ushort*>(s.utf16()));
}

std::vector<OdbcDiagnostic> diagnostics(SQLSMALLINT type, SQLHANDLE handle, bool narrow) {
    std::vector<OdbcDiagnostic> out;
    for (SQLSMALLINT i = 1;; ++i) {
        SQLINTEGER native = 0;
        SQLSMALLINT len = 0;
        OdbcDiagnostic d;
        if (narrow) {
            SQLCHAR state[6] = {};
            SQLCHAR msg[2048] = {};
            if (!SQL_SUCCEEDED(SQLGetDiagRec(type, handle, i, state, &native, msg,
                                             SQLSMALLINT(sizeof msg), &len)))
                break;
            d.state = QString::fromLatin1(reinterpret_cast<char*>(state), 5);
            d.message = QString::fromUtf8(reinterpret_cast<char*>(msg));
        } else {
            SQLWCHAR state[6] = {};
            SQLWCHAR msg[2048] = {};
            if (!SQL_SUCCEEDED(SQLGetDiagRecW(type, handle, i, state, &native, msg,
                                              SQLSMALLINT(std::size(msg)), &len)))
                break;
            d.state = QString::fromUtf16(reinterpret_cast<char16_t*>(state), 5);
            d.message = QString::fromUtf16(reinterpret_cast<char16_t*>(msg),
                                           std::min<qsizetype>(len, std::size(msg) - 1));
        }
        d.native = native;
        out.push_back(d);
    }
    return out;
}

bool isSized(SQLSMALLINT t) {
    return t == SQL_CHAR || t == SQL_VARCHAR || t == SQL_WCHAR || t == SQL_WVARCHAR ||
           t == SQL_BINARY || t == SQL_VARBINARY;
}

// ADO type and size for what the driver describes. The type's name decides
// where it knows one (money, smallmoney, the declared types behind a SQLite
// driver), the ODBC type code otherwise.
std::pair<int, long> adoTypeOf(SQLSMALLINT sqlType, QString typeName, SQLULEN size) {
    typeName = typeName.trimmed();
    static const QStringList sizedNames = {QStringLiteral("VARCHAR"),   QStringLiteral("NVARCHAR"),
                                           QStringLiteral("CHAR"),      QStringLiteral("NCHAR"),
                                           QStringLiteral("VARBINARY"), QStringLiteral("BINARY")};
    if (!typeName.isEmpty() && !typeName.contains(u'(') &&
        (isSized(sqlType) || sizedNames.contains(typeName, Qt::CaseInsensitive)))
        typeName += size == 0 || size > 0x3fffffff ? QStringLiteral("(MAX)")
                                                   : QStringLiteral("(%1)").arg(size);
    if (auto t = adoTypeOfDeclared(typeName); t.first != adEmpty)
        return t;
    const long n = size == 0 || size > 0x7fffffff ? -1 : long(size);
    switch (sqlType) {
    case SQL_CHAR:
        return {adChar, n < 0 ? 1 : n};
    case SQL_VARCHAR:
        return n < 0 ? std::pair<int, long>{adLongVarChar, 2147483647}
                     : std::pair<int, long>{adVarChar, n};
    case SQL_LONGVARCHAR:
        return {adLongVarChar, 2147483647};
    case SQL_WCHAR:
        return {adWChar, n < 0 ? 1 : n};
    case SQL_WVARCHAR:
        return n < 0 ? std::pair<int, long>{adLongVarWChar, 1073741823}
                     : std::pair<int, long>{adVarWChar, n};
    case SQL_WLONGVARCHAR:
        return {adLongVarWChar, 1073741823};
    case SQL_INTEGER:
        return {adInteger, 4};
    case SQL_SMALLINT:
        return {adSmallInt, 2};
    case SQL_TINYINT:
        return {adUnsignedTinyInt, 1};
    case SQL_BIGINT:
        return {adBigInt, 8};
    case SQL_BIT:
        return {adBoolean, 2};
    case SQL_REAL:
        return {adSingle, 4};
    case SQL_FLOAT:
    case SQL_DOUBLE:
        return {adDouble, 8};
    case SQL_DECIMAL:
    case SQL_NUMERIC:
        return {adNumeric, 19};
    case SQL_TYPE_DATE:
    case SQL_TYPE_TIMESTAMP:
    case SQL_DATETIME:
    case SQL_TIMESTAMP:
        return {adDBTimeStamp, 16};
    case SQL_GUID:
        return {adGUID, 16};
    case SQL_BINARY:
        return {adBinary, n < 0 ? 1 : n};
    case SQL_VARBINARY:
        return n < 0 ? std::pair<int, long>{adLongVarBinary, 2147483647}
                     : std::pair<int, long>{adVarBinary, n};
    case SQL_LONGVARBINARY:
        return {adLongVarBinary, 2147483647};
    default:
        return {adVarWChar, n < 0 ? 0 : n};
    }
}

bool isTextType(int type) {
    return type == adChar || type == adWChar || type == adVarChar || type == adVarWChar ||
           type == adLongVarChar || type == adLongVarWChar || type == adBSTR || type == adGUID;
}

bool isIntegerType(int type) {
    return type == adInteger || type == adSmallInt || type == adTinyInt ||
           type == adUnsignedTinyInt || type == adBigInt;
}

bool isRealType(int type) {
    return type == adDouble || type == adSingle || type == adNumeric || type == adDecimal;
}

bool isDateType(int type) {
    return type == adDBTimeStamp || type == adDate || type == adDBDate;
}

bool isBinaryType(int type) {
    return type == adBinary || type == adVarBinary || type == adLongVarBinary;
}

// "yyyy-mm-dd[ hh:mm[:ss[.fff]]]"
std::optional<QDateTime> isoDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{4})-(\\d{2})-(\\d{2})(?:[ T](\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d{1,"
        "3})\\d*)?)?)?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    QString ms = m.captured(7);
    while (!ms.isEmpty() && ms.size() < 3)
        ms += u'0';
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms.toInt());
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

// A value read as text, as the column's type gives it to the program. A
// text that does not fit the type comes back as read.
QVariant fromText(const Column& c, const QString& t) {
    if (!isIntegerType(c.type) && c.type != adBoolean && c.type != adCurrency &&
        !isRealType(c.type) && !isDateType(c.type)) {
        if ((c.type == adChar || c.type == adWChar) && c.definedSize > 0 &&
            t.size() < c.definedSize)
            return t + QString(c.definedSize - t.size(), u' ');
        return t;
    }
    const QString s = t.trimmed();
    if (isIntegerType(c.type)) {
        bool ok = false;
        const qlonglong n = s.toLongLong(&ok);
        if (!ok) {
            const double d = s.toDouble(&ok);
            if (!ok)
                return t;
            return c.type == adBigInt ? QVariant(qlonglong(std::llround(d)))
                                      : QVariant(int(std::llround(d)));
        }
        if (c.type == adBigInt || n < INT_MIN || n > INT_MAX)
            return QVariant(n);
        return QVariant(int(n));
    }
    if (c.type == adBoolean) {
        if (s == u"1" || s.compare(u"true", Qt::CaseInsensitive) == 0)
            return QVariant(true);
        if (s == u"0" || s.compare(u"false", Qt::CaseInsensitive) == 0)
            return QVariant(false);
        return t;
    }
    if (c.type == adCurrency) {
        if (auto v = vb::Currency::parse(s, u'.'))
            return vb::fromCurrency(*v);
        bool ok = false;
        const double d = s.toDouble(&ok); // "1e-05"
        return ok ? vb::fromCurrency(vb::Currency::fromDouble(d)) : QVariant(t);
    }
    if (isRealType(c.type)) {
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok ? QVariant(d) : QVariant(t);
    }
    if (isDateType(c.type)) {
        if (auto d = isoDate(s))
            return *d;
        if (auto d = vb::ParseDate(s)) // a day-first text the server was given
            return *d;
    }
    return t;
}

// One value read as text from a SQLite driver (UTF-8); nothing for NULL.
using RawText = std::optional<std::string>;

// The text as SQLite writes an integer: "0", or digits without a leading
// zero after an optional minus ("007" was a text).
bool integerText(std::string_view s, qlonglong& n) {
    const bool minus = !s.empty() && s.front() == '-';
    const std::string_view digits = s.substr(minus ? 1 : 0);
    if (digits.empty() || digits.size() > 19 ||
        (digits.front() == '0' && (digits.size() > 1 || minus)))
        return false;
    for (const char c : digits)
        if (c < '0' || c > '9')
            return false;
    const auto r = std::from_chars(s.data(), s.data() + s.size(), n);
    return r.ec == std::errc() && r.ptr == s.data() + s.size();
}

// The text as SQLite writes a number that reads as a real: a whole number,
// or a real as "%!.15g" prints it. A decimal of at most fifteen significant
// digits comes back from a double as it was written, so only the layout
// needs looking at: a point always, no zeros leading or trailing but a lone
// ".0", and an exponent exactly where %g puts one.
bool realText(std::string_view s, double& d) {
    const auto r = std::from_chars(s.data(), s.data() + s.size(), d);
    if (s.empty() || r.ec != std::errc() || r.ptr != s.data() + s.size())
        return false;
    qlonglong whole = 0;
    if (integerText(s, whole))
        return true;
    const auto digit = [&](size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
    size_t i = s.front() == '-' ? 1 : 0;
    const size_t first = i;
    while (digit(i))
        ++i;
    const size_t wholeLen = i - first;
    if (wholeLen == 0 || (wholeLen > 1 && s[first] == '0') || i >= s.size() || s[i] != '.')
        return false;
    const size_t fraction = ++i;
    while (digit(i))
        ++i;
    const size_t fractionLen = i - fraction;
    const bool zeroFraction = fractionLen == 1 && s[fraction] == '0';
    if (fractionLen == 0 || (!zeroFraction && s[i - 1] == '0'))
        return false;
    const size_t fractionDigits = zeroFraction ? 0 : fractionLen;
    if (i < s.size()) { // the exponent form: one digit before the point
        if (s[i] != 'e' || i + 1 >= s.size() || (s[i + 1] != '+' && s[i + 1] != '-'))
            return false;
        const size_t e = i + 2;
        size_t end = e;
        while (digit(end))
            ++end;
        if (end != s.size() || end - e < 2 || (end - e > 2 && s[e] == '0'))
            return false;
        int exponent = 0;
        std::from_chars(s.data() + e, s.data() + end, exponent);
        if (s[i + 1] == '-')
            exponent = -exponent;
        return wholeLen == 1 && s[first] != '0' && 1 + fractionDigits <= 15 &&
               (exponent < -4 || exponent >= 15);
    }
    if (s[first] == '0') { // below one: zeros after the point are no digits
        if (zeroFraction)
            return true;
        size_t zeros = 0;
        while (s[fraction + zeros] == '0')
            ++zeros;
        return zeros + 1 <= 4 && fractionLen - zeros <= 15;
    }
    return wholeLen <= 15 && wholeLen + fractionDigits <= 15;
}

// A column of expressions behind a SQLite driver has no type of its own:
// it takes the one its values show, as the embedded engine does, and its
// values become of that type. Each test stops at the first value that
// fails it.
void typeByValues(Column& c, std::vector<std::vector<QVariant>>& rows, size_t col,
                  const std::vector<RawText>& raw) {
    const size_t n = raw.size();
    bool any = false, ints = true, reals = true, dates = true, big = false;
    std::vector<qlonglong> asInt(n);
    std::vector<double> asReal(n);
    for (size_t r = 0; r < n && (ints || reals || dates); ++r) {
        if (!raw[r])
            continue;
        any = true;
        if (!ints || !integerText(*raw[r], asInt[r])) {
            // Reals are only asked about once the values are no integers.
            for (size_t q = 0; ints && q < r && reals; ++q)
                if (raw[q])
                    reals = realText(*raw[q], asReal[q]);
            ints = false;
            reals = reals && realText(*raw[r], asReal[r]);
        } else {
            big = big || asInt[r] < INT_MIN || asInt[r] > INT_MAX;
        }
        dates = dates && isoDate(QString::fromUtf8(raw[r]->data(), qsizetype(raw[r]->size())));
    }
    if (!any)
        std::tie(c.type, c.definedSize) = std::pair<int, long>{adVarWChar, 0};
    else if (ints)
        std::tie(c.type, c.definedSize) =
            big ? std::pair<int, long>{adBigInt, 8} : std::pair<int, long>{adInteger, 4};
    else if (reals)
        std::tie(c.type, c.definedSize) = std::pair<int, long>{adDouble, 8};
    else if (dates)
        std::tie(c.type, c.definedSize) = std::pair<int, long>{adDBTimeStamp, 16};
    else
        std::tie(c.type, c.definedSize) = std::pair<int, long>{adVarWChar, 0};
    for (size_t r = 0; r < n; ++r) {
        QVariant& v = rows[r][col];
        if (!raw[r])
            v = vb::Null();
        else if (any && ints)
            v = big ? QVariant(asInt[r]) : QVariant(int(asInt[r]));
        else if (any && reals)
            v = QVariant(asReal[r]);
        else
            v = fromText(c, QString::fromUtf8(raw[r]->data(), qsizetype(raw[r]->size())));
    }
}

// The parameters of one execution, kept where the driver reads them.
class Params {
public:
    Params(SQLHSTMT h, bool narrow, bool isoDates) : h_(h), narrow_(narrow), isoDates_(isoDates) {}

    // Binds the value as parameter `n` (1-based). Returns the driver's code.
    SQLRETURN bind(SQLUSMALLINT n, const QVariant& v) {
        Slot& s = slots_.emplace_back();
        if (!v.isValid() || vb::IsNull(v)) {
            s.ind = SQL_NULL_DATA;
            return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_CHAR, SQL_VARCHAR, 1, 0, nullptr,
                                    0, &s.ind);
        }
        if (vb::isCurrency(v)) {
            if (isoDates_) // SQLite keeps money as a real
                return bindDouble(n, s, vb::toCurrency(v).toDouble());
            return bindText(n, s, vb::toCurrency(v).toString(u'.'), SQL_DECIMAL, 19, 4);
        }
        switch (valueKind(v)) {
        case ValueKind::Integer:
            s.integer = v.toLongLong();
            s.ind = 0;
            return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_SBIGINT, SQL_BIGINT, 0, 0,
                                    &s.integer, 0, &s.ind);
        case ValueKind::Real:
            return bindDouble(n, s, v.toDouble());
        case ValueKind::Bytes:
            s.bytes = v.toByteArray();
            s.ind = SQLLEN(s.bytes.size());
            return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_BINARY,
                                    s.bytes.size() > 8000 ? SQL_LONGVARBINARY : SQL_VARBINARY,
                                    SQLULEN(std::max<qsizetype>(s.bytes.size(), 1)), 0,
                                    s.bytes.data(), s.ind, &s.ind);
        case ValueKind::Date: {
            const QDateTime d = parameterDateTime(v);
            if (isoDates_)
                return bindText(n, s, d.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")),
                                SQL_VARCHAR, 19, 0);
            s.stamp = odbcTimestamp(d);
            s.ind = sizeof s.stamp;
            return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_TYPE_TIMESTAMP,
                                    SQL_TYPE_TIMESTAMP, 23, 3, &s.stamp, 0, &s.ind);
        }
        default:
            return bindText(n, s, v.toString(), SQL_WVARCHAR, 0, 0);
        }
    }

private:
    struct Slot {
        SQLLEN ind = 0;
        qint64 integer = 0;
        double real = 0;
        SQL_TIMESTAMP_STRUCT stamp{};
        QByteArray bytes;
        QString text;
    };

    SQLRETURN bindDouble(SQLUSMALLINT n, Slot& s, double d) {
        s.real = d;
        s.ind = 0;
        return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_DOUBLE, SQL_DOUBLE, 15, 0, &s.real, 0,
                                &s.ind);
    }

    SQLRETURN bindText(SQLUSMALLINT n, Slot& s, const QString& text, SQLSMALLINT sqlType,
                       SQLULEN size, SQLSMALLINT digits) {
        if (narrow_) {
            s.bytes = text.toUtf8();
            s.ind = SQLLEN(s.bytes.size());
            if (sqlType == SQL_WVARCHAR)
                sqlType = SQL_VARCHAR;
            return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_CHAR, sqlType,
                                    size ? size : SQLULEN(std::max<qsizetype>(s.bytes.size(), 1)),
                                    digits, s.bytes.data(), s.ind, &s.ind);
        }
        s.text = text;
        s.ind = SQLLEN(text.size() * 2);
        if (sqlType == SQL_WVARCHAR && text.size() > 4000)
            sqlType = SQL_WLONGVARCHAR;
        return SQLBindParameter(h_, n, SQL_PARAM_INPUT, SQL_C_WCHAR, sqlType,
                                size ? size : SQLULEN(std::max<qsizetype>(text.size(), 1)), digits,
                                wide(s.text), s.ind, &s.ind);
    }

    SQLHSTMT h_;
    bool narrow_;
    bool isoDates_;
    std::deque<Slot> slots_; // addresses stay put as slots are added
};

// A SELECT whose rows are those of one table: the table's name and the
// position where the key columns can join its select list; nothing for any
// other statement.
struct SingleTable {
    QString table;
    qsizetype fromAt = -1;
};

std::optional<SingleTable> singleTable(const QString& sql) {
    const QStringList words = sqltext::topLevelWords(sql);
    if (words.isEmpty() || words[0] != u"SELECT")
        return std::nullopt;
    for (const char* bad : {"DISTINCT", "GROUP", "UNION", "EXCEPT", "INTERSECT", "HAVING", "JOIN",
                            "INTO", "APPLY", "COUNT", "MAX", "MIN", "SUM", "AVG"})
        if (words.contains(QLatin1String(bad)))
            return std::nullopt;
    const std::vector<sqltext::Token> t = sqltext::lex(sql);
    int depth = 0;
    size_t from = 0;
    for (size_t i = 0; i < t.size() && !from; ++i) {
        const QStringView s = t[i].text(sql);
        if (t[i].kind == sqltext::TokenKind::Punct && s == u"(")
            ++depth;
        else if (t[i].kind == sqltext::TokenKind::Punct && s == u")")
            --depth;
        else if (depth == 0 && sqltext::upperWord(sql, t[i]) == u"FROM")
            from = i;
    }
    if (!from)
        return std::nullopt;
    // The table: the last part of a dotted name.
    SingleTable out;
    out.fromAt = t[from].begin;
    size_t i = from + 1;
    auto skipBlank = [&] {
        while (i < t.size() &&
               (t[i].kind == sqltext::TokenKind::Space || t[i].kind == sqltext::TokenKind::Comment))
            ++i;
    };
    for (;;) {
        skipBlank();
        if (i >= t.size())
            return std::nullopt;
        if (t[i].kind == sqltext::TokenKind::Ident)
            out.table = sqltext::unquoted(sql, t[i]);
        else if (t[i].kind == sqltext::TokenKind::Word)
            out.table = t[i].text(sql).toString();
        else
            return std::nullopt;
        ++i;
        if (i < t.size() && t[i].kind == sqltext::TokenKind::Punct && t[i].text(sql) == u".") {
            ++i;
            continue;
        }
        break;
    }
    // Nothing after it may bring in a second source.
    for (; i < t.size(); ++i) {
        const QStringView s = t[i].text(sql);
        if (t[i].kind == sqltext::TokenKind::Punct && s == u"(")
            ++depth;
        else if (t[i].kind == sqltext::TokenKind::Punct && s == u")")
            --depth;
        else if (depth == 0 && t[i].kind == sqltext::TokenKind::Punct && s == u",")
            return std::nullopt;
    }
    return out;
}

} // namespace

// ---- Engine ------------------------------------------------------------------------------

OdbcEngine::OdbcEngine(const OdbcTarget& target, const FaultInjector* fault)
    : database_(target.database), fault_(fault) {
    SQLHENV env = SQL_NULL_HENV;
    SQLHDBC dbc = SQL_NULL_HDBC;
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_ENV, SQL_NULL_HANDLE, &env)))
        throw Exception(
            connectionError(0, QStringLiteral("IM004"),
                            QStringLiteral("No se pudo iniciar el administrador ODBC.")));
    env_ = env;
    SQLSetEnvAttr(env, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0);
    SQLAllocHandle(SQL_HANDLE_DBC, env, &dbc);
    dbc_ = dbc;
    SQLSetConnectAttr(dbc, SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(SQLULEN(kLoginTimeoutSeconds)), 0);
    const SQLRETURN rc = SQLDriverConnectW(dbc, nullptr, wide(target.connectionString),
                                           SQLSMALLINT(target.connectionString.size()), nullptr, 0,
                                           nullptr, SQL_DRIVER_NOPROMPT);
    if (!SQL_SUCCEEDED(rc)) {
        const std::vector<OdbcDiagnostic> records = diagnostics(SQL_HANDLE_DBC, dbc, false);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc);
        SQLFreeHandle(SQL_HANDLE_ENV, env);
        dbc_ = env_ = nullptr;
        throw odbcException(records, ServerKind::Other, true);
    }
    connected_ = true;

    SQLWCHAR text[256] = {};
    SQLSMALLINT len = 0;
    SQLGetInfoW(dbc, SQL_DBMS_NAME, text, sizeof text, &len);
    const QString dbms = QString::fromUtf16(reinterpret_cast<char16_t*>(text));
    if (dbms.contains(QLatin1String("SQL Server"), Qt::CaseInsensitive))
        dialect_ = ServerKind::SqlServer;
    else if (dbms.contains(QLatin1String("Oracle"), Qt::CaseInsensitive))
        dialect_ = ServerKind::Oracle;
    else if (dbms.contains(QLatin1String("SQLite"), Qt::CaseInsensitive))
        dialect_ = ServerKind::Sqlite;
    narrow_ = dialect_ == ServerKind::Sqlite;
    text[0] = 0;
    SQLGetInfoW(dbc, SQL_IDENTIFIER_QUOTE_CHAR, text, sizeof text, &len);
    if (text[0] && text[0] != u' ')
        quote_ = QChar(text[0]);
    if (database_.isEmpty()) {
        SQLWCHAR catalog[256] = {};
        SQLINTEGER n = 0;
        if (SQL_SUCCEEDED(
                SQLGetConnectAttrW(dbc, SQL_ATTR_CURRENT_CATALOG, catalog, sizeof catalog, &n)))
            database_ = QString::fromUtf16(reinterpret_cast<char16_t*>(catalog));
    }
    if (dialect_ == ServerKind::SqlServer) {
        // A lock is waited for as long as on the embedded engine, then the
        // server fails the statement with its lock time-out (1222).
        Handle st;
        SQLAllocHandle(SQL_HANDLE_STMT, dbc, &st.h);
        const QString sql = QStringLiteral("SET LOCK_TIMEOUT %1").arg(lockWaitMs());
        SQLExecDirectW(st.h, wide(sql), SQLINTEGER(sql.size()));
    }
}

OdbcEngine::~OdbcEngine() {
    detachCursors();
    dropPrepared();
    if (dbc_) {
        if (trancount_ > 0)
            SQLEndTran(SQL_HANDLE_DBC, dbc_, SQL_ROLLBACK);
        if (connected_)
            SQLDisconnect(dbc_);
        SQLFreeHandle(SQL_HANDLE_DBC, dbc_);
    }
    if (env_)
        SQLFreeHandle(SQL_HANDLE_ENV, env_);
}

void OdbcEngine::checkFault(const QString& text) const {
    if (fault_ && *fault_)
        if (auto e = (*fault_)(text))
            throw Exception(*e);
}

void OdbcEngine::fail(short handleType, void* handle, bool connecting) const {
    throw odbcException(diagnostics(handleType, handle, narrow_), dialect_, connecting);
}

QString OdbcEngine::quoted(const QString& name) const {
    QString r = quote_;
    for (const QChar c : name) {
        if (c == quote_)
            r += quote_;
        r += c;
    }
    return r + quote_;
}

void OdbcEngine::setCommandTimeout(int seconds) {
    timeoutSeconds_ = std::max(0, seconds);
}

void OdbcEngine::useDatabase(const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.compare(database_, Qt::CaseInsensitive) == 0)
        return;
    parkCursors();
    checkFault(QStringLiteral("USE ") + wanted);
    if (inTransaction())
        throw Exception(connectionError(
            0, QStringLiteral("25000"),
            QStringLiteral("No se puede cambiar de base de datos con una transacción abierta.")));
    if (dialect_ != ServerKind::SqlServer)
        throw Exception(connectionError(
            nativeUnknownDatabase, QStringLiteral("42000"),
            QStringLiteral("No se encontró la base de datos '%1'. Compruebe que el nombre es "
                           "correcto.")
                .arg(wanted)));
    if (!SQL_SUCCEEDED(SQLSetConnectAttrW(dbc_, SQL_ATTR_CURRENT_CATALOG, wide(wanted),
                                          SQLINTEGER(wanted.size() * 2))))
        fail(SQL_HANDLE_DBC, dbc_);
    database_ = wanted;
    tables_.clear();
    dropPrepared();
}

void OdbcEngine::allocate(Handle& st) {
    parkCursors();
    if (!SQL_SUCCEEDED(SQLAllocHandle(SQL_HANDLE_STMT, dbc_, &st.h)))
        fail(SQL_HANDLE_DBC, dbc_);
    // A driver that knows no time-out says so; the statement runs all the same.
    SQLSetStmtAttr(st.h, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(SQLULEN(timeoutSeconds_)), 0);
}

short OdbcEngine::direct(void* st, const QString& sql) const {
    if (narrow_) {
        QByteArray utf8 = sql.toUtf8();
        return SQLExecDirect(st, reinterpret_cast<SQLCHAR*>(utf8.data()), SQLINTEGER(utf8.size()));
    }
    return SQLExecDirectW(st, wide(sql), SQLINTEGER(sql.size()));
}

void OdbcEngine::run(Handle& st, const QString& sql) {
    allocate(st);
    const SQLRETURN rc = direct(st.h, sql);
    if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
        fail(SQL_HANDLE_STMT, st.h);
}

namespace {

QString columnAttribute(SQLHSTMT h, SQLUSMALLINT col, SQLUSMALLINT field, bool narrow) {
    if (narrow) {
        char buf[512] = {};
        SQLSMALLINT len = 0;
        if (!SQL_SUCCEEDED(SQLColAttribute(h, col, field, buf, sizeof buf, &len, nullptr)))
            return QString();
        return QString::fromUtf8(buf);
    }
    SQLWCHAR buf[512] = {};
    SQLSMALLINT len = 0;
    if (!SQL_SUCCEEDED(SQLColAttributeW(h, col, field, buf, sizeof buf, &len, nullptr)))
        return QString();
    return QString::fromUtf16(reinterpret_cast<char16_t*>(buf));
}

// Reads column `col` of the current row whole as the driver's text bytes;
// false when the driver refuses. Most values are short, and a driver may
// fill the whole buffer it is given: the first read goes into a small one.
bool readRaw(SQLHSTMT h, SQLUSMALLINT col, RawText& out) {
    out.reset();
    std::string text;
    char buf[4096];
    for (SQLLEN size = 128;; size = SQLLEN(sizeof buf)) {
        SQLLEN ind = 0;
        const SQLRETURN rc = SQLGetData(h, col, SQL_C_CHAR, buf, size, &ind);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            return false;
        if (ind == SQL_NULL_DATA)
            return true;
        const SQLLEN got = ind == SQL_NO_TOTAL || ind >= size ? size - 1 : ind;
        text.append(buf, size_t(got));
        if (rc == SQL_SUCCESS)
            break;
    }
    out = std::move(text);
    return true;
}

// Reads column `col` of the current row whole, as text. Null for NULL;
// std::nullopt when the driver refuses.
std::optional<QVariant> readText(SQLHSTMT h, SQLUSMALLINT col, bool narrow) {
    if (narrow) {
        RawText raw;
        if (!readRaw(h, col, raw))
            return std::nullopt;
        if (!raw)
            return vb::Null();
        return QVariant(QString::fromUtf8(raw->data(), qsizetype(raw->size())));
    }
    QString text;
    SQLWCHAR buf[2048];
    for (SQLLEN size = 256;; size = SQLLEN(sizeof buf)) {
        SQLLEN ind = 0;
        const SQLRETURN rc = SQLGetData(h, col, SQL_C_WCHAR, buf, size, &ind);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            return std::nullopt;
        if (ind == SQL_NULL_DATA)
            return vb::Null();
        const SQLLEN bytes = ind == SQL_NO_TOTAL || ind >= size ? size - 2 : ind;
        text.append(QString::fromUtf16(reinterpret_cast<char16_t*>(buf), bytes / 2));
        if (rc == SQL_SUCCESS)
            break;
    }
    return QVariant(text);
}

std::string_view trimmedBytes(std::string_view s) {
    while (!s.empty() && s.front() == ' ')
        s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return s;
}

// The bytes a value of a column takes as text, its end included: a number
// a few dozen; a text up to four bytes a character of its size. A value
// longer than that (SQLite lets texts exceed their declared size) is caught
// where it is read.
long textWidth(SQLSMALLINT sqlType, SQLULEN size) {
    switch (sqlType) {
    case SQL_BIT:
    case SQL_TINYINT:
    case SQL_SMALLINT:
    case SQL_INTEGER:
    case SQL_BIGINT:
    case SQL_REAL:
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_NUMERIC:
    case SQL_DECIMAL:
        return 40;
    default:
        // A size the driver does not know (a server's long texts) takes the most.
        return size == 0 ? 4096 : long(std::clamp<SQLULEN>(size * 4 + 1, 16, 4096));
    }
}

// A value a SQLite driver gave as text, as its column's type gives it to
// the program: numbers without a detour through QString when they are
// written plainly. A column of type adEmpty keeps the text, for the caller
// to type.
QVariant fromBytes(const Column& c, std::string_view raw) {
    const std::string_view s = trimmedBytes(raw);
    const char* end = s.data() + s.size();
    if (isIntegerType(c.type)) {
        qlonglong n = 0;
        const auto r = std::from_chars(s.data(), end, n);
        if (!s.empty() && r.ec == std::errc() && r.ptr == end)
            return c.type == adBigInt || n < INT_MIN || n > INT_MAX ? QVariant(n)
                                                                    : QVariant(int(n));
    } else if (isRealType(c.type)) {
        double d = 0;
        const auto r = std::from_chars(s.data(), end, d);
        if (!s.empty() && r.ec == std::errc() && r.ptr == end)
            return QVariant(d);
    }
    const QString text = QString::fromUtf8(raw.data(), qsizetype(raw.size()));
    return c.type == adEmpty ? QVariant(text) : fromText(c, text);
}

std::optional<QVariant> readBinary(SQLHSTMT h, SQLUSMALLINT col) {
    QByteArray out;
    for (;;) {
        char buf[4096];
        SQLLEN ind = 0;
        const SQLRETURN rc = SQLGetData(h, col, SQL_C_BINARY, buf, sizeof buf, &ind);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            return std::nullopt;
        if (ind == SQL_NULL_DATA)
            return vb::Null();
        out.append(buf, ind == SQL_NO_TOTAL || ind > SQLLEN(sizeof buf) ? sizeof buf : ind);
        if (rc == SQL_SUCCESS)
            break;
    }
    return QVariant(out);
}

QVariant fromInteger(const Column& c, SQLBIGINT n) {
    if (c.type == adBoolean)
        return QVariant(n != 0);
    return c.type == adBigInt || n < INT_MIN || n > INT_MAX ? QVariant(qlonglong(n))
                                                            : QVariant(int(n));
}

QVariant fromTimestamp(const SQL_TIMESTAMP_STRUCT& ts) {
    return QVariant(QDateTime(QDate(ts.year, ts.month, ts.day),
                              QTime(ts.hour, ts.minute, ts.second, int(ts.fraction / 1000000)),
                              Qt::UTC));
}

// One value of the current row as the column's type gives it. A column of
// type adEmpty comes back as text, for the caller to type.
std::optional<QVariant> readValue(SQLHSTMT h, SQLUSMALLINT col, const Column& c, bool narrow) {
    if (isBinaryType(c.type))
        return readBinary(h, col);
    if (!narrow) {
        SQLLEN ind = 0;
        if (isIntegerType(c.type) || c.type == adBoolean) {
            SQLBIGINT n = 0;
            if (!SQL_SUCCEEDED(SQLGetData(h, col, SQL_C_SBIGINT, &n, 0, &ind)))
                return std::nullopt;
            return ind == SQL_NULL_DATA ? vb::Null() : fromInteger(c, n);
        }
        if (isRealType(c.type)) {
            double d = 0;
            if (!SQL_SUCCEEDED(SQLGetData(h, col, SQL_C_DOUBLE, &d, 0, &ind)))
                return std::nullopt;
            return ind == SQL_NULL_DATA ? vb::Null() : QVariant(d);
        }
        if (isDateType(c.type)) {
            SQL_TIMESTAMP_STRUCT ts{};
            if (!SQL_SUCCEEDED(SQLGetData(h, col, SQL_C_TYPE_TIMESTAMP, &ts, 0, &ind)))
                return std::nullopt;
            return ind == SQL_NULL_DATA ? vb::Null() : fromTimestamp(ts);
        }
    }
    if (narrow) {
        RawText raw;
        if (!readRaw(h, col, raw))
            return std::nullopt;
        return raw ? fromBytes(c, *raw) : vb::Null();
    }
    std::optional<QVariant> text = readText(h, col, narrow);
    if (!text || vb::IsNull(*text) || c.type == adEmpty)
        return text;
    return fromText(c, text->toString());
}

} // namespace

OdbcEngine::Block OdbcEngine::readBlocks(void* h, RowSet& rs, const std::vector<long>& widths,
                                         const std::vector<bool>& byValues,
                                         std::vector<std::vector<RawText>>& raw) {
    constexpr SQLULEN kRows = 256;
    const size_t n = rs.columns.size();
    for (const Column& c : rs.columns)
        if (isBinaryType(c.type))
            return Block::Unsupported;
    SQLSetStmtAttr(h, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN), 0);
    if (!SQL_SUCCEEDED(
            SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(kRows), 0)))
        return Block::Unsupported;
    SQLULEN fetched = 0;
    SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &fetched, 0);
    std::vector<std::vector<char>> data(n);
    std::vector<std::vector<SQLLEN>> ind(n);
    std::vector<SQLLEN> width(n);
    // The rows' buffers are the statement's until it lets go of them.
    const auto unbind = [&] {
        SQLFreeStmt(h, SQL_UNBIND);
        SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)), 0);
        SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
    };
    for (size_t c = 0; c < n; ++c) {
        width[c] = widths[c];
        data[c].resize(size_t(width[c]) * kRows);
        ind[c].resize(kRows);
        if (!SQL_SUCCEEDED(SQLBindCol(h, SQLUSMALLINT(c + 1), SQL_C_CHAR, data[c].data(), width[c],
                                      ind[c].data()))) {
            unbind();
            return Block::Unsupported;
        }
    }
    for (;;) {
        const SQLRETURN rc = SQLFetch(h);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc)) {
            const Exception e =
                odbcException(diagnostics(SQL_HANDLE_STMT, h, narrow_), dialect_, false);
            unbind();
            throw e;
        }
        for (SQLULEN r = 0; r < fetched; ++r) {
            std::vector<QVariant> row(n);
            for (size_t c = 0; c < n; ++c) {
                const SQLLEN got = ind[c][r];
                if (got == SQL_NO_TOTAL || got >= width[c]) {
                    unbind();
                    return Block::Truncated;
                }
                if (got == SQL_NULL_DATA) {
                    if (byValues[c])
                        raw[c].emplace_back();
                    else
                        row[c] = vb::Null();
                    continue;
                }
                const std::string_view bytes(data[c].data() + r * size_t(width[c]), size_t(got));
                if (byValues[c])
                    raw[c].emplace_back(std::string(bytes));
                else
                    row[c] = fromBytes(rs.columns[c], bytes);
            }
            rs.rows.push_back(std::move(row));
        }
    }
    unbind();
    return Block::Read;
}

void OdbcEngine::describeColumns(void* h, std::vector<Column>& columns, std::vector<bool>& byValues,
                                 std::vector<long>& widths) {
    SQLSMALLINT n = 0;
    SQLNumResultCols(h, &n);
    for (SQLUSMALLINT i = 1; i <= n; ++i) {
        SQLSMALLINT type = 0, digits = 0, nullable = 0, nameLen = 0;
        SQLULEN size = 0;
        SQLWCHAR name[256] = {};
        if (!SQL_SUCCEEDED(SQLDescribeColW(h, i, name, SQLSMALLINT(std::size(name)), &nameLen,
                                           &type, &size, &digits, &nullable)))
            fail(SQL_HANDLE_STMT, h);
        Column c;
        c.name = QString::fromUtf16(reinterpret_cast<char16_t*>(name));
        c.declType = columnAttribute(h, i, SQL_DESC_TYPE_NAME, narrow_);
        c.baseTable = columnAttribute(h, i, SQL_DESC_BASE_TABLE_NAME, narrow_);
        c.baseColumn = columnAttribute(h, i, SQL_DESC_BASE_COLUMN_NAME, narrow_);
        if (narrow_ && c.baseTable.isEmpty()) {
            c.baseColumn.clear(); // an expression: the driver only guesses its type
            c.declType.clear();
        }
        std::tie(c.type, c.definedSize) = adoTypeOf(type, c.declType, size);
        if (type == SQL_DECIMAL || type == SQL_NUMERIC) {
            c.precision = int(size);
            c.numericScale = digits;
        }
        const bool typedByValues = narrow_ && c.declType.isEmpty() && !isBinaryType(c.type);
        if (typedByValues)
            c.type = adEmpty;
        byValues.push_back(typedByValues);
        widths.push_back(textWidth(type, size));
        columns.push_back(c);
    }
}

RowSet OdbcEngine::readRows(Handle& st, int keyColumns, const QString& again) {
    RowSet rs;
    std::vector<bool> typedByValues;
    std::vector<long> widths;
    describeColumns(st.h, rs.columns, typedByValues, widths);
    const int shown = int(rs.columns.size()) - keyColumns;
    std::vector<Column> keyCols(rs.columns.begin() + shown, rs.columns.end());
    rs.columns.resize(size_t(shown));
    // The texts of the columns typed by their values, until they are typed.
    std::vector<std::vector<RawText>> raw(static_cast<size_t>(shown));
    // Behind a SQLite driver every value comes as text: a block of rows at a
    // time saves a call per value. A value longer than its buffer has the
    // query (a plain SELECT) run again and read value by value.
    if (narrow_ && keyColumns == 0 && !again.isEmpty()) {
        switch (readBlocks(st.h, rs, widths, typedByValues, raw)) {
        case Block::Read:
            for (size_t i = 0; i < rs.columns.size(); ++i)
                if (typedByValues[i])
                    typeByValues(rs.columns[i], rs.rows, i, raw[i]);
            return rs;
        case Block::Truncated: {
            Handle st2;
            run(st2, again);
            return readRows(st2, 0, QString());
        }
        case Block::Unsupported:
            break;
        }
    }
    for (;;) {
        const SQLRETURN rc = SQLFetch(st.h);
        if (rc == SQL_NO_DATA)
            break;
        if (!SQL_SUCCEEDED(rc))
            fail(SQL_HANDLE_STMT, st.h);
        std::vector<QVariant> row(static_cast<size_t>(shown));
        for (int i = 0; i < shown; ++i) {
            const SQLUSMALLINT col = SQLUSMALLINT(i + 1);
            if (typedByValues[size_t(i)]) {
                if (!readRaw(st.h, col, raw[size_t(i)].emplace_back()))
                    fail(SQL_HANDLE_STMT, st.h);
                continue;
            }
            auto v = readValue(st.h, col, rs.columns[size_t(i)], narrow_);
            if (!v)
                fail(SQL_HANDLE_STMT, st.h);
            row[size_t(i)] = std::move(*v);
        }
        if (keyColumns > 0) {
            QVariantList key;
            for (int i = 0; i < keyColumns; ++i) {
                auto v = readValue(st.h, SQLUSMALLINT(shown + i + 1), keyCols[size_t(i)], narrow_);
                if (!v)
                    fail(SQL_HANDLE_STMT, st.h);
                key << *v;
            }
            rs.keys.push_back(key);
        }
        rs.rows.push_back(std::move(row));
    }
    for (size_t i = 0; i < rs.columns.size(); ++i)
        if (typedByValues[i])
            typeByValues(rs.columns[i], rs.rows, i, raw[i]);
    return rs;
}

// ---- Cursors --------------------------------------------------------------------------

// A query read from a forward cursor a batch at a time. Let go of (by
// release() or by other work on the connection), it keeps the count of rows
// given and the next read runs the query again, as the embedded engine's
// cursors do. A column typed by its values takes the type of the first
// batch's.
class OdbcEngine::StreamCursor final : public Cursor {
public:
    StreamCursor(OdbcEngine& engine, QString sql) : engine_(&engine), sql_(std::move(sql)) {
        open();
        engine_->describeColumns(st_->h, columns_, byValues_, widths_);
        engine_->cursors_.push_back(this);
        prepareBlocks();
        bind();
    }
    ~StreamCursor() override {
        if (engine_)
            std::erase(engine_->cursors_, this);
    }
    StreamCursor(const StreamCursor&) = delete;
    StreamCursor& operator=(const StreamCursor&) = delete;

    const std::vector<Column>& columns() const override { return columns_; }

    bool fetch(std::vector<std::vector<QVariant>>& rows, int n) override {
        if (!engine_)
            throwAdo(adErrInvalidConnection);
        if (done_)
            return false;
        if (!st_ && !reopenAfterGiven())
            return finish();
        const size_t first = rows.size();
        std::vector<std::vector<RawText>> raw(columns_.size());
        rows.reserve(first + size_t(std::max(n, 0)));
        SQLRETURN rc = SQL_SUCCESS;
        for (int k = 0; k < n; ++k) {
            rc = next();
            if (rc == SQL_NO_DATA)
                break;
            if (!SQL_SUCCEEDED(rc)) {
                rows.resize(first);
                failFetch();
            }
            std::vector<QVariant> row(columns_.size());
            if (blocks_ && !fromBlock(row, raw)) {
                // A value longer than its buffer: the query runs again
                // and is read a value at a time from the first row not given.
                rows.resize(first);
                blocks_ = false;
                st_.reset();
                return fetch(rows, n);
            }
            if (!blocks_ && !readRow(row, raw)) {
                rows.resize(first);
                failFetch();
            }
            rows.push_back(std::move(row));
        }
        given_ += qint64(rows.size() - first);
        typeBatch(rows, first, raw);
        typed_ = true;
        if (rc == SQL_NO_DATA)
            return finish();
        return true;
    }

    void release() override { st_.reset(); }
    void rewind() override {
        st_.reset();
        given_ = 0;
        done_ = false;
    }
    void detach() {
        st_.reset();
        engine_ = nullptr;
    }

private:
    void open() {
        // Allocating lets go of every cursor, this one among them.
        auto st = std::make_unique<Handle>();
        engine_->allocate(*st);
        const SQLRETURN rc = engine_->direct(st->h, sql_);
        if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA)
            throw odbcException(diagnostics(SQL_HANDLE_STMT, st->h, engine_->narrow_),
                                engine_->dialect_, false);
        st_ = std::move(st);
    }
    // Through a driver each value read costs a call: the rows come a block
    // at a time into buffers bound to the columns, each value in the C type
    // it is read in one at a time. A binary column, or a driver that fetches
    // one row at a time, reads as before.
    void prepareBlocks() {
        for (size_t i = 0; i < columns_.size() && blocks_; ++i) {
            const Column& c = columns_[i];
            Bound b;
            if (isBinaryType(c.type)) {
                blocks_ = false;
            } else if (engine_->narrow_) {
                b.type = SQL_C_CHAR;
                b.width = widths_[i];
            } else if (isIntegerType(c.type) || c.type == adBoolean) {
                b.type = SQL_C_SBIGINT;
                b.width = sizeof(SQLBIGINT);
            } else if (isRealType(c.type)) {
                b.type = SQL_C_DOUBLE;
                b.width = sizeof(double);
            } else if (isDateType(c.type)) {
                b.type = SQL_C_TYPE_TIMESTAMP;
                b.width = sizeof(SQL_TIMESTAMP_STRUCT);
            } else {
                b.type = SQL_C_WCHAR;
                b.width = widths_[i] * 2 + 4; // UTF-16 units, the number's sign and point
            }
            b.data.resize(size_t(b.width) * kBlock);
            b.ind.resize(kBlock);
            bound_.push_back(std::move(b));
        }
        if (!blocks_ || columns_.empty()) {
            blocks_ = false;
            bound_.clear();
        }
        status_.resize(kBlock);
    }
    void unbind() {
        SQLFreeStmt(st_->h, SQL_UNBIND);
        SQLSetStmtAttr(st_->h, SQL_ATTR_ROW_ARRAY_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)),
                       0);
        SQLSetStmtAttr(st_->h, SQL_ATTR_ROWS_FETCHED_PTR, nullptr, 0);
        SQLSetStmtAttr(st_->h, SQL_ATTR_ROW_STATUS_PTR, nullptr, 0);
        blocks_ = false;
    }
    void bind() {
        fetched_ = at_ = 0;
        if (!blocks_)
            return;
        const SQLHSTMT h = st_->h;
        SQLSetStmtAttr(h, SQL_ATTR_ROW_BIND_TYPE, reinterpret_cast<SQLPOINTER>(SQL_BIND_BY_COLUMN),
                       0);
        SQLULEN rows = 0;
        if (!SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE,
                                          reinterpret_cast<SQLPOINTER>(kBlock), 0)) ||
            !SQL_SUCCEEDED(SQLGetStmtAttr(h, SQL_ATTR_ROW_ARRAY_SIZE, &rows, 0, nullptr)) ||
            rows != kBlock ||
            !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROWS_FETCHED_PTR, &fetched_, 0)) ||
            !SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_ROW_STATUS_PTR, status_.data(), 0)))
            return unbind();
        for (size_t i = 0; i < bound_.size(); ++i) {
            Bound& b = bound_[i];
            if (!SQL_SUCCEEDED(SQLBindCol(h, SQLUSMALLINT(i + 1), b.type, b.data.data(), b.width,
                                          b.ind.data())))
                return unbind();
        }
    }
    // The result's next row made current: from the block read, or a new block.
    // The query run again after a let-go, passing over the rows given; false
    // when it now ends before them.
    bool reopenAfterGiven() {
        open();
        bind();
        for (qint64 i = 0; i < given_; ++i) {
            const SQLRETURN rc = next();
            if (rc == SQL_NO_DATA)
                return false;
            if (!SQL_SUCCEEDED(rc))
                failFetch();
        }
        return true;
    }

    // One row read a value at a time; the columns typed by their values keep
    // their texts in raw.
    bool readRow(std::vector<QVariant>& row, std::vector<std::vector<RawText>>& raw) const {
        for (size_t i = 0; i < columns_.size(); ++i) {
            const auto col = SQLUSMALLINT(i + 1);
            if (byValues_[i]) {
                if (!readRaw(st_->h, col, raw[i].emplace_back()))
                    return false;
                continue;
            }
            auto v = readValue(st_->h, col, columns_[i], engine_->narrow_);
            if (!v)
                return false;
            row[i] = std::move(*v);
        }
        return true;
    }

    // The rows read from first on get the values of the columns typed by
    // their values: the first batch types the column.
    void typeBatch(std::vector<std::vector<QVariant>>& rows, size_t first,
                   std::vector<std::vector<RawText>>& raw) {
        if (std::find(byValues_.begin(), byValues_.end(), true) == byValues_.end())
            return;
        std::vector<std::vector<QVariant>> batch(
            std::make_move_iterator(rows.begin() + qsizetype(first)),
            std::make_move_iterator(rows.end()));
        rows.resize(first);
        for (size_t i = 0; i < columns_.size(); ++i) {
            if (!byValues_[i])
                continue;
            if (!typed_) {
                typeByValues(columns_[i], batch, i, raw[i]);
                continue;
            }
            for (size_t r = 0; r < batch.size(); ++r)
                batch[r][i] = typedValue(columns_[i], raw[i][r]);
        }
        std::move(batch.begin(), batch.end(), std::back_inserter(rows));
    }

    // A value of a column already typed by its values.
    static QVariant typedValue(const Column& c, const RawText& text) {
        if (!text)
            return vb::Null();
        // A real among the whole numbers the first values showed
        // stays a real.
        qlonglong whole = 0;
        double real = 0;
        if (isIntegerType(c.type) && !integerText(*text, whole) && realText(*text, real))
            return real;
        return fromText(c, QString::fromUtf8(text->data(), qsizetype(text->size())));
    }

    SQLRETURN next() {
        if (!blocks_)
            return SQLFetch(st_->h);
        if (++at_ >= fetched_) {
            at_ = fetched_ = 0;
            const SQLRETURN rc = SQLFetch(st_->h);
            if (!SQL_SUCCEEDED(rc))
                return rc;
            if (fetched_ == 0)
                return SQL_NO_DATA;
        }
        // A row the driver could not give fails as a row read alone would;
        // the statement keeps the fetch's diagnostics.
        return status_[at_] == SQL_ROW_ERROR ? SQLRETURN(SQL_ERROR) : SQLRETURN(SQL_SUCCESS);
    }
    // The current row from the block; false when a value outgrew its buffer.
    bool fromBlock(std::vector<QVariant>& row, std::vector<std::vector<RawText>>& raw) const {
        for (size_t i = 0; i < bound_.size(); ++i) {
            const Bound& b = bound_[i];
            const Column& c = columns_[i];
            const SQLLEN got = b.ind[at_];
            const char* p = b.data.data() + at_ * size_t(b.width);
            if (got == SQL_NULL_DATA) {
                if (byValues_[i])
                    raw[i].emplace_back();
                else
                    row[i] = vb::Null();
                continue;
            }
            switch (b.type) {
            case SQL_C_SBIGINT: {
                SQLBIGINT n = 0;
                std::memcpy(&n, p, sizeof n);
                row[i] = fromInteger(c, n);
                break;
            }
            case SQL_C_DOUBLE: {
                double d = 0;
                std::memcpy(&d, p, sizeof d);
                row[i] = QVariant(d);
                break;
            }
            case SQL_C_TYPE_TIMESTAMP: {
                SQL_TIMESTAMP_STRUCT ts{};
                std::memcpy(&ts, p, sizeof ts);
                row[i] = fromTimestamp(ts);
                break;
            }
            case SQL_C_WCHAR: {
                if (got == SQL_NO_TOTAL || got < 0 || got > b.width - SQLLEN(sizeof(SQLWCHAR)))
                    return false;
                QString text(qsizetype(got / 2), Qt::Uninitialized);
                std::memcpy(text.data(), p, size_t(got / 2) * sizeof(char16_t));
                row[i] = c.type == adEmpty ? QVariant(text) : fromText(c, text);
                break;
            }
            default: {
                if (got == SQL_NO_TOTAL || got < 0 || got >= b.width)
                    return false;
                const std::string_view bytes(p, size_t(got));
                if (byValues_[i])
                    raw[i].emplace_back(std::string(bytes));
                else
                    row[i] = fromBytes(c, bytes);
            }
            }
        }
        return true;
    }
    bool finish() {
        done_ = true;
        st_.reset(); // the last row is read: nothing stays held
        return false;
    }
    [[noreturn]] void failFetch() {
        const Exception e = odbcException(diagnostics(SQL_HANDLE_STMT, st_->h, engine_->narrow_),
                                          engine_->dialect_, false);
        st_.reset(); // the next read runs the query again from where it stopped
        throw e;
    }

    struct Bound {
        SQLSMALLINT type = SQL_C_CHAR;
        SQLLEN width = 0;
        std::vector<char> data;
        std::vector<SQLLEN> ind;
    };
    static constexpr SQLULEN kBlock = 256;
    // Declared before the statement: bound to it, they outlive it.
    std::vector<Bound> bound_;
    std::vector<SQLUSMALLINT> status_;
    SQLULEN fetched_ = 0;
    SQLULEN at_ = 0;
    bool blocks_ = true;
    OdbcEngine* engine_;
    QString sql_;
    std::unique_ptr<Handle> st_;
    std::vector<Column> columns_;
    std::vector<bool> byValues_;
    std::vector<long> widths_;
    bool typed_ = false;
    bool done_ = false;
    qint64 given_ = 0;
};

void OdbcEngine::parkCursors() {
    for (StreamCursor* c : cursors_)
        c->release();
}

void OdbcEngine::detachCursors() {
    for (StreamCursor* c : cursors_)
        c->detach();
    cursors_.clear();
}

std::unique_ptr<Cursor> OdbcEngine::openCursor(const QString& text) {
    const QStringList statements =
        dialect_ == ServerKind::Oracle ? QStringList{text} : sqltext::splitBatch(text);
    if (statements.size() != 1 ||
        transactionCommand(statements.front()) != TransactionCommand::None ||
        isNoCount(statements.front()) ||
        (dialect_ == ServerKind::Sqlite && sqlrewrite::conditional(statements.front())))
        return Engine::openCursor(text);
    const QStringList words = sqltext::topLevelWords(statements.front());
    if (words.isEmpty() || words.front() != u"SELECT")
        return Engine::openCursor(text);
    checkFault(statements.front());
    if (dialect_ == ServerKind::Sqlite) {
        const long long version = schemaVersion();
        if (version != schemaVersion_ || version < 0)
            tables_.clear();
        schemaVersion_ = version;
    }
    const QString sql = adapt(statements.front());
    auto cursor = std::make_unique<StreamCursor>(*this, sql);
    if (cursor->columns().empty())
        return Engine::openCursor(text);
    return cursor;
}

QString OdbcEngine::adapt(const QString& text) {
    if (dialect_ != ServerKind::Sqlite)
        return text;
    return sqltext::nulsSpelled(sqlrewrite::toSqlite(
        text, [this](const QString& table) { return tableInfo(table).declared; }));
}

BatchResult OdbcEngine::execute(const QString& text, bool forUpdate) {
    BatchResult out;
    // Oracle's scripts arrive cut into statements already, in a dialect the
    // splitter does not know.
    const QStringList statements =
        dialect_ == ServerKind::Oracle ? QStringList{text} : sqltext::splitBatch(text);
    for (const QString& s : statements)
        runStatement(s, forUpdate && statements.size() == 1, out);
    return out;
}

void OdbcEngine::runStatement(const QString& original, bool forUpdate, BatchResult& out) {
    checkFault(original);
    // Behind a SQLite driver the rewriting reads the declared columns, which
    // another connection may change at any time: they are read afresh when
    // the schema has moved.
    if (dialect_ == ServerKind::Sqlite) {
        const long long version = schemaVersion();
        if (version != schemaVersion_ || version < 0)
            tables_.clear();
        schemaVersion_ = version;
    }
    switch (transactionCommand(original)) {
    case TransactionCommand::Begin:
        beginTrans();
        return;
    case TransactionCommand::Commit:
        commitTrans();
        return;
    case TransactionCommand::Rollback:
        rollbackTrans();
        return;
    case TransactionCommand::None:
        break;
    }
    if (dialect_ == ServerKind::Sqlite) {
        if (isNoCount(original))
            return;
        if (const auto c = sqlrewrite::conditional(original)) {
            BatchResult test;
            runStatement(c->test, false, test);
            const bool holds = test.rows && !test.rows->rows.empty() &&
                               !test.rows->rows.front().empty() &&
                               test.rows->rows.front().front().toInt() == 1;
            if (holds)
                runStatement(c->statement, forUpdate, out);
            return;
        }
    }
    static const QRegularExpression reshapes(QStringLiteral("^\\s*(ALTER|DROP|CREATE)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    const bool reshape = reshapes.match(original).hasMatch();
    const QString sql = adapt(original);
    if (sql.trimmed().isEmpty())
        return;
    if (forUpdate && readWritable(sql, out))
        return;
    Handle st;
    run(st, sql);
    if (reshape) {
        tables_.clear();
        dropPrepared();
    }
    const bool dml = isDml(original);
    const QStringList words = sqltext::topLevelWords(sql);
    const bool plainSelect = !words.isEmpty() && words.front() == u"SELECT";
    for (;;) {
        SQLSMALLINT columns = 0;
        SQLNumResultCols(st.h, &columns);
        if (columns > 0) {
            out.rows = readRows(st, 0, plainSelect ? sql : QString());
        } else if (dml) {
            SQLLEN count = -1;
            if (SQL_SUCCEEDED(SQLRowCount(st.h, &count)) && count >= 0)
                out.recordsAffected =
                    out.recordsAffected < 0 ? long(count) : out.recordsAffected + long(count);
            else if (out.recordsAffected < 0)
                out.recordsAffected = 0;
        }
        const SQLRETURN more = SQLMoreResults(st.h);
        if (more == SQL_NO_DATA || more == SQL_INVALID_HANDLE)
            break;
        if (!SQL_SUCCEEDED(more))
            fail(SQL_HANDLE_STMT, st.h);
    }
}

bool OdbcEngine::readWritable(const QString& sql, BatchResult& out) {
    const std::optional<SingleTable> single = singleTable(sql);
    if (!single)
        return false;
    const TableInfo& info = tableInfo(single->table);
    if (info.keys.isEmpty())
        return false;
    QString keyed = sql;
    QString keys;
    for (qsizetype i = 0; i < info.keys.size(); ++i)
        keys += QStringLiteral(", ") + quoted(info.keys[i]) + QStringLiteral(" AS ") +
                QString::fromLatin1(kKeyAlias).arg(i);
    keyed.insert(single->fromAt, keys + u' ');
    RowSet rs;
    try {
        Handle st;
        run(st, keyed);
        rs = readRows(st, int(info.keys.size()));
    } catch (const Exception&) {
        return false; // the statement as written says what is wrong with it
    }
    const QString table = single->table;
    for (Column& c : rs.columns) {
        const auto known = [&](const QString& n) {
            return !n.isEmpty() && info.columns.contains(n, Qt::CaseInsensitive);
        };
        if (!known(c.baseColumn))
            c.baseColumn = known(c.name) && (c.baseTable.isEmpty() ||
                                             c.baseTable.compare(table, Qt::CaseInsensitive) == 0)
                               ? c.name
                               : QString();
        // The table's own spelling of the column.
        for (const QString& n : info.columns)
            if (!c.baseColumn.isEmpty() && n.compare(c.baseColumn, Qt::CaseInsensitive) == 0)
                c.baseColumn = n;
        c.baseTable = c.baseColumn.isEmpty() ? QString() : table;
    }
    rs.baseTable = table;
    out.rows = std::move(rs);
    return true;
}

namespace {

// The driver's catalogue on one table, the name matched in any case. A call
// the driver refuses gives no rows.
class TableCatalogue {
public:
    using Allocate = std::function<void(OdbcEngine::Handle&)>;
    // (sequence, column) of a key's columns, in the catalogue's order.
    using KeyParts = std::vector<std::pair<int, QString>>;
    struct Columns {
        QString exactName; // the table's own spelling
        QStringList names;
        QStringList types;
        QList<sqlrewrite::DeclaredColumn> declared;
    };

    TableCatalogue(const QString& table, bool narrow, Allocate allocate)
        : table_(table), nameUtf8_(table.toUtf8()), narrow_(narrow),
          allocate_(std::move(allocate)) {}

    Columns columns() {
        Columns out;
        out.exactName = table_;
        rows(
            [&](SQLHSTMT h) {
                return narrow_ ? SQLColumns(h, nullptr, 0, nullptr, 0, narrowName(),
                                            SQLSMALLINT(nameUtf8_.size()), nullptr, 0)
                               : SQLColumnsW(h, nullptr, 0, nullptr, 0, wide(table_),
                                             SQLSMALLINT(table_.size()), nullptr, 0);
            },
            [&](SQLHSTMT h) {
                if (!sameTable(h))
                    return;
                out.exactName = text(h, 3);
                const QString name = text(h, 4);
                QString type = text(h, 6);
                SQLINTEGER size = 0;
                SQLLEN ind = 0;
                SQLGetData(h, 7, SQL_C_SLONG, &size, 0, &ind);
                out.names << name;
                out.types << type;
                out.declared.push_back({name, type});
            });
        return out;
    }

    // The primary key's columns in order; else the first unique index's.
    QStringList keys() {
        KeyParts pk = primaryKey();
        if (pk.empty())
            pk = firstUniqueIndex();
        std::sort(pk.begin(), pk.end());
        QStringList keys;
        for (const auto& [seq, name] : pk)
            keys << name;
        return keys;
    }

private:
    KeyParts primaryKey() {
        KeyParts pk;
        rows(
            [&](SQLHSTMT h) {
                return narrow_ ? SQLPrimaryKeys(h, nullptr, 0, nullptr, 0, narrowName(),
                                                SQLSMALLINT(nameUtf8_.size()))
                               : SQLPrimaryKeysW(h, nullptr, 0, nullptr, 0, wide(table_),
                                                 SQLSMALLINT(table_.size()));
            },
            [&](SQLHSTMT h) {
                if (!sameTable(h))
                    return;
                SQLSMALLINT seq = 0;
                SQLLEN ind = 0;
                SQLGetData(h, 5, SQL_C_SSHORT, &seq, 0, &ind);
                pk.emplace_back(seq, text(h, 4));
            });
        return pk;
    }

    KeyParts firstUniqueIndex() {
        KeyParts pk;
        QString index;
        rows(
            [&](SQLHSTMT h) {
                return narrow_ ? SQLStatistics(h, nullptr, 0, nullptr, 0, narrowName(),
                                               SQLSMALLINT(nameUtf8_.size()), SQL_INDEX_UNIQUE,
                                               SQL_QUICK)
                               : SQLStatisticsW(h, nullptr, 0, nullptr, 0, wide(table_),
                                                SQLSMALLINT(table_.size()), SQL_INDEX_UNIQUE,
                                                SQL_QUICK);
            },
            [&](SQLHSTMT h) {
                const QString name = text(h, 6);
                const QString column = text(h, 9);
                if (!sameTable(h) || column.isEmpty() || (!index.isEmpty() && name != index))
                    return;
                index = name;
                SQLSMALLINT seq = 0;
                SQLLEN ind = 0;
                SQLGetData(h, 8, SQL_C_SSHORT, &seq, 0, &ind);
                pk.emplace_back(seq, column);
            });
        return pk;
    }

    // Runs the catalogue call on a statement of its own and hands each row
    // of its result to `row`.
    template <typename Call, typename Row> void rows(Call call, Row row) {
        OdbcEngine::Handle st;
        allocate_(st);
        if (!SQL_SUCCEEDED(call(st.h)))
            return;
        while (SQL_SUCCEEDED(SQLFetch(st.h)))
            row(st.h);
    }

    QString text(SQLHSTMT h, SQLUSMALLINT col) const {
        const auto v = readText(h, col, narrow_);
        return v && !vb::IsNull(*v) ? v->toString() : QString();
    }

    bool sameTable(SQLHSTMT h) const {
        return text(h, 3).compare(table_, Qt::CaseInsensitive) == 0;
    }

    SQLCHAR* narrowName() { return reinterpret_cast<SQLCHAR*>(nameUtf8_.data()); }

    const QString& table_;
    QByteArray nameUtf8_;
    bool narrow_;
    Allocate allocate_;
};

// A table without a key: every column that can be compared picks out a row.
QStringList comparableColumns(const TableCatalogue::Columns& columns) {
    QStringList keys;
    for (qsizetype i = 0; i < columns.names.size(); ++i) {
        const int t = adoTypeOfDeclared(columns.types[i]).first;
        if (t != adLongVarChar && t != adLongVarWChar && t != adLongVarBinary)
            keys << columns.names[i];
    }
    return keys;
}

// A single key column of this declared type is one the server numbers.
bool numberedByServer(const QString& type, ServerKind dialect) {
    return type.contains(QLatin1String("IDENTITY")) ||
           (dialect == ServerKind::Sqlite && type == u"INTEGER");
}

} // namespace

const OdbcEngine::TableInfo& OdbcEngine::tableInfo(const QString& table) {
    const QString cacheKey = table.toUpper();
    if (const auto it = tables_.constFind(cacheKey); it != tables_.constEnd())
        return *it;
    TableCatalogue catalogue(table, narrow_, [this](Handle& st) { allocate(st); });
    const TableCatalogue::Columns columns = catalogue.columns();
    if (columns.names.isEmpty()) {
        // Not kept: the table may be made later, by this connection or another.
        noTable_ = TableInfo();
        return noTable_;
    }
    TableInfo info;
    info.columns = columns.names;
    info.declared = columns.declared;
    info.keys = catalogue.keys();
    if (info.keys.isEmpty())
        info.keys = comparableColumns(columns);
    if (info.keys.size() == 1)
        info.keyIsRowNumber = numberedByServer(
            columns.types.value(info.columns.indexOf(info.keys.front())).toUpper(), dialect_);
    if (columns.exactName != table)
        tables_.insert(columns.exactName.toUpper(), info);
    tables_.insert(cacheKey, info);
    return *tables_.constFind(cacheKey);
}

QString OdbcEngine::keyCondition(const TableInfo& info, const QVariantList& key) const {
    QStringList parts;
    for (qsizetype i = 0; i < info.keys.size(); ++i)
        parts << quoted(info.keys[i]) + (vb::IsNull(key.value(i)) || !key.value(i).isValid()
                                             ? QStringLiteral(" IS NULL")
                                             : QStringLiteral(" = ?"));
    return parts.join(QStringLiteral(" AND "));
}

namespace {

// Binds the key's values that are not NULL, from parameter `next` on.
SQLRETURN bindKey(Params& p, SQLUSMALLINT next, const QVariantList& key) {
    for (const QVariant& v : key) {
        if (vb::IsNull(v) || !v.isValid())
            continue;
        const SQLRETURN rc = p.bind(next++, v);
        if (!SQL_SUCCEEDED(rc))
            return rc;
    }
    return SQL_SUCCESS;
}

} // namespace

QVariant OdbcEngine::insertRow(const QString& table, const ColumnValues& values) {
    const TableInfo& info = tableInfo(table);
    QStringList names, marks;
    for (const auto& [col, v] : values) {
        names << quoted(col->baseColumn);
        marks << QStringLiteral("?");
    }
    QString sql = values.empty()
                      ? QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoted(table))
                      : QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                            .arg(quoted(table), names.join(u','), marks.join(u','));
    bool numbered = false; // the key is the number the server gave the row
    if (info.keyIsRowNumber) {
        numbered = true;
        for (const auto& [col, v] : values)
            if (col->baseColumn.compare(info.keys.front(), Qt::CaseInsensitive) == 0)
                numbered = false;
    }
    if (numbered && dialect_ == ServerKind::SqlServer)
        sql += QStringLiteral("; SELECT SCOPE_IDENTITY()");
    checkFault(sql);
    Handle st;
    allocate(st);
    Params p(st.h, narrow_, dialect_ == ServerKind::Sqlite);
    SQLUSMALLINT n = 1;
    for (const auto& [col, v] : values)
        if (!SQL_SUCCEEDED(p.bind(n++, textToServer(dialect_, v))))
            fail(SQL_HANDLE_STMT, st.h);
    SQLRETURN rc = direct(st.h, sql);
    if (!SQL_SUCCEEDED(rc))
        fail(SQL_HANDLE_STMT, st.h);

    QVariant generated;
    if (numbered) {
        Column number;
        number.type = adBigInt;
        Handle idSt;
        SQLHSTMT h = st.h;
        if (dialect_ == ServerKind::Sqlite) {
            run(idSt, QStringLiteral("SELECT last_insert_rowid()"));
            h = idSt.h;
        } else if (dialect_ == ServerKind::SqlServer) {
            for (;;) {
                SQLSMALLINT cols = 0;
                SQLNumResultCols(h, &cols);
                if (cols > 0)
                    break;
                const SQLRETURN more = SQLMoreResults(h);
                if (!SQL_SUCCEEDED(more))
                    break;
            }
        }
        if (SQL_SUCCEEDED(SQLFetch(h)))
            if (auto v = readValue(h, 1, number, narrow_))
                generated = *v;
    }
    QVariantList key;
    for (const QString& k : info.keys) {
        QVariant v = generated;
        for (const auto& [col, value] : values)
            if (col->baseColumn.compare(k, Qt::CaseInsensitive) == 0)
                v = value;
        key << v;
    }
    return key;
}

QVariant OdbcEngine::updateRow(const QString& table, const QVariant& key,
                               const ColumnValues& values) {
    if (values.empty())
        return key;
    const TableInfo& info = tableInfo(table);
    const QVariantList old = key.toList();
    QStringList sets;
    for (const auto& [col, v] : values)
        sets << quoted(col->baseColumn) + QStringLiteral(" = ?");
    const QString sql =
        QStringLiteral("UPDATE %1 SET %2 WHERE %3")
            .arg(quoted(table), sets.join(QStringLiteral(", ")), keyCondition(info, old));
    checkFault(sql);
    Handle st;
    allocate(st);
    Params p(st.h, narrow_, dialect_ == ServerKind::Sqlite);
    SQLUSMALLINT n = 1;
    for (const auto& [col, v] : values)
        if (!SQL_SUCCEEDED(p.bind(n++, textToServer(dialect_, v))))
            fail(SQL_HANDLE_STMT, st.h);
    if (!SQL_SUCCEEDED(bindKey(p, n, old)))
        fail(SQL_HANDLE_STMT, st.h);
    SQLRETURN rc = direct(st.h, sql);
    if (rc == SQL_NO_DATA)
        throw Exception(adoError(adErrRowNotFound));
    if (!SQL_SUCCEEDED(rc))
        fail(SQL_HANDLE_STMT, st.h);
    SQLLEN count = 0;
    if (SQL_SUCCEEDED(SQLRowCount(st.h, &count)) && count == 0)
        throw Exception(adoError(adErrRowNotFound));
    QVariantList moved = old;
    for (qsizetype k = 0; k < info.keys.size(); ++k)
        for (const auto& [col, v] : values)
            if (col->baseColumn.compare(info.keys[k], Qt::CaseInsensitive) == 0)
                moved[k] = v;
    return moved;
}

void OdbcEngine::deleteRow(const QString& table, const QVariant& key) {
    const TableInfo& info = tableInfo(table);
    const QVariantList k = key.toList();
    const QString sql =
        QStringLiteral("DELETE FROM %1 WHERE %2").arg(quoted(table), keyCondition(info, k));
    checkFault(sql);
    Handle st;
    allocate(st);
    Params p(st.h, narrow_, dialect_ == ServerKind::Sqlite);
    if (!SQL_SUCCEEDED(bindKey(p, 1, k)))
        fail(SQL_HANDLE_STMT, st.h);
    SQLRETURN rc = direct(st.h, sql);
    if (rc == SQL_NO_DATA)
        throw Exception(adoError(adErrRowNotFound));
    if (!SQL_SUCCEEDED(rc))
        fail(SQL_HANDLE_STMT, st.h);
    SQLLEN count = 0;
    if (SQL_SUCCEEDED(SQLRowCount(st.h, &count)) && count == 0)
        throw Exception(adoError(adErrRowNotFound));
}

std::vector<QVariant> OdbcEngine::readRow(const QString& table, const std::vector<Column>& columns,
                                          const QVariant& key) {
    const TableInfo& info = tableInfo(table);
    const QVariantList k = key.toList();
    QStringList names;
    for (const Column& c : columns)
        names << (c.baseColumn.isEmpty() ? QStringLiteral("NULL") : quoted(c.baseColumn));
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3")
                            .arg(names.join(u','), quoted(table), keyCondition(info, k));
    Handle st;
    allocate(st);
    Params p(st.h, narrow_, dialect_ == ServerKind::Sqlite);
    if (!SQL_SUCCEEDED(bindKey(p, 1, k)))
        fail(SQL_HANDLE_STMT, st.h);
    SQLRETURN rc = direct(st.h, sql);
    if (!SQL_SUCCEEDED(rc))
        fail(SQL_HANDLE_STMT, st.h);
    rc = SQLFetch(st.h);
    if (rc == SQL_NO_DATA)
        throw Exception(adoError(adErrRowNotFound));
    if (!SQL_SUCCEEDED(rc))
        fail(SQL_HANDLE_STMT, st.h);
    std::vector<QVariant> row;
    for (size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].baseColumn.isEmpty()) {
            row.push_back(QVariant());
            continue;
        }
        auto v = readValue(st.h, SQLUSMALLINT(i + 1), columns[i], narrow_);
        if (!v)
            fail(SQL_HANDLE_STMT, st.h);
        row.push_back(*v);
    }
    return row;
}

// ---- Prepared statements --------------------------------------------------------------------

namespace {

// The rows of one parameter array share a value kind per column.
using Kind = ValueKind;

// The values of every parameter for the rows of one execution, column by
// column, where the driver reads them as a parameter array. The same types
// as Params gives single rows.
class ParamColumns {
public:
    ParamColumns(bool narrow, bool sqlite) : narrow_(narrow), sqlite_(sqlite) {}

    // False when a parameter's values are of different kinds: the rows then
    // go one at a time.
    bool fill(const std::vector<QVariantList>& rows, size_t first, size_t last, int params) {
        const size_t n = last - first;
        cols_.resize(size_t(params));
        for (int c = 0; c < params; ++c)
            if (!fillColumn(cols_[size_t(c)], rows, first, last, c, n))
                return false;
        return true;
    }

    SQLRETURN bind(SQLHSTMT h) {
        for (size_t c = 0; c < cols_.size(); ++c) {
            Column& col = cols_[c];
            const SQLRETURN rc =
                SQLBindParameter(h, SQLUSMALLINT(c + 1), SQL_PARAM_INPUT, col.cType, col.sqlType,
                                 col.size, col.digits, col.data.data(), col.width, col.ind.data());
            if (!SQL_SUCCEEDED(rc))
                return rc;
        }
        return SQL_SUCCESS;
    }

private:
    struct Column {
        SQLSMALLINT cType = SQL_C_CHAR;
        SQLSMALLINT sqlType = SQL_VARCHAR;
        SQLULEN size = 0;
        SQLSMALLINT digits = 0;
        SQLLEN width = 0; // bytes from one row's value to the next
        std::vector<char> data;
        std::vector<SQLLEN> ind;
    };

    // Parameter `c` of rows [first, last), n of them, all NULL until filled.
    bool fillColumn(Column& col, const std::vector<QVariantList>& rows, size_t first, size_t last,
                    int c, size_t n) {
        col.ind.assign(n, SQL_NULL_DATA);
        std::optional<Kind> kind = sharedKind(rows, first, last, c);
        if (!kind)
            return false;
        if (sqlite_ && (*kind == Kind::Money))
            kind = Kind::Real; // SQLite keeps money as a real
        if (*kind == Kind::Text || (*kind == Kind::Money) || (*kind == Kind::Date && sqlite_)) {
            fillTexts(col, rows, first, c, *kind);
            return true;
        }
        switch (*kind) {
        case Kind::Null:
            fillNulls(col, n);
            break;
        case Kind::Integer:
            fixed<qint64>(col, rows, first, c, SQL_C_SBIGINT, SQL_BIGINT, 0, [](const QVariant& v) {
                return v.typeId() == QMetaType::Bool ? qint64(v.toBool()) : v.toLongLong();
            });
            break;
        case Kind::Real:
            fixed<double>(col, rows, first, c, SQL_C_DOUBLE, SQL_DOUBLE, 15, [](const QVariant& v) {
                return vb::isCurrency(v) ? vb::toCurrency(v).toDouble() : v.toDouble();
            });
            break;
        case Kind::Date:
            fixed<SQL_TIMESTAMP_STRUCT>(
                col, rows, first, c, SQL_C_TYPE_TIMESTAMP, SQL_TYPE_TIMESTAMP, 23,
                [](const QVariant& v) { return odbcTimestamp(parameterDateTime(v)); });
            col.digits = 3;
            break;
        case Kind::Bytes:
            return fillBytes(col, rows, first, last, c);
        default:
            break;
        }
        return true;
    }

    // The one kind of parameter `c`'s values that are not NULL (Null when
    // all are); std::nullopt when they are of different kinds.
    static std::optional<Kind> sharedKind(const std::vector<QVariantList>& rows, size_t first,
                                          size_t last, int c) {
        Kind kind = Kind::Null;
        for (size_t r = first; r < last; ++r) {
            const Kind k = valueKind(rows[r][c]);
            if (k == Kind::Null)
                continue;
            if (kind != Kind::Null && k != kind)
                return std::nullopt;
            kind = k;
        }
        return kind;
    }

    // Every row's value as text, in a slot as wide as the widest.
    void fillTexts(Column& col, const std::vector<QVariantList>& rows, size_t first, int c,
                   Kind kind) const {
        const size_t n = col.ind.size();
        std::vector<QByteArray> texts(n); // the rows' texts, encoded
        qsizetype widest = 1;
        for (size_t r = 0; r < n; ++r) {
            const QVariant& v = rows[first + r][c];
            if (valueKind(v) == Kind::Null)
                continue;
            texts[r] = encoded(parameterText(v, kind));
            col.ind[r] = SQLLEN(texts[r].size());
            widest = std::max(widest, texts[r].size());
        }
        const qsizetype unit = narrow_ ? 1 : 2;
        col.width = SQLLEN(widest + unit); // room for the terminator
        col.data.assign(size_t(col.width) * n, 0);
        for (size_t r = 0; r < n; ++r)
            std::copy(texts[r].begin(), texts[r].end(),
                      col.data.begin() + qsizetype(r) * col.width);
        col.cType = narrow_ ? SQL_C_CHAR : SQL_C_WCHAR;
        textType(col, kind, SQLULEN(widest / unit));
    }

    static QString parameterText(const QVariant& v, Kind kind) {
        return kind == Kind::Money ? vb::toCurrency(v).toString(u'.')
               : kind == Kind::Date
                   ? parameterDateTime(v).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"))
                   : v.toString();
    }

    // The text in the driver's encoding.
    QByteArray encoded(const QString& t) const {
        return narrow_ ? t.toUtf8()
                       : QByteArray(reinterpret_cast<const char*>(t.utf16()), t.size() * 2);
    }

    // The server's type of a text parameter of `chars` characters at most.
    void textType(Column& col, Kind kind, SQLULEN chars) const {
        if (kind == Kind::Money) {
            col.sqlType = SQL_DECIMAL;
            col.size = 19;
            col.digits = 4;
        } else if (kind == Kind::Date) {
            col.sqlType = SQL_VARCHAR;
            col.size = 19;
        } else {
            col.sqlType = narrow_ ? SQL_VARCHAR : chars > 4000 ? SQL_WLONGVARCHAR : SQL_WVARCHAR;
            col.size = chars;
        }
    }

    static void fillNulls(Column& col, size_t n) {
        col.cType = SQL_C_CHAR;
        col.sqlType = SQL_VARCHAR;
        col.size = 1;
        col.width = 1;
        col.data.assign(n, 0);
    }

    // Drivers read binary arrays by the buffer's length: values of one
    // length only, else false.
    static bool fillBytes(Column& col, const std::vector<QVariantList>& rows, size_t first,
                          size_t last, int c) {
        const size_t n = col.ind.size();
        const std::optional<qsizetype> length = sharedLength(rows, first, last, c);
        if (!length)
            return false;
        const qsizetype widest = std::max<qsizetype>(*length, 1);
        col.width = SQLLEN(widest);
        col.data.assign(size_t(widest) * n, 0);
        for (size_t r = 0; r < n; ++r) {
            const QVariant& v = rows[first + r][c];
            if (valueKind(v) == Kind::Null)
                continue;
            const QByteArray b = v.toByteArray();
            std::copy(b.begin(), b.end(), col.data.begin() + qsizetype(r) * col.width);
            col.ind[r] = SQLLEN(b.size());
        }
        col.cType = SQL_C_BINARY;
        col.sqlType = widest > 8000 ? SQL_LONGVARBINARY : SQL_VARBINARY;
        col.size = SQLULEN(widest);
        return true;
    }

    // The one length of parameter `c`'s values that are not NULL (-1 when
    // all are); std::nullopt when they differ.
    static std::optional<qsizetype> sharedLength(const std::vector<QVariantList>& rows,
                                                 size_t first, size_t last, int c) {
        qsizetype widest = -1;
        for (size_t r = first; r < last; ++r) {
            if (valueKind(rows[r][c]) == Kind::Null)
                continue;
            const qsizetype size = rows[r][c].toByteArray().size();
            if (widest >= 0 && size != widest)
                return std::nullopt;
            widest = size;
        }
        return widest;
    }

    template <typename T, typename Convert>
    static void fixed(Column& col, const std::vector<QVariantList>& rows, size_t first, int c,
                      SQLSMALLINT cType, SQLSMALLINT sqlType, SQLULEN size, Convert convert) {
        const size_t n = col.ind.size();
        col.cType = cType;
        col.sqlType = sqlType;
        col.size = size;
        col.width = SQLLEN(sizeof(T));
        col.data.assign(sizeof(T) * n, 0);
        for (size_t r = 0; r < n; ++r) {
            const QVariant& v = rows[first + r][c];
            if (valueKind(v) == Kind::Null)
                continue;
            const T value = convert(v);
            std::memcpy(col.data.data() + r * sizeof(T), &value, sizeof(T));
            col.ind[r] = 0;
        }
    }

    bool narrow_;
    bool sqlite_;
    std::vector<Column> cols_;
};

// Rows that go to the driver in one execution at most.
constexpr size_t kArrayRows = 1000;

// Behind the SQLite driver a statement that begins with WITH is compiled
// once, when it is prepared, and run again at each execution; an INSERT,
// UPDATE or DELETE on its own is compiled anew for every row. An empty
// common table expression in front keeps it compiled.
QString compiledOnce(const QString& sql) {
    static const QRegularExpression dml(QStringLiteral("^\\s*(INSERT|UPDATE|DELETE)\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    return dml.match(sql).hasMatch() ? QStringLiteral("WITH qz_vez__(x) AS (SELECT 1) ") + sql
                                     : sql;
}

} // namespace

void OdbcEngine::dropPrepared() {
    for (const Prepared& p : std::as_const(prepared_))
        SQLFreeHandle(SQL_HANDLE_STMT, p.h);
    prepared_.clear();
}

OdbcEngine::Prepared& OdbcEngine::prepared(const QString& text) {
    if (const auto it = prepared_.find(text); it != prepared_.end())
        return *it;
    QString sql = adapt(text);
    if (dialect_ == ServerKind::Sqlite && text.contains(u'?'))
        sql = compiledOnce(sql);
    Handle st;
    allocate(st);
    SQLRETURN rc;
    if (narrow_) {
        QByteArray utf8 = sql.toUtf8();
        rc = SQLPrepare(st.h, reinterpret_cast<SQLCHAR*>(utf8.data()), SQLINTEGER(utf8.size()));
    } else {
        rc = SQLPrepareW(st.h, wide(sql), SQLINTEGER(sql.size()));
    }
    if (!SQL_SUCCEEDED(rc))
        fail(SQL_HANDLE_STMT, st.h);
    Prepared p;
    SQLSMALLINT params = 0;
    if (SQL_SUCCEEDED(SQLNumParams(st.h, &params)))
        p.params = params;
    // A handful of texts is what a save repeats; more means texts that vary.
    if (prepared_.size() >= 16)
        dropPrepared();
    p.h = std::exchange(st.h, SQLHSTMT(nullptr));
    return *prepared_.insert(text, p);
}

long long OdbcEngine::sqliteNumber(const char* query) {
    Handle st;
    run(st, QString::fromLatin1(query));
    SQLBIGINT n = 0;
    SQLLEN ind = 0;
    if (!SQL_SUCCEEDED(SQLFetch(st.h)) ||
        !SQL_SUCCEEDED(SQLGetData(st.h, 1, SQL_C_SBIGINT, &n, 0, &ind)))
        fail(SQL_HANDLE_STMT, st.h);
    return n;
}

long long OdbcEngine::totalChanges() {
    return sqliteNumber("SELECT total_changes()");
}

long long OdbcEngine::schemaVersion() {
    try {
        return sqliteNumber("PRAGMA schema_version");
    } catch (const Exception&) {
        return -1; // unknown: the declared columns are read again
    }
}

bool OdbcEngine::runArray(Prepared& p, const std::vector<QVariantList>& rows, size_t first,
                          size_t last, long& written) {
    SQLHSTMT h = p.h;
    const size_t n = last - first;
    ParamColumns columns(narrow_, dialect_ == ServerKind::Sqlite);
    if (!columns.fill(rows, first, last, int(rows[first].size())))
        return false;
    SQLSetStmtAttr(h, SQL_ATTR_PARAM_BIND_TYPE,
                   reinterpret_cast<SQLPOINTER>(SQL_PARAM_BIND_BY_COLUMN), 0);
    SQLULEN size = 0;
    if (!SQL_SUCCEEDED(SQLSetStmtAttr(h, SQL_ATTR_PARAMSET_SIZE,
                                      reinterpret_cast<SQLPOINTER>(SQLULEN(n)), 0)) ||
        !SQL_SUCCEEDED(SQLGetStmtAttr(h, SQL_ATTR_PARAMSET_SIZE, &size, 0, nullptr)) || size != n) {
        SQLSetStmtAttr(h, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)), 0);
        p.arrays = false;
        return false;
    }
    std::vector<SQLUSMALLINT> status(n, SQL_PARAM_UNUSED);
    SQLULEN processed = 0;
    SQLSetStmtAttr(h, SQL_ATTR_PARAM_STATUS_PTR, status.data(), 0);
    SQLSetStmtAttr(h, SQL_ATTR_PARAMS_PROCESSED_PTR, &processed, 0);
    std::optional<Exception> failure;
    if (!SQL_SUCCEEDED(columns.bind(h))) {
        failure = odbcException(diagnostics(SQL_HANDLE_STMT, h, narrow_), dialect_, false);
    } else {
        const SQLRETURN rc = SQLExecute(h);
        const bool refused =
            (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) ||
            std::any_of(status.begin(), status.begin() + qsizetype(std::min<SQLULEN>(processed, n)),
                        [](SQLUSMALLINT s) { return s == SQL_PARAM_ERROR; });
        if (refused) {
            failure = odbcException(diagnostics(SQL_HANDLE_STMT, h, narrow_), dialect_, false);
        } else if (rc != SQL_NO_DATA) {
            // One count for the whole array, or one per row in result after result.
            do {
                SQLLEN count = 0;
                if (SQL_SUCCEEDED(SQLRowCount(h, &count)) && count > 0)
                    written += long(count);
            } while (SQL_SUCCEEDED(SQLMoreResults(h)));
        }
    }
    // The statement is kept: it must not point at these buffers afterwards.
    SQLFreeStmt(h, SQL_CLOSE);
    SQLFreeStmt(h, SQL_RESET_PARAMS);
    SQLSetStmtAttr(h, SQL_ATTR_PARAMSET_SIZE, reinterpret_cast<SQLPOINTER>(SQLULEN(1)), 0);
    SQLSetStmtAttr(h, SQL_ATTR_PARAM_STATUS_PTR, nullptr, 0);
    SQLSetStmtAttr(h, SQL_ATTR_PARAMS_PROCESSED_PTR, nullptr, 0);
    if (failure)
        throw *failure;
    return true;
}

long OdbcEngine::runPrepared(Prepared& p, const std::vector<QVariantList>& given, size_t first,
                             size_t last) {
    // Empty texts go to Oracle as the blank it keeps.
    std::vector<QVariantList> blanked;
    if (dialect_ == ServerKind::Oracle) {
        blanked = given;
        for (size_t r = first; r < last; ++r)
            for (QVariant& v : blanked[r])
                v = textToServer(dialect_, v);
    }
    const std::vector<QVariantList>& rows = dialect_ == ServerKind::Oracle ? blanked : given;
    long written = 0;
    if (last - first > 1 && p.arrays && runArray(p, rows, first, last, written))
        return written;
    for (size_t r = first; r < last; ++r) {
        const QVariantList& values = rows[r];
        Params params(p.h, narrow_, dialect_ == ServerKind::Sqlite);
        std::optional<Exception> failure;
        for (int i = 0; i < values.size() && !failure; ++i)
            if (!SQL_SUCCEEDED(params.bind(SQLUSMALLINT(i + 1), values[i])))
                failure =
                    odbcException(diagnostics(SQL_HANDLE_STMT, p.h, narrow_), dialect_, false);
        if (!failure) {
            const SQLRETURN rc = SQLExecute(p.h);
            if (!SQL_SUCCEEDED(rc) && rc != SQL_NO_DATA) {
                failure =
                    odbcException(diagnostics(SQL_HANDLE_STMT, p.h, narrow_), dialect_, false);
            } else {
                SQLLEN count = 0;
                if (rc != SQL_NO_DATA && SQL_SUCCEEDED(SQLRowCount(p.h, &count)) && count > 0)
                    written += long(count);
                while (SQL_SUCCEEDED(SQLMoreResults(p.h))) {
                }
            }
        }
        SQLFreeStmt(p.h, SQL_CLOSE);
        SQLFreeStmt(p.h, SQL_RESET_PARAMS);
        if (failure)
            throw *failure;
    }
    return written;
}

long OdbcEngine::executePrepared(const QString& text, const std::vector<QVariantList>& rows) {
    if (rows.empty())
        return 0;
    parkCursors();
    Prepared& p = prepared(text);
    for (const QVariantList& values : rows)
        if (p.params >= 0 && p.params != values.size())
            throw Exception(Error{adErrCommand,
                                  QStringLiteral("La instrucción espera %1 valores y recibió %2.")
                                      .arg(p.params)
                                      .arg(values.size()),
                                  QStringLiteral("07002"), 0, QStringLiteral("ODBC")});
    SQLSetStmtAttr(p.h, SQL_ATTR_QUERY_TIMEOUT,
                   reinterpret_cast<SQLPOINTER>(SQLULEN(timeoutSeconds_)), 0);
    // Behind the SQLite driver a statement kept compiled counts no rows: the
    // connection's count of changes does.
    const bool counted = dialect_ == ServerKind::Sqlite;
    const long long before = counted ? totalChanges() : 0;
    long written = 0;
    for (size_t first = 0; first < rows.size();) {
        // The rows the fault injector lets through go together; a refused
        // one stops the rest.
        size_t last = first;
        std::optional<Exception> refused;
        while (last < rows.size() && last - first < kArrayRows && !refused) {
            try {
                checkFault(text);
                ++last;
            } catch (const Exception& e) {
                refused = e;
            }
        }
        if (last > first)
            written += runPrepared(p, rows, first, last);
        if (refused)
            throw *refused;
        first = last;
    }
    return counted ? long(totalChanges() - before) : written;
}

// ---- Transactions -------------------------------------------------------------------------

void OdbcEngine::beginTrans() {
    // A driver may close or commit what a cursor holds when autocommit goes.
    if (trancount_ == 0)
        parkCursors();
    if (trancount_ == 0 &&
        !SQL_SUCCEEDED(SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT,
                                         reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_OFF), 0)))
        fail(SQL_HANDLE_DBC, dbc_);
    ++trancount_;
}

void OdbcEngine::endTransaction(bool commit) {
    parkCursors();
    const SQLRETURN rc = SQLEndTran(SQL_HANDLE_DBC, dbc_, commit ? SQL_COMMIT : SQL_ROLLBACK);
    std::optional<Exception> failure;
    if (!SQL_SUCCEEDED(rc))
        failure = odbcException(diagnostics(SQL_HANDLE_DBC, dbc_, narrow_), dialect_, false);
    trancount_ = 0;
    SQLSetConnectAttr(dbc_, SQL_ATTR_AUTOCOMMIT, reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON),
                      0);
    if (failure)
        throw *failure;
}

void OdbcEngine::commitTrans() {
    if (trancount_ == 0)
        throw noTransaction(TransactionCommand::Commit);
    if (trancount_ == 1)
        endTransaction(true);
    else
        --trancount_;
}

void OdbcEngine::rollbackTrans() {
    if (trancount_ == 0)
        throw noTransaction(TransactionCommand::Rollback);
    endTransaction(false);
}

// ---- Catalogue -------------------------------------------------------------------------------

RowSet OdbcEngine::schemaTables(const QString& table, const QString& type) {
    checkFault(QStringLiteral("OpenSchema %1").arg(int(adSchemaTables)));
    RowSet rs;
    rs.columns = schemaTablesLayout();
    Handle st;
    allocate(st);
    if (!SQL_SUCCEEDED(SQLTablesW(st.h, nullptr, 0, nullptr, 0, nullptr, 0, nullptr, 0)))
        fail(SQL_HANDLE_STMT, st.h);
    auto text = [&](SQLUSMALLINT col) {
        const auto v = readText(st.h, col, narrow_);
        return v && !vb::IsNull(*v) ? v->toString() : QString();
    };
    std::vector<std::vector<QVariant>> rows;
    SQLRETURN rc;
    while (SQL_SUCCEEDED(rc = SQLFetch(st.h))) {
        QString catalog = text(1), schema = text(2);
        const QString name = text(3), kind = text(4).toUpper();
        if (kind != u"TABLE" && kind != u"VIEW")
            continue;
        if (dialect_ == ServerKind::Sqlite && name.startsWith(QLatin1String("sqlite_")))
            continue;
        if (!table.isEmpty() && name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        if (!type.isEmpty() && kind.compare(type, Qt::CaseInsensitive) != 0)
            continue;
        if (catalog.isEmpty())
            catalog = database_;
        if (schema.isEmpty())
            schema = QStringLiteral("dbo");
        rows.push_back({catalog, schema, name, kind});
    }
    if (rc != SQL_NO_DATA)
        fail(SQL_HANDLE_STMT, st.h);
    std::stable_sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) {
        return a[2].toString() < b[2].toString();
    });
    rs.rows = std::move(rows);
    return rs;
}

RowSet OdbcEngine::schemaColumns(const QString& table, const QString& column) {
    checkFault(QStringLiteral("OpenSchema %1").arg(int(adSchemaColumns)));
    const RowSet tables = schemaTables(table, QString());
    RowSet rs;
    rs.columns = schemaColumnsLayout();
    for (const auto& t : tables.rows) {
        const QString name = t[2].toString();
        Handle st;
        allocate(st);
        QByteArray utf8 = name.toUtf8();
        const SQLRETURN rc = narrow_ ? SQLColumns(st.h, nullptr, 0, nullptr, 0,
                                                  reinterpret_cast<SQLCHAR*>(utf8.data()),
                                                  SQLSMALLINT(utf8.size()), nullptr, 0)
                                     : SQLColumnsW(st.h, nullptr, 0, nullptr, 0, wide(name),
                                                   SQLSMALLINT(name.size()), nullptr, 0);
        if (!SQL_SUCCEEDED(rc))
            fail(SQL_HANDLE_STMT, st.h);
        auto text = [&](SQLUSMALLINT col) {
            const auto v = readText(st.h, col, narrow_);
            return v && !vb::IsNull(*v) ? v->toString() : QString();
        };
        int ordinal = 0;
        while (SQL_SUCCEEDED(SQLFetch(st.h))) {
            if (text(3).compare(name, Qt::CaseInsensitive) != 0)
                continue; // "_" is a wildcard of the pattern
            ++ordinal;
            const QString col = text(4);
            SQLSMALLINT dataType = 0;
            SQLINTEGER size = 0;
            SQLSMALLINT nullable = SQL_NULLABLE;
            SQLLEN ind = 0;
            SQLGetData(st.h, 5, SQL_C_SSHORT, &dataType, 0, &ind);
            const QString typeName = text(6);
            SQLGetData(st.h, 7, SQL_C_SLONG, &size, 0, &ind);
            if (ind == SQL_NULL_DATA)
                size = 0;
            SQLGetData(st.h, 11, SQL_C_SSHORT, &nullable, 0, &ind);
            if (!column.isEmpty() && col.compare(column, Qt::CaseInsensitive) != 0)
                continue;
            const auto [type, defined] = adoTypeOf(dataType, typeName, SQLULEN(std::max(0, size)));
            const QVariant maxLength =
                isTextType(type) && type != adGUID ? QVariant(int(defined)) : vb::Null();
            rs.rows.push_back({t[0], t[1], name, col, QVariant(ordinal), QVariant(type), maxLength,
                               QVariant(nullable != SQL_NO_NULLS)});
        }
    }
    return rs;
}

} // namespace ado
