// Runs the real Pantrel.exe in a scratch copy of its folder and works its windows from
// outside the way a user does: menu commands by keyboard, clicks, typing into boxes,
// answering message boxes and the picture chooser. Also reads the catalogue file directly
// to know what the windows should show.
#pragma once

#include "tests/support/Remote.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

// A fresh copy of the program's folder (Pantrel.exe, Dorvanet.mdb, pic\) under the test
// output folder. Paths are Windows paths with backslashes and a trailing backslash.
std::string MakeScratchFolder(const std::string& Name);
std::string BuiltProgramFolder();

struct TRecipe {   // code page 936, as the program shows it
    std::string Category, Name, Ingredients, Method, Picture, Tips;
};
struct TCategory {
    std::string Name;
    std::vector<TRecipe> Recipes;
};
// Rows of 饮食 for a UTF-8 statement (its parameters are UTF-8 too), read through SQLite
// itself, in the engine's order.
std::vector<TRecipe> ReadRecipes(const std::string& FileName, const std::string& Sql,
                                 const std::vector<std::string>& Parameters = {});
// What the tree should hold: the categories in the engine's order, each with its recipes.
std::vector<TCategory> ReadTree(const std::string& FileName);

class TPantrel {
public:
    // Starts Pantrel.exe of Folder with the working directory WorkingDir (Folder by default).
    explicit TPantrel(const std::string& Folder, const std::string& WorkingDir = "");

    TProcess& Process() { return FProcess; }
    // The main window once it is shown, null when it does not come.
    HWND WaitForMain(DWORD TimeoutMs = 20000);
    HWND Main() const { return FMain; }
    TRemoteTree& Tree();
    // Selects a tree item without waiting for the program's answer, for selections that
    // bring up a box (a sent selection would wait for the box to be closed).
    void PostSelect(HTREEITEM Item);

    // A child control of Window by class whose top-left corner, in Window's client
    // coordinates, lies nearest to (X, Y).
    static HWND ControlAt(HWND Window, const char* ClassName, int X, int Y);
    // Runs a menu bar entry by keyboard (F10, Right, Down, Enter): top item Top, entry Entry
    // (0-based, separators not counted).
    void MenuCommand(int Top, int Entry);

    // The next visible window of the process with this class (and caption); null on timeout.
    HWND WaitForWindow(const char* ClassName, const char* Caption = nullptr, DWORD TimeoutMs = 10000);
    // A message box or message dialog of the program: "#32770" or "TMessageForm".
    HWND WaitForMessage(DWORD TimeoutMs = 10000);
    // Presses OK on every box that appears until the program ends; false if it does not end.
    bool AnswerBoxesUntilExit(DWORD TimeoutMs = 20000);
    // Closes the main window and waits for the program to end.
    bool Quit();

private:
    TProcess FProcess;
    HWND FMain = nullptr;
    std::unique_ptr<TRemoteTree> FTree;
};

// A left click at a client point of Window (press and release through the window system).
void ClickAt(HWND Window, int X, int Y);
// Mouse movement over a client point of Window.
void MoveMouseTo(HWND Window, int X, int Y);
// A message box (its icon only when one is set) or the framework's message dialog (its
// text through the clipboard, which the dialog fills on WM_COPY).
TMessageBoxView ReadBox(HWND Box);
// Waits until Window's text is Text; false on timeout.
bool WaitForText(HWND Window, const std::string& Text, DWORD TimeoutMs = 5000);
