#include "framework/ui/Image.h"

#include "framework/core/Stream.h"
#include "framework/graphics/JPEGImage.h"

PANTREL_REGISTER(TImage, TGraphicControl,
    PROP_CLASS(Picture, Picture),
    PROP_BOOL(Stretch, Stretch, SetStretch),
    PROP_BOOL(Proportional, Proportional, SetProportional),
    PROP_BOOL(Center, Center, SetCenter),
    PROP_BOOL(AutoSize, AutoSize, SetAutoSize))

TImage::TImage(TComponent* AOwner) : TGraphicControl(AOwner)
{
    SetBounds(0, 0, 105, 105);
    FPicture.OnChange = TNotifyEvent(this, &TImage::PictureChanged);
}

void TImage::SetStretch(bool Value)
{
    FStretch = Value;
    Changed();
}

void TImage::SetProportional(bool Value)
{
    FProportional = Value;
    Changed();
}

void TImage::SetCenter(bool Value)
{
    FCenter = Value;
    Changed();
}

void TImage::SetAutoSize(bool Value)
{
    FAutoSize = Value;
    PictureChanged(nullptr);
}

void TImage::PictureChanged(TObject*)
{
    if (FAutoSize && FPicture.Width() > 0 && FPicture.Height() > 0)
        SetBounds(Left(), Top(), FPicture.Width(), FPicture.Height());
    Changed();
}

RECT FitPictureRect(int W, int H, int CW, int CH, bool Stretch, bool Proportional, bool Center)
{
    if (Stretch || (Proportional && (W > CW || H > CH))) {
        if (Proportional && W > 0 && H > 0) {
            // Fit the longer side first, then the other if it still sticks out.
            const double Aspect = double(W) / double(H);
            if (W > H) {
                W = CW;
                H = int(CW / Aspect);
                if (H > CH) {
                    H = CH;
                    W = int(CH * Aspect);
                }
            } else {
                H = CH;
                W = int(CH * Aspect);
                if (W > CW) {
                    W = CW;
                    H = int(CW / Aspect);
                }
            }
        } else {
            W = CW;
            H = CH;
        }
    }
    RECT R{0, 0, W, H};
    if (Center)
        OffsetRect(&R, (CW - W) / 2, (CH - H) / 2);
    return R;
}

RECT TImage::DestRect() const
{
    return FitPictureRect(FPicture.Width(), FPicture.Height(), Width(), Height(), FStretch, FProportional, FCenter);
}

void TImage::Paint()
{
    if (TGraphic* Graphic = FPicture.Graphic())
        Canvas()->StretchDraw(DestRect(), *Graphic);
}

void LoadPlaceholderPicture(TPicture& Picture)
{
    const HMODULE Module = GetModuleHandleA(nullptr);
    const HRSRC Resource = FindResourceA(Module, "PANTREL_PLACEHOLDER", MAKEINTRESOURCEA(10));   // RT_RCDATA
    const HGLOBAL Data = Resource ? LoadResource(Module, Resource) : nullptr;
    const void* Bytes = Data ? LockResource(Data) : nullptr;
    if (!Bytes)
        throw EInvalidGraphic("The placeholder picture is not built into this program");
    TMemoryStream Stream;
    Stream.WriteBuffer(Bytes, SizeofResource(Module, Resource));
    Stream.SetPosition(0);
    TJPEGImage Jpeg;
    Jpeg.LoadFromStream(Stream);
    Picture.Assign(Jpeg);
}
