#pragma once
// The elements of a skinned non-client area that are not windows: caption buttons
// (TWinSysButton) and menu-bar buttons (TMenuBtn). Each knows its rectangle relative to the
// window's top-left corner, whether it is shown and its mouse state, and repaints itself
// straight into the window DC when that state changes. One element at a time is hot: the
// form skin object's FHotObject.
#include <windows.h>

#include <cstdint>
#include <string>

#include "framework/core/Object.h"

class TWinSkinForm;
class TDataSkinSysButton;
class TSkinData;

enum TNCState : int32_t { nsNone = 0, nsNormal = 1, nsDown = 2, nsHot = 3 };

class TNCObject : public TObject {
    PANTREL_CLASS(TNCObject, TObject)
    explicit TNCObject(TWinSkinForm* AOwnerForm) : FOwnerForm(AOwnerForm) {}

    virtual void MouseDown();
    virtual void MouseUp();
    // Every non-client mouse move over the element.
    virtual void MouseEnter();
    virtual void MouseLeave();
    virtual void Paint() {}

    bool Contains(POINT P) const { return PtInRect(&FRect, P) != 0; }

    TWinSkinForm* FOwnerForm;
    RECT FRect{};
    bool FVisible = false;
    int32_t FState = nsNone;
};

// Caption-button actions the skin can give.
enum : int32_t {
    baClose = 0, baMaximize = 1, baMinimize = 2, baIcon = 3, baMDIMinimize = 7, baMDIRestore = 8, baMDIClose = 9,
    baIcon2 = 11, baSysMenu = 12, baMaximize2 = 22, baMinimize2 = 23, baMDIMinimize2 = 60, baMDIRestore2 = 61,
    baMDIClose2 = 62
};
// Caption buttons whose "Visibility" is this are drawn on the menu bar of an MDI frame.
constexpr int32_t MDIButtonVisibility = 100;

class TWinSysButton : public TNCObject {
    PANTREL_CLASS(TWinSysButton, TNCObject)
    TWinSysButton(TWinSkinForm* AOwnerForm, TDataSkinSysButton* AButtonData)
        : TNCObject(AOwnerForm), FButtonData(AButtonData) {}
    void Paint() override;
    // Icon buttons draw the window's icon instead of their image.
    bool IsIconButton() const;

    TDataSkinSysButton* FButtonData;  // not owned
};

class TMenuBtn : public TNCObject {
    PANTREL_CLASS(TMenuBtn, TNCObject)
    using TNCObject::TNCObject;
    void Paint() override;

    TSkinData* FSkin = nullptr;
    int32_t FIndex = 0;
    std::string FCaption;
    bool FEnabled = true;
    HMENU FSubMenu = nullptr;
    int32_t FCommand = 0;
};
