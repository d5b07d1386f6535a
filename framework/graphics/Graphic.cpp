#include "framework/graphics/Graphic.h"

#include "framework/core/Stream.h"

PANTREL_REGISTER(TGraphic, TPersistent)

void TGraphic::LoadFromFile(const std::string& FileName)
{
    TFileStream Stream(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(Stream);
}

void TGraphic::SaveToFile(const std::string& FileName) const
{
    TFileStream Stream(FileName, fmCreate);
    SaveToStream(Stream);
}

void TGraphic::SetTransparent(bool Value)
{
    if (Value == FTransparent)
        return;
    FTransparent = Value;
    Changed();
}

std::vector<uint8_t> TGraphic::ReadRest(TStream& Stream)
{
    const int64_t Count = Stream.Size() - Stream.Position();
    if (Count <= 0)
        return {};
    if (uint64_t(Count) > TPixelImage::MaxPixelBytes)
        throw EInvalidGraphic("Picture data is too large");
    std::vector<uint8_t> Bytes(static_cast<size_t>(Count));
    Stream.ReadBuffer(Bytes.data(), Count);
    return Bytes;
}
