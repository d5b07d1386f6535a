#include "framework/core/IniFile.h"
#include "framework/core/Strings.h"
#include "tests/core/IniCases.h"

#include <gtest/gtest.h>

TEST(IniFile, BlanksNumbersAndCase)
{
    TMemIniFile Ini(TrickyIniFiles()[0]);
    EXPECT_EQ(Ini.ReadString("main", "NAME", "?"), "value with  spaces");
    EXPECT_EQ(Ini.ReadString(" Main ", " Tab ", "?"), "7");
    EXPECT_EQ(Ini.ReadString("Main", "Empty", "?"), "");
    EXPECT_EQ(Ini.ReadString("Main", "Missing", "?"), "?");
    EXPECT_EQ(Ini.ReadInteger("Main", "Number", 5), -12);
    EXPECT_EQ(Ini.ReadInteger("Main", "Bad", 5), 5);
    EXPECT_EQ(Ini.ReadInteger("Main", "Big", 5), 5);
    EXPECT_EQ(Ini.ReadInteger("Main", "Name", 5), 5);
    EXPECT_TRUE(Ini.ValueExists("MAIN", "empty"));
    EXPECT_FALSE(Ini.SectionExists("orphan"));
}

TEST(IniFile, LineEndsDuplicatesAndQuotes)
{
    TMemIniFile Ends(TrickyIniFiles()[1]);
    EXPECT_EQ(Ends.ReadString("A", "k2", ""), "v2");
    EXPECT_EQ(Ends.ReadString("B", "k3", ""), "x=y=z");

    TMemIniFile Dup(TrickyIniFiles()[2]);
    EXPECT_EQ(Dup.ReadString("dup", "key", ""), "first");
    EXPECT_EQ(Dup.ReadString("dup", "extra", "none"), "none");   // only the first section counts
    TStringList Sections;
    Dup.ReadSections(Sections);
    EXPECT_EQ(Sections.Text(), "Dup\r\nother\r\n");

    TMemIniFile Q(TrickyIniFiles()[3]);
    EXPECT_EQ(Q.ReadString("Q", "q1", ""), "abc");
    EXPECT_EQ(Q.ReadString("Q", "q2", ""), "abc");
    EXPECT_EQ(Q.ReadString("Q", "q3", ""), "\"abc'");
    EXPECT_EQ(Q.ReadString("Q", "q4", "?"), "");
    EXPECT_EQ(Q.ReadString("Q", "q5", ""), "\"");
    EXPECT_EQ(Q.ReadString("Q", "q6", ""), " padded ");
    EXPECT_EQ(Q.ReadString("Q", "q7", ""), "a\"b");
}

TEST(IniFile, CommentsHeadersAndDoubleByteText)
{
    TMemIniFile C(TrickyIniFiles()[4]);
    TStringList Keys;
    C.ReadSection("C", Keys);
    EXPECT_EQ(Keys.Text(), "key\r\n#hash\r\nafter\r\n");
    EXPECT_EQ(C.ReadString("C", "key", ""), "value ;not a comment");
    EXPECT_EQ(C.ReadString("C", "plain line", "none"), "none");

    TMemIniFile H(TrickyIniFiles()[5]);
    EXPECT_EQ(H.ReadString("Spaced", "s", "none"), "1");
    EXPECT_EQ(H.ReadString("Tail", "t", ""), "3");
    EXPECT_EQ(H.ReadString("Tail", "[Open", "none"), "none");
    EXPECT_EQ(H.ReadString("Last", "l", ""), "5");

    TMemIniFile G(TrickyIniFiles()[6]);
    EXPECT_EQ(G.ReadString("\xD6\xD0\xCE\xC4", "\xC3\xFB\xB3\xC6", ""), "\xD6\xB5");
    EXPECT_EQ(G.ReadString("\x81\x5D\xCD\xB7", "k", ""), "\xA1\xA1\xD6\xB5\xA1\xA1");
    TMemIniFile Bom(TrickyIniFiles()[7]);
    EXPECT_EQ(Bom.ReadString("\xD6\xD0", "\xC3\xFB", ""), "\xD6\xB5");
}
