// TWinControl: a control with a window of its own. Its window class is named after the
// framework class; a control over a system control registers a superclass of it
// (CreateSubClass). Messages reach it through a thunk; notifications a parent receives for a
// child (WM_COMMAND, WM_NOTIFY, ...) are reflected to that child as CN_*.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "framework/ui/Control.h"
#include "framework/ui/Thunk.h"

// What CreateWnd gives to RegisterClassA and CreateWindowExA; CreateParams fills it in.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    HMENU Menu = nullptr;  // a top-level window's menu bar
    WNDCLASSA WindowClass{};
    std::string WinClassName;
};

class TWinControl : public TControl {
    PANTREL_CLASS(TWinControl, TControl)
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, created (with its parents') when there is none yet.
    HWND Handle();
    void HandleNeeded();
    bool HandleAllocated() const { return FHandle != nullptr; }
    void DestroyHandle();
    void RecreateWnd();
    // The framework control a window belongs to, or null.
    static TWinControl* FindControl(HWND Wnd);

    int ControlCount() const { return static_cast<int>(FControls.size()); }
    TControl* Controls(int Index) const { return FControls.at(size_t(Index)); }
    void InsertControl(TControl* AControl);
    void RemoveControl(TControl* AControl);
    void MoveToFront(TControl* AControl);
    // The topmost visible (and, unless AllowDisabled, enabled) windowless child at a
    // client point, or null.
    TControl* ControlAtPos(POINT P, bool AllowDisabled) const;
    // Sends the message to every child; stops at the first that answers non-zero.
    void Broadcast(TMessage& Message);
    void Realign();

    bool DoubleBuffered() const { return FDoubleBuffered; }
    void SetDoubleBuffered(bool Value) { FDoubleBuffered = Value; }
    bool TabStop() const { return FTabStop; }
    void SetTabStop(bool Value);
    int TabOrder() const { return FTabOrder; }
    void SetTabOrder(int Value) { FTabOrder = Value; }
    bool Focused() const;
    virtual bool CanFocus() const;
    virtual void SetFocus();

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    RECT ClientRect() const override;
    POINT ClientOrigin() const override;
    bool Showing() const override;
    void Invalidate() override;
    void Repaint() override;
    void Loaded() override;

    void WndProc(TMessage& Message) override;
    void Dispatch(TMessage& Message) override;
    // The window class's own procedure (the system control's for a superclass).
    void DefaultHandler(TMessage& Message) override;

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& Params);
    // Makes the window a superclass of a system control ("BUTTON", "EDIT", "SysTreeView32").
    void CreateSubClass(TCreateParams& Params, const char* SystemClassName);
    virtual void CreateWnd();
    virtual void DestroyWnd();
    // Called after the window exists and before the children's windows are made.
    virtual void CreateHandleDone() {}
    // Fills the client area; by default the window class's own painting into DC.
    virtual void PaintWindow(HDC DC);
    std::string GetText() const override;
    void SetTextValue(const std::string& Value) override;
    // Reads the window's position back after the system moved or sized it.
    void UpdateBounds();
    // The brush of Color, for backgrounds.
    HBRUSH Brush();

    HWND FHandle = nullptr;
    // Set by controls that paint their client area themselves (PaintWindow).
    bool FCustomPaint = false;

private:
    friend LRESULT CALLBACK InitWndProc(HWND, UINT, WPARAM, LPARAM);
    void MainWndProc(TMessage& Message);
    bool IsControlMouseMsg(TMessage& Message);
    bool ReflectToControl(HWND Child, TMessage& Message);
    bool ReflectNotification(TMessage& Message);
    void WMPaint(TMessage& Message);
    void PaintHandler(TMessage& Message);
    void PaintControls(HDC DC);
    void WMSetCursor(TMessage& Message);
    void WMSysCommand(TMessage& Message);
    void CNKeyDown(TMessage& Message);
    void CNCtlColor(TMessage& Message);
    void NotifyControls(UINT Msg);
    void TrackMouseLeave();

    std::unique_ptr<TThunk> FObjectInstance;
    WNDPROC FDefWndProc = DefWindowProcA;
    std::vector<TControl*> FControls;
    HBRUSH FBrush = nullptr;
    TColor FBrushColor = 0;
    bool FDoubleBuffered = false;
    bool FTabStop = false;
    int FTabOrder = 0;
    bool FRealigning = false;
    bool FTrackingMouse = false;
};

// The form a control is placed on (its topmost framework parent), or null.
class TCustomForm;
TCustomForm* GetParentForm(TControl* Control);
HINSTANCE HInstance();
