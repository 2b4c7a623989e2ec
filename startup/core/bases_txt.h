#pragma once
// BASES.TXT, the connections registered in the program folder: one line each,
// five fields separated by commas, in the Windows code page, as the other
// programs of the suite read and write it:
//
//   key,database,login user,obfuscated password,server[#]
//
// The key is "CONTA / SRV01\SQL"; a "#" after the server marks an Oracle
// connection. Lines are only ever appended (LBM_Common1::RegistraConexion).

#include <QString>
#include <optional>
#include <vector>

namespace basestxt {

struct RegisteredConnection {
    QString key;
    QString database;
    QString user;
    QString obfuscatedPassword;
    QString server;
};

// BASES.TXT in the program folder.
QString filePath();

// The server as a key writes it: upper-cased and trimmed, cut before its
// first ":" (the port).
QString keyServer(const QString& server);
// "CONTA / SRV01\SQL" for the database conta on srv01\sql:1433.
QString connectionKey(const QString& database, const QString& server);

// The five fields of one line, read as the suite reads a data line: split at
// the commas, blanks around a field dropped, a field in double quotes taken
// whole; missing fields are empty.
RegisteredConnection parseLine(const QString& line);

// Every line of the file, in file order; std::nullopt when it cannot be read.
std::optional<std::vector<RegisteredConnection>> read(const QString& path);

} // namespace basestxt
