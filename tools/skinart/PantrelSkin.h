#pragma once
// Pantrel's own skin, "Pantrel Terracotta": the whole description and all its bitmaps.
#include "tools/skinart/SkinBuilder.h"

// File name of the description inside the skin folder.
constexpr const char* PantrelDescriptionName = "pantrel.ini";

void BuildPantrelSkin(TSkinBuilder& Skin);
