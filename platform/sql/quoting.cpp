#include "platform/sql/quoting.h"

namespace sqltext {

namespace {

QString quoted(const QString& text, QChar delimiter) {
    QString r;
    r.reserve(text.size() + 2);
    r += delimiter;
    for (const QChar c : text) {
        if (c == delimiter)
            r += delimiter;
        r += c;
    }
    r += delimiter;
    return r;
}

} // namespace

QString literal(const QString& text) {
    return quoted(text, u'\'');
}

QString identifier(const QString& name) {
    return quoted(name, u'"');
}

} // namespace sqltext
