#include "tests/support/Remote.h"

#include <commctrl.h>

#include <stdexcept>

TProcess::TProcess(const std::string& CommandLine, const std::string& WorkingDir) {
  STARTUPINFOA Si = {};
  Si.cb = sizeof(Si);
  std::string Cmd = CommandLine;
  if (!CreateProcessA(nullptr, &Cmd[0], nullptr, nullptr, FALSE, 0, nullptr,
                      WorkingDir.empty() ? nullptr : WorkingDir.c_str(), &Si, &FInfo))
    throw std::runtime_error("cannot start " + CommandLine);
  WaitForInputIdle(FInfo.hProcess, 10000);
}

TProcess::~TProcess() {
  if (Running()) {
    TerminateProcess(FInfo.hProcess, 1);
    WaitForSingleObject(FInfo.hProcess, 5000);
  }
  CloseHandle(FInfo.hThread);
  CloseHandle(FInfo.hProcess);
}

bool TProcess::Running() const {
  return WaitForSingleObject(FInfo.hProcess, 0) == WAIT_TIMEOUT;
}

bool TProcess::WaitForExit(DWORD TimeoutMs) {
  return WaitForSingleObject(FInfo.hProcess, TimeoutMs) == WAIT_OBJECT_0;
}

DWORD TProcess::ExitCode() const {
  DWORD Code = 0;
  GetExitCodeProcess(FInfo.hProcess, &Code);
  return Code;
}

std::string ClassOf(HWND Window) {
  char Name[256] = {};
  GetClassNameA(Window, Name, sizeof(Name));
  return Name;
}

std::string TextOf(HWND Window) {
  LRESULT Length = SendMessageA(Window, WM_GETTEXTLENGTH, 0, 0);
  std::string Text(size_t(Length) + 1, '\0');
  LRESULT Got = SendMessageA(Window, WM_GETTEXT, WPARAM(Text.size()), LPARAM(&Text[0]));
  Text.resize(size_t(Got));
  return Text;
}

void SetTextOf(HWND Window, const std::string& Text) {
  SendMessageA(Window, WM_SETTEXT, 0, LPARAM(Text.c_str()));
}

namespace {

struct TWindowQuery {
  DWORD ProcessId;
  const char* ClassName;
  const char* Caption;
  std::vector<HWND> Found;
};

bool Matches(HWND Window, const char* ClassName, const char* Caption) {
  return (!ClassName || ClassOf(Window) == ClassName) && (!Caption || TextOf(Window) == Caption);
}

BOOL CALLBACK CollectTopLevel(HWND Window, LPARAM Param) {
  auto* Q = reinterpret_cast<TWindowQuery*>(Param);
  DWORD Owner = 0;
  GetWindowThreadProcessId(Window, &Owner);
  if (Owner == Q->ProcessId && IsWindowVisible(Window) && Matches(Window, Q->ClassName, Q->Caption))
    Q->Found.push_back(Window);
  return TRUE;
}

BOOL CALLBACK CollectChild(HWND Window, LPARAM Param) {
  auto* Q = reinterpret_cast<TWindowQuery*>(Param);
  if (Matches(Window, Q->ClassName, nullptr)) Q->Found.push_back(Window);
  return TRUE;
}

void Pause() { Sleep(50); }

}  // namespace

std::vector<HWND> ProcessWindows(DWORD ProcessId, const char* ClassName, const char* Caption) {
  TWindowQuery Q{ProcessId, ClassName, Caption, {}};
  EnumWindows(CollectTopLevel, LPARAM(&Q));
  return Q.Found;
}

HWND WaitForWindow(DWORD ProcessId, const char* ClassName, const char* Caption, DWORD TimeoutMs) {
  DWORD Start = GetTickCount();
  do {
    std::vector<HWND> Found = ProcessWindows(ProcessId, ClassName, Caption);
    if (!Found.empty()) return Found.front();
    Pause();
  } while (GetTickCount() - Start < TimeoutMs);
  return nullptr;
}

bool WaitForWindowGone(HWND Window, DWORD TimeoutMs) {
  DWORD Start = GetTickCount();
  while (IsWindow(Window) && IsWindowVisible(Window)) {
    if (GetTickCount() - Start >= TimeoutMs) return false;
    Pause();
  }
  return true;
}

std::vector<HWND> Descendants(HWND Parent, const char* ClassName) {
  TWindowQuery Q{0, ClassName, nullptr, {}};
  EnumChildWindows(Parent, CollectChild, LPARAM(&Q));
  return Q.Found;
}

TMessageBoxView ReadMessageBox(HWND Box) {
  TMessageBoxView View;
  View.Window = Box;
  View.Caption = TextOf(Box);
  for (HWND Child : Descendants(Box)) {
    std::string Class = ClassOf(Child);
    LONG_PTR Style = GetWindowLongPtrA(Child, GWL_STYLE);
    if (Class == "Button" || Class == "TButton") {
      ++View.ButtonCount;
    } else if (Class == "Static" && (Style & SS_TYPEMASK) == SS_ICON) {
      // Some message boxes keep an empty icon control: only a real icon counts.
      View.HasIcon = View.HasIcon || SendMessageA(Child, STM_GETICON, 0, 0) != 0;
    } else {
      std::string Text = TextOf(Child);
      if (Text.size() > View.Text.size()) View.Text = Text;
    }
  }
  return View;
}

void PressOk(HWND Box) {
  for (HWND Child : Descendants(Box)) {
    std::string Class = ClassOf(Child);
    if (Class == "Button" || Class == "TButton") {
      Click(Child);
      return;
    }
  }
  PostMessageA(Box, WM_COMMAND, IDOK, 0);
}

void Click(HWND Button) {
  PostMessageA(Button, BM_CLICK, 0, 0);
}

void ClickScreen(POINT Screen) {
  INPUT In[3] = {};
  for (INPUT& I : In) I.type = INPUT_MOUSE;
  In[0].mi.dx = LONG(MulDiv(Screen.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1));
  In[0].mi.dy = LONG(MulDiv(Screen.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1));
  In[0].mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  In[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  In[2].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(3, In, sizeof In[0]);
}

void ChooseFile(HWND Chooser, const std::string& FileName) {
  // The explorer-style chooser's file-name box is a combo box (cmb13) or, in older
  // layouts, an edit box (edt1).
  HWND Box = GetDlgItem(Chooser, 0x47C);
  if (!Box) Box = GetDlgItem(Chooser, 0x480);
  if (!Box) throw std::runtime_error("the file dialog has no file-name box");
  SetTextOf(Box, FileName);
  PostMessageA(Chooser, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(Chooser, IDOK)));
}

TRemoteTree::TRemoteTree(HWND Tree, HANDLE Process) : FTree(Tree), FProcess(Process) {
  FRemote = VirtualAllocEx(Process, nullptr, 4096, MEM_COMMIT, PAGE_READWRITE);
  if (!FRemote) throw std::runtime_error("cannot reach the tree's process");
}

TRemoteTree::~TRemoteTree() {
  VirtualFreeEx(FProcess, FRemote, 0, MEM_RELEASE);
}

HTREEITEM TRemoteTree::Root() const {
  return HTREEITEM(SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_ROOT, 0));
}

std::vector<HTREEITEM> TRemoteTree::Children(HTREEITEM Item) const {
  std::vector<HTREEITEM> Items;
  auto Next = HTREEITEM(SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_CHILD, LPARAM(Item)));
  while (Next) {
    Items.push_back(Next);
    Next = HTREEITEM(SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(Next)));
  }
  return Items;
}

std::string TRemoteTree::Text(HTREEITEM Item) const {
  const size_t TextOffset = 256, TextSize = 1024;
  char* Base = static_cast<char*>(FRemote);
  TVITEMA Query = {};
  Query.mask = TVIF_TEXT | TVIF_HANDLE;
  Query.hItem = Item;
  Query.pszText = Base + TextOffset;
  Query.cchTextMax = int(TextSize);
  SIZE_T Done = 0;
  WriteProcessMemory(FProcess, Base, &Query, sizeof(Query), &Done);
  if (!SendMessageA(FTree, TVM_GETITEMA, 0, LPARAM(Base))) return {};
  char Text[TextSize + 1] = {};
  ReadProcessMemory(FProcess, Base + TextOffset, Text, TextSize, &Done);
  return Text;
}

HTREEITEM TRemoteTree::Selected() const {
  return HTREEITEM(SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_CARET, 0));
}

void TRemoteTree::Select(HTREEITEM Item) const {
  SendMessageA(FTree, TVM_SELECTITEM, TVGN_CARET, LPARAM(Item));
}

HTREEITEM TRemoteTree::Find(const std::vector<std::string>& Path) const {
  HTREEITEM Item = nullptr;
  std::vector<HTREEITEM> Level;
  for (HTREEITEM Top = Root(); Top;
       Top = HTREEITEM(SendMessageA(FTree, TVM_GETNEXTITEM, TVGN_NEXT, LPARAM(Top))))
    Level.push_back(Top);
  for (const std::string& Name : Path) {
    Item = nullptr;
    for (HTREEITEM Candidate : Level)
      if (Text(Candidate) == Name) {
        Item = Candidate;
        break;
      }
    if (!Item) return nullptr;
    Level = Children(Item);
  }
  return Item;
}
