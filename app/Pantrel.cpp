// Pantrel's entry point: the application titled "Pantrel", the main window (whose design
// switches the skin on before its creation handler builds the recipe tree), one hidden
// add-recipe dialog and one hidden personal-software dialog, then the message loop until
// the main window closes.
#include "app/AddData.h"
#include "app/FrmMain.h"
#include "app/MySoft.h"
#include "framework/ui/Application.h"
#include "framework/ui/StandardControls.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    RegisterStandardControls();
    Application->Initialize();
    Application->SetTitle("Pantrel");
    Application->CreateForm(FrmMain);
    Application->CreateForm(AddData);
    Application->CreateForm(MySoft);
    Application->Run();
    return 0;
}
