// Start-up time of Pantrel.exe, measured from outside: from CreateProcess until the main
// window is shown with the catalogue's tree filled, over several runs in a scratch copy of
// the program's folder. Usage: app_startup_benchmark [runs]
#include "tests/app/PantrelDriver.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

double Seconds(const LARGE_INTEGER& From, const LARGE_INTEGER& To, const LARGE_INTEGER& Frequency)
{
    return double(To.QuadPart - From.QuadPart) / double(Frequency.QuadPart);
}

// The main window is shown and its tree holds the categories.
bool MainWindowReady(DWORD ProcessId)
{
    for (HWND Main : ProcessWindows(ProcessId, "TFrmMain"))
        for (HWND Tree : Descendants(Main, "TTreeView"))
            if (SendMessageA(Tree, TVM_GETCOUNT, 0, 0) > 1)
                return true;
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    const int Runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    const std::string Dir = MakeScratchFolder("startup");
    LARGE_INTEGER Frequency;
    QueryPerformanceFrequency(&Frequency);
    std::vector<double> Times;
    for (int Run = 0; Run < Runs; ++Run) {
        LARGE_INTEGER Start, Now;
        QueryPerformanceCounter(&Start);
        TPantrel App(Dir);
        bool Ready = false;
        do {
            Ready = MainWindowReady(App.Process().Id());
            QueryPerformanceCounter(&Now);
            if (!Ready)
                Sleep(1);
        } while (!Ready && Seconds(Start, Now, Frequency) < 60);
        if (!Ready) {
            std::printf("run %d: no main window within 60 s\n", Run + 1);
            return 1;
        }
        Times.push_back(Seconds(Start, Now, Frequency) * 1000);
        std::printf("run %d: %.0f ms\n", Run + 1, Times.back());
        App.WaitForMain(1000);
        App.Quit();
    }
    std::sort(Times.begin(), Times.end());
    double Sum = 0;
    for (double T : Times)
        Sum += T;
    std::printf("start-up to a shown main window with its tree: min %.0f ms, median %.0f ms, mean %.0f ms, max %.0f ms (%d runs)\n",
                Times.front(), Times[Times.size() / 2], Sum / double(Times.size()), Times.back(), Runs);
    return 0;
}
