// TOpenDialog / TOpenPictureDialog: the platform's explorer-style file-open dialog; the
// picture kind adds a preview pane that shows the selected picture and its size, and by
// default lists the picture formats TPicture loads.
#pragma once

#include <string>

#include "framework/core/Component.h"
#include "framework/graphics/Picture.h"

#include <windows.h>
#include <commdlg.h>

class TOpenDialog : public TComponent {
    PANTREL_CLASS(TOpenDialog, TComponent)
    explicit TOpenDialog(TComponent* AOwner);

    const std::string& FileName() const { return FFileName; }
    void SetFileName(const std::string& Value) { FFileName = Value; }
    // "Description|*.ext;*.ext|Description|*.ext", as designs give it.
    const std::string& Filter() const { return FFilter; }
    void SetFilter(const std::string& Value) { FFilter = Value; }
    // 1-based, like the dialog's own.
    int FilterIndex() const { return FFilterIndex; }
    void SetFilterIndex(int Value) { FFilterIndex = Value; }
    const std::string& InitialDir() const { return FInitialDir; }
    void SetInitialDir(const std::string& Value) { FInitialDir = Value; }
    const std::string& Title() const { return FTitle; }
    void SetTitle(const std::string& Value) { FTitle = Value; }
    const std::string& DefaultExt() const { return FDefaultExt; }
    void SetDefaultExt(const std::string& Value) { FDefaultExt = Value; }

    // Shows the dialog modally; true when the user chose a file (FileName holds it).
    // Raises EOutOfResources when the dialog cannot be shown.
    bool Execute();

protected:
    // Lets a subclass add a child dialog (template and hook) to the request.
    virtual void PrepareRequest(OPENFILENAMEA&) {}

private:
    std::string FFileName;
    std::string FFilter;
    int FFilterIndex = 1;
    std::string FInitialDir;
    std::string FTitle;
    std::string FDefaultExt;
};

class TOpenPictureDialog : public TOpenDialog {
    PANTREL_CLASS(TOpenPictureDialog, TOpenDialog)
    explicit TOpenPictureDialog(TComponent* AOwner);
    ~TOpenPictureDialog() override;

    // The filter listing every picture format TPicture loads, all of them first.
    static std::string GraphicFilter();
    // The picture now shown in the preview (empty when none).
    const TPicture& Preview() const { return FPreview; }

protected:
    void PrepareRequest(OPENFILENAMEA& Request) override;

private:
    static UINT_PTR CALLBACK HookProc(HWND Dialog, UINT Msg, WPARAM WParam, LPARAM LParam);
    void SelectionChanged(HWND Dialog);
    void DrawPreview(const DRAWITEMSTRUCT& Item);

    TPicture FPreview;
    HGLOBAL FTemplate;   // the preview pane's child dialog

};
