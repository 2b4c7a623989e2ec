#include "platform/win/quindel2.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>

namespace quindel2 {

QString decodeWindows1252(const QByteArray& bytes) {
    QStringDecoder decoder("windows-1252");
    return decoder.decode(bytes);
}

QByteArray encodeWindows1252(const QString& text) {
    QStringEncoder encoder("windows-1252");
    QByteArray bytes = encoder.encode(text);
    // The encoder writes SUB for what the code page lacks; Windows writes "?".
    if (encoder.hasError())
        bytes.replace('\x1a', '?');
    return bytes;
}

QString localPath(const QString& path) {
    QString p = path;
    p.replace(u'\\', u'/');
    if (p.isEmpty() || QFileInfo::exists(p))
        return p;
    const QFileInfo info(p);
    const QDir dir = info.dir();
    const QString name = info.fileName();
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    }
    return p;
}

std::optional<QString> readTextFile(const QString& path) {
    QFile f(localPath(path));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return decodeWindows1252(f.readAll());
}

bool writeTextFile(const QString& path, const QString& text, bool append) {
    QFile f(localPath(path));
    const QIODevice::OpenMode mode =
        QIODevice::WriteOnly | (append ? QIODevice::Append : QIODevice::Truncate);
    if (!f.open(mode))
        return false;
    const QByteArray bytes = encodeWindows1252(text);
    return f.write(bytes) == bytes.size() && f.flush();
}

QString maskPasswords(const QString& text) {
    // A value runs to the next ";" (or the line's end); a braced ODBC value
    // ("}" doubled inside) or a quoted one (its quote doubled inside) may
    // hold a ";" of its own.
    static const QRegularExpression clave(
        QStringLiteral(
            R"((\b(?:pwd|password)\s*=\s*)(\{(?:[^}]|\}\})*\}?|"(?:[^"]|"")*"?|'(?:[^']|'')*'?|[^;\r\n]*))"),
        QRegularExpression::CaseInsensitiveOption);
    QString r;
    qsizetype copiado = 0;
    for (auto it = clave.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.capturedLength(2) == 0)
            continue;
        r += text.mid(copiado, m.capturedStart(2) - copiado) + QStringLiteral("***");
        copiado = m.capturedEnd(2);
    }
    return r + text.mid(copiado);
}

} // namespace quindel2
