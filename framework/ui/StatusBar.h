// TStatusBar over the system status bar: either one simple text or a row of panels
// (TStatusPanel: width, text, bevel, alignment, reading order), the last one taking the
// rest of the bar; optionally a size grip. In designs the panels are nested objects of
// the bar.
#pragma once

#include <string>
#include <vector>

#include "framework/ui/ControlTypes.h"
#include "framework/ui/WinControl.h"

class TStatusBar;

PANTREL_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

class TStatusPanel : public TComponent {
    PANTREL_CLASS(TStatusPanel, TComponent)
    explicit TStatusPanel(TComponent* AOwner);
    ~TStatusPanel() override;

    TStatusBar* StatusBar() const { return FStatusBar; }
    int Index() const;
    int Width() const { return FWidth; }
    void SetWidth(int Value);
    const std::string& Text() const { return FText; }
    void SetText(const std::string& Value);
    TStatusPanelBevel Bevel() const { return FBevel; }
    void SetBevel(TStatusPanelBevel Value);
    TAlignment Alignment() const { return FAlignment; }
    void SetAlignment(TAlignment Value);
    TBiDiMode BiDiMode() const { return FBiDiMode; }
    void SetBiDiMode(TBiDiMode Value);
    bool IsRightToLeft() const { return FBiDiMode != bdLeftToRight; }

    void SetParentComponent(TComponent* Value) override;
    TComponent* GetParentComponent() const override;
    bool HasParent() const override { return true; }

private:
    friend class TStatusPanels;
    void Changed();

    TStatusBar* FStatusBar = nullptr;
    int FWidth = 50;
    std::string FText;
    TStatusPanelBevel FBevel = pbLowered;
    TAlignment FAlignment = taLeftJustify;
    TBiDiMode FBiDiMode = bdLeftToRight;
};

// The panels of one status bar, in order.
class TStatusPanels : public TPersistent {
    PANTREL_CLASS(TStatusPanels, TPersistent)
    explicit TStatusPanels(TStatusBar* AOwner) : FStatusBar(AOwner) {}
    TStatusPanels(const TStatusPanels&) = delete;
    TStatusPanels& operator=(const TStatusPanels&) = delete;

    int Count() const { return static_cast<int>(FItems.size()); }
    TStatusPanel* Items(int Index) const;
    // A new panel at the end, owned by the status bar.
    TStatusPanel* Add();
    // Puts a panel (made elsewhere, e.g. by a design) at the end.
    void Attach(TStatusPanel* Panel);
    void Detach(TStatusPanel* Panel);
    void Delete(int Index);
    void Clear();
    int IndexOf(const TStatusPanel* Panel) const;

private:
    TStatusBar* FStatusBar;
    std::vector<TStatusPanel*> FItems;
};

class TStatusBar : public TWinControl {
    PANTREL_CLASS(TStatusBar, TWinControl)
    explicit TStatusBar(TComponent* AOwner);
    ~TStatusBar() override;

    TStatusPanels* Panels() { return &FPanels; }
    const TStatusPanels* Panels() const { return &FPanels; }
    // One text over the whole bar instead of the panels.
    bool SimplePanel() const { return FSimplePanel; }
    void SetSimplePanel(bool Value);
    const std::string& SimpleText() const { return FSimpleText; }
    void SetSimpleText(const std::string& Value);
    bool SizeGrip() const { return FSizeGrip; }
    void SetSizeGrip(bool Value);

    // Puts the panels' widths and texts into the window.
    void UpdatePanels();

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;

private:
    void UpdateSimpleText();

    TStatusPanels FPanels;
    bool FSimplePanel = false;
    std::string FSimpleText;
    bool FSizeGrip = true;
};
