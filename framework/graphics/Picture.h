#pragma once
// TPicture: holds one graphic of any kind, loads it from a file by the file's extension
// (.bmp, .ico, .wmf, .emf, .jpg, .jpeg) and tells OnChange whenever it changes.

#include "framework/core/Delegate.h"
#include "framework/core/Persistent.h"
#include "framework/graphics/Graphic.h"

#include <memory>
#include <string>

class TBitmap;

class TPicture : public TPersistent {
    PANTREL_CLASS(TPicture, TPersistent)
    TPicture() = default;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // From a picture or a graphic: a copy of its graphic; null source clears.
    void Assign(const TPersistent& Source) override;

    // The graphic, or null when there is none.
    TGraphic* Graphic() const { return FGraphic.get(); }
    // Holds a copy of Graphic (null clears).
    void SetGraphic(const TGraphic* Graphic);
    // The graphic as a bitmap; a graphic of another kind is replaced by an empty bitmap.
    TBitmap* Bitmap();
    int Width() const { return FGraphic ? FGraphic->Width() : 0; }
    int Height() const { return FGraphic ? FGraphic->Height() : 0; }

    // Replaces the graphic only when the file loads. An unknown extension or a file that
    // is not a picture of its kind raises EInvalidGraphic naming the file; a file that
    // cannot be opened raises EFOpenError.
    void LoadFromFile(const std::string& FileName);
    void SaveToFile(const std::string& FileName) const;

    TNotifyEvent OnChange;

private:
    void Take(TGraphic* Graphic);
    void GraphicChanged(TObject*) { OnChange(this); }

    std::unique_ptr<TGraphic> FGraphic;
};
