#pragma once
// INI files with the semantics of the Windows profile functions, so that the
// files other programs of the suite write read the same here: section and key
// names without regard to letter case (sections such as "PC|USUARIO" are
// plain names), values trimmed and stripped of one pair of surrounding
// quotes, ";" comment lines, the first of repeated sections or keys wins.
// Files are Windows-1252. A bare file name lives in the program folder.

#include <QString>

class ClsIni {
public:
    // The key's value; `porDefecto` when the file, the section or the key is
    // absent. A key present with an empty value gives "".
    static QString LeeIni(const QString& archivo, const QString& seccion, const QString& clave,
                          const QString& porDefecto = QString());
    // Writes the key, creating the file, the section and the key as needed.
    // Every other line of the file stays as it was, in its order, with the
    // file's own line ends (CR LF for a new file). False when it cannot write.
    static bool GrabaIni(const QString& archivo, const QString& seccion, const QString& clave,
                         const QString& valor);
    // Full path of the file the two operations above use.
    static QString RutaIni(const QString& archivo);
};
