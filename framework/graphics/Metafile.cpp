#include "framework/graphics/Metafile.h"

#include "framework/core/Stream.h"
#include "framework/graphics/Canvas.h"

namespace {

constexpr uint32_t PlaceableKey = 0x9AC6CDD7;
constexpr size_t PlaceableHeaderSize = 22;
constexpr size_t MetaHeaderSize = 18;

[[noreturn]] void Fail(const char* Why)
{
    throw EInvalidGraphic(std::string("Metafile is not valid: ") + Why);
}

uint32_t Get(const std::vector<uint8_t>& B, size_t Pos, int Bytes)
{
    uint32_t V = 0;
    for (int I = Bytes - 1; I >= 0; --I)
        V = V << 8 | B[Pos + size_t(I)];
    return V;
}

int16_t GetInt16(const std::vector<uint8_t>& B, size_t Pos)
{
    return int16_t(Get(B, Pos, 2));
}

bool IsEnhancedMetafile(const std::vector<uint8_t>& B)
{
    return B.size() >= 88 && Get(B, 0, 4) == EMR_HEADER && Get(B, 40, 4) == ENHMETA_SIGNATURE;
}

// Every record lies inside the data and the last one ends the picture, so that playing it
// never reads past the end.
bool EnhancedRecordsFit(const std::vector<uint8_t>& B)
{
    const size_t Total = Get(B, 48, 4);
    if (Total > B.size() || Get(B, 4, 4) < 88)
        return false;
    for (size_t Pos = 0; Pos + 8 <= Total;) {
        const size_t Size = Get(B, Pos + 4, 4);
        if (Size < 8 || Size % 4 != 0 || Size > Total - Pos)
            return false;
        if (Get(B, Pos, 4) == EMR_EOF)
            return true;
        Pos += Size;
    }
    return false;
}

// A Windows metafile header: type 1 (memory) or 2 (disk), 9 words long.
bool IsMetaHeader(const std::vector<uint8_t>& B, size_t Pos)
{
    return B.size() >= Pos + MetaHeaderSize && (Get(B, Pos, 2) == 1 || Get(B, Pos, 2) == 2) &&
           Get(B, Pos + 2, 2) == 9;
}

// Records are sized in 16-bit words; function 0 ends the picture.
bool WindowsRecordsFit(const std::vector<uint8_t>& B, size_t Start)
{
    for (size_t Pos = Start + MetaHeaderSize; Pos + 6 <= B.size();) {
        const size_t Size = size_t(Get(B, Pos, 4)) * 2;
        if (Size < 6 || Size > B.size() - Pos)
            return false;
        if (Get(B, Pos + 4, 2) == 0)
            return true;
        Pos += Size;
    }
    return false;
}

int ScreenPixelsPerInch()
{
    const HDC DC = GetDC(nullptr);
    const int Result = GetDeviceCaps(DC, LOGPIXELSX);
    ReleaseDC(nullptr, DC);
    return Result > 0 ? Result : 96;
}

}  // namespace

PANTREL_REGISTER(TMetafile, TGraphic)

TMetafile::~TMetafile()
{
    if (FHandle)
        DeleteEnhMetaFile(FHandle);
}

void TMetafile::Reset(HENHMETAFILE Metafile, bool IsEnhanced, std::vector<uint8_t> Data)
{
    if (FHandle)
        DeleteEnhMetaFile(FHandle);
    FHandle = Metafile;
    FEnhanced = IsEnhanced;
    FData = std::move(Data);
    SizeFromHeader();
}

void TMetafile::Assign(const TPersistent& Source)
{
    const TMetafile* Other = dynamic_cast<const TMetafile*>(&Source);
    if (!Other) {
        inherited::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    Reset(Other->FHandle ? CopyEnhMetaFileA(Other->FHandle, nullptr) : nullptr, Other->FEnhanced, Other->FData);
    FWidth = Other->FWidth;
    FHeight = Other->FHeight;
    Changed();
}

TGraphic* TMetafile::Clone() const
{
    TMetafile* Copy = new TMetafile;
    Copy->Assign(*this);
    return Copy;
}

void TMetafile::LoadFromStream(TStream& Stream)
{
    std::vector<uint8_t> Data = ReadRest(Stream);
    if (IsEnhancedMetafile(Data)) {
        if (!EnhancedRecordsFit(Data))
            Fail("the enhanced metafile is damaged");
        const HENHMETAFILE Metafile = SetEnhMetaFileBits(UINT(Data.size()), Data.data());
        if (!Metafile)
            Fail("the enhanced metafile cannot be read");
        Reset(Metafile, true, std::move(Data));
        Changed();
        return;
    }
    LoadWindowsMetafile(Data);
}

// With the placeable header its bounding box and units give the size; without it the
// size comes from the converted picture's own frame.
void TMetafile::LoadWindowsMetafile(const std::vector<uint8_t>& Data)
{
    const bool Placeable = Data.size() >= PlaceableHeaderSize && Get(Data, 0, 4) == PlaceableKey;
    const size_t Start = Placeable ? PlaceableHeaderSize : 0;
    if (!IsMetaHeader(Data, Start))
        Fail("neither an enhanced nor a Windows metafile");
    if (!WindowsRecordsFit(Data, Start))
        Fail("the Windows metafile is damaged");
    METAFILEPICT Picture{};
    int PixelWidth = 0, PixelHeight = 0;
    if (Placeable) {
        const int Width = GetInt16(Data, 10) - GetInt16(Data, 6);
        const int Height = GetInt16(Data, 12) - GetInt16(Data, 8);
        const int Inch = int(Get(Data, 14, 2));
        if (Width <= 0 || Height <= 0 || Inch <= 0)
            Fail("the placeable header has no size");
        Picture.mm = MM_ANISOTROPIC;
        Picture.xExt = MulDiv(Width, 2540, Inch);
        Picture.yExt = MulDiv(Height, 2540, Inch);
        PixelWidth = MulDiv(Width, ScreenPixelsPerInch(), Inch);
        PixelHeight = MulDiv(Height, ScreenPixelsPerInch(), Inch);
    }
    const HENHMETAFILE Metafile = SetWinMetaFileBits(UINT(Data.size() - Start), Data.data() + Start, nullptr,
                                                     Placeable ? &Picture : nullptr);
    if (!Metafile)
        Fail("the Windows metafile cannot be read");
    Reset(Metafile, false, Data);
    if (Placeable) {
        FWidth = PixelWidth;
        FHeight = PixelHeight;
    }
    Changed();
}

void TMetafile::SizeFromHeader()
{
    FWidth = FHeight = 0;
    ENHMETAHEADER Header{};
    if (!FHandle || !GetEnhMetaFileHeader(FHandle, sizeof Header, &Header) || Header.szlMillimeters.cx <= 0 ||
        Header.szlMillimeters.cy <= 0)
        return;
    // The frame is in 0.01 mm; the reference device's size in millimetres and pixels
    // converts it.
    FWidth = MulDiv(Header.rclFrame.right - Header.rclFrame.left, Header.szlDevice.cx,
                    Header.szlMillimeters.cx * 100);
    FHeight = MulDiv(Header.rclFrame.bottom - Header.rclFrame.top, Header.szlDevice.cy,
                     Header.szlMillimeters.cy * 100);
}

void TMetafile::SaveToStream(TStream& Stream) const
{
    Stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

void TMetafile::SetHandle(HENHMETAFILE Metafile)
{
    std::vector<uint8_t> Data;
    if (Metafile) {
        Data.resize(GetEnhMetaFileBits(Metafile, 0, nullptr));
        GetEnhMetaFileBits(Metafile, UINT(Data.size()), Data.data());
    }
    Reset(Metafile, true, std::move(Data));
    Changed();
}

void TMetafile::Draw(TCanvas& Canvas, const RECT& Rect)
{
    PlayEnhMetaFile(Canvas.Handle(), FHandle, &Rect);
}
