#include "framework/core/Exception.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {
std::string TempName(const char* Stem)
{
    const char* Dir = std::getenv("PANTREL_TEST_OUT");
    return std::string(Dir ? Dir : ".") + "/" + Stem;
}
} // namespace

TEST(MemoryStream, ReadWriteSeekSizeAndCopy)
{
    TMemoryStream M;
    M.WriteBuffer("abcdef", 6);
    EXPECT_EQ(M.Position(), 6);
    M.SetPosition(2);
    M.WriteBuffer("XY", 2);
    M.Seek(-1, soFromEnd);
    char C;
    M.ReadBuffer(&C, 1);
    EXPECT_EQ(C, 'f');
    EXPECT_THROW(M.ReadBuffer(&C, 1), EReadError);
    EXPECT_THROW(M.Seek(-7, soFromEnd), EStreamError);
    M.SetSize(3);
    EXPECT_EQ(M.Position(), 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(M.Memory()), 3), "abX");
    // Writing past the end grows the stream with zeros.
    M.SetPosition(5);
    M.WriteBuffer("z", 1);
    EXPECT_EQ(M.Bytes(), (std::vector<uint8_t>{'a', 'b', 'X', 0, 0, 'z'}));

    TMemoryStream Copy;
    M.SetPosition(1);
    EXPECT_EQ(Copy.CopyFrom(M, 2), 2);
    EXPECT_EQ(Copy.Size(), 2);
    EXPECT_EQ(Copy.CopyFrom(M, 0), 6);   // 0 copies all of it from the start
    EXPECT_EQ(Copy.Size(), 8);
    M.SetPosition(5);
    EXPECT_THROW(Copy.CopyFrom(M, 2), EReadError);
}

TEST(FileStream, RoundTripAndErrorsNameTheFile)
{
    const std::string Name = TempName("core-stream.bin");
    {
        TMemoryStream M;
        M.WriteBuffer("\x00\x01\x02\xFF", 4);
        M.SaveToFile(Name);
    }
    TMemoryStream Back;
    Back.LoadFromFile(Name);
    EXPECT_EQ(Back.Bytes(), (std::vector<uint8_t>{0, 1, 2, 0xFF}));
    {
        TFileStream F(Name, fmOpenReadWrite);
        F.Seek(0, soFromEnd);
        F.WriteBuffer("!", 1);
        EXPECT_EQ(F.Size(), 5);
        F.SetSize(2);
        EXPECT_EQ(F.Size(), 2);
    }
    std::remove(Name.c_str());
    try {
        TFileStream Missing(Name, fmOpenRead);
        FAIL();
    } catch (const EFOpenError& E) {
        EXPECT_NE(E.Message().find("core-stream.bin"), std::string::npos);
    }
}

TEST(StringList, TextSplittingAndJoining)
{
    TStringList L;
    L.SetText("a\r\nb\rc\nd\r\n\r\ne");
    EXPECT_EQ(L.Count(), 6);
    EXPECT_EQ(L[4], "");
    EXPECT_EQ(L[5], "e");
    EXPECT_EQ(L.Text(), "a\r\nb\r\nc\r\nd\r\n\r\ne\r\n");
    L.SetText("only\r\n");
    EXPECT_EQ(L.Count(), 1);
    L.SetText("");
    EXPECT_EQ(L.Count(), 0);
    L.SetText("\n");
    EXPECT_EQ(L.Count(), 1);
}

TEST(StringList, FindNamesValuesAndBounds)
{
    TStringList L{"Alpha", "beta=2", "Gamma=x=y"};
    EXPECT_EQ(L.IndexOf("ALPHA"), 0);
    L.SetCaseSensitive(true);
    EXPECT_EQ(L.IndexOf("ALPHA"), -1);
    EXPECT_EQ(L.IndexOfName("Beta"), -1);
    L.SetCaseSensitive(false);
    EXPECT_EQ(L.Values("BETA"), "2");
    EXPECT_EQ(L.Values("gamma"), "x=y");
    EXPECT_EQ(L.Names(0), "");
    L.SetValue("beta", "3");
    EXPECT_EQ(L[1], "beta=3");
    L.SetValue("delta", "4");
    EXPECT_EQ(L[3], "delta=4");
    L.SetValue("beta", "");
    EXPECT_EQ(L.Count(), 3);
    EXPECT_THROW(L.Get(3), EStringListError);
    EXPECT_THROW(L.Insert(5, "x"), EStringListError);
    EXPECT_THROW(L.Delete(-1), EStringListError);

    TStringList Other;
    Other.Assign(L);
    EXPECT_TRUE(Other.Equals(L));
    EXPECT_THROW(Other.Assign(TPersistent()), EConvertError);
}

namespace {
struct TChangeCounter {
    int Count = 0;
    void Changed(TObject*) { ++Count; }
};
} // namespace

TEST(StringList, OnChangeOncePerUpdate)
{
    TStringList L;
    TChangeCounter Counter;
    L.OnChange = TNotifyEvent(&Counter, &TChangeCounter::Changed);
    L.Add("a");
    EXPECT_EQ(Counter.Count, 1);
    L.BeginUpdate();
    L.Add("b");
    L.Delete(0);
    L.BeginUpdate();
    L.EndUpdate();
    EXPECT_EQ(Counter.Count, 1);
    L.EndUpdate();
    EXPECT_EQ(Counter.Count, 2);
    L.SetText("x\ny\nz");
    EXPECT_EQ(Counter.Count, 3);
}
