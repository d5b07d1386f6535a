#include "framework/core/CodePage.h"
#include "framework/core/Color.h"
#include "framework/core/Exception.h"
#include "framework/core/Path.h"
#include "framework/core/Variant.h"

#include <gtest/gtest.h>

TEST(CodePage, RoundTripsChineseAndMarksTheUnconvertible)
{
    const std::string Utf8 = u8"饮食 Pantrel 宋体";
    const std::string Gbk = Utf8ToGbk(Utf8);
    EXPECT_EQ(Gbk, "\xD2\xFB\xCA\xB3 Pantrel \xCB\xCE\xCC\xE5");
    EXPECT_EQ(GbkToUtf8(Gbk), Utf8);
    EXPECT_EQ(Utf8ToGbk(u8"a\U0001F600b"), "a?b");
    EXPECT_EQ(GbkToUtf8(""), "");
    EXPECT_EQ(GbkToUtf8("a\x81"), "a?");          // a lead byte without its trail
}

// 0x81 0x5C is one GBK character whose trail byte is a backslash.
TEST(Path, NeverSplitsADoubleByteCharacter)
{
    const std::string Dir = "C:\\\x81\x5C";       // C:\ + one character
    EXPECT_EQ(ExtractFileName(Dir), "\x81\x5C");
    EXPECT_EQ(ExtractFilePath(Dir), "C:\\");
    const std::string File = "pics\\\x81\x5C\\a.b\\\xB2\xCB.JPG";
    EXPECT_EQ(ExtractFilePath(File), "pics\\\x81\x5C\\a.b\\");
    EXPECT_EQ(ExtractFileDir(File), "pics\\\x81\x5C\\a.b");
    EXPECT_EQ(ExtractFileName(File), "\xB2\xCB.JPG");
    EXPECT_EQ(ExtractFileExt(File), ".JPG");
    EXPECT_EQ(ExtractFileExt("a.b\\noext"), "");
    EXPECT_EQ(ExtractFileName("skin:title.bmp"), "title.bmp");
    EXPECT_EQ(ChangeFileExt("a\\b.txt", ".ini"), "a\\b.ini");
    EXPECT_EQ(LastDelimiter("\\", "\x81\x5C"), -1);
    EXPECT_EQ(ExtractFileDir("C:\\x"), "C:\\");
    EXPECT_EQ(IncludeTrailingPathDelimiter("\x81\x5C"), "\x81\x5C\\");
}

TEST(StrUtils, CaseAndNumbers)
{
    EXPECT_EQ(UpperCaseAscii("ab\x81\x61z"), "AB\x81\x61Z");   // trail byte 'a' stays
    EXPECT_TRUE(SameText("TSkinData", "tskindata"));
    EXPECT_FALSE(SameText("a", "ab"));
    EXPECT_FALSE(SameText("\x81\x61", "\x81\x41"));   // trail bytes are not letters
    EXPECT_LT(CompareText("abc", "ABD"), 0);
    EXPECT_GT(CompareText("abc", "AB"), 0);
    EXPECT_EQ(StrToInt("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(StrToInt("$1F"), 31);
    EXPECT_THROW(StrToInt("2147483648"), EConvertError);
    EXPECT_THROW(StrToInt(""), EConvertError);
    EXPECT_THROW(StrToInt("-"), EConvertError);
    EXPECT_EQ(StrToIntDef(" 5", 9), 9);
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
}

TEST(Color, NamesAndNumbers)
{
    EXPECT_EQ(StringToColor("clBtnFace"), 0xFF00000Fu);
    EXPECT_EQ(StringToColor("-16777201"), clBtnFace);
    EXPECT_EQ(StringToColor("$00FF00FF"), clFuchsia);
    EXPECT_EQ(ColorToString(RGBToColor(1, 2, 3)), "$00030201");
    EXPECT_EQ(ColorToString(clSilver), "clSilver");
    EXPECT_TRUE(IsSystemColor(clWindow));
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_THROW(StringToColor("clPlaid"), EConvertError);
}

TEST(Variant, NullAndConversions)
{
    TVariant Null;
    EXPECT_TRUE(VarIsNull(Null));
    try {
        Null.AsString();
        FAIL();
    } catch (const EConvertError& E) {
        EXPECT_EQ(E.Message(), "Could not convert variant of type (Null) into type (String)");
    }
    EXPECT_EQ(TVariant(42).AsString(), "42");
    EXPECT_EQ(TVariant("17").AsInteger(), 17);
    EXPECT_THROW(TVariant("x").AsInteger(), EConvertError);
    EXPECT_EQ(TVariant(2.5).AsString(), "2.5");
    EXPECT_TRUE(TVariant("True").AsBoolean());
    EXPECT_EQ(TVariant(std::string("a")), TVariant("a"));
    EXPECT_NE(TVariant(1), TVariant("1"));
}
