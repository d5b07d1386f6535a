#include "skin/data/SkinReader.h"

#include <cstring>

#include "framework/core/StrUtils.h"
#include "skin/data/LZH.h"

PANTREL_REGISTER(TSkinReader, TObject)

const char* const SkinOlderFormatMessage = "This is Older Skin File\rPlease update to new version !";

static int32_t ReadLE32(const uint8_t* P)
{
    return int32_t(uint32_t(P[0]) | uint32_t(P[1]) << 8 | uint32_t(P[2]) << 16 | uint32_t(P[3]) << 24);
}

TSkinReader::TSkinReader() : Names(new TStringList), Data(new TMemoryStream) {}

TSkinReader::~TSkinReader()
{
    delete Names;
    delete Data;
}

bool TSkinReader::Unpack(TMemoryStream& Source, TMemoryStream& Destination)
{
    TLZH Codec;
    Codec.InputStream = &Source;
    Codec.OutputStream = &Destination;
    Source.SetPosition(0);
    Destination.SetPosition(0);
    uint8_t Header[4];
    if (Source.Read(Header, 4) != 4)
        return false;
    const int32_t Size = ReadLE32(Header);
    if (Size < 0 || Size > MaxUnpackedSize)
        return false;
    // Sized once up front rather than grown block by block: fresh memory costs page faults.
    Destination.SetSize(Size);
    Codec.Decode(
        Size, [&Codec](uint8_t* Buffer, int Count) { return Codec.ReadBytes(Buffer, Count); },
        [&Codec](const uint8_t* Buffer, int Count) { return Codec.WriteBytes(Buffer, Count); });
    return true;
}

bool TSkinReader::Open(TMemoryStream& Source)
{
    // Unpacked where the entries stay, so they are not copied again.
    Count = 0;
    if (Unpack(Source, *Data) && LoadDirectory())
        return true;
    Data->Clear();
    return false;
}

bool TSkinReader::LoadDirectory()
{
    const int64_t Total = Data->Size();
    uint8_t* const Bytes = Data->Memory();
    if (Total < 16)
        return false;
    Mark = ReadLE32(Bytes);
    NamesLength = ReadLE32(Bytes + 4);
    Reserved1 = ReadLE32(Bytes + 8);
    Reserved2 = ReadLE32(Bytes + 12);
    if (Mark != CurrentMark) {
        if (ShowMessage)
            ShowMessage(SkinOlderFormatMessage);
        return false;
    }
    // The directory is taken only when every part of it lies inside the container.
    if (NamesLength < 0 || NamesLength > Total - 16)
        return false;
    TStringList Lines;
    Lines.SetText(LowerCaseAscii(std::string(reinterpret_cast<const char*>(Bytes + 16), size_t(NamesLength))));
    const int N = Lines.Count();
    if (N > MaxEntries)
        return false;
    const int64_t SizesAt = 16 + int64_t(NamesLength);
    const int64_t DataAt = SizesAt + 4 * int64_t(N);
    if (DataAt > Total)
        return false;
    int64_t Sum = 0;
    for (int I = 0; I < N; ++I) {
        const int32_t Size = ReadLE32(Bytes + SizesAt + 4 * I);
        if (Size < 0)
            return false;
        Sum += Size;
    }
    if (Sum > Total - DataAt)
        return false;

    Names->Assign(Lines);
    FNames.clear();
    for (int I = 0; I < N; ++I)
        FNames.push_back(Lines[I]);
    Count = N;
    for (int I = 0; I < N; ++I)
        Sizes[I] = ReadLE32(Bytes + SizesAt + 4 * I);
    // What stays is the entry data area.
    std::memmove(Bytes, Bytes + DataAt, size_t(Total - DataAt));
    Data->SetSize(Total - DataAt);
    return true;
}

int TSkinReader::FindEntry(const std::function<bool(const std::string&)>& Matches) const
{
    for (int I = 0; I < Count; ++I)
        if (Matches(FNames[size_t(I)]))
            return I;
    return -1;
}

std::string_view TSkinReader::Entry(int Index) const
{
    int64_t Offset = 0;
    for (int I = 0; I < Index; ++I)
        Offset += Sizes[I];
    return std::string_view(reinterpret_cast<const char*>(Data->Memory()) + Offset, size_t(Sizes[Index]));
}

void TSkinReader::CopyEntry(int Index, TMemoryStream& Destination)
{
    const std::string_view Bytes = Entry(Index);
    Destination.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    Destination.SetPosition(0);
}

std::string_view TSkinReader::EntryByName(const std::string& Name) const
{
    const std::string Wanted = LowerCaseAscii(Name);
    const int Index = FindEntry([&](const std::string& Entry) { return Entry == Wanted; });
    return Index >= 0 ? Entry(Index) : std::string_view();
}

void TSkinReader::ExtractByName(const std::string& Name, TMemoryStream& Destination)
{
    Destination.Clear();
    const std::string_view Bytes = EntryByName(Name);
    Destination.WriteBuffer(Bytes.data(), int64_t(Bytes.size()));
    Destination.SetPosition(0);
}

void TSkinReader::ExtractByPart(const std::string& Text, TMemoryStream& Destination, std::string& EntryName)
{
    Destination.Clear();
    const int Index = FindEntry([&](const std::string& Entry) { return Entry.find(Text) != std::string::npos; });
    if (Index >= 0) {
        CopyEntry(Index, Destination);
        EntryName = FNames[size_t(Index)];
    }
}
