// TCustomEdit / TEdit: a one-line edit box over the system EDIT control (the base of the
// memo too): text, read-only, maximum length, selection, modified flag, OnChange.
#pragma once

#include "framework/ui/WinControl.h"

class TCustomEdit : public TWinControl {
    PANTREL_CLASS(TCustomEdit, TWinControl)
    explicit TCustomEdit(TComponent* AOwner);

    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool Value);
    // 0: as long as the system allows.
    int MaxLength() const { return FMaxLength; }
    void SetMaxLength(int Value);
    // The user changed the text since it was last set.
    bool Modified() const;
    void SetModified(bool Value);
    int SelStart() const;
    void SetSelStart(int Value);
    int SelLength() const;
    void SetSelLength(int Value);
    std::string SelText() const;
    void SetSelText(const std::string& Value);
    void SelectAll();
    void Clear() { SetText(""); }

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Dispatch(TMessage& Message) override;
    virtual void Change();

private:
    bool FReadOnly = false;
    int FMaxLength = 0;
};

class TEdit : public TCustomEdit {
    PANTREL_CLASS(TEdit, TCustomEdit)
    explicit TEdit(TComponent* AOwner) : TCustomEdit(AOwner) {}
};
