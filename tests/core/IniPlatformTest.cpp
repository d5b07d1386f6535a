// Compares TMemIniFile with the platform's profile functions on the tricky INI texts: every
// section, every key either side knows and a few spellings of them must read the same.
#include "framework/core/IniFile.h"
#include "framework/core/Strings.h"
#include "framework/core/StrUtils.h"
#include "tests/core/IniCases.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>

namespace {

std::vector<std::string> SplitNulList(const std::vector<char>& Buffer, DWORD Length)
{
    std::vector<std::string> Items;
    for (DWORD I = 0; I < Length;) {
        std::string Item(&Buffer[I]);
        if (Item.empty())
            break;
        Items.push_back(Item);
        I += static_cast<DWORD>(Item.size()) + 1;
    }
    return Items;
}

std::string PlatformString(const std::string& File, const std::string& Section, const std::string& Key)
{
    std::vector<char> Buffer(65536);
    DWORD N = GetPrivateProfileStringA(Section.c_str(), Key.c_str(), "<default>", Buffer.data(),
                                       static_cast<DWORD>(Buffer.size()), File.c_str());
    return std::string(Buffer.data(), N);
}

} // namespace

TEST(IniPlatform, MatchesGetPrivateProfileStringA)
{
    char Temp[MAX_PATH];
    GetTempPathA(MAX_PATH, Temp);
    int Index = 0;
    for (const std::string& Text : TrickyIniFiles()) {
        const std::string File = std::string(Temp) + "pantrel-ini-" + IntToStr(Index++) + ".ini";
        {
            std::ofstream Out(File, std::ios::binary);
            Out << Text;
        }
        TMemIniFile Ini(Text);

        std::vector<char> Buffer(65536);
        DWORD N = GetPrivateProfileSectionNamesA(Buffer.data(), static_cast<DWORD>(Buffer.size()), File.c_str());
        std::vector<std::string> PlatformSections = SplitNulList(Buffer, N);
        TStringList Sections;
        Ini.ReadSections(Sections);
        // The platform repeats duplicate sections; ours lists each once.
        TStringList Unique;
        for (const std::string& S : PlatformSections)
            if (Unique.IndexOf(S) < 0)
                Unique.Add(S);
        EXPECT_EQ(Sections.Text(), Unique.Text()) << "file " << Index - 1;

        for (int S = 0; S < Sections.Count(); ++S) {
            const std::string Section = Sections[S];
            N = GetPrivateProfileStringA(Section.c_str(), nullptr, "", Buffer.data(),
                                         static_cast<DWORD>(Buffer.size()), File.c_str());
            std::vector<std::string> PlatformKeys = SplitNulList(Buffer, N);
            TStringList Keys;
            Ini.ReadSection(Section, Keys);
            TStringList Expected;
            for (const std::string& K : PlatformKeys)
                Expected.Add(K);
            EXPECT_EQ(Keys.Text(), Expected.Text()) << "file " << Index - 1 << " [" << Section << "]";

            // Keys either side lists, comment and value-less lines as names, and other spellings.
            std::vector<std::string> Names(PlatformKeys.begin(), PlatformKeys.end());
            for (const char* Extra : {";hidden", "; spaced", "plain line", "[Open", "missing"})
                Names.push_back(Extra);
            for (const std::string& K : std::vector<std::string>(Names)) {
                Names.push_back(UpperCaseAscii(K));
                Names.push_back(" " + K + "\t");
            }
            for (const std::string& K : Names)
                EXPECT_EQ(Ini.ReadString(Section, K, "<default>"), PlatformString(File, Section, K))
                    << "file " << Index - 1 << " [" << Section << "] " << K;
        }
        DeleteFileA(File.c_str());
    }
}
