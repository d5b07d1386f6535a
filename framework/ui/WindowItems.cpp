#include "framework/ui/WindowItems.h"

PANTREL_REGISTER(TWindowItems, TStrings)

void TWindowItems::Put(int Index, const std::string& S)
{
    TObject* Object = FList.Objects(Index);
    const bool WasChosen = ChosenIndex() == Index;
    Delete(Index);
    InsertObject(Index, S, Object);
    if (WasChosen)
        Choose(Index);
}

void TWindowItems::Insert(int Index, const std::string& S)
{
    CheckIndex(Index, FList.Count() + 1);
    Changing();
    FList.Insert(Index, S);
    if (FControl->HandleAllocated())
        SendMessageA(FControl->Handle(), FMessages.Insert, WPARAM(Index), reinterpret_cast<LPARAM>(S.c_str()));
    else if (FItemIndex >= Index)
        ++FItemIndex;
    Changed();
}

void TWindowItems::Delete(int Index)
{
    CheckIndex(Index, FList.Count());
    Changing();
    FList.Delete(Index);
    if (FControl->HandleAllocated())
        SendMessageA(FControl->Handle(), FMessages.Delete, WPARAM(Index), 0);
    else if (FItemIndex == Index)
        FItemIndex = -1;
    else if (FItemIndex > Index)
        --FItemIndex;
    Changed();
}

void TWindowItems::Clear()
{
    Changing();
    FList.Clear();
    FItemIndex = -1;
    if (FControl->HandleAllocated())
        SendMessageA(FControl->Handle(), FMessages.Reset, 0, 0);
    Changed();
}

void TWindowItems::FillWindow()
{
    const HWND Wnd = FControl->Handle();
    SendMessageA(Wnd, FMessages.Reset, 0, 0);
    for (int I = 0; I < FList.Count(); ++I) {
        const std::string S = FList.Get(I);
        SendMessageA(Wnd, FMessages.Add, 0, reinterpret_cast<LPARAM>(S.c_str()));
    }
}
