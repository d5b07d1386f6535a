#include "framework/ui/Edit.h"

PANTREL_REGISTER(TCustomEdit, TWinControl,
    PROP_BOOL(ReadOnly, ReadOnly, SetReadOnly),
    PROP_INT(MaxLength, MaxLength, SetMaxLength),
    PROP_EVENT(OnChange, OnChange))

PANTREL_REGISTER(TEdit, TCustomEdit)

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() - TControlStyle{csClickEvents});
    SetBounds(0, 0, 121, 21);
    SetColor(clWindow);
    SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "EDIT");
    Params.Style |= ES_AUTOHSCROLL;
    if (FReadOnly)
        Params.Style |= ES_READONLY;
    Params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateHandleDone()
{
    SendMessageA(FHandle, EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

void TCustomEdit::SetReadOnly(bool Value)
{
    FReadOnly = Value;
    if (FHandle)
        SendMessageA(FHandle, EM_SETREADONLY, Value, 0);
}

void TCustomEdit::SetMaxLength(int Value)
{
    FMaxLength = Value < 0 ? 0 : Value;
    if (FHandle)
        SendMessageA(FHandle, EM_LIMITTEXT, WPARAM(FMaxLength), 0);
}

bool TCustomEdit::Modified() const
{
    return FHandle && SendMessageA(FHandle, EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::SetModified(bool Value)
{
    if (FHandle)
        SendMessageA(FHandle, EM_SETMODIFY, Value, 0);
}

int TCustomEdit::SelStart() const
{
    DWORD Start = 0;
    if (FHandle)
        SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), 0);
    return int(Start);
}

void TCustomEdit::SetSelStart(int Value)
{
    SendMessageA(Handle(), EM_SETSEL, WPARAM(Value), LPARAM(Value));
}

int TCustomEdit::SelLength() const
{
    DWORD Start = 0, End = 0;
    if (FHandle)
        SendMessageA(FHandle, EM_GETSEL, reinterpret_cast<WPARAM>(&Start), reinterpret_cast<LPARAM>(&End));
    return int(End - Start);
}

void TCustomEdit::SetSelLength(int Value)
{
    const int Start = SelStart();
    SendMessageA(Handle(), EM_SETSEL, WPARAM(Start), LPARAM(Start + Value));
}

std::string TCustomEdit::SelText() const
{
    const std::string All = Text();
    const size_t Start = std::min(All.size(), size_t(SelStart()));
    return All.substr(Start, size_t(SelLength()));
}

void TCustomEdit::SetSelText(const std::string& Value)
{
    SendMessageA(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(Value.c_str()));
}

void TCustomEdit::SelectAll()
{
    SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::Change()
{
    OnChange(this);
}

void TCustomEdit::Dispatch(TMessage& Message)
{
    if (Message.Msg == CN_COMMAND) {
        if (HIWORD(Message.WParam) == EN_CHANGE && !ComponentState().Contains(csLoading))
            Change();
        return;
    }
    TWinControl::Dispatch(Message);
}
