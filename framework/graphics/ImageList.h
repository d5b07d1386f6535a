#pragma once
// TImageList: a row of equally sized images with masks over a common-controls image list
// (HIMAGELIST), filled from bitmaps or a bitmap resource with a transparent colour and drawn
// on canvases, greyed when disabled.

#include "framework/core/Color.h"
#include "framework/core/Component.h"

#include <windows.h>
#include <commctrl.h>

#include <string>

class TBitmap;
class TCanvas;

class TImageList : public TComponent {
    PANTREL_CLASS(TImageList, TComponent)
    explicit TImageList(TComponent* AOwner);
    ~TImageList() override;

    // Changing the size removes the images.
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    int Height() const { return FHeight; }
    void SetHeight(int Value);
    int Count() const;
    HIMAGELIST Handle();

    // Cuts Image into Width-wide images; pixels of MaskColor become transparent. Returns
    // the index of the first image added.
    int AddMasked(TBitmap& Image, TColor MaskColor);
    // Loads the bitmap resource Name of the module into images Width wide and as high as
    // the bitmap, replacing the images; raises EInvalidGraphic when it is missing.
    void ResourceLoad(HINSTANCE Instance, const std::string& Name, TColor MaskColor);
    void Delete(int Index);
    void Clear();

    // Index out of range draws nothing.
    void Draw(TCanvas& Canvas, int X, int Y, int Index, bool Enabled = true);
    // Image Index drawn with its mask over black into Bitmap (24 bits, one image in size).
    void GetBitmap(int Index, TBitmap& Bitmap);

private:
    void Recreate();
    void DrawDisabled(HDC DC, int X, int Y, int Index);

    HIMAGELIST FHandle = nullptr;
    int FWidth = 16;
    int FHeight = 16;
};
