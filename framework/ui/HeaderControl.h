// THeaderControl over the common control "SysHeader32": a row of sections (THeaderSection:
// text and width) that press like buttons; OnSectionClick tells which one was clicked. In
// designs the sections are nested objects of the header.
#pragma once

#include <string>
#include <vector>

#include "framework/ui/WinControl.h"

class THeaderControl;

class THeaderSection : public TComponent {
    PANTREL_CLASS(THeaderSection, TComponent)
    explicit THeaderSection(TComponent* AOwner);
    ~THeaderSection() override;

    THeaderControl* HeaderControl() const { return FHeader; }
    int Index() const;
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    int Width() const { return FWidth; }
    void SetWidth(int Value);

    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

private:
    friend class THeaderControl;
    void Changed();

    THeaderControl* FHeader = nullptr;
    std::string FText;
    int FWidth = 50;
};

using TSectionNotifyEvent = TDelegate<void(TObject* Sender, THeaderSection* Section)>;

class THeaderControl : public TWinControl {
    PANTREL_CLASS(THeaderControl, TWinControl)
    explicit THeaderControl(TComponent* AOwner);
    ~THeaderControl() override;

    int SectionCount() const { return int(FSections.size()); }
    // Raises EListError outside 0 .. SectionCount() - 1.
    THeaderSection* Sections(int Index) const;
    // A new section at the end, owned by the header.
    THeaderSection* AddSection(const std::string& Text, int Width);
    // Puts a section made elsewhere (by a design) at the end; takes it off its old header.
    void Attach(THeaderSection* Section);
    void Detach(THeaderSection* Section);
    // Puts the sections' texts and widths into the window.
    void UpdateSections();

    TSectionNotifyEvent OnSectionClick;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void Dispatch(TMessage& Message) override;

private:
    std::vector<THeaderSection*> FSections;
};
