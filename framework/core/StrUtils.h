// Text helpers for GBK strings: ASCII case changes and comparisons (double-byte characters
// are left alone), trimming and integer conversions.
#pragma once

#include <cstdint>
#include <string>

// True for a GBK lead byte (0x81..0xFE).
inline bool IsLeadByte(unsigned char C) { return C >= 0x81 && C <= 0xFE; }
inline bool IsLeadByte(char C) { return IsLeadByte(static_cast<unsigned char>(C)); }

std::string LowerCaseAscii(std::string S);
std::string UpperCaseAscii(std::string S);
bool SameText(const std::string& A, const std::string& B);   // ignoring ASCII case
int CompareText(const std::string& A, const std::string& B); // <0, 0, >0, ignoring ASCII case

// Trim removes control characters and blanks (bytes <= ' ') at either end.
std::string Trim(const std::string& S);
std::string TrimLeft(const std::string& S);
std::string TrimRight(const std::string& S);

std::string IntToStr(int64_t Value);
std::string IntToHex(uint64_t Value, int Digits);
// Decimal with an optional sign, or hexadecimal after '$' or "0x"; the whole text must be
// the number and fit the result type.
bool TryStrToInt64(const std::string& S, int64_t& Value);
bool TryStrToInt(const std::string& S, int& Value);
int StrToInt(const std::string& S);            // EConvertError "'x' is not a valid integer value"
int64_t StrToInt64(const std::string& S);
int StrToIntDef(const std::string& S, int Default);
