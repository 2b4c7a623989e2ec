#pragma once
// The Windows-1252 text files that every program of the suite reads and
// writes, and paths as the original program wrote them.

#include <QByteArray>
#include <QString>
#include <optional>

namespace quindel2 {

// Windows-1252 bytes to text and back. Characters the code page lacks are
// written as "?".
QString decodeWindows1252(const QByteArray& bytes);
QByteArray encodeWindows1252(const QString& text);

// A path as the original program wrote it ("\" separators allowed) made usable
// here. A file name that differs only in letter case from an existing file
// names that file, as on Windows.
QString localPath(const QString& path);

// Whole text file in Windows-1252; std::nullopt when it cannot be read.
std::optional<QString> readTextFile(const QString& path);
// Writes (or appends) the text in Windows-1252; false when it cannot be written.
// Line ends are written as given.
bool writeTextFile(const QString& path, const QString& text, bool append = false);

// The text with the value of every password it carries ("Pwd=...;",
// "Password=...;", "@Password=...;", letter case ignored) replaced by "***",
// for what goes to a log file: an error's text may quote a connection string.
QString maskPasswords(const QString& text);

} // namespace quindel2
