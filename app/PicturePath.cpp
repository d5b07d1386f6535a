#include "app/PicturePath.h"

#include "framework/core/Path.h"
#include "framework/core/StrUtils.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace {

char LowerAscii(char C) { return C >= 'A' && C <= 'Z' ? char(C - 'A' + 'a') : C; }

// Whether Path begins with Folder, letters compared without regard to ASCII case and
// double-byte characters compared exactly.
bool StartsWithFolder(const std::string& Path, const std::string& Folder)
{
    if (Path.size() <= Folder.size())
        return false;
    for (size_t I = 0; I < Folder.size(); ++I) {
        if (IsLeadByte(Folder[I])) {
            if (I + 1 >= Folder.size() || Path[I] != Folder[I] || Path[I + 1] != Folder[I + 1])
                return false;
            ++I;
        } else if (LowerAscii(Path[I]) != LowerAscii(Folder[I])) {
            return false;
        }
    }
    return true;
}

// Whether the relative part climbs out of the folder again ("\..\").
bool HasParentStep(const std::string& Relative)
{
    std::string Padded = Relative + "\\";
    return Padded.find("\\..\\") != std::string::npos;
}

} // namespace

TStoredPicture StorePicturePath(const std::string& ProgramDir, const std::string& FileName)
{
    TStoredPicture Result;
    if (ProgramDir.empty() || ProgramDir.back() != '\\' || !StartsWithFolder(FileName, ProgramDir) ||
        HasParentStep(FileName.substr(ProgramDir.size() - 1))) {
        Result.Reason = "这张图片不在本程序的文件夹（" + ProgramDir +
                        "）或其子文件夹中，无法记录它的位置。请把图片放进程序的 pic 文件夹后再选择。";
        return Result;
    }
    Result.Value = FileName.substr(ProgramDir.size() - 1);
    if (Result.Value.size() > MaxStoredPictureBytes) {
        Result.Value.clear();
        Result.Reason = "这张图片的路径太长：从程序文件夹算起最多只能记录 " + IntToStr(MaxStoredPictureBytes) +
                        " 个字节（一个汉字算两个）。请换一个较短的文件名或文件夹。";
        return Result;
    }
    Result.Accepted = true;
    return Result;
}

std::string PictureFileName(const std::string& ProgramDir, const std::string& Stored)
{
    return ProgramDir + Stored;
}

#ifdef _WIN32
std::string ProgramFolder()
{
    char Name[MAX_PATH * 2] = {};
    const DWORD Length = GetModuleFileNameA(nullptr, Name, sizeof Name);
    return ExtractFilePath(std::string(Name, Length));
}
#endif
