#pragma once
// The controls of Pantrel's skin: push buttons with their check and radio images, progress
// bar, tabs, status bar, combo box and edit frame, header, track-bar thumbs, spin buttons,
// group box and tool bar.
#include "tools/skinart/SkinBuilder.h"

void AddPushButtons(TSkinBuilder& Skin);
void AddProgress(TSkinBuilder& Skin);
void AddControlElements(TSkinBuilder& Skin);
void AddTrackBarsAndSpinButtons(TSkinBuilder& Skin);
