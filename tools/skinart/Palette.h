#pragma once
// The colours of Pantrel's kitchen theme: terracotta title and frame, cream and linen faces,
// olive for whatever shows progress or a choice, cocoa text.
#include "tools/raster/Raster.h"

constexpr TRgb TerracottaLight{226, 138, 98};
constexpr TRgb Terracotta{194, 96, 60};
constexpr TRgb TerracottaDeep{166, 76, 46};
constexpr TRgb TerracottaEdge{112, 48, 28};

constexpr TRgb AshLight{212, 196, 180};
constexpr TRgb Ash{186, 168, 152};
constexpr TRgb AshDeep{164, 146, 130};
constexpr TRgb AshEdge{120, 104, 92};
constexpr TRgb Smoke{88, 74, 64};  // text and glyphs on an inactive title bar

constexpr TRgb White{255, 253, 248};
constexpr TRgb Cream{252, 246, 234};
constexpr TRgb Linen{241, 230, 208};  // the face colour of windows and controls
constexpr TRgb Wheat{224, 206, 172};
constexpr TRgb Groove{232, 218, 192};  // scroll-bar and progress troughs
constexpr TRgb Crust{170, 130, 94};    // control outlines, shadows
constexpr TRgb CrustDeep{112, 80, 54};
constexpr TRgb Cocoa{84, 56, 40};      // text
constexpr TRgb Biscuit{232, 214, 182};  // lower half of a raised face
constexpr TRgb Peach{248, 212, 176};    // a face under the pointer
constexpr TRgb Pale{246, 240, 228};     // disabled faces
constexpr TRgb PaleEdge{208, 192, 170};

constexpr TRgb OliveLight{176, 190, 104};
constexpr TRgb Olive{126, 140, 62};
constexpr TRgb OliveDeep{86, 98, 38};

constexpr TRgb Tomato{206, 62, 42};
constexpr TRgb Saffron{236, 178, 66};

// The title bar's colour from top to bottom, for the frame and everything drawn over it.
TPaint TitlePaint(bool Active, double Top, double Bottom);
