// TCustomMemo / TMemo: a multi-line edit box. Text is the box's text exactly as it holds
// it; Lines sees the same text as lines ended by CR LF, and every change made through
// Lines writes CR LF line breaks.
#pragma once

#include "framework/core/Strings.h"
#include "framework/ui/ControlTypes.h"
#include "framework/ui/Edit.h"

class TCustomMemo;

// The lines of a memo, read from and written to its text.
class TMemoStrings : public TStrings {
    PANTREL_CLASS(TMemoStrings, TStrings)
    explicit TMemoStrings(TCustomMemo* AMemo) : FMemo(AMemo) {}

    int Count() const override;
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    // The whole text at once; lone CR and lone LF become CR LF.
    void SetText(const std::string& Value) override;

private:
    struct TLine {
        size_t Start;
        size_t Length;   // without the line break
        size_t Next;     // start of the next line (after the CR LF), or the text's end
    };
    std::vector<TLine> Split(const std::string& Text) const;
    void Replace(size_t From, size_t To, const std::string& S);
    TCustomMemo* FMemo;
};

class TCustomMemo : public TCustomEdit {
    PANTREL_CLASS(TCustomMemo, TCustomEdit)
    explicit TCustomMemo(TComponent* AOwner);

    TStrings* Lines() const { return &FLines; }
    TScrollStyle ScrollBars() const { return FScrollBars; }
    void SetScrollBars(TScrollStyle Value);
    // Long lines wrap at the right edge (no horizontal scrolling).
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool Value);
    bool WantReturns() const { return FWantReturns; }
    void SetWantReturns(bool Value);
    bool WantTabs() const { return FWantTabs; }
    void SetWantTabs(bool Value) { FWantTabs = Value; }
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);

protected:
    void CreateParams(TCreateParams& Params) override;
    void Dispatch(TMessage& Message) override;

private:
    void SetStyle(bool& Field, bool Value);
    mutable TMemoStrings FLines;
    TScrollStyle FScrollBars = ssNone;
    bool FWordWrap = true;
    bool FWantReturns = true;
    bool FWantTabs = false;
    TAlignment FAlignment = taLeftJustify;
};

class TMemo : public TCustomMemo {
    PANTREL_CLASS(TMemo, TCustomMemo)
    explicit TMemo(TComponent* AOwner) : TCustomMemo(AOwner) {}
};
