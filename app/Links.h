// The web pages the help menu and the personal-software dialog open, and how a link is
// handed to the shell (the default action, the result left to the shell and the browser).
#pragma once

#include <windows.h>

extern const char* const CookeryProgrammeAddress;   // the broadcaster's cooking programme
extern const char* const DesignerHomeAddress;       // the designer's home page (site root)
extern const char* const AlvendraAddress;           // download pages of the designer's programs
extern const char* const BorquineAddress;
extern const char* const CestavoAddress;

void OpenLink(HWND Owner, const char* Address);
