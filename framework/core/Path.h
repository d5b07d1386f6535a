// File-name helpers that count and split in GBK bytes and never split a double-byte
// character (a trail byte may be 0x5C, the backslash).
#pragma once

#include "framework/core/StrUtils.h"

#include <string>

// Index of the last byte of S that is one of Delimiters and not part of a double-byte
// character; -1 when there is none.
int LastDelimiter(const std::string& Delimiters, const std::string& S);

std::string ExtractFilePath(const std::string& FileName);   // up to and with the last '\' or ':'
std::string ExtractFileDir(const std::string& FileName);    // the same without a trailing '\'
std::string ExtractFileName(const std::string& FileName);   // after the last '\' or ':'
std::string ExtractFileExt(const std::string& FileName);    // from the last '.' of the name, with it
std::string ChangeFileExt(const std::string& FileName, const std::string& Extension);
std::string IncludeTrailingPathDelimiter(const std::string& Path);
