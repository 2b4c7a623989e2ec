#include "platform/ado/connstring.h"

namespace ado {

namespace {

// "Data  Source " -> "data source": providers accept any blanks around and
// inside the key ("Database =" is how the data object writes it).
QString normaliseKey(const QString& key) {
    return key.simplified().toLower();
}

} // namespace

ConnectionStringParts parseConnectionString(const QString& text) {
    ConnectionStringParts parts;
    const qsizetype n = text.size();
    qsizetype i = 0;
    while (i < n) {
        // Key: up to "=" or ";".
        qsizetype start = i;
        while (i < n && text[i] != u'=' && text[i] != u';')
            ++i;
        const QString key = normaliseKey(text.mid(start, i - start));
        if (i >= n || text[i] == u';') { // a part without "=" carries nothing
            ++i;
            continue;
        }
        ++i; // "="
        while (i < n && text[i] == u' ')
            ++i;
        QString value;
        if (i < n && (text[i] == u'"' || text[i] == u'\'')) {
            // Quoted value: may hold ";"; a doubled quote stands for one.
            const QChar q = text[i++];
            while (i < n) {
                if (text[i] == q) {
                    if (i + 1 < n && text[i + 1] == q) {
                        value += q;
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                value += text[i++];
            }
            while (i < n && text[i] != u';')
                ++i;
        } else {
            start = i;
            while (i < n && text[i] != u';')
                ++i;
            value = text.mid(start, i - start).trimmed();
        }
        ++i; // ";"
        if (!key.isEmpty())
            parts.values.insert(key, value);
    }
    return parts;
}

QString oledbValue(const QString& v) {
    const bool simple =
        !v.contains(u';') && !v.startsWith(u'"') && !v.startsWith(u'\'') && v.trimmed() == v;
    if (simple)
        return v;
    QString r = v;
    r.replace(u'"', QStringLiteral("\"\""));
    return u'"' + r + u'"';
}

QString odbcValue(const QString& v) {
    const bool simple = !v.contains(u';') && !v.contains(u'=') && !v.contains(u'{') &&
                        !v.contains(u'}') && v.trimmed() == v;
    if (simple)
        return v;
    QString r = v;
    r.replace(u'}', QStringLiteral("}}"));
    return u'{' + r + u'}';
}

} // namespace ado
