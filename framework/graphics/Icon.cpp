#include "framework/graphics/Icon.h"

#include "framework/core/Stream.h"
#include "framework/graphics/Canvas.h"

namespace {

[[noreturn]] void Fail(const char* Why)
{
    throw EInvalidGraphic(std::string("Icon image is not valid: ") + Why);
}

uint32_t Get(const std::vector<uint8_t>& B, size_t Pos, int Bytes)
{
    uint32_t V = 0;
    for (int I = Bytes - 1; I >= 0; --I)
        V = V << 8 | B[Pos + size_t(I)];
    return V;
}

struct TIconEntry {
    int Width = 0, Height = 0, BitCount = 0;
    size_t Offset = 0, Size = 0;
};

// The directory of an .ico file: 6 bytes of header, then 16 bytes per image.
TIconEntry BestEntry(const std::vector<uint8_t>& Data)
{
    if (Data.size() < 6 || Get(Data, 0, 2) != 0 || Get(Data, 2, 2) != 1)
        Fail("no icon file header");
    const size_t Count = Get(Data, 4, 2);
    if (Count == 0 || Data.size() < 6 + 16 * Count)
        Fail("the image directory is truncated");
    TIconEntry Best;
    for (size_t I = 0; I < Count; ++I) {
        const size_t P = 6 + 16 * I;
        TIconEntry E;
        E.Width = Data[P] ? Data[P] : 256;
        E.Height = Data[P + 1] ? Data[P + 1] : 256;
        E.BitCount = int(Get(Data, P + 6, 2));
        E.Size = Get(Data, P + 8, 4);
        E.Offset = Get(Data, P + 12, 4);
        if (E.Offset > Data.size() || E.Size > Data.size() - E.Offset || E.Size < 40)
            Fail("an image lies outside the file");
        if (E.Width * E.Height > Best.Width * Best.Height ||
            (E.Width * E.Height == Best.Width * Best.Height && E.BitCount > Best.BitCount))
            Best = E;
    }
    return Best;
}

}  // namespace

PANTREL_REGISTER(TIcon, TGraphic)

TIcon::~TIcon()
{
    if (FHandle)
        DestroyIcon(FHandle);
}

void TIcon::Reset(HICON Icon, int AWidth, int AHeight, std::vector<uint8_t> Data)
{
    if (FHandle)
        DestroyIcon(FHandle);
    FHandle = Icon;
    FWidth = Icon ? AWidth : 0;
    FHeight = Icon ? AHeight : 0;
    FData = std::move(Data);
    Changed();
}

void TIcon::Assign(const TPersistent& Source)
{
    const TIcon* Other = dynamic_cast<const TIcon*>(&Source);
    if (!Other) {
        inherited::Assign(Source);
        return;
    }
    if (Other != this)
        Reset(Other->FHandle ? CopyIcon(Other->FHandle) : nullptr, Other->FWidth, Other->FHeight, Other->FData);
}

TGraphic* TIcon::Clone() const
{
    TIcon* Copy = new TIcon;
    Copy->Assign(*this);
    return Copy;
}

void TIcon::LoadFromStream(TStream& Stream)
{
    std::vector<uint8_t> Data = ReadRest(Stream);
    const TIconEntry E = BestEntry(Data);
    const HICON Icon = CreateIconFromResourceEx(Data.data() + E.Offset, DWORD(E.Size), TRUE, 0x00030000,
                                                E.Width, E.Height, LR_DEFAULTCOLOR);
    if (!Icon)
        Fail("the image cannot be read");
    Reset(Icon, E.Width, E.Height, std::move(Data));
}

void TIcon::SaveToStream(TStream& Stream) const
{
    if (FData.empty() && FHandle)
        throw EInvalidGraphic("An icon made from a handle cannot be saved");
    Stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

void TIcon::SetHandle(HICON Icon)
{
    int W = 0, H = 0;
    ICONINFO Info{};
    if (Icon && GetIconInfo(Icon, &Info)) {
        BITMAP B{};
        if (GetObjectA(Info.hbmMask, sizeof B, &B)) {
            W = B.bmWidth;
            H = Info.hbmColor ? B.bmHeight : B.bmHeight / 2;  // a monochrome mask holds both halves
        }
        DeleteObject(Info.hbmMask);
        if (Info.hbmColor)
            DeleteObject(Info.hbmColor);
    }
    Reset(Icon, W, H, {});
}

void TIcon::Draw(TCanvas& Canvas, const RECT& Rect)
{
    DrawIconEx(Canvas.Handle(), Rect.left, Rect.top, FHandle, Rect.right - Rect.left, Rect.bottom - Rect.top, 0,
               nullptr, DI_NORMAL);
}
