// TImage: a windowless picture box showing a TPicture, at its own size or stretched
// (optionally keeping its proportions) and optionally centred. LoadPlaceholderPicture
// gives a picture the built-in "no picture yet" JPEG.
#pragma once

#include "framework/graphics/Picture.h"
#include "framework/ui/GraphicControl.h"

class TImage : public TGraphicControl {
    PANTREL_CLASS(TImage, TGraphicControl)
    explicit TImage(TComponent* AOwner);

    TPicture* Picture() const { return &FPicture; }
    bool Stretch() const { return FStretch; }
    void SetStretch(bool Value);
    // With Stretch (or a picture larger than the box): scaled to fit, aspect kept.
    bool Proportional() const { return FProportional; }
    void SetProportional(bool Value);
    bool Center() const { return FCenter; }
    void SetCenter(bool Value);
    // The box takes the picture's size.
    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);

    // Where the picture is drawn, in the control's coordinates.
    RECT DestRect() const;

protected:
    void Paint() override;

private:
    void PictureChanged(TObject* Sender);
    void Changed() { Invalidate(); }

    mutable TPicture FPicture;
    bool FStretch = false;
    bool FProportional = false;
    bool FCenter = false;
    bool FAutoSize = false;
};

// Where a W x H picture goes in a CW x CH box: at its own size, or with Stretch filling the
// box; Proportional keeps the aspect and also shrinks a picture larger than the box;
// Center centres the result.
RECT FitPictureRect(int W, int H, int CW, int CH, bool Stretch, bool Proportional, bool Center);

// Loads the placeholder JPEG (200 x 150) compiled into the program; raises
// EInvalidGraphic when the program was built without it.
void LoadPlaceholderPicture(TPicture& Picture);
