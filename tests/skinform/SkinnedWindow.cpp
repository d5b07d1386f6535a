#include "tests/skinform/SkinnedWindow.h"

#include "framework/design/DesignReader.h"
#include "skin/manage/SkinManage.h"
#include "tests/controls/Input.h"
#include "tests/support/Capture.h"

void SkinnedWindow::TearDown()
{
    for (auto It = Forms.rbegin(); It != Forms.rend(); ++It)
        delete *It;
    Forms.clear();
    AppPumpFor(50);
    FinalizeSkinManager();
    Roots.clear();
}

TSkinData& SkinnedWindow::LoadSkin(const TFlatSkin& Skin, TSkinFormType Kind, bool Active)
{
    Roots.push_back(std::make_unique<TSkinRoot>(nullptr));
    std::string Text = SkinDesign(Skin.Pack(), Active);
    if (Kind != sfMainform)
        Text.insert(Text.find("    SkinStream"),
                    std::string("    SkinFormtype = ") + (Kind == sfDialog ? "sfDialog" : "sfOnlyThisForm") + "\n");
    ReadComponentText(Text, Roots.back().get(), "test");
    return *dynamic_cast<TSkinData*>(Roots.back()->FindComponent("SkinData1"));
}

TForm* SkinnedWindow::MakeForm(const TFormOptions& Options)
{
    auto* Form = new TForm(nullptr);
    Form->SetBorderStyle(Options.BorderStyle);
    Form->SetBorderIcons(Options.BorderIcons);
    Form->SetBounds(Options.Left, Options.Top, 100, 100);
    Form->SetClientWidth(Options.ClientWidth);
    Form->SetClientHeight(Options.ClientHeight);
    Form->SetCaption(Options.Caption);
    Forms.push_back(Form);
    return Form;
}

TWinSkinForm* SkinnedWindow::ShowSkinned(TForm* Form)
{
    Form->Show();
    SetForegroundWindow(Form->Handle());
    TWinSkinForm* Skinned = WaitStarted(Form->Handle());
    Settle();
    return Skinned;
}

TWinSkinForm* SkinnedWindow::WaitStarted(HWND Wnd)
{
    TWinSkinForm* Skinned = nullptr;
    AppPumpUntil([&] {
        Skinned = SkinOf(Wnd);
        // A window whose frame stays the system's never leaves ssNew: nothing to wait for.
        return Skinned && (Skinned->FSkinState == ssReady || !Skinned->FrameSkinned());
    });
    return Skinned;
}

TWinSkinForm* SkinnedWindow::SkinOf(HWND Wnd)
{
    return SkinManager ? SkinManager->FindSkinForm(Wnd) : nullptr;
}

void SkinnedWindow::Settle(DWORD Ms)
{
    AppPumpFor(Ms);
}

RECT WindowRect(HWND Wnd)
{
    RECT R{};
    GetWindowRect(Wnd, &R);
    return R;
}

COLORREF WindowPixel(HWND Wnd, int X, int Y)
{
    RECT R{};
    GetWindowRect(Wnd, &R);
    return CaptureScreenRect(RECT{R.left + X, R.top + Y, R.left + X + 1, R.top + Y + 1}).Pixel(0, 0);
}

namespace {

std::vector<std::function<void()>> MenuSteps;
size_t NextMenuStep = 0;

VOID CALLBACK MenuStepTimer(HWND, UINT, UINT_PTR Id, DWORD)
{
    if (NextMenuStep >= MenuSteps.size()) {
        KillTimer(nullptr, Id);
        return;
    }
    const auto Step = MenuSteps[NextMenuStep++];
    if (NextMenuStep >= MenuSteps.size())
        KillTimer(nullptr, Id);
    Step();
}

BOOL CALLBACK FindVisibleMenu(HWND Wnd, LPARAM Found)
{
    char Class[16] = {};
    GetClassNameA(Wnd, Class, sizeof Class);
    if (std::string(Class) == "#32768" && IsWindowVisible(Wnd)) {
        *reinterpret_cast<HWND*>(Found) = Wnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

void RunDuringMenus(std::vector<std::function<void()>> Steps, UINT Interval)
{
    MenuSteps = std::move(Steps);
    NextMenuStep = 0;
    SetTimer(nullptr, 0, Interval, MenuStepTimer);
}

HWND VisibleMenuWindow()
{
    HWND Found = nullptr;
    EnumWindows(FindVisibleMenu, reinterpret_cast<LPARAM>(&Found));
    return Found;
}
