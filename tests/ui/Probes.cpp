#include "tests/ui/Probes.h"

#include <algorithm>
#include <string>

PANTREL_REGISTER(TProbeButton, TWinControl)
PANTREL_REGISTER(TProbeGraphic, TGraphicControl)

bool TProbeButton::Saw(UINT Msg) const
{
    return std::find(Seen.begin(), Seen.end(), Msg) != Seen.end();
}

bool TProbeGraphic::Saw(UINT Msg) const
{
    return std::find(Seen.begin(), Seen.end(), Msg) != Seen.end();
}

namespace {

struct TSearch {
    const char* ClassName;
    HWND Found;
};

BOOL CALLBACK MatchWindow(HWND Wnd, LPARAM Data)
{
    auto* S = reinterpret_cast<TSearch*>(Data);
    char Name[100] = {};
    GetClassNameA(Wnd, Name, sizeof Name);
    if (IsWindowVisible(Wnd) && std::string(Name) == S->ClassName) {
        S->Found = Wnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindThreadWindow(const char* ClassName)
{
    TSearch S{ClassName, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchWindow, reinterpret_cast<LPARAM>(&S));
    return S.Found;
}
