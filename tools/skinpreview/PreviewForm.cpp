#include "tools/skinpreview/PreviewForm.h"

#include "framework/graphics/ImageList.h"
#include "framework/graphics/PngFile.h"
#include "framework/graphics/ScreenCopy.h"
#include "framework/ui/Application.h"
#include "framework/ui/BitBtn.h"
#include "framework/ui/Button.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Edit.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/OpenPictureDialog.h"
#include "framework/ui/Panel.h"
#include "framework/ui/SpeedButton.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/Timer.h"
#include "framework/ui/TreeView.h"
#include "skin/data/SkinData.h"
#include "skin/form/SkinForm.h"
#include "skin/form/SkinMenuBar.h"
#include "skin/manage/SkinManage.h"
#include "tools/skinpreview/MdiDemo.h"

#include <commdlg.h>
#include <windowsx.h>

#include <cstdio>
#include <utility>
#include <vector>

TPreviewForm* PreviewForm = nullptr;

PANTREL_REGISTER(TPreviewForm, TForm,
    PROP_HANDLER(FormCreate),
    PROP_HANDLER(FormActivate),
    PROP_HANDLER(SkinData1SkinChanged),
    PROP_HANDLER(LoadSkinClick),
    PROP_HANDLER(SkinActiveClick),
    PROP_HANDLER(SaveShotClick),
    PROP_HANDLER(ExitClick),
    PROP_HANDLER(MessageDlgClick),
    PROP_HANDLER(MessageBoxClick),
    PROP_HANDLER(PictureClick),
    PROP_HANDLER(MdiClick),
    PROP_HANDLER(CheckedClick),
    PROP_HANDLER(ShotTimerTimer))

namespace {

// Handles the messages waiting now and for Ms more milliseconds, so that whatever was
// painted has reached the screen.
void PumpFor(DWORD Ms)
{
    const DWORD Start = GetTickCount();
    do {
        Application->ProcessMessages();
        Sleep(10);
    } while (GetTickCount() - Start < Ms);
}

// The platform's save dialog for a PNG file; false when the user cancels.
bool AskPngFileName(HWND Owner, std::string& FileName)
{
    char Buffer[MAX_PATH] = "SkinPreview.png";
    OPENFILENAMEA Request{};
    Request.lStructSize = sizeof Request;
    Request.hwndOwner = Owner;
    Request.lpstrFilter = "PNG (*.png)\0*.png\0";
    Request.lpstrFile = Buffer;
    Request.nMaxFile = sizeof Buffer;
    Request.lpstrDefExt = "png";
    Request.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (!GetSaveFileNameA(&Request))
        return false;
    FileName = Buffer;
    return true;
}

// The glyph buttons' picture, a small pot (designs hold no pictures). White, the colour of
// its bottom-left pixel, is transparent.
void DrawPot(TBitmap& Glyph)
{
    Glyph.SetSize(16, 16);
    TCanvas& Canvas = *Glyph.Canvas();
    Canvas.Brush()->SetColor(clWhite);
    Canvas.FillRect(RECT{0, 0, 16, 16});
    Canvas.Brush()->SetColor(TColor(0x003C60C2));
    Canvas.Pen()->SetColor(TColor(0x001C3070));
    Canvas.Rectangle(2, 6, 14, 14);
    Canvas.Rectangle(6, 3, 10, 6);
}

} // namespace

TPreviewForm::TPreviewForm(TComponent* AOwner) : TForm(AOwner)
{
    CreateFromDesign();
}

void TPreviewForm::BindMembers()
{
    BindMember("GroupBox1", GroupBox1);
    BindMember("Button1", Button1);
    BindMember("Button2", Button2);
    BindMember("BitBtn1", BitBtn1);
    BindMember("SpeedButton1", SpeedButton1);
    BindMember("GroupBox2", GroupBox2);
    BindMember("Edit1", Edit1);
    BindMember("ComboBox1", ComboBox1);
    BindMember("GroupBox3", GroupBox3);
    BindMember("Memo1", Memo1);
    BindMember("GroupBox4", GroupBox4);
    BindMember("TreeView1", TreeView1);
    BindMember("Panel1", Panel1);
    BindMember("StatusBar1", StatusBar1);
    BindMember("ImageList1", ImageList1);
    BindMember("MainMenu1", MainMenu1);
    BindMember("MenuSkinActive", MenuSkinActive);
    BindMember("MenuChecked", MenuChecked);
    BindMember("PopupMenu1", PopupMenu1);
    BindMember("OpenPictureDialog1", OpenPictureDialog1);
    BindMember("OpenSkinDialog", OpenSkinDialog);
    BindMember("ShotTimer", ShotTimer);
    BindMember("SkinData1", SkinData1);
}

void TPreviewForm::FormCreate(TObject*)
{
    DrawPot(*BitBtn1->Glyph());
    DrawPot(*SpeedButton1->Glyph());
    // The menu images are the system-menu glyphs every program with the skin component has.
    ImageList1->ResourceLoad(GetModuleHandleA(nullptr), "MORVELMENU", clWhite);
    TTreeNode* Root = TreeView1->Items()->AddFirst(nullptr, "Pantrel");
    // Enough recipes for the tree to scroll.
    const std::vector<std::pair<const char*, std::vector<const char*>>> Tree = {
        {"川菜", {"麻婆豆腐", "回锅肉", "宫保鸡丁", "水煮鱼"}},
        {"粤菜", {"白切鸡", "叉烧", "清蒸鲈鱼"}},
        {"鲁菜", {"糖醋鲤鱼", "九转大肠"}},
        {"淮扬菜", {"狮子头", "大煮干丝", "松鼠鳜鱼"}}};
    for (const auto& [Category, Recipes] : Tree) {
        TTreeNode* Node = TreeView1->Items()->AddChild(Root, Category);
        for (const char* Recipe : Recipes)
            TreeView1->Items()->AddChild(Node, Recipe);
    }
    Root->Expand(true);
    ComboBox1->SetItemIndex(0);
    ShowSkinState();
}

void TPreviewForm::ApplyOptions(const TPreviewOptions& Options)
{
    if (!Options.SkinFile.empty()) {
        FSkinSource = Options.SkinFile;
        SkinData1->SetSkinFile(Options.SkinFile);
        if (SkinData1->NoSkin)
            std::fprintf(stderr, "SkinPreview: no skin loaded from %s\n", Options.SkinFile.c_str());
    }
    // Before the first activation this only clears the manager's switch.
    if (Options.Plain)
        SkinData1->SetActive(false);
    FShotFile = Options.ShotFile;
    FOpenMenu = Options.OpenMenu;
    ShowSkinState();
}

void TPreviewForm::ShowSkinState()
{
    const bool Skinned = SkinData1->Active() && !SkinData1->NoSkin;
    SetCaption((Skinned ? SkinData1->SkinName : std::string("Plain")) + " - 皮肤预览");
    MenuSkinActive->SetChecked(SkinData1->Active());
    StatusBar1->Panels()->Items(1)->SetText(FSkinSource.empty() ? "内置皮肤" : FSkinSource);
}

void TPreviewForm::FormActivate(TObject*)
{
    // The skin manager starts 250 ms after the first activation; a second is plenty for
    // the window to be skinned and painted.
    if (!FShotFile.empty())
        ShotTimer->SetEnabled(true);
}

void TPreviewForm::ShotTimerTimer(TObject*)
{
    // A drop-down is opened on one tick and shot on the next, inside its menu loop.
    if (FOpenMenu >= 0 && !FMenuOpened && OpenBarMenu(FOpenMenu)) {
        FMenuOpened = true;
        return;
    }
    ShotTimer->SetEnabled(false);
    const bool Saved = FMenuOpened ? SaveMenuShot(FShotFile) : SaveShot(FShotFile);
    if (FMenuOpened)
        EndMenu();
    if (!Saved) {
        std::fprintf(stderr, "SkinPreview: cannot write %s\n", FShotFile.c_str());
        FExitCode = 1;
    }
    Close();
}

bool TPreviewForm::SaveShot(const std::string& FileName)
{
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(200);
    const TScreenImage Shot = CopyWindowFromScreen(Handle());
    return WritePngFile(FileName, Shot.Width, Shot.Height, Shot.Rgb);
}

bool TPreviewForm::OpenBarMenu(int Index)
{
    if (TWinSkinForm* Skinned = SkinManager ? SkinManager->FindSkinForm(Handle()) : nullptr) {
        if (!Skinned->FMenuBar || Index >= int(Skinned->FMenuBar->FButtons.size()))
            return false;
        Skinned->PostOpenButton(Skinned->FMenuBar->FButtons[size_t(Index)].get());
        return true;
    }
    // The system's bar opens an item by its access key.
    if (Index >= MainMenu1->Items()->Count())
        return false;
    const std::string Caption = MainMenu1->Items()->Items(Index)->Caption();
    const size_t Amp = Caption.find('&');
    if (Amp == std::string::npos || Amp + 1 >= Caption.size())
        return false;
    PostMessageA(Handle(), WM_SYSCOMMAND, SC_KEYMENU, LPARAM(static_cast<unsigned char>(Caption[Amp + 1])));
    return true;
}

namespace {

BOOL CALLBACK FindShownMenu(HWND Wnd, LPARAM Found)
{
    char Class[16] = {};
    GetClassNameA(Wnd, Class, sizeof Class);
    if (std::string(Class) != "#32768" || !IsWindowVisible(Wnd))
        return TRUE;
    *reinterpret_cast<HWND*>(Found) = Wnd;
    return FALSE;
}

}  // namespace

bool TPreviewForm::SaveMenuShot(const std::string& FileName)
{
    HWND Menu = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), FindShownMenu, reinterpret_cast<LPARAM>(&Menu));
    RECT Both{}, MenuRect{};
    GetWindowRect(Handle(), &Both);
    if (Menu && GetWindowRect(Menu, &MenuRect))
        UnionRect(&Both, &Both, &MenuRect);
    const TScreenImage Shot = CopyScreenRect(Both);
    return WritePngFile(FileName, Shot.Width, Shot.Height, Shot.Rgb);
}

void TPreviewForm::SkinData1SkinChanged(TObject*)
{
    ShowSkinState();
}

void TPreviewForm::LoadSkinClick(TObject*)
{
    if (!OpenSkinDialog->Execute())
        return;
    FSkinSource = OpenSkinDialog->FileName();
    SkinData1->SetSkinFile(FSkinSource);
    ShowSkinState();
}

void TPreviewForm::SkinActiveClick(TObject*)
{
    SkinData1->SetActive(!SkinData1->Active());
    ShowSkinState();
}

void TPreviewForm::SaveShotClick(TObject*)
{
    std::string FileName;
    if (!AskPngFileName(Handle(), FileName))
        return;
    if (SaveShot(FileName))
        StatusBar1->Panels()->Items(0)->SetText("已保存 " + FileName);
    else
        MessageDlg("无法写入 " + FileName, mtError, {mbOK}, 0);
}

void TPreviewForm::ExitClick(TObject*)
{
    Close();
}

void TPreviewForm::MessageDlgClick(TObject*)
{
    MessageDlg("这是框架的信息对话框。", mtInformation, {mbOK}, 0);
}

void TPreviewForm::MessageBoxClick(TObject*)
{
    MessageBoxA(Handle(), "这是系统的消息框。", "SkinPreview", MB_OK | MB_ICONINFORMATION);
}

void TPreviewForm::PictureClick(TObject*)
{
    if (OpenPictureDialog1->Execute())
        StatusBar1->Panels()->Items(0)->SetText(OpenPictureDialog1->FileName());
}

void TPreviewForm::MdiClick(TObject*)
{
    ShowMdiDemo();
}

void TPreviewForm::CheckedClick(TObject*)
{
    MenuChecked->SetChecked(!MenuChecked->Checked());
}

void TPreviewForm::Dispatch(TMessage& Message)
{
    if (Message.Msg == WM_CONTEXTMENU) {
        POINT At{GET_X_LPARAM(Message.LParam), GET_Y_LPARAM(Message.LParam)};
        if (At.x == -1 && At.y == -1)   // from the keyboard: at the client area's corner
            At = ClientToScreen(POINT{8, 8});
        // Right clicks on the frame keep the system menu.
        const POINT InClient = ScreenToClient(At);
        const RECT Client = ClientRect();
        if (PtInRect(&Client, InClient)) {
            PopupMenu1->Popup(At.x, At.y);
            return;
        }
    }
    TForm::Dispatch(Message);
}
