#include "tests/app/PantrelDriver.h"

#include "framework/core/CodePage.h"
#include "tests/support/Capture.h"

#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

namespace fs = std::filesystem;

std::string BuiltProgramFolder()
{
    std::string Dir = PANTREL_APP_DIR;
    for (char& C : Dir)
        if (C == '/')
            C = '\\';
    return Dir + "\\";
}

std::string MakeScratchFolder(const std::string& Name)
{
    const fs::path Scratch = fs::path(TestOutputPath("app-e2e")) / Name;
    std::error_code Ignored;
    fs::remove_all(Scratch, Ignored);
    fs::create_directories(Scratch / "pic");
    const fs::path Built = BuiltProgramFolder();
    fs::copy_file(Built / "Pantrel.exe", Scratch / "Pantrel.exe");
    fs::copy_file(Built / "Dorvanet.mdb", Scratch / "Dorvanet.mdb");
    for (const fs::directory_entry& Picture : fs::directory_iterator(Built / "pic"))
        fs::copy_file(Picture.path(), Scratch / "pic" / Picture.path().filename());
    std::string Folder = Scratch.string();
    for (char& C : Folder)
        if (C == '/')
            C = '\\';
    return Folder + "\\";
}

std::vector<TRecipe> ReadRecipes(const std::string& FileName, const std::string& Sql,
                                 const std::vector<std::string>& Parameters)
{
    sqlite3* Db = nullptr;
    if (sqlite3_open_v2(FileName.c_str(), &Db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(Db);
        throw std::runtime_error("cannot open " + FileName);
    }
    sqlite3_stmt* Stmt = nullptr;
    if (sqlite3_prepare_v2(Db, Sql.c_str(), -1, &Stmt, nullptr) != SQLITE_OK) {
        std::string Message = sqlite3_errmsg(Db);
        sqlite3_close(Db);
        throw std::runtime_error(Message);
    }
    for (size_t I = 0; I < Parameters.size(); ++I)
        sqlite3_bind_text(Stmt, int(I + 1), Parameters[I].c_str(), -1, SQLITE_TRANSIENT);
    std::vector<TRecipe> Rows;
    auto Column = [&](const char* Name) {
        for (int I = 0; I < sqlite3_column_count(Stmt); ++I)
            if (std::string(sqlite3_column_name(Stmt, I)) == Name) {
                const unsigned char* Text = sqlite3_column_text(Stmt, I);
                return Utf8ToGbk(Text ? reinterpret_cast<const char*>(Text) : "");
            }
        return std::string();
    };
    while (sqlite3_step(Stmt) == SQLITE_ROW)
        Rows.push_back({Column(u8"类别"), Column(u8"菜谱"), Column(u8"配料"), Column(u8"方法"),
                        Column(u8"图片"), Column(u8"提示")});
    sqlite3_finalize(Stmt);
    sqlite3_close(Db);
    return Rows;
}

std::vector<TCategory> ReadTree(const std::string& FileName)
{
    std::vector<TCategory> Tree;
    for (const TRecipe& Row : ReadRecipes(FileName, u8"SELECT  distinct 类别 FROM 饮食"))
        Tree.push_back({Row.Category, ReadRecipes(FileName, u8"select  *  from 饮食 where 类别=?",
                                                  {GbkToUtf8(Row.Category)})});
    return Tree;
}

TPantrel::TPantrel(const std::string& Folder, const std::string& WorkingDir)
    : FProcess("\"" + Folder + "Pantrel.exe\"", WorkingDir.empty() ? Folder : WorkingDir)
{
}

HWND TPantrel::WaitForMain(DWORD TimeoutMs)
{
    FMain = ::WaitForWindow(FProcess.Id(), "TFrmMain", "Pantrel系统", TimeoutMs);
    return FMain;
}

TRemoteTree& TPantrel::Tree()
{
    if (!FTree) {
        std::vector<HWND> Trees = Descendants(FMain, "TTreeView");
        if (Trees.empty())
            throw std::runtime_error("the main window has no tree");
        FTree = std::make_unique<TRemoteTree>(Trees.front(), FProcess.Handle());
    }
    return *FTree;
}

void TPantrel::PostSelect(HTREEITEM Item)
{
    for (HWND Tree : Descendants(FMain, "TTreeView"))
        PostMessageA(Tree, TVM_SELECTITEM, TVGN_CARET, LPARAM(Item));
}

HWND TPantrel::ControlAt(HWND Window, const char* ClassName, int X, int Y)
{
    HWND Best = nullptr;
    long BestDistance = 0;
    for (HWND Child : Descendants(Window, ClassName)) {
        RECT R;
        GetWindowRect(Child, &R);
        POINT P{R.left, R.top};
        ScreenToClient(Window, &P);
        const long Distance = labs(P.x - X) + labs(P.y - Y);
        if (!Best || Distance < BestDistance) {
            Best = Child;
            BestDistance = Distance;
        }
    }
    return Best;
}

void TPantrel::MenuCommand(int Top, int Entry)
{
    // F10 opens the skinned bar's first drop-down with its first entry highlighted; Right
    // moves on to the next drop-down once the open one has closed. The keys go to the
    // program's queue, where the menu's own loop reads them.
    auto Key = [this](WPARAM VirtualKey, UINT Down = WM_KEYDOWN, UINT Up = WM_KEYUP) {
        PostMessageA(FMain, Down, VirtualKey, 1);
        PostMessageA(FMain, Up, VirtualKey, LPARAM(0xC0000001));
    };
    Key(VK_F10, WM_SYSKEYDOWN, WM_SYSKEYUP);
    WaitForWindow("#32768", nullptr, 5000);
    Sleep(300);
    for (int I = 0; I < Top; ++I) {
        Key(VK_RIGHT);
        Sleep(400);
    }
    for (int I = 0; I < Entry; ++I)
        Key(VK_DOWN);
    Key(VK_RETURN);
}

HWND TPantrel::WaitForWindow(const char* ClassName, const char* Caption, DWORD TimeoutMs)
{
    return ::WaitForWindow(FProcess.Id(), ClassName, Caption, TimeoutMs);
}

HWND TPantrel::WaitForMessage(DWORD TimeoutMs)
{
    const DWORD Start = GetTickCount();
    do {
        for (const char* Class : {"#32770", "TMessageForm"}) {
            std::vector<HWND> Found = ProcessWindows(FProcess.Id(), Class);
            if (!Found.empty())
                return Found.front();
        }
        Sleep(50);
    } while (GetTickCount() - Start < TimeoutMs);
    return nullptr;
}

bool TPantrel::AnswerBoxesUntilExit(DWORD TimeoutMs)
{
    const DWORD Start = GetTickCount();
    while (!FProcess.WaitForExit(100)) {
        if (GetTickCount() - Start >= TimeoutMs)
            return false;
        if (HWND Box = WaitForMessage(200))
            PressOk(Box);
    }
    return true;
}

bool TPantrel::Quit()
{
    PostMessageA(FMain, WM_CLOSE, 0, 0);
    return FProcess.WaitForExit(15000);
}

void ClickAt(HWND Window, int X, int Y)
{
    PostMessageA(Window, WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
    PostMessageA(Window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(X, Y));
    PostMessageA(Window, WM_LBUTTONUP, 0, MAKELPARAM(X, Y));
}

void MoveMouseTo(HWND Window, int X, int Y)
{
    // The cursor itself goes there: a program that tracks the mouse asks where it is, and a
    // cursor left elsewhere would end the hover the message began.
    POINT Screen{X, Y};
    ClientToScreen(Window, &Screen);
    SetCursorPos(Screen.x, Screen.y);
    PostMessageA(Window, WM_MOUSEMOVE, 0, MAKELPARAM(X, Y));
}

bool WaitForText(HWND Window, const std::string& Text, DWORD TimeoutMs)
{
    const DWORD Start = GetTickCount();
    while (TextOf(Window) != Text) {
        if (GetTickCount() - Start >= TimeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

TMessageBoxView ReadBox(HWND Box)
{
    TMessageBoxView View = ReadMessageBox(Box);
    View.HasIcon = false;
    for (HWND Child : Descendants(Box, "Static"))
        if ((GetWindowLongPtrA(Child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && SendMessageA(Child, STM_GETICON, 0, 0))
            View.HasIcon = true;
    if (ClassOf(Box) == "TMessageForm") {
        SendMessageA(Box, WM_COPY, 0, 0);
        if (OpenClipboard(nullptr)) {
            if (HANDLE Data = GetClipboardData(CF_TEXT)) {
                View.Text = static_cast<const char*>(GlobalLock(Data));
                GlobalUnlock(Data);
            }
            CloseClipboard();
        }
    }
    return View;
}
