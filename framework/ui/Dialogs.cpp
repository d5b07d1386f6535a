#include "framework/ui/Dialogs.h"

#include <algorithm>
#include <cstring>

#include <memory>

#include "framework/graphics/Colors.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Application.h"
#include "framework/ui/Screen.h"

namespace {

struct TButtonInfo {
    const char* Name;
    const char* Caption;
    TModalResult Result;
};
const TButtonInfo ButtonInfo[] = {
    {"Yes", "&Yes", mrYes}, {"No", "&No", mrNo}, {"OK", "OK", mrOk}, {"Cancel", "Cancel", mrCancel},
    {"Abort", "&Abort", mrAbort}, {"Retry", "&Retry", mrRetry}, {"Ignore", "&Ignore", mrIgnore},
    {"All", "&All", mrAll}, {"NoToAll", "N&o to All", mrNo + 2}, {"YesToAll", "Yes to &All", mrNo + 3},
    {"Help", "&Help", mrNone}};

const char* const Captions[] = {"Warning", "Error", "Information", "Confirm", nullptr};
const LPCSTR Icons[] = {IDI_EXCLAMATION, IDI_HAND, IDI_ASTERISK, IDI_QUESTION, nullptr};

// Dialog units of a font: the average character width and the height.
SIZE AverageCharSize(HDC DC)
{
    const char Letters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
    SIZE Size;
    GetTextExtentPoint32A(DC, Letters, 52, &Size);
    Size.cx = (Size.cx / 26 + 1) / 2;
    return Size;
}

} // namespace

PANTREL_REGISTER(TMessageForm, TForm)

TMessageForm::TMessageForm(TComponent* AOwner) : TForm(AOwner)
{
    SetBorderStyle(bsDialog);
    SetPosition(poScreenCenter);
}

void TMessageForm::Build(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    FMessage = Msg;
    SetCaption(Captions[DlgType] ? Captions[DlgType] : Application->Title());
    FIcon = Icons[DlgType] ? LoadIconA(nullptr, Icons[DlgType]) : nullptr;

    const HDC DC = GetDC(nullptr);
    const HGDIOBJ OldFont = SelectObject(DC, Font()->Handle());
    const SIZE Units = AverageCharSize(DC);
    RECT Text{0, 0, Screen->Width() / 2, 0};
    DrawTextA(DC, Msg.c_str(), int(Msg.size()), &Text, DT_EXPANDTABS | DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(DC, OldFont);
    ReleaseDC(nullptr, DC);

    const int HorzMargin = MulDiv(8, Units.cx, 4), VertMargin = MulDiv(8, Units.cy, 8);
    const int HorzSpacing = MulDiv(10, Units.cx, 4), VertSpacing = MulDiv(10, Units.cy, 8);
    const int ButtonWidth = MulDiv(50, Units.cx, 4), ButtonHeight = MulDiv(14, Units.cy, 8);
    const int ButtonSpacing = MulDiv(4, Units.cx, 4);
    int IconTextWidth = Text.right, IconTextHeight = Text.bottom;
    if (FIcon) {
        IconTextWidth += 32 + HorzSpacing;
        IconTextHeight = std::max(IconTextHeight, 32);
    }
    int ButtonCount = 0;
    for (const TButtonInfo& B : ButtonInfo)
        ButtonCount += Buttons.Contains(TMsgDlgBtn(&B - ButtonInfo)) ? 1 : 0;
    const int GroupWidth = ButtonCount * ButtonWidth + std::max(0, ButtonCount - 1) * ButtonSpacing;
    const int Width = std::max(IconTextWidth, GroupWidth) + 2 * HorzMargin;
    SetClientSize(Width, IconTextHeight + ButtonHeight + VertSpacing + 2 * VertMargin);
    FIconPos = POINT{HorzMargin, VertMargin};
    FTextRect = Text;
    OffsetRect(&FTextRect, IconTextWidth - Text.right + HorzMargin, VertMargin);

    const TMsgDlgBtn Default = Buttons.Contains(mbOK) ? mbOK : Buttons.Contains(mbYes) ? mbYes : mbRetry;
    const TMsgDlgBtn Cancel = Buttons.Contains(mbCancel) ? mbCancel : Buttons.Contains(mbNo) ? mbNo : mbOK;
    int X = (Width - GroupWidth) / 2;
    for (const TButtonInfo& B : ButtonInfo) {
        const TMsgDlgBtn Kind = TMsgDlgBtn(&B - ButtonInfo);
        if (!Buttons.Contains(Kind))
            continue;
        // The standard button class, known to this unit by name only.
        auto* Button = dynamic_cast<TWinControl*>(CreateComponent("TButton", this));
        Button->SetName(B.Name);
        Button->SetParent(this);
        Button->SetCaption(B.Caption);
        SetOrdProp(Button, "ModalResult", B.Result);
        SetOrdProp(Button, "Default", Kind == Default);
        SetOrdProp(Button, "Cancel", Kind == Cancel);
        Button->SetBounds(X, IconTextHeight + VertMargin + VertSpacing, ButtonWidth, ButtonHeight);
        if (Kind == Default)
            SetActiveControl(Button);
        X += ButtonWidth + ButtonSpacing;
    }
}

void TMessageForm::Dispatch(TMessage& Message)
{
    if (Message.Msg != WM_COPY) {
        inherited::Dispatch(Message);
        return;
    }
    if (!OpenClipboard(Handle()))
        return;
    EmptyClipboard();
    if (const HGLOBAL Memory = GlobalAlloc(GMEM_MOVEABLE, FMessage.size() + 1)) {
        std::memcpy(GlobalLock(Memory), FMessage.c_str(), FMessage.size() + 1);
        GlobalUnlock(Memory);
        if (!SetClipboardData(CF_TEXT, Memory))
            GlobalFree(Memory);
    }
    CloseClipboard();
}

void TMessageForm::PaintWindow(HDC DC)
{
    if (FIcon)
        DrawIcon(DC, FIconPos.x, FIconPos.y, FIcon);
    const HGDIOBJ OldFont = SelectObject(DC, Font()->Handle());
    SetBkMode(DC, TRANSPARENT);
    SetTextColor(DC, ColorToRGB(Font()->Color()));
    RECT R = FTextRect;
    DrawTextA(DC, FMessage.c_str(), int(FMessage.size()), &R, DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(DC, OldFont);
}

TMessageForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons)
{
    std::unique_ptr<TMessageForm> Form(new TMessageForm(Application));
    Form->Build(Msg, DlgType, Buttons);
    return Form.release();
}

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int)
{
    std::unique_ptr<TMessageForm> Form(CreateMessageDialog(Msg, DlgType, Buttons));
    return Form->ShowModal();
}

void ShowMessage(const std::string& Msg)
{
    MessageDlg(Msg, mtCustom, {mbOK}, 0);
}
