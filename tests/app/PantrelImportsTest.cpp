// Pantrel.exe's import table holds only libraries every start needs: the file dialog's and
// the shell's libraries (and the dozen they bring under Wine) are loaded on first use.
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

// The names of the libraries a PE file imports; empty when the file is not one we can read.
std::vector<std::string> ImportedLibraries(const std::string& FileName)
{
    std::ifstream File(FileName, std::ios::binary);
    const std::vector<char> Data((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
    auto At = [&Data](size_t Offset, size_t Size) -> const char* {
        return Offset <= Data.size() && Size <= Data.size() - Offset ? Data.data() + Offset : nullptr;
    };
    IMAGE_DOS_HEADER Dos;
    IMAGE_NT_HEADERS Nt;
    if (!At(0, sizeof Dos))
        return {};
    std::memcpy(&Dos, Data.data(), sizeof Dos);
    const char* NtAt = At(size_t(Dos.e_lfanew), sizeof Nt);
    if (!NtAt)
        return {};
    std::memcpy(&Nt, NtAt, sizeof Nt);
    const size_t SectionsAt = size_t(Dos.e_lfanew) + offsetof(IMAGE_NT_HEADERS, OptionalHeader) + Nt.FileHeader.SizeOfOptionalHeader;
    // A virtual address as an offset into the file, through the section that holds it.
    auto FileOffset = [&](DWORD Rva) -> size_t {
        for (WORD I = 0; I < Nt.FileHeader.NumberOfSections; ++I) {
            IMAGE_SECTION_HEADER Section;
            const char* SectionAt = At(SectionsAt + I * sizeof Section, sizeof Section);
            if (!SectionAt)
                break;
            std::memcpy(&Section, SectionAt, sizeof Section);
            if (Rva >= Section.VirtualAddress && Rva - Section.VirtualAddress < Section.SizeOfRawData)
                return Rva - Section.VirtualAddress + Section.PointerToRawData;
        }
        return Data.size();
    };
    std::vector<std::string> Names;
    size_t DescriptorAt = FileOffset(Nt.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    IMAGE_IMPORT_DESCRIPTOR Descriptor;
    for (; At(DescriptorAt, sizeof Descriptor); DescriptorAt += sizeof Descriptor) {
        std::memcpy(&Descriptor, At(DescriptorAt, sizeof Descriptor), sizeof Descriptor);
        if (Descriptor.Name == 0)
            break;
        const size_t NameAt = FileOffset(Descriptor.Name);
        const char* Name = At(NameAt, 1);
        if (!Name)
            break;
        std::string Library(Name, strnlen(Name, Data.size() - NameAt));
        std::transform(Library.begin(), Library.end(), Library.begin(), [](char C) { return char(std::tolower(C)); });
        Names.push_back(Library);
    }
    return Names;
}

TEST(PantrelImports, OnlyWhatEveryStartNeeds)
{
    const std::vector<std::string> Names = ImportedLibraries(PANTREL_APP_DIR "/Pantrel.exe");
    // Read at all: the program cannot run without these.
    ASSERT_NE(std::find(Names.begin(), Names.end(), "kernel32.dll"), Names.end());
    ASSERT_NE(std::find(Names.begin(), Names.end(), "user32.dll"), Names.end());
    for (const char* Deferred : {"comdlg32.dll", "shell32.dll", "ole32.dll", "shlwapi.dll", "oleaut32.dll"})
        EXPECT_EQ(std::find(Names.begin(), Names.end(), Deferred), Names.end()) << Deferred;
}

} // namespace
