#include "framework/ui/Screen.h"

#include <windows.h>

#include <algorithm>

TScreen* Screen = new TScreen(nullptr);

PANTREL_REGISTER(TScreen, TComponent)

int TScreen::Width() const
{
    return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const
{
    return GetSystemMetrics(SM_CYSCREEN);
}

void TScreen::FormCreated(TCustomForm* Form)
{
    FForms.push_back(Form);
}

void TScreen::FormDestroyed(TCustomForm* Form)
{
    FForms.erase(std::remove(FForms.begin(), FForms.end(), Form), FForms.end());
    if (FActiveForm == Form)
        FActiveForm = nullptr;
}

void TScreen::FormActivated(TCustomForm* Form)
{
    FActiveForm = Form;
    auto It = std::find(FForms.begin(), FForms.end(), Form);
    if (It != FForms.end())
        std::rotate(FForms.begin(), It, It + 1);
}
