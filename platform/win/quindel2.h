#pragma once
// The suite's utility library: text, number and path helpers, the operator
// error box, the environment, INI files, data-entry helpers and the read-only
// sheet. Also the Windows-1252 text files that every program of the suite
// reads and writes.

#include "platform/ui/clsformulario.h"
#include "platform/ui/clsplanilla.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsini.h"
#include "platform/win/clsutilidades.h"

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

} // namespace quindel2
