// TCustomForm / TForm: a top-level window built from its stored design: border style and
// icons, position, window state, main menu, showing (also modally), closing and releasing.
// A form class reads its design from its constructor:
//     TFrmMain(TComponent* AOwner) : TForm(AOwner) { CreateFromDesign(); }
// and binds its members in BindMembers (called after the design is read, before OnCreate).
#pragma once

#include "framework/design/DesignReader.h"
#include "framework/ui/WinControl.h"

class TMainMenu;

PANTREL_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
PANTREL_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
PANTREL_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
             poDesktopCenter, poMainFormCenter, poOwnerFormCenter)
PANTREL_ENUM(TWindowState, wsNormal, wsMinimized, wsMaximized)
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0, mrOk = IDOK, mrCancel = IDCANCEL, mrAbort = IDABORT,
                       mrRetry = IDRETRY, mrIgnore = IDIGNORE, mrYes = IDYES, mrNo = IDNO,
                       mrAll = mrNo + 1;

using TCloseEvent = TDelegate<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TDelegate<void(TObject* Sender, bool& CanClose)>;

class TCustomForm;

// What a form needs of its menus, filled in by the menu classes. MenuHandle gives the
// window menu of a main menu; DispatchMenuMessage takes the messages meant for menus
// (WM_COMMAND without a control, WM_INITMENUPOPUP, WM_MENUSELECT, WM_DRAWITEM and
// WM_MEASUREITEM of menu items) and answers whether it handled one; IsShortCut runs the
// item whose shortcut a key press (CN_KEYDOWN) is. When the items of a form's main menu
// change, the menu sends CM_MENUCHANGED to the form's window.
struct TFormMenuHooks {
    HMENU (*MenuHandle)(TComponent* Menu) = nullptr;
    bool (*DispatchMenuMessage)(TCustomForm* Form, TMessage& Message) = nullptr;
    bool (*IsShortCut)(TCustomForm* Form, TMessage& Message) = nullptr;
};
extern TFormMenuHooks FormMenuHooks;

class TCustomForm : public TWinControl {
    PANTREL_CLASS(TCustomForm, TWinControl)
    // A form without a design (one built in code).
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    TFormBorderStyle BorderStyle() const { return FBorderStyle; }
    void SetBorderStyle(TFormBorderStyle Value);
    TBorderIcons BorderIcons() const { return FBorderIcons; }
    void SetBorderIcons(TBorderIcons Value);
    TPosition Position() const { return FPosition; }
    void SetPosition(TPosition Value) { FPosition = Value; }
    TWindowState WindowState() const;
    void SetWindowState(TWindowState Value);
    bool AutoScroll() const { return FAutoScroll; }
    void SetAutoScroll(bool Value);

    // The main menu (a TMainMenu); the template defers the conversion to the caller,
    // who knows the menu classes.
    template<class M = TMainMenu>
    M* Menu() const { return static_cast<M*>(FMenu); }
    template<class M = TMainMenu>
    void SetMenu(M* Value) { SetMenuComponent(Value); }
    TComponent* MenuComponent() const { return FMenu; }
    void SetMenuComponent(TComponent* Value);

    TModalResult ModalResult() const { return FModalResult; }
    void SetModalResult(TModalResult Value) { FModalResult = Value; }
    bool Modal() const { return FModal; }
    TWinControl* ActiveControl() const { return FActiveControl; }
    void SetActiveControl(TWinControl* Value);
    bool Active() const;

    // Shows the form and brings it to the front.
    void Show();
    // Shows the form with every other window of the thread disabled and runs a message
    // loop until the form is closed; answers ModalResult (mrCancel when closed otherwise).
    int ShowModal();
    // Asks OnCloseQuery, runs OnClose and hides, frees or minimises the form as it says;
    // closing the main form ends the application. A modal form only ends its loop.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages now queued for it are handled.
    void Release();
    // Focus moves to the next (or previous) focusable control in tab order.
    void SelectNext(TWinControl* Current, bool Forward);

    void SetClientSize(int AWidth, int AHeight) override;
    RECT ClientRect() const override;
    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Dispatch(TMessage& Message) override;
    void Notification(TComponent* AComponent, TOperation Operation) override;

    // Called by the framework: a control of this form got the focus / a key may be a
    // menu shortcut.
    void FocusChanged(TWinControl* Control);
    bool IsShortCut(TMessage& Message);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

protected:
    // Reads the design compiled in under the form's class name, binds the members and
    // runs OnCreate. Called from the constructor of the form's own class.
    void CreateFromDesign();
    // The same from design text (UTF-8).
    void CreateFromDesignText(const std::string& Text, const std::string& DesignName);
    // Binds the form's member pointers to the components its design created.
    virtual void BindMembers() {}
    template<class T>
    void BindMember(const std::string& MemberName, T*& Member)
    {
        Member = dynamic_cast<T*>(FindComponent(MemberName));
        if (!Member)
            throw EDesignError(ClassName() + ": the design has no " + MemberName + " of the member's class");
    }
    virtual void DoCreate();
    virtual void DoClose(TCloseAction& Action);

    void CreateParams(TCreateParams& Params) override;
    void CreateWnd() override;
    void PaintWindow(HDC DC) override;

private:
    void DesignRead();
    void ShowWindowNow();
    // The form is placed at the centre of the screen when first shown.
    bool CentredOnScreen() const;
    void CloseModal();
    void ApplyPendingClientSize();
    void UpdateScrollRange();
    void Scroll(int Bar, WORD Code);

    TFormBorderStyle FBorderStyle = bsSizeable;
    TBorderIcons FBorderIcons = {biSystemMenu, biMinimize, biMaximize};
    TPosition FPosition = poDesigned;
    TWindowState FWindowState = wsNormal;
    bool FAutoScroll = true;
    TComponent* FMenu = nullptr;
    TModalResult FModalResult = mrNone;
    bool FModal = false;
    bool FShown = false;
    TWinControl* FActiveControl = nullptr;
    int FClientWidth = -1;
    int FClientHeight = -1;
    POINT FScrollPos{0, 0};
};

class TForm : public TCustomForm {
    PANTREL_CLASS(TForm, TCustomForm)
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};
