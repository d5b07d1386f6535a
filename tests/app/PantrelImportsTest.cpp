// How Pantrel.exe is laid out for a fast start: its import table holds only libraries every
// start needs (the file dialog's and the shell's, with the dozen they bring under Wine, are
// loaded on first use), and its sections lie on page boundaries in the file, so the loader
// can map them instead of reading the whole program into memory.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

// A PE file's headers, read with bounds checks; Valid() is false for anything else.
class TImageFile {
public:
    explicit TImageFile(const std::string& FileName)
    {
        std::ifstream File(FileName, std::ios::binary);
        FData.assign(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
        IMAGE_DOS_HEADER Dos;
        if (!Read(0, Dos) || Dos.e_magic != IMAGE_DOS_SIGNATURE || !Read(size_t(Dos.e_lfanew), FNt) ||
            FNt.Signature != IMAGE_NT_SIGNATURE)
            return;
        FSectionsAt = size_t(Dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + FNt.FileHeader.SizeOfOptionalHeader;
        FValid = true;
    }
    bool Valid() const { return FValid; }
    const IMAGE_NT_HEADERS& Nt() const { return FNt; }

    std::vector<IMAGE_SECTION_HEADER> Sections() const
    {
        std::vector<IMAGE_SECTION_HEADER> List;
        IMAGE_SECTION_HEADER Section;
        for (WORD I = 0; I < FNt.FileHeader.NumberOfSections && Read(FSectionsAt + I * sizeof Section, Section); ++I)
            List.push_back(Section);
        return List;
    }

    // The imported libraries' names in lower case.
    std::vector<std::string> Imports() const
    {
        std::vector<std::string> Names;
        size_t At = FileOffset(FNt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
        IMAGE_IMPORT_DESCRIPTOR Descriptor;
        for (; Read(At, Descriptor) && Descriptor.Name != 0; At += sizeof Descriptor) {
            const size_t NameAt = FileOffset(Descriptor.Name);
            if (NameAt >= FData.size())
                break;
            std::string Name(FData.data() + NameAt, strnlen(FData.data() + NameAt, FData.size() - NameAt));
            std::transform(Name.begin(), Name.end(), Name.begin(), [](char C) { return char(std::tolower(C)); });
            Names.push_back(Name);
        }
        return Names;
    }

private:
    template<class T>
    bool Read(size_t Offset, T& Value) const
    {
        if (Offset > FData.size() || sizeof Value > FData.size() - Offset)
            return false;
        std::memcpy(&Value, FData.data() + Offset, sizeof Value);
        return true;
    }
    // A virtual address as an offset into the file, through the section that holds it.
    size_t FileOffset(DWORD Rva) const
    {
        for (const IMAGE_SECTION_HEADER& S : Sections())
            if (Rva >= S.VirtualAddress && Rva - S.VirtualAddress < S.SizeOfRawData)
                return Rva - S.VirtualAddress + S.PointerToRawData;
        return FData.size();
    }

    std::vector<char> FData;
    IMAGE_NT_HEADERS FNt{};
    size_t FSectionsAt = 0;
    bool FValid = false;
};

const TImageFile& Pantrel()
{
    static const TImageFile Image(PANTREL_APP_DIR "/Pantrel.exe");
    return Image;
}

TEST(PantrelImage, ImportsOnlyWhatEveryStartNeeds)
{
    ASSERT_TRUE(Pantrel().Valid());
    const std::vector<std::string> Names = Pantrel().Imports();
    // Read at all: the program cannot run without these.
    ASSERT_NE(std::find(Names.begin(), Names.end(), "kernel32.dll"), Names.end());
    ASSERT_NE(std::find(Names.begin(), Names.end(), "user32.dll"), Names.end());
    for (const char* Deferred : {"comdlg32.dll", "shell32.dll", "ole32.dll", "shlwapi.dll", "oleaut32.dll"})
        EXPECT_EQ(std::find(Names.begin(), Names.end(), Deferred), Names.end()) << Deferred;
}

TEST(PantrelImage, SectionsLieOnPageBoundariesInTheFile)
{
    ASSERT_TRUE(Pantrel().Valid());
    SYSTEM_INFO System;
    GetSystemInfo(&System);
    EXPECT_EQ(Pantrel().Nt().OptionalHeader.FileAlignment % System.dwPageSize, 0u);
    const std::vector<IMAGE_SECTION_HEADER> Sections = Pantrel().Sections();
    ASSERT_FALSE(Sections.empty());
    for (const IMAGE_SECTION_HEADER& S : Sections)
        EXPECT_EQ(S.PointerToRawData % System.dwPageSize, 0u)
            << std::string(reinterpret_cast<const char*>(S.Name), strnlen(reinterpret_cast<const char*>(S.Name), sizeof S.Name));
}

} // namespace
