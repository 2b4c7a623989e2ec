#pragma once
// unixODBC for the tests: a private configuration instead of the machine's,
// set up by each test program's main() before any connection is made.
// It registers the SQLite ODBC driver as "SQLite3" and nothing else, so a
// test that names another server fails at once instead of looking for it on
// the network, and one data source, QZ_DSN, on the SQLite file dsnDatabase().

#include <QString>

namespace testutil {

void isolateOdbc();

// The file behind the data source QZ_DSN (not created here).
QString dsnDatabase();

// The library of FreeTDS's driver, for the tests that mean to reach it.
QString freeTdsDriver();

// True when this run puts the data object's cases on the ODBC engine
// (QUARZELO_TEST_ENGINE=odbc): their databases are then reached through the
// SQLite ODBC driver instead of the embedded engine.
bool viaOdbc();

} // namespace testutil
