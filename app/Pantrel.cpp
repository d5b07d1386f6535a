// Pantrel's entry point: the application titled "Pantrel", the main window (whose design
// switches the skin on before its creation handler builds the recipe tree), one hidden
// add-recipe dialog and one hidden personal-software dialog, then the message loop until
// the main window closes.
#include "app/AddData.h"
#include "app/FrmMain.h"
#include "app/MySoft.h"
#include "framework/ui/Application.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/StartupTrace.h"
#include "skin/data/SkinData.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    StartupTrace::Mark("program entered");
    RegisterStandardControls();
    // Only the main window's design names the skin component.
    RegisterComponentClass(TSkinData::StaticClassInfo());
    Application->Initialize();
    Application->SetTitle("Pantrel");
    StartupTrace::Mark("framework ready");
    try {
        Application->CreateForm(FrmMain);
        StartupTrace::Mark("main window made");
        Application->CreateForm(AddData);
        Application->CreateForm(MySoft);
        StartupTrace::Mark("dialogs made");
    } catch (...) {
        // A window that cannot be built (a broken design) ends the program with the error box.
        Application->HandleException(Application);
        return 1;
    }
    Application->Run();
    StartupTrace::WriteIfAsked();
    return 0;
}
