// The picture chooser, opened and confirmed the way a user does: the file-name box filled
// in and OK pressed; selecting a file in the list shows it in the preview pane.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <dlgs.h>

#include "framework/core/StrUtils.h"
#include "framework/graphics/JPEGImage.h"
#include "framework/ui/Image.h"
#include "framework/ui/OpenPictureDialog.h"
#include "tests/controls/Input.h"
#include "tests/support/Capture.h"

namespace {

// The picture chooser of this thread, once it is on the screen.
HWND FindChooser()
{
    HWND Found = nullptr;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND Wnd, LPARAM Data) -> BOOL {
            char Class[64] = {};
            GetClassNameA(Wnd, Class, sizeof Class);
            if (std::string(Class) == "#32770" && IsWindowVisible(Wnd)) {
                *reinterpret_cast<HWND*>(Data) = Wnd;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&Found));
    return Found;
}

HWND FindChild(HWND Parent, const char* ClassName)
{
    HWND Found = FindWindowExA(Parent, nullptr, ClassName, nullptr);
    for (HWND Child = FindWindowExA(Parent, nullptr, nullptr, nullptr); Child && !Found;
         Child = FindWindowExA(Parent, Child, nullptr, nullptr))
        Found = FindChild(Child, ClassName);
    return Found;
}

// What the timer does inside the dialog's loop, one step per tick: select the picture in
// the list (when asked to), then look at the preview, type the file name and press OK.
struct TChooserDriver {
    static std::string FileName;     // typed into the file-name box
    static std::string SelectName;   // selected in the list first (for the preview)
    static TOpenPictureDialog* Dialog;
    static int PreviewWidth;
    static int Step;
    static void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD)
    {
        const HWND Chooser = FindChooser();
        if (!Chooser)
            return;
        if (Step++ == 0 && !SelectName.empty()) {
            const HWND List = FindChild(Chooser, "SysListView32");
            LVFINDINFOA Find{};
            Find.flags = LVFI_STRING;
            Find.psz = SelectName.c_str();
            const int Index = int(SendMessageA(List, LVM_FINDITEMA, WPARAM(-1), reinterpret_cast<LPARAM>(&Find)));
            LVITEMA State{};
            State.stateMask = State.state = LVIS_SELECTED | LVIS_FOCUSED;
            SendMessageA(List, LVM_SETITEMSTATE, WPARAM(Index), reinterpret_cast<LPARAM>(&State));
            return;
        }
        KillTimer(nullptr, Id);
        PreviewWidth = Dialog->Preview().Width();
        CaptureWindow(Chooser).SavePng("controls-picture-chooser.png");
        // The file-name box is a combo box (cmb13) or an edit (edt1), depending on the system.
        HWND Name = GetDlgItem(Chooser, cmb13);
        if (!Name)
            Name = GetDlgItem(Chooser, edt1);
        SetWindowTextA(Name, FileName.c_str());
        SendMessageA(GetDlgItem(Chooser, IDOK), BM_CLICK, 0, 0);
    }
};
std::string TChooserDriver::FileName;
std::string TChooserDriver::SelectName;
TOpenPictureDialog* TChooserDriver::Dialog = nullptr;
int TChooserDriver::PreviewWidth = 0;
int TChooserDriver::Step = 0;

// The placeholder picture as a file in a folder of its own.
std::string WritePicture(const std::string& Folder)
{
    CreateDirectoryA(Folder.c_str(), nullptr);
    TPicture Picture;
    LoadPlaceholderPicture(Picture);
    const std::string Path = Folder + "\\sample.jpg";
    Picture.SaveToFile(Path);
    return Path;
}

} // namespace

TEST(PictureChooser, ConfirmedFileIsTheResultAndThePreviewShowsTheSelection)
{
    const std::string Folder = TestOutputPath("chooser");
    const std::string Path = WritePicture(Folder);

    TOpenPictureDialog Dialog(nullptr);
    Dialog.SetInitialDir(Folder);
    TChooserDriver::Dialog = &Dialog;
    TChooserDriver::SelectName = "sample.jpg";
    TChooserDriver::FileName = Path;
    SetTimer(nullptr, 0, 500, &TChooserDriver::Tick);
    EXPECT_TRUE(Dialog.Execute());
    EXPECT_TRUE(SameText(Dialog.FileName(), Path)) << Dialog.FileName();
    EXPECT_EQ(Dialog.FilterIndex(), 1);
    EXPECT_EQ(TChooserDriver::PreviewWidth, 200);
}

TEST(PictureChooser, CancelledLeavesTheFileName)
{
    TOpenPictureDialog Dialog(nullptr);
    Dialog.SetFileName("before.jpg");
    struct TCancel {
        static void CALLBACK Tick(HWND, UINT, UINT_PTR Id, DWORD)
        {
            if (const HWND Chooser = FindChooser()) {
                KillTimer(nullptr, Id);
                SendMessageA(GetDlgItem(Chooser, IDCANCEL), BM_CLICK, 0, 0);
            }
        }
    };
    SetTimer(nullptr, 0, 200, &TCancel::Tick);
    EXPECT_FALSE(Dialog.Execute());
    EXPECT_EQ(Dialog.FileName(), "before.jpg");
}

TEST(PictureChooser, FilterListsEveryPictureKind)
{
    const std::string Filter = TOpenPictureDialog::GraphicFilter();
    for (const char* Ext : {"*.jpg", "*.jpeg", "*.bmp", "*.ico", "*.wmf", "*.emf"})
        EXPECT_NE(Filter.find(Ext), std::string::npos) << Ext;
    TOpenPictureDialog Dialog(nullptr);
    EXPECT_EQ(Dialog.Filter(), Filter);
}
