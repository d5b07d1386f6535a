#include "app/Links.h"

#include <shellapi.h>

#include "framework/ui/SystemLibrary.h"

const char* const CookeryProgrammeAddress = "https://tv.cctv.com/lm/shjk/";
const char* const DesignerHomeAddress = "https://pantrel.example.org/";
const char* const AlvendraAddress = "https://soft.example.net/pantrel-team/alvendra.html";
const char* const BorquineAddress = "https://soft.example.net/pantrel-team/borquine.html";
const char* const CestavoAddress = "https://soft.example.net/pantrel-team/cestavo.html";

void OpenLink(HWND Owner, const char* Address)
{
    // The shell is loaded by the first link opened, kept to the end of the program.
    static TSystemLibrary Shell("shell32.dll");
    Shell.Function<decltype(ShellExecuteA)>("ShellExecuteA")(Owner, nullptr, Address, nullptr, nullptr, SW_SHOWNORMAL);
}
