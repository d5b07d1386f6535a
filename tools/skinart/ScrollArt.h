#pragma once
// The scroll bars of Pantrel's skin: arrow buttons, tracks and thumbs.
#include "tools/skinart/SkinBuilder.h"

void AddScrollBars(TSkinBuilder& Skin);
