#include "app/Links.h"

#include <shellapi.h>

const char* const CookeryProgrammeAddress = "https://tv.cctv.com/lm/shjk/";
const char* const DesignerHomeAddress = "https://pantrel.example.org/";
const char* const AlvendraAddress = "https://soft.example.net/pantrel-team/alvendra.html";
const char* const BorquineAddress = "https://soft.example.net/pantrel-team/borquine.html";
const char* const CestavoAddress = "https://soft.example.net/pantrel-team/cestavo.html";

void OpenLink(HWND Owner, const char* Address)
{
    ShellExecuteA(Owner, nullptr, Address, nullptr, nullptr, SW_SHOWNORMAL);
}
