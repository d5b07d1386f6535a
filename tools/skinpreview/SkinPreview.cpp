// SkinPreview: shows a skin on one window holding every control the skin engine paints.
//   SkinPreview.exe [SKINFILE] [--plain] [--shot FILE [--open-menu N]]
// SKINFILE: a packed skin (default: Pantrel's own skin, stored in the window's design);
// --plain: the same window unskinned; --shot FILE: write a PNG of the window once it is
// painted, then end (exit code 1 when the file cannot be written); --open-menu N: with the
// drop-down of menu-bar item N (from 0) open in the shot.
#include "framework/graphics/ImageList.h"
#include "framework/ui/Application.h"
#include "framework/ui/OpenPictureDialog.h"
#include "framework/ui/StandardControls.h"
#include "framework/ui/Timer.h"
#include "skin/data/SkinData.h"
#include "tools/skinpreview/PreviewForm.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

bool ParseOptions(int Argc, char** Argv, TPreviewOptions& Options)
{
    for (int I = 1; I < Argc; ++I) {
        const std::string Arg = Argv[I];
        if (Arg == "--plain")
            Options.Plain = true;
        else if (Arg == "--shot" && I + 1 < Argc)
            Options.ShotFile = Argv[++I];
        else if (Arg == "--open-menu" && I + 1 < Argc)
            Options.OpenMenu = std::atoi(Argv[++I]);
        else if (Arg.compare(0, 2, "--") != 0 && Options.SkinFile.empty())
            Options.SkinFile = Arg;
        else
            return false;
    }
    return true;
}

} // namespace

int main(int Argc, char** Argv)
{
    TPreviewOptions Options;
    if (!ParseOptions(Argc, Argv, Options)) {
        std::fprintf(stderr, "usage: SkinPreview [SKINFILE] [--plain] [--shot FILE [--open-menu N]]\n");
        return 2;
    }
    // A shot runs unattended: the skin reader's one message goes to stderr, not to a box.
    if (!Options.ShotFile.empty())
        ShowSkinMessage = [](const std::string& Text) { std::fprintf(stderr, "SkinPreview: %s\n", Text.c_str()); };
    RegisterStandardControls();
    // Classes only the design names.
    for (const TClassInfo* Info : {&TSkinData::StaticClassInfo(), &TImageList::StaticClassInfo(),
                                   &TTimer::StaticClassInfo(), &TOpenDialog::StaticClassInfo()})
        RegisterComponentClass(*Info);
    Application->Initialize();
    Application->SetTitle("SkinPreview");
    try {
        Application->CreateForm(PreviewForm);
    } catch (...) {
        Application->HandleException(Application);
        return 1;
    }
    PreviewForm->ApplyOptions(Options);
    Application->Run();
    return PreviewForm->ExitCode();
}
