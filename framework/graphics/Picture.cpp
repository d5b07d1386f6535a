#include "framework/graphics/Picture.h"

#include "framework/core/Path.h"
#include "framework/core/StrUtils.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Icon.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/graphics/Metafile.h"

namespace {

TGraphic* NewGraphicFor(const std::string& FileName)
{
    const std::string Ext = LowerCaseAscii(ExtractFileExt(FileName));
    if (Ext == ".bmp")
        return new TBitmap;
    if (Ext == ".ico")
        return new TIcon;
    if (Ext == ".wmf" || Ext == ".emf")
        return new TMetafile;
    if (Ext == ".jpg" || Ext == ".jpeg")
        return new TJPEGImage;
    throw EInvalidGraphic("Cannot load picture \"" + FileName + "\": unknown picture file extension (" +
                          Ext + ")");
}

}  // namespace

PANTREL_REGISTER(TPicture, TPersistent)

void TPicture::Take(TGraphic* Graphic)
{
    std::unique_ptr<TGraphic> New(Graphic);
    if (New)
        New->OnChange = TNotifyEvent(this, &TPicture::GraphicChanged);
    FGraphic = std::move(New);
    OnChange(this);
}

void TPicture::Assign(const TPersistent& Source)
{
    if (const TPicture* Other = dynamic_cast<const TPicture*>(&Source)) {
        if (Other != this)
            SetGraphic(Other->Graphic());
    } else if (const TGraphic* Graphic = dynamic_cast<const TGraphic*>(&Source)) {
        SetGraphic(Graphic);
    } else {
        inherited::Assign(Source);
    }
}

void TPicture::SetGraphic(const TGraphic* Graphic)
{
    if (Graphic == FGraphic.get() && Graphic)
        return;
    Take(Graphic ? Graphic->Clone() : nullptr);
}

TBitmap* TPicture::Bitmap()
{
    if (!dynamic_cast<TBitmap*>(FGraphic.get()))
        Take(new TBitmap);
    return static_cast<TBitmap*>(FGraphic.get());
}

void TPicture::LoadFromFile(const std::string& FileName)
{
    std::unique_ptr<TGraphic> New(NewGraphicFor(FileName));
    try {
        New->LoadFromFile(FileName);
    } catch (const EInvalidGraphic& E) {
        throw EInvalidGraphic("Cannot load picture \"" + FileName + "\": " + E.Message());
    }
    Take(New.release());
}

void TPicture::SaveToFile(const std::string& FileName) const
{
    if (FGraphic)
        FGraphic->SaveToFile(FileName);
}
