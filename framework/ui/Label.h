// TCustomLabel / TLabel: a windowless text in its parent, sized to its text (AutoSize),
// optionally word-wrapped and transparent; mouse events come from its parent.
#pragma once

#include "framework/ui/ControlTypes.h"
#include "framework/ui/GraphicControl.h"

class TCustomLabel : public TGraphicControl {
    PANTREL_CLASS(TCustomLabel, TGraphicControl)
    explicit TCustomLabel(TComponent* AOwner);

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool Value);
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    // The parent shows through around the letters.
    bool Transparent() const { return !ControlStyle().Contains(csOpaque); }
    void SetTransparent(bool Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    // '&' marks the accelerator (shown underlined) instead of standing for itself.
    bool ShowAccelChar() const { return FShowAccelChar; }
    void SetShowAccelChar(bool Value);

    void Loaded() override;
    void Dispatch(TMessage& Message) override;

protected:
    void Paint() override;

private:
    UINT TextFormat() const;
    // With AutoSize, fits the bounds to the text (the width stays with WordWrap).
    void AdjustBounds();

    bool FAutoSize = true;
    bool FWordWrap = false;
    TAlignment FAlignment = taLeftJustify;
    bool FShowAccelChar = true;
};

class TLabel : public TCustomLabel {
    PANTREL_CLASS(TLabel, TCustomLabel)
    explicit TLabel(TComponent* AOwner) : TCustomLabel(AOwner) {}
};
