// Registers every control, menu and dialog class of the framework by name, so that
// designs can create them even when no code names the class.
#pragma once

void RegisterStandardControls();
