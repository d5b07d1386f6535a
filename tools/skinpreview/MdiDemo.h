// The MDI demo of SkinPreview, made with plain Win32 so that the skin engine meets an MDI
// frame it knows only by its handle: a top-level frame of class "SkinPreviewMdiFrame"
// (caption "MDI 演示") holding an "MDIClient" with two children of class
// "SkinPreviewMdiChild" ("子窗口 1", "子窗口 2"), and a menu whose "窗口(&W)" popup is the
// client's window menu, so that it lists the children.
#pragma once

#include <windows.h>

// Opens the demo, or brings the open one to the front; returns its frame (null when the
// windows cannot be made).
HWND ShowMdiDemo();
