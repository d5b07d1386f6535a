// Opening skin containers: directory, lookups, the older-format notice and the refusals.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <vector>

#include "skin/data/SkinReader.h"
#include "tools/skintool/LzhEncoder.h"
#include "tools/skintool/SkinContainer.h"

static void Compress(const std::string& Container, TMemoryStream& Out)
{
    const auto Stream = TLzhEncoder::Encode(Container);
    Out.Clear();
    Out.WriteBuffer(Stream.data(), int64_t(Stream.size()));
}

static std::string Text(TMemoryStream& S)
{
    return std::string(reinterpret_cast<const char*>(S.Memory()), size_t(S.Size()));
}

static std::string LE32(int32_t V)
{
    std::string S;
    for (int I = 0; I < 4; ++I)
        S += char(uint32_t(V) >> (8 * I));
    return S;
}

// A raw container, for directories the packer would never write.
static std::string RawContainer(int32_t Mark, const std::string& Names, const std::vector<int32_t>& Sizes,
                                const std::string& Data, int32_t NamesLength = INT32_MIN)
{
    std::string C = LE32(Mark) + LE32(NamesLength == INT32_MIN ? int32_t(Names.size()) : NamesLength) + LE32(0) + LE32(0) + Names;
    for (int32_t S : Sizes)
        C += LE32(S);
    return C + Data;
}

struct TOpenedReader {
    TSkinReader Reader;
    int Messages = 0;
    bool Opened = false;
    explicit TOpenedReader(const std::string& Container)
    {
        TMemoryStream Source;
        Compress(Container, Source);
        Reader.ShowMessage = [this](const std::string& Text) {
            ++Messages;
            EXPECT_EQ(Text, "This is Older Skin File\rPlease update to new version !");
        };
        Opened = Reader.Open(Source);
    }
};

TEST(SkinReader, DirectoryAndLookups)
{
    TSkinContainer C;
    C.Entries = {{"Skin.INI", "[TitlebarSkin]\r\nSkinName=x\r\n"},
                 {"Left.bmp", "left bytes"},
                 {"", ""},
                 {"left.BMP", "second left"},
                 {"top.bmp", std::string(3000, 't')}};
    TOpenedReader R(C.Build());
    ASSERT_TRUE(R.Opened);
    EXPECT_EQ(R.Reader.Count, 5);  // the final CR LF adds no entry
    EXPECT_EQ(R.Reader.Names->Strings(0), "skin.ini");

    TMemoryStream Entry;
    R.Reader.ExtractByName("LEFT.bmp", Entry);  // any letter case; the first of two wins
    EXPECT_EQ(Text(Entry), "left bytes");
    EXPECT_EQ(Entry.Position(), 0);
    R.Reader.ExtractByName("top.bmp", Entry);
    EXPECT_EQ(Text(Entry), std::string(3000, 't'));
    R.Reader.ExtractByName("none.bmp", Entry);
    EXPECT_EQ(Entry.Size(), 0);
    EXPECT_EQ(R.Reader.EntryByName("Left.BMP"), "left bytes");  // the same lookup, in place
    EXPECT_EQ(R.Reader.EntryByName("top.bmp"), std::string(3000, 't'));
    EXPECT_TRUE(R.Reader.EntryByName("none.bmp").empty());

    std::string Name = "unchanged";
    R.Reader.ExtractByPart(".ini", Entry, Name);
    EXPECT_EQ(Name, "skin.ini");
    EXPECT_EQ(Text(Entry), C.Entries[0].Bytes);
    Name = "unchanged";
    R.Reader.ExtractByPart(".INI", Entry, Name);  // callers pass lower case
    EXPECT_EQ(Name, "unchanged");
    EXPECT_EQ(Entry.Size(), 0);
    EXPECT_EQ(R.Messages, 0);

    // Opened again on a container it refuses, the reader hands out nothing.
    TMemoryStream Refused;
    Compress(RawContainer(20000, "a\r\nb\r\n", {-1, 2}, "x"), Refused);
    EXPECT_FALSE(R.Reader.Open(Refused));
    EXPECT_EQ(R.Reader.Count, 0);
    R.Reader.ExtractByName("top.bmp", Entry);
    EXPECT_EQ(Entry.Size(), 0);
}

TEST(SkinReader, LoneCarriageReturnsAndLineFeedsSeparateNames)
{
    TOpenedReader R(RawContainer(20000, "a.ini\rb.bmp\nc.bmp", {1, 2, 3}, "abbccc"));
    ASSERT_TRUE(R.Opened);
    ASSERT_EQ(R.Reader.Count, 3);
    TMemoryStream Entry;
    R.Reader.ExtractByName("c.bmp", Entry);
    EXPECT_EQ(Text(Entry), "ccc");
}

TEST(SkinReader, OlderFormatIsRefusedWithOneMessage)
{
    TOpenedReader R(RawContainer(19999, "a.ini\r\n", {1}, "x"));
    EXPECT_FALSE(R.Opened);
    EXPECT_EQ(R.Messages, 1);
    EXPECT_EQ(R.Reader.Count, 0);
}

TEST(SkinReader, UnsoundContainersAreRefusedQuietly)
{
    std::string ManyNames;
    std::vector<int32_t> ManySizes;
    for (int I = 0; I < 1001; ++I) {
        ManyNames += "e" + std::to_string(I) + "\r\n";
        ManySizes.push_back(0);
    }
    const std::vector<std::pair<const char*, std::string>> Cases = {
        {"too many entries", RawContainer(20000, ManyNames, ManySizes, "")},
        {"negative size", RawContainer(20000, "a\r\nb\r\n", {-1, 2}, "x")},
        {"sizes beyond the data", RawContainer(20000, "a\r\nb\r\n", {2, 2}, "abc")},
        {"sizes table cut off", RawContainer(20000, "a\r\nb\r\n", {2}, "")},
        {"names past the end", RawContainer(20000, "a\r\n", {}, "", 1000)},
        {"negative names length", RawContainer(20000, "", {}, "", -5)},
        {"short header", std::string("\x20\x4e\0\0", 4)},
        {"empty container", ""}};
    for (const auto& [What, Container] : Cases) {
        TOpenedReader R(Container);
        EXPECT_FALSE(R.Opened) << What;
        EXPECT_EQ(R.Messages, 0) << What;
        EXPECT_EQ(R.Reader.Count, 0) << What;
    }

    std::string Limit;
    for (int I = 0; I < 1000; ++I)
        Limit += "e\r\n";
    EXPECT_TRUE(TOpenedReader(RawContainer(20000, Limit, std::vector<int32_t>(1000, 0), "")).Opened);
}

TEST(SkinReader, DeclaredSizeIsBoundedBeforeDecoding)
{
    for (int32_t Size : {-1, TSkinReader::MaxUnpackedSize + 1, INT32_MAX}) {
        TMemoryStream Source, Out;
        Source.WriteBuffer(LE32(Size).data(), 4);
        Source.WriteBuffer("\xff\xff\xff\xff", 4);
        EXPECT_FALSE(TSkinReader::Unpack(Source, Out));
        EXPECT_EQ(Out.Size(), 0);
        TSkinReader Reader;
        EXPECT_FALSE(Reader.Open(Source));
    }
    TMemoryStream Tiny, Out;
    Tiny.WriteBuffer("\x01\x00", 2);
    EXPECT_FALSE(TSkinReader::Unpack(Tiny, Out));
}
