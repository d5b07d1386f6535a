// Conversion between code page 936 (GBK, the program's narrow strings) and UTF-8, for the
// edges that need UTF-8 (database, design texts, test output). Unconvertible bytes or
// characters become '?'.
#pragma once

#include <string>

std::string GbkToUtf8(const std::string& Gbk);
std::string Utf8ToGbk(const std::string& Utf8);
