// TControl: the base of everything placed on a form, windowed or not: parent, alignment,
// bounds, visibility, enabled state, colour and font (optionally the parent's), cursor,
// text, mouse events, and the message path WindowProc -> WndProc -> Dispatch (message
// handlers) -> DefaultHandler.
#pragma once

#include <windows.h>

#include <string>

#include "framework/core/Color.h"
#include "framework/core/Component.h"
#include "framework/core/TypInfo.h"
#include "framework/ui/Messages.h"

class TFont;
class TWinControl;

PANTREL_ENUM(TAlign, alNone, alTop, alBottom, alLeft, alRight, alClient)
PANTREL_ENUM(TCursor, crDefault, crArrow, crIBeam, crCross, crHourGlass, crHandPoint, crSizeAll,
             crSizeNS, crSizeWE, crSizeNESW, crSizeNWSE, crNo, crAppStart, crHelp, crUpArrow)

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// csClickEvents: a left press and release over the control is a click (controls over a
// system control get their clicks from it instead). csCaptureMouse: a windowless control
// keeps the mouse while a button is held.
enum TControlStyleItem { csAcceptsControls, csCaptureMouse, csClickEvents, csOpaque, csDoubleClicks };
using TControlStyle = TSet<TControlStyleItem>;

using TMouseEvent = TDelegate<void(TObject* Sender, TMouseButton Button, TShiftState Shift, int X, int Y)>;
using TMouseMoveEvent = TDelegate<void(TObject* Sender, TShiftState Shift, int X, int Y)>;

// Shift state of mouse key flags (MK_...) plus the keyboard's Alt key.
TShiftState KeysToShiftState(WPARAM Keys);
// Shift state of the keyboard now (GetKeyState).
TShiftState KeyboardShiftState();
// The system cursor shown for a cursor value (null for crDefault).
HCURSOR CursorHandle(TCursor Cursor);

class TControl : public TComponent {
    PANTREL_CLASS(TControl, TComponent)
    explicit TControl(TComponent* AOwner);
    ~TControl() override;

    TWinControl* Parent() const { return FParent; }
    virtual void SetParent(TWinControl* AParent);
    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

    TAlign Align() const { return FAlign; }
    void SetAlign(TAlign Value);
    int Left() const { return FLeft; }
    int Top() const { return FTop; }
    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    void SetLeft(int Value) { SetBounds(Value, FTop, FWidth, FHeight); }
    void SetTop(int Value) { SetBounds(FLeft, Value, FWidth, FHeight); }
    void SetWidth(int Value) { SetBounds(FLeft, FTop, Value, FHeight); }
    void SetHeight(int Value) { SetBounds(FLeft, FTop, FWidth, Value); }
    virtual void SetBounds(int ALeft, int ATop, int AWidth, int AHeight);
    RECT BoundsRect() const { return RECT{FLeft, FTop, FLeft + FWidth, FTop + FHeight}; }
    void SetBoundsRect(const RECT& R) { SetBounds(R.left, R.top, R.right - R.left, R.bottom - R.top); }

    // The client area in client coordinates; (0, 0, Width, Height) for a windowless control.
    virtual RECT ClientRect() const;
    int ClientWidth() const { return ClientRect().right; }
    int ClientHeight() const { return ClientRect().bottom; }
    void SetClientWidth(int Value) { SetClientSize(Value, ClientHeight()); }
    void SetClientHeight(int Value) { SetClientSize(ClientWidth(), Value); }
    virtual void SetClientSize(int AWidth, int AHeight);
    // Screen position of the client area's top-left corner.
    virtual POINT ClientOrigin() const;
    POINT ClientToScreen(POINT P) const;
    POINT ScreenToClient(POINT P) const;

    bool Visible() const { return FVisible; }
    virtual void SetVisible(bool Value);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and so is every parent up to a shown window.
    virtual bool Showing() const;
    bool Enabled() const { return FEnabled; }
    virtual void SetEnabled(bool Value);

    TColor Color() const { return FColor; }
    void SetColor(TColor Value);
    bool ParentColor() const { return FParentColor; }
    void SetParentColor(bool Value);
    TFont* Font() const { return FFont; }
    bool ParentFont() const { return FParentFont; }
    void SetParentFont(bool Value);
    TCursor Cursor() const { return FCursor; }
    void SetCursor(TCursor Value);

    std::string Text() const { return GetText(); }
    void SetText(const std::string& Value) { SetTextValue(Value); }
    std::string Caption() const { return GetText(); }
    void SetCaption(const std::string& Value) { SetTextValue(Value); }

    TControlStyle ControlStyle() const { return FControlStyle; }
    void SetControlStyle(TControlStyle Value) { FControlStyle = Value; }

    virtual void Invalidate();
    virtual void Repaint();
    void BringToFront();
    // Sends a message through WindowProc at once and answers its Result.
    LRESULT Perform(UINT Msg, WPARAM WParam, LPARAM LParam);
    // Runs the click (OnClick); skinned buttons call it when they raise a click themselves.
    virtual void Click();

    // The replaceable first handler of every message; by default WndProc.
    TWndMethod WindowProc;
    virtual void WndProc(TMessage& Message);
    // The message handlers of this class; what none takes goes to DefaultHandler.
    virtual void Dispatch(TMessage& Message);
    virtual void DefaultHandler(TMessage& Message);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;

protected:
    virtual std::string GetText() const { return FText; }
    virtual void SetTextValue(const std::string& Value);
    virtual void DblClick();
    virtual void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y);
    virtual void MouseMove(TShiftState Shift, int X, int Y);
    // Bounds changed (already stored): tells the parent, which realigns its children.
    void BoundsChanged();
    // The parent's colour or font (when ParentColor / ParentFont) or the own one changed.
    virtual void ColorChanged();
    virtual void FontChanged();

    TWinControl* FParent = nullptr;
    std::string FText;
    int FLeft = 0, FTop = 0, FWidth = 0, FHeight = 0;
    bool FVisible = true;
    bool FEnabled = true;
    TControlStyle FControlStyle;

private:
    void DoMouseDown(TMessage& Message, TMouseButton Button, bool Double);
    void DoMouseUp(TMessage& Message, TMouseButton Button);
    void FontOnChange(TObject* Sender);
    void TakeParentColor();
    void TakeParentFont();

    TAlign FAlign = alNone;
    TColor FColor = clWindow;
    bool FParentColor = true;
    TFont* FFont;
    bool FParentFont = true;
    TCursor FCursor = crDefault;
    bool FClicked = false;
    bool FSettingParentFont = false;
};

// The control the mouse is over (and was told CM_MOUSEENTER), or null.
TControl* MouseControl();
// Moves the hover to Control: CM_MOUSELEAVE to the old one, CM_MOUSEENTER to the new one.
void SetMouseControl(TControl* Control);
