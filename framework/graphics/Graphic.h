#pragma once
// TGraphic: the base of every picture kind (bitmap, icon, metafile, JPEG image): size,
// loading and saving through streams and files, transparency, drawing on a canvas.

#include "framework/core/Delegate.h"
#include "framework/core/Persistent.h"
#include "framework/graphics/PixelImage.h"

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

class TCanvas;
class TStream;

class TGraphic : public TPersistent {
    PANTREL_CLASS(TGraphic, TPersistent)
    TGraphic() = default;
    TGraphic(const TGraphic&) = delete;
    TGraphic& operator=(const TGraphic&) = delete;

    // A new graphic of the same kind holding a copy of this one.
    virtual TGraphic* Clone() const = 0;

    virtual bool Empty() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

    // Reads the picture from the stream's position to its end; raises EInvalidGraphic
    // when the data is not a picture of this kind.
    virtual void LoadFromStream(TStream& Stream) = 0;
    virtual void SaveToStream(TStream& Stream) const = 0;
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

    bool Transparent() const { return FTransparent; }
    virtual void SetTransparent(bool Value);

    TNotifyEvent OnChange;

protected:
    friend class TCanvas;
    // Draws the picture stretched into Rect (the canvas checked that it is not empty).
    virtual void Draw(TCanvas& Canvas, const RECT& Rect) = 0;
    void Changed() { OnChange(this); }
    // The rest of Stream, refused above the picture readers' limit.
    static std::vector<uint8_t> ReadRest(TStream& Stream);

    bool FTransparent = false;
};
