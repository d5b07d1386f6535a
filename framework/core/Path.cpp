#include "framework/core/Path.h"

int LastDelimiter(const std::string& Delimiters, const std::string& S)
{
    int Last = -1;
    for (size_t I = 0; I < S.size(); ++I) {
        if (IsLeadByte(S[I]) && I + 1 < S.size())
            ++I;
        else if (Delimiters.find(S[I]) != std::string::npos)
            Last = static_cast<int>(I);
    }
    return Last;
}

std::string ExtractFilePath(const std::string& FileName)
{
    return FileName.substr(0, static_cast<size_t>(LastDelimiter("\\:", FileName) + 1));
}

std::string ExtractFileDir(const std::string& FileName)
{
    int I = LastDelimiter("\\:", FileName);
    // Keep the backslash of a root ("C:\") and of a lone "\".
    if (I > 0 && FileName[static_cast<size_t>(I)] == '\\' &&
        LastDelimiter("\\:", FileName.substr(0, static_cast<size_t>(I))) != I - 1)
        return FileName.substr(0, static_cast<size_t>(I));
    return FileName.substr(0, static_cast<size_t>(I + 1));
}

std::string ExtractFileName(const std::string& FileName)
{
    return FileName.substr(static_cast<size_t>(LastDelimiter("\\:", FileName) + 1));
}

std::string ExtractFileExt(const std::string& FileName)
{
    int I = LastDelimiter(".\\:", FileName);
    if (I >= 0 && FileName[static_cast<size_t>(I)] == '.')
        return FileName.substr(static_cast<size_t>(I));
    return "";
}

std::string ChangeFileExt(const std::string& FileName, const std::string& Extension)
{
    int I = LastDelimiter(".\\:", FileName);
    if (I < 0 || FileName[static_cast<size_t>(I)] != '.')
        return FileName + Extension;
    return FileName.substr(0, static_cast<size_t>(I)) + Extension;
}

std::string IncludeTrailingPathDelimiter(const std::string& Path)
{
    if (!Path.empty() && LastDelimiter("\\", Path) == static_cast<int>(Path.size()) - 1)
        return Path;
    return Path + "\\";
}
