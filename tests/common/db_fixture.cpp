#include "common/db_fixture.h"

#include <QFile>
#include <QStringDecoder>

void PrintTo(const QString& s, std::ostream* os) {
    *os << '"' << s.toStdString() << '"';
}

void PrintTo(const QStringList& l, std::ostream* os) {
    *os << '{';
    for (const QString& s : l)
        *os << '"' << s.toStdString() << "\" ";
    *os << '}';
}

void PrintTo(const QVariant& v, std::ostream* os) {
    if (!v.isValid())
        *os << "Empty";
    else
        *os << v.typeName() << ' ' << v.toString().toStdString();
}

namespace testutil {

void recordStatements(const ado::ConnectionPtr& c, QStringList& into, ado::FaultInjector fault) {
    c->setFaultInjector(
        [&into, fault = std::move(fault)](const QString& s) -> std::optional<ado::Error> {
            into << s;
            return fault ? fault(s) : std::nullopt;
        });
}

ado::FaultInjector lostLinkAt(int at, const QString& connectionString, int& sent) {
    return [at, connectionString, &sent,
            lost = QString()](const QString& s) mutable -> std::optional<ado::Error> {
        if (s == connectionString)
            return std::nullopt;
        if (sent++ == at)
            lost = s;
        if (!lost.isNull() && s == lost)
            return ado::lostLinkError();
        return std::nullopt;
    };
}

QString readAnsiFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QString();
    QStringDecoder dec("windows-1252");
    return dec.decode(f.readAll());
}

void SavedEnv::restore() const {
    if (value_.isNull())
        qunsetenv(name_);
    else
        qputenv(name_, value_);
}

} // namespace testutil
