#include "framework/ui/Memo.h"

// --- TMemoStrings ------------------------------------------------------------------------

PANTREL_REGISTER(TMemoStrings, TStrings)

std::vector<TMemoStrings::TLine> TMemoStrings::Split(const std::string& Text) const
{
    std::vector<TLine> Lines;
    size_t Start = 0;
    while (Start < Text.size()) {
        const size_t Break = Text.find("\r\n", Start);
        if (Break == std::string::npos) {
            Lines.push_back({Start, Text.size() - Start, Text.size()});
            break;
        }
        Lines.push_back({Start, Break - Start, Break + 2});
        Start = Break + 2;
    }
    return Lines;
}

int TMemoStrings::Count() const
{
    return int(Split(FMemo->Text()).size());
}

std::string TMemoStrings::Get(int Index) const
{
    const std::string Text = FMemo->Text();
    const std::vector<TLine> Lines = Split(Text);
    CheckIndex(Index, int(Lines.size()));
    return Text.substr(Lines[size_t(Index)].Start, Lines[size_t(Index)].Length);
}

void TMemoStrings::Replace(size_t From, size_t To, const std::string& S)
{
    Changing();
    std::string Text = FMemo->Text();
    Text.replace(From, To - From, S);
    FMemo->SetText(Text);
    Changed();
}

void TMemoStrings::Put(int Index, const std::string& S)
{
    const std::vector<TLine> Lines = Split(FMemo->Text());
    CheckIndex(Index, int(Lines.size()));
    const TLine& L = Lines[size_t(Index)];
    Replace(L.Start, L.Start + L.Length, S);
}

void TMemoStrings::Insert(int Index, const std::string& S)
{
    const std::string Text = FMemo->Text();
    const std::vector<TLine> Lines = Split(Text);
    CheckIndex(Index, int(Lines.size()) + 1);
    if (size_t(Index) < Lines.size()) {
        const size_t At = Lines[size_t(Index)].Start;
        Replace(At, At, S + "\r\n");
    } else if (Text.empty() || (Text.size() >= 2 && Text.compare(Text.size() - 2, 2, "\r\n") == 0)) {
        // After a final line break (or into an empty box) the new line gets one of its own.
        Replace(Text.size(), Text.size(), S + "\r\n");
    } else {
        Replace(Text.size(), Text.size(), "\r\n" + S);
    }
}

void TMemoStrings::Delete(int Index)
{
    const std::vector<TLine> Lines = Split(FMemo->Text());
    CheckIndex(Index, int(Lines.size()));
    const TLine& L = Lines[size_t(Index)];
    Replace(L.Start, L.Next, "");
}

void TMemoStrings::Clear()
{
    Changing();
    FMemo->SetText("");
    Changed();
}

void TMemoStrings::SetText(const std::string& Value)
{
    std::string Text;
    Text.reserve(Value.size());
    for (size_t I = 0; I < Value.size(); ++I) {
        const char C = Value[I];
        if (C == '\r') {
            Text += "\r\n";
            if (I + 1 < Value.size() && Value[I + 1] == '\n')
                ++I;
        } else if (C == '\n') {
            Text += "\r\n";
        } else {
            Text += C;
        }
    }
    Changing();
    FMemo->SetText(Text);
    Changed();
}

// --- TCustomMemo -------------------------------------------------------------------------

PANTREL_REGISTER(TCustomMemo, TCustomEdit,
    PROP_STRINGS(Lines, Lines),
    PROP_ENUM(ScrollBars, ScrollBars, SetScrollBars),
    PROP_BOOL(WordWrap, WordWrap, SetWordWrap),
    PROP_BOOL(WantReturns, WantReturns, SetWantReturns),
    PROP_BOOL(WantTabs, WantTabs, SetWantTabs),
    PROP_ENUM(Alignment, Alignment, SetAlignment))

PANTREL_REGISTER(TMemo, TCustomMemo)

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), FLines(this)
{
    SetBounds(0, 0, 185, 89);
}

void TCustomMemo::CreateParams(TCreateParams& Params)
{
    TCustomEdit::CreateParams(Params);
    Params.Style &= ~DWORD(ES_AUTOHSCROLL);
    Params.Style |= ES_MULTILINE | ES_AUTOVSCROLL;
    if (!FWordWrap)
        Params.Style |= ES_AUTOHSCROLL;
    if (FWantReturns)
        Params.Style |= ES_WANTRETURN;
    if (FScrollBars == ssHorizontal || FScrollBars == ssBoth)
        Params.Style |= WS_HSCROLL;
    if (FScrollBars == ssVertical || FScrollBars == ssBoth)
        Params.Style |= WS_VSCROLL;
    if (FAlignment == taCenter)
        Params.Style |= ES_CENTER;
    else if (FAlignment == taRightJustify)
        Params.Style |= ES_RIGHT;
}

void TCustomMemo::SetStyle(bool& Field, bool Value)
{
    if (Field == Value)
        return;
    Field = Value;
    RecreateWnd();
}

void TCustomMemo::SetScrollBars(TScrollStyle Value)
{
    if (Value == FScrollBars)
        return;
    FScrollBars = Value;
    RecreateWnd();
}

void TCustomMemo::SetWordWrap(bool Value)
{
    SetStyle(FWordWrap, Value);
}

void TCustomMemo::SetWantReturns(bool Value)
{
    SetStyle(FWantReturns, Value);
}

void TCustomMemo::SetAlignment(TAlignment Value)
{
    if (Value == FAlignment)
        return;
    FAlignment = Value;
    RecreateWnd();
}

void TCustomMemo::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_GETDLGCODE) {
        TCustomEdit::Dispatch(Message);
        // Tab moves the focus on unless the memo takes tabs; Enter is the memo's.
        if (!FWantTabs)
            Message.Result &= ~LRESULT(DLGC_WANTTAB);
        if (!FWantReturns)
            Message.Result &= ~LRESULT(DLGC_WANTALLKEYS);
        return;
    }
    TCustomEdit::Dispatch(Message);
}
