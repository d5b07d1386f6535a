// Tab controls over the system control "SysTabControl32": TTabControl is a row of tabs
// (Tabs, TabIndex) above, below or beside one shared area; TPageControl shows one of its
// TTabSheet pages (windowed containers, one tab each, captioned by the page) at a time.
// OnChange runs when the user picks another tab.
#pragma once

#include <string>
#include <vector>

#include "framework/core/Strings.h"
#include "framework/ui/WinControl.h"

PANTREL_ENUM(TTabPosition, tpTop, tpBottom, tpLeft, tpRight)

class TCustomTabControl : public TWinControl {
    PANTREL_CLASS(TCustomTabControl, TWinControl)
    explicit TCustomTabControl(TComponent* AOwner);

    // The selected tab, -1 when there is none.
    int TabIndex() const;
    void SetTabIndex(int Value);
    TTabPosition TabPosition() const { return FTabPosition; }
    void SetTabPosition(TTabPosition Value);
    // Tabs in several rows when they do not fit in one (always for tabs on the sides).
    bool MultiLine() const { return FMultiLine; }
    void SetMultiLine(bool Value);
    // The tab under the mouse looks hot.
    bool HotTrack() const { return FHotTrack; }
    void SetHotTrack(bool Value);
    // The area inside the tabs and the frame, in client coordinates.
    RECT DisplayRect();
    // A tab's rectangle in client coordinates; empty when there is no such tab.
    RECT TabRect(int Index);

    TNotifyEvent OnChange;

protected:
    void CreateParams(TCreateParams& Params) override;
    void CreateHandleDone() override;
    void DestroyWnd() override;
    void Dispatch(TMessage& Message) override;
    // The user picked another tab.
    virtual void Change();
    // Puts TabTexts into the window (all tabs again).
    void UpdateTabs();
    virtual std::vector<std::string> TabTexts() const = 0;

private:
    DWORD StyleBits() const;

    TTabPosition FTabPosition = tpTop;
    bool FMultiLine = false;
    bool FHotTrack = false;
    int FTabIndex = -1;  // kept while there is no window
};

class TTabControl : public TCustomTabControl {
    PANTREL_CLASS(TTabControl, TCustomTabControl)
    explicit TTabControl(TComponent* AOwner);

    TStrings* Tabs() const { return &FTabs; }

protected:
    std::vector<std::string> TabTexts() const override;

private:
    void TabsChanged(TObject*);
    mutable TStringList FTabs;
};

class TPageControl;

// One page: a container whose caption is its tab's text.
class TTabSheet : public TWinControl {
    PANTREL_CLASS(TTabSheet, TWinControl)
    explicit TTabSheet(TComponent* AOwner);
    ~TTabSheet() override;

    TPageControl* PageControl() const { return FPageControl; }
    void SetPageControl(TPageControl* Value);
    int PageIndex() const;
    // Joining a page control (as parent) makes the sheet one of its pages.
    void SetParent(TWinControl* AParent) override;

protected:
    void SetTextValue(const std::string& Value) override;

private:
    friend class TPageControl;
    TPageControl* FPageControl = nullptr;
};

class TPageControl : public TCustomTabControl {
    PANTREL_CLASS(TPageControl, TCustomTabControl)
    explicit TPageControl(TComponent* AOwner);
    ~TPageControl() override;

    int PageCount() const { return int(FPages.size()); }
    TTabSheet* Pages(int Index) const { return FPages.at(size_t(Index)); }
    TTabSheet* ActivePage() const { return FActivePage; }
    void SetActivePage(TTabSheet* Value);

    void SetBounds(int ALeft, int ATop, int AWidth, int AHeight) override;
    void Loaded() override;

protected:
    void Change() override;
    std::vector<std::string> TabTexts() const override;
    void CreateHandleDone() override;

private:
    friend class TTabSheet;
    void InsertPage(TTabSheet* Page);
    void RemovePage(TTabSheet* Page);
    void PageCaptionChanged();
    // Fits every page into the display area and shows only the active one.
    void ArrangePages();

    std::vector<TTabSheet*> FPages;
    TTabSheet* FActivePage = nullptr;
};
