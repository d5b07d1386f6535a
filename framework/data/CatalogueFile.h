#pragma once
// The layout of a catalogue file: the recipe table 饮食 with its indexes, and the access
// password the file records, like a Jet database password: a connection must name it to open
// the file. Only access is guarded; the file itself is not encrypted and any SQLite client
// can read it. Texts are UTF-8 here.
#include <string>

struct sqlite3;

// Creates the recipe table, its indexes and the password record in an empty database;
// returns SQLite's result code.
int CreateCatalogue(sqlite3* Db, const std::string& Password);

enum TAccessCheck { acGranted, acWrongPassword, acNotCatalogue, acNotDatabase };

// Compares Password with the recorded one. acNotCatalogue: a database without the record;
// acNotDatabase: the file is not an SQLite database at all.
TAccessCheck CheckAccessPassword(sqlite3* Db, const std::string& Password);
