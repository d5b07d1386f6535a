#include "framework/graphics/JPEGImage.h"

#include "framework/core/Stream.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/JpegFile.h"

PANTREL_REGISTER(TJPEGImage, TGraphic)

void TJPEGImage::Assign(const TPersistent& Source)
{
    const TJPEGImage* Other = dynamic_cast<const TJPEGImage*>(&Source);
    if (!Other) {
        inherited::Assign(Source);
        return;
    }
    if (Other == this)
        return;
    FData = Other->FData;
    FBitmap.Assign(Other->FBitmap);
    FGrayscale = Other->FGrayscale;
    FProgressive = Other->FProgressive;
    Changed();
}

TGraphic* TJPEGImage::Clone() const
{
    TJPEGImage* Copy = new TJPEGImage;
    Copy->Assign(*this);
    return Copy;
}

void TJPEGImage::LoadFromStream(TStream& Stream)
{
    std::vector<uint8_t> Data = ReadRest(Stream);
    const TJpegInfo Info = ReadJpegInfo(Data.data(), Data.size());
    FBitmap.LoadFromImage(ReadJpegFile(Data.data(), Data.size()));
    FData = std::move(Data);
    FGrayscale = Info.Grayscale;
    FProgressive = Info.Progressive;
    Changed();
}

void TJPEGImage::SaveToStream(TStream& Stream) const
{
    Stream.WriteBuffer(FData.data(), int64_t(FData.size()));
}

void TJPEGImage::Draw(TCanvas& Canvas, const RECT& Rect)
{
    Canvas.StretchDraw(Rect, FBitmap);
}
