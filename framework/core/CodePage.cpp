#include "framework/core/CodePage.h"

#ifdef _WIN32
#include <windows.h>

// Through UTF-16 with the platform's converters.
static std::wstring ToWide(const std::string& S, UINT CodePage)
{
    if (S.empty())
        return std::wstring();
    int N = MultiByteToWideChar(CodePage, 0, S.data(), static_cast<int>(S.size()), nullptr, 0);
    std::wstring W(static_cast<size_t>(N), L'\0');
    MultiByteToWideChar(CodePage, 0, S.data(), static_cast<int>(S.size()), &W[0], N);
    return W;
}

static std::string FromWide(const std::wstring& W, UINT CodePage)
{
    if (W.empty())
        return std::string();
    const char* DefaultChar = CodePage == CP_UTF8 ? nullptr : "?";
    int N = WideCharToMultiByte(CodePage, 0, W.data(), static_cast<int>(W.size()), nullptr, 0,
                                DefaultChar, nullptr);
    std::string S(static_cast<size_t>(N), '\0');
    WideCharToMultiByte(CodePage, 0, W.data(), static_cast<int>(W.size()), &S[0], N, DefaultChar,
                        nullptr);
    return S;
}

std::string GbkToUtf8(const std::string& Gbk) { return FromWide(ToWide(Gbk, 936), CP_UTF8); }
// Code page 936 has nothing beyond the basic plane: a surrogate pair becomes one '?'.
std::string Utf8ToGbk(const std::string& Utf8)
{
    std::wstring W = ToWide(Utf8, CP_UTF8);
    std::wstring Basic;
    for (size_t I = 0; I < W.size(); ++I) {
        bool Pair = W[I] >= 0xD800 && W[I] <= 0xDBFF && I + 1 < W.size() && W[I + 1] >= 0xDC00 &&
                    W[I + 1] <= 0xDFFF;
        Basic += Pair ? L'?' : W[I];
        I += Pair ? 1 : 0;
    }
    return FromWide(Basic, 936);
}

#else
#include <cerrno>
#include <iconv.h>

static std::string Convert(const std::string& S, const char* From, const char* To)
{
    const bool FromUtf8 = std::string(From) == "UTF-8";
    iconv_t Cd = iconv_open(To, From);
    if (Cd == reinterpret_cast<iconv_t>(-1))
        return S;
    std::string Out;
    char Buffer[256];
    char* In = const_cast<char*>(S.data());
    size_t InLeft = S.size();
    while (InLeft > 0) {
        char* OutPtr = Buffer;
        size_t OutLeft = sizeof Buffer;
        size_t R = iconv(Cd, &In, &InLeft, &OutPtr, &OutLeft);
        Out.append(Buffer, static_cast<size_t>(OutPtr - Buffer));
        if (R == static_cast<size_t>(-1) && errno != E2BIG) {
            // An invalid or unconvertible sequence becomes one '?'; a UTF-8 character is
            // skipped as a whole.
            Out += '?';
            do {
                ++In;
                --InLeft;
            } while (FromUtf8 && InLeft > 0 && (static_cast<unsigned char>(*In) & 0xC0) == 0x80);
        }
    }
    iconv_close(Cd);
    return Out;
}

std::string GbkToUtf8(const std::string& Gbk) { return Convert(Gbk, "CP936", "UTF-8"); }
std::string Utf8ToGbk(const std::string& Utf8) { return Convert(Utf8, "UTF-8", "CP936"); }
#endif
