// Drives another process's windows the way a user would, for end-to-end tests: start a
// program, find its windows, read their texts, select tree items, press buttons, answer
// message boxes and file dialogs.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

// A started program; ends it (if still running) when destroyed.
class TProcess {
 public:
  TProcess(const std::string& CommandLine, const std::string& WorkingDir);
  ~TProcess();
  TProcess(const TProcess&) = delete;
  TProcess& operator=(const TProcess&) = delete;

  DWORD Id() const { return FInfo.dwProcessId; }
  HANDLE Handle() const { return FInfo.hProcess; }
  bool Running() const;
  // Waits for the program to end; false on timeout.
  bool WaitForExit(DWORD TimeoutMs);
  DWORD ExitCode() const;

 private:
  PROCESS_INFORMATION FInfo = {};
};

// Top-level visible windows of a process, optionally of one class and/or caption.
std::vector<HWND> ProcessWindows(DWORD ProcessId, const char* ClassName = nullptr,
                                 const char* Caption = nullptr);
// Waits until the process shows such a window; null on timeout.
HWND WaitForWindow(DWORD ProcessId, const char* ClassName, const char* Caption,
                   DWORD TimeoutMs = 10000);
// Waits until the window is gone; false on timeout.
bool WaitForWindowGone(HWND Window, DWORD TimeoutMs = 10000);

std::string ClassOf(HWND Window);
std::string TextOf(HWND Window);  // WM_GETTEXT, which the system marshals between processes
void SetTextOf(HWND Window, const std::string& Text);
// Descendants of Parent of a window class, in z-order, depth first.
std::vector<HWND> Descendants(HWND Parent, const char* ClassName = nullptr);

// A message box or the framework's message dialog: its caption, its text, and OK.
struct TMessageBoxView {
  HWND Window = nullptr;
  std::string Caption;
  std::string Text;     // the longest static text in it
  int ButtonCount = 0;
  bool HasIcon = false;
};
TMessageBoxView ReadMessageBox(HWND Box);
// Presses the box's only (or default) button.
void PressOk(HWND Box);

// Tree-view items of another process, read through memory in that process.
class TRemoteTree {
 public:
  TRemoteTree(HWND Tree, HANDLE Process);
  ~TRemoteTree();
  TRemoteTree(const TRemoteTree&) = delete;
  TRemoteTree& operator=(const TRemoteTree&) = delete;

  HTREEITEM Root() const;
  std::vector<HTREEITEM> Children(HTREEITEM Item) const;
  std::string Text(HTREEITEM Item) const;
  HTREEITEM Selected() const;
  // Selects like a click would: the tree reports the change to its window.
  void Select(HTREEITEM Item) const;
  // Finds a path of texts from the root, e.g. {"Pantrel", "川菜", "麻婆豆腐"}; null if absent.
  HTREEITEM Find(const std::vector<std::string>& Path) const;

 private:
  HWND FTree;
  HANDLE FProcess;
  void* FRemote;  // a page in the other process for item structures and texts
};

// Presses a button the way a click does (BM_CLICK through the window system).
void Click(HWND Button);
// A real left click at a screen point, put in the input queue (whoever reads the mouse next
// gets it: a window, or an open menu's own loop).
void ClickScreen(POINT Screen);
// Fills a file dialog's file-name box (open or save, the picture chooser too) and confirms it.
void ChooseFile(HWND Chooser, const std::string& FileName);
