#pragma once
// The push-button kinds, painted from the skin's "Buttons" element (frames 1 normal,
// 2 pressed, 3 disabled, 4 hot or focused).
// TSkinButton: a push button. It keeps the left-button press from the button, so the button
// never captures the mouse: the kind shows the press itself and raises the click on the
// release over the button, once.
// TSkinBitButton: a glyph button (TBitBtn), its glyph and caption placed as the button
// places them.
// TSkinSpeedButton: the windowless speed button, painted on its parent's canvas; the speed
// button keeps its own press, Down and group logic.
#include <windows.h>

#include "framework/graphics/Bitmap.h"
#include "skin/controls/SkinControl.h"

class TDataSkinButton;
class TSpeedButton;

class TSkinButton : public TSkinControl {
    PANTREL_CLASS(TSkinButton, TSkinControl)
    explicit TSkinButton(TComponent* AOwner);

    bool BeforeMessage(TMessage& Message) override;
    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;

    // The frame of "Buttons" for the present state: disabled over pressed over hot.
    int StateFrame() const;

    TBitmap FBitmap;  // paint buffer

protected:
    // The skin's "Buttons" element, or null when it has no bitmap to draw.
    const TDataSkinButton* ButtonElement() const;
    // FFocused, FEnabled and FCaption as the window has them now.
    void ReadWindowState();
    // The caption colour of the state drawn in Frame.
    TColor TextColor(int Frame) const;
    void TakeHover();
    void LoseHover();
    // The form's hover slot: taking it ends the hover of the kind that held it.
    void ClaimHoverSlot();
    void ReleaseHoverSlot();

private:
    void RaiseClick();
};

class TSkinBitButton : public TSkinButton {
    PANTREL_CLASS(TSkinBitButton, TSkinButton)
    explicit TSkinBitButton(TComponent* AOwner);

    // The glyph button's own drawing (an owner-drawn system button) is replaced by the face.
    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
};

class TSkinSpeedButton : public TSkinBitButton {
    PANTREL_CLASS(TSkinSpeedButton, TSkinBitButton)
    explicit TSkinSpeedButton(TComponent* AOwner);
    ~TSkinSpeedButton() override;
    // The speed button's route dies with it.
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Replaces the speed button's WindowProc and lists the kind with its form skin object.
    void InstallGraphic(TSpeedButton* Button, TSkinData* SkinData, TCanvas* Canvas);
    void Uninstall() override;
    bool BeforeMessage(TMessage& Message) override;
    void AfterMessage(TMessage& Message) override;
    // Paints on the speed button's own canvas (its part of the parent's window); DC unused.
    void PaintControl(HDC DC) override;
    // The face of the speed button at Rect of Canvas.
    void DrawSpeedButton(TCanvas& Canvas, const RECT& Rect);

private:
    TSpeedButton* SpeedButton() const;
    // Pressed while Down, even when disabled.
    int SpeedFrame() const;
};

// Image Index (1-based; beyond NumGlyphs: image 1) of Glyph, whose width holds NumGlyphs
// images side by side, drawn at Pos with the colour of the image's top-left pixel
// transparent.
void DrawGlyph(TCanvas& Canvas, POINT Pos, int NumGlyphs, int Index, TBitmap& Glyph);
