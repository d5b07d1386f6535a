// Start-up of Pantrel.exe against a minimal program of ours (StartupBaseline.cpp: a plain
// window with a tree view of two items), started in turns in one run. Each is timed from
// CreateProcess until its main window is shown and painted through (no window of it has
// anything left to paint), its tree filled and, for Pantrel, its frame skinned. Pantrel
// also writes its own start-up marks (PANTREL_STARTUP_TRACE), read on the same clock, so
// the report says where the time goes.
// Usage: app_startup_benchmark [runs] [--shots]   (--shots: a PNG of each window when ready)
#include "tests/app/PantrelDriver.h"
#include "tests/support/Bench.h"
#include "tests/support/Capture.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr UINT WM_SKINQUERY = 0x3504;

LONGLONG Now()
{
    LARGE_INTEGER Ticks;
    QueryPerformanceCounter(&Ticks);
    return Ticks.QuadPart;
}

double Ms(LONGLONG Ticks)
{
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    return double(Ticks) * 1000.0 / double(Frequency.QuadPart);
}

LRESULT Ask(HWND Window, UINT Msg)
{
    DWORD_PTR Result = 0;
    SendMessageTimeoutA(Window, Msg, 0, 0, SMTO_NORMAL, 1000, &Result);
    return LRESULT(Result);
}

// What a finished start-up looks like for one program.
struct TProgram {
    const char* Name;
    const char* MainClass;
    const char* TreeClass;
    int TreeItems;  // at least this many
    bool Skinned;
};

// Watches one start-up from outside. The watcher shares the machine and the window
// server with the program it times, so it asks as little as it can: handles once found are
// kept, and the cheap checks come first (a full walk of the children only at the end).
class TReadyWatch {
public:
    TReadyWatch(DWORD ProcessId, const TProgram& Program) : FProcessId(ProcessId), FProgram(Program) {}

    // The main window once it is shown, skinned, filled and painted through, else null.
    HWND Ready()
    {
        if (!FMain) {
            const std::vector<HWND> Found = ProcessWindows(FProcessId, FProgram.MainClass);
            if (Found.empty())
                return nullptr;
            FMain = Found.front();
        }
        if (!IsWindowVisible(FMain) || (FProgram.Skinned && Ask(FMain, WM_SKINQUERY) != 1))
            return nullptr;
        if (!FTree) {
            const std::vector<HWND> Trees = Descendants(FMain, FProgram.TreeClass);
            if (Trees.empty())
                return nullptr;
            FTree = Trees.front();
        }
        if (Ask(FTree, TVM_GETCOUNT) < FProgram.TreeItems || GetUpdateRect(FMain, nullptr, FALSE))
            return nullptr;
        for (HWND Child : Descendants(FMain))
            if (IsWindowVisible(Child) && GetUpdateRect(Child, nullptr, FALSE))
                return nullptr;
        return FMain;
    }

private:
    DWORD FProcessId;
    const TProgram& FProgram;
    HWND FMain = nullptr;
    HWND FTree = nullptr;
};

// Start-up time in ms of one run (negative when the window never came), with the shot.
double TimeStartup(const TProgram& Program, const LONGLONG Start, TProcess& Process, bool Shot, HWND& Main)
{
    TReadyWatch Watch(Process.Id(), Program);
    do {
        Main = Watch.Ready();
        if (!Main)
            Sleep(1);
    } while (!Main && Ms(Now() - Start) < 60000);
    const double Elapsed = Ms(Now() - Start);
    if (!Main)
        return -1;
    if (Shot) {
        RECT Frame;
        GetWindowRect(Main, &Frame);
        CaptureScreenRect(Frame).SavePng(std::string("startup-") + Program.Name + ".png");
    }
    return Elapsed;
}

// Pantrel's marks, in ms after Start.
std::vector<std::pair<std::string, double>> ReadMarks(const std::string& FileName, LONGLONG Start)
{
    std::vector<std::pair<std::string, double>> Marks;
    std::ifstream File(FileName);
    std::string Line;
    double Frequency = 0;
    while (std::getline(File, Line)) {
        std::istringstream Fields(Line);
        long long Ticks = 0;
        std::string Name;
        Fields >> Ticks;
        std::getline(Fields >> std::ws, Name);
        if (Name == "frequency")
            Frequency = double(Ticks);
        else if (Frequency > 0)
            Marks.emplace_back(Name, double(Ticks - Start) * 1000.0 / Frequency);
    }
    return Marks;
}

}  // namespace

int main(int argc, char** argv)
{
    int Runs = 15;  // start-up swings with the host: a median of few runs would too
    bool Shots = false;
    for (int I = 1; I < argc; ++I) {
        if (std::strcmp(argv[I], "--shots") == 0)
            Shots = true;
        else
            Runs = std::max(1, std::atoi(argv[I]));
    }
    const TProgram Pantrel = {"pantrel", "TFrmMain", "TTreeView", 2, true};
    const TProgram Baseline = {"baseline", "PantrelStartupBaseline", "SysTreeView32", 2, false};
    const std::string Dir = MakeScratchFolder("startup");
    const std::string TraceFile = Dir + "startup-trace.txt";
    SetEnvironmentVariableA("PANTREL_STARTUP_TRACE", TraceFile.c_str());

    std::vector<double> Ours, Theirs;
    std::vector<std::string> Order;  // mark names in Pantrel's order
    std::map<std::string, std::vector<double>> Marks, BaselineMarks;
    for (int Run = 0; Run < Runs; ++Run) {
        HWND Main = nullptr;
        {
            DeleteFileA(TraceFile.c_str());
            const LONGLONG Start = Now();
            TPantrel App(Dir);
            const double Time = TimeStartup(Pantrel, Start, App.Process(), Shots && Run == 0, Main);
            if (Time < 0) {
                std::printf("run %d: Pantrel shows no painted main window within 60 s\n", Run + 1);
                return 1;
            }
            Ours.push_back(Time);
            PostMessageA(Main, WM_CLOSE, 0, 0);
            App.Process().WaitForExit(15000);
            for (const auto& [Name, At] : ReadMarks(TraceFile, Start)) {
                if (!Marks.count(Name))
                    Order.push_back(Name);
                Marks[Name].push_back(At);
            }
        }
        {
            DeleteFileA(TraceFile.c_str());
            const LONGLONG Start = Now();
            TProcess Process("\"" PANTREL_BASELINE_EXE "\"", Dir);
            const double Time = TimeStartup(Baseline, Start, Process, Shots && Run == 0, Main);
            if (Time < 0) {
                std::printf("run %d: the baseline shows no painted window within 60 s\n", Run + 1);
                return 1;
            }
            Theirs.push_back(Time);
            PostMessageA(Main, WM_CLOSE, 0, 0);
            Process.WaitForExit(15000);
            for (const auto& [Name, At] : ReadMarks(TraceFile, Start))
                BaselineMarks[Name].push_back(At);
        }
        std::printf("run %d: Pantrel %.0f ms, baseline %.0f ms\n", Run + 1, Ours.back(), Theirs.back());
    }

    std::printf("\nPantrel's start-up, median of %d runs, ms after CreateProcess:\n", Runs);
    double Previous = 0;
    for (const auto& Name : Order) {
        const double At = Median(Marks[Name]);
        std::printf("%8.1f  (+%6.1f)  %s\n", At, At - Previous, Name.c_str());
        Previous = At;
    }
    const double Skinned = Median(Ours), Plain = Median(Theirs);
    std::printf("%8.1f  (+%6.1f)  painted through, seen from outside\n", Skinned, Skinned - Previous);
    if (!BaselineMarks["program entered"].empty())
        std::printf("The baseline: program entered %.1f, painted through %.1f\n", Median(BaselineMarks["program entered"]),
                    Median(Theirs));
    std::printf("\nBENCH|start-up to the painted, skinned main window with its tree (ms, median of %d)|%.0f|%.0f "
                "(plain window with a tree)|%.2f|<= 1.5\n",
                Runs, Skinned, Plain, Skinned / Plain);
    return 0;
}
