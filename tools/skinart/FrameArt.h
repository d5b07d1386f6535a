#pragma once
// The window frame of Pantrel's skin: borders, title band, caption buttons, the buttons of a
// maximised child window, and the menu bar and menus.
#include "tools/skinart/SkinBuilder.h"

// Height of the title bar, which the caption buttons and the title band are drawn for.
constexpr int CaptionHeight = 28;
constexpr int BorderWidth = 5;

void AddWindowFrame(TSkinBuilder& Skin);
void AddCaptionButtons(TSkinBuilder& Skin);
void AddMenus(TSkinBuilder& Skin);
