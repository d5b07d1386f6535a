#pragma once
// Turns a statement in Jet's SQL dialect into one SQLite reads the same way: double-quoted
// text literals become single-quoted ones, [bracketed] names become quoted identifiers.
#include <string>

// Translates UTF-8 statement text. Returns false and sets Error when a literal, bracketed
// name or comment is left open or the text holds a NUL byte. Everything outside literals,
// names and comments is copied unchanged; single-quoted literals, back-quoted names and
// comments are copied whole, so their contents are never taken for quotes.
bool TranslateJetSql(const std::string& Jet, std::string& Sqlite, std::string& Error);
