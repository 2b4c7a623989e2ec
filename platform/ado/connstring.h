#pragma once
// Reading of OLE DB style connection strings ("PROVIDER=SQLOLEDB;Server=x;Database =y;...").

#include <QMap>
#include <QString>

namespace ado {

struct ConnectionStringParts {
    // Keys trimmed and lower-cased ("database", "data source", "uid" ...);
    // values trimmed. A later key overwrites an earlier one.
    QMap<QString, QString> values;
    QString value(const QString& key) const { return values.value(key.toLower()); }
    bool has(const QString& key) const { return values.contains(key.toLower()); }
};

ConnectionStringParts parseConnectionString(const QString& text);

// A value for an OLE DB connection string, as parseConnectionString takes it
// back whole: one that holds ";" or begins with a quote or a blank (or ends
// with one) goes between double quotes, each inside doubled, so that it never
// ends its part or adds a keyword of its own. Plain values stay as they are.
QString oledbValue(const QString& v);

// A value for an ODBC connection string, taken back whole by its reader:
// between braces ("}" doubled inside) when it holds what would end its part,
// open a braced one or start a keyword of its own; plain values as they are.
QString odbcValue(const QString& v);

} // namespace ado
