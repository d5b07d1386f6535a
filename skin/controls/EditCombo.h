#pragma once
// TSkinEdit, TSkinComBox, TSkinUpDown: edits get a flat two-line border (and their up-down
// child, if any, its kind); combo boxes keep their edit area and get their frame and drop-down
// button from the skin painted over their own look; up-downs are painted wholly by their kind,
// from the skin's up-down images or, without glyph images, as plain buttons with arrows.
#include <windows.h>

#include <cstdint>

#include "skin/controls/SkinControl.h"

class TSkinUpDown;

class TSkinEdit : public TSkinControl {
    PANTREL_CLASS(TSkinEdit, TSkinControl)
    explicit TSkinEdit(TComponent* AOwner);

    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
    // Wraps the first up-down child window of the edit, with its buttons one pixel in.
    void FindUpDown();
    // The frame for WM_PRINT, into DC (the window DC when DC is 0).
    void PrintFrame(HDC DC);

    TSkinUpDown* FUpDown = nullptr;  // owned by this kind's owner
};

class TSkinComBox : public TSkinControl {
    PANTREL_CLASS(TSkinComBox, TSkinControl)
    explicit TSkinComBox(TComponent* AOwner);

    void AfterMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;

    uint32_t FStyle = 0;    // the window style at the last paint
    uint32_t FExStyle = 0;  // the extended style at the last paint
};

class TSkinUpDown : public TSkinControl {
    PANTREL_CLASS(TSkinUpDown, TSkinControl)
    explicit TSkinUpDown(TComponent* AOwner);

    bool BeforeMessage(TMessage& Message) override;
    void Draw(HDC DC, const RECT& Rect) override;
    // Direction: 0 up, 1 down, 2 left, 3 right. State: 1 normal, 2 pressed, 3 disabled, 4 hot.
    void DrawSkinButton(HDC DC, const RECT& Rect, int Direction, int State);
    void DrawPlainButton(TCanvas& Canvas, const RECT& Rect, int Direction, int State);

    bool FInset = false;        // buttons one pixel in from the client edge (inside an edit)
    int32_t FOrientation = 0;   // 1 forces the horizontal layout
};
