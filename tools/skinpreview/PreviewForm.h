// TPreviewForm: SkinPreview's one window. It holds a skin component (Pantrel's own skin, or
// a skin file) and one of each control the skin engine paints, all on one page, with menus
// that open the dialogs, message boxes and MDI windows the engine skins too. The caption
// starts with the name of the skin in force, or "Plain".
#pragma once

#include "framework/ui/Form.h"

#include <string>

class TBitBtn;
class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TImageList;
class TMainMenu;
class TMemo;
class TMenuItem;
class TOpenDialog;
class TOpenPictureDialog;
class TPanel;
class TPopupMenu;
class TSpeedButton;
class TSkinData;
class TStatusBar;
class TTimer;
class TTreeView;

// What the command line asks for.
struct TPreviewOptions {
    std::string SkinFile;   // empty: the skin stored in the design
    bool Plain = false;     // no skinning until it is switched on from the menu
    std::string ShotFile;   // when set: save a PNG of the window once painted, then end
    int OpenMenu = -1;      // with ShotFile: the menu-bar item whose drop-down is open in it
};

class TPreviewForm : public TForm {
    PANTREL_CLASS(TPreviewForm, TForm)
    explicit TPreviewForm(TComponent* AOwner);

    TGroupBox* GroupBox1 = nullptr;
    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TSpeedButton* SpeedButton1 = nullptr;
    TGroupBox* GroupBox2 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TGroupBox* GroupBox3 = nullptr;
    TMemo* Memo1 = nullptr;
    TGroupBox* GroupBox4 = nullptr;
    TTreeView* TreeView1 = nullptr;
    TPanel* Panel1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* MenuSkinActive = nullptr;
    TMenuItem* MenuChecked = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TOpenPictureDialog* OpenPictureDialog1 = nullptr;
    TOpenDialog* OpenSkinDialog = nullptr;
    TTimer* ShotTimer = nullptr;
    TSkinData* SkinData1 = nullptr;

    // Takes the command line's choices; called once, before the window is first shown.
    void ApplyOptions(const TPreviewOptions& Options);
    // The program's exit code: 0, or 1 when the --shot file could not be written.
    int ExitCode() const { return FExitCode; }
    // Writes what the window shows on the screen, frame included, as a PNG file; false when
    // the file cannot be written.
    bool SaveShot(const std::string& FileName);

    void FormCreate(TObject* Sender);
    void FormActivate(TObject* Sender);
    void SkinData1SkinChanged(TObject* Sender);
    void LoadSkinClick(TObject* Sender);
    void SkinActiveClick(TObject* Sender);
    void SaveShotClick(TObject* Sender);
    void ExitClick(TObject* Sender);
    void MessageDlgClick(TObject* Sender);
    void MessageBoxClick(TObject* Sender);
    void PictureClick(TObject* Sender);
    void MdiClick(TObject* Sender);
    void CheckedClick(TObject* Sender);
    void ShotTimerTimer(TObject* Sender);

    // A right click in the client area pops up PopupMenu1.
    void Dispatch(TMessage& Message) override;

protected:
    void BindMembers() override;

private:
    // Opens the drop-down of menu-bar item Index, skinned or not; false when there is none.
    bool OpenBarMenu(int Index);
    // The window with its open drop-down, as a PNG file.
    bool SaveMenuShot(const std::string& FileName);
    // Caption and status bar after a change of skin or of skinning.
    void ShowSkinState();

    std::string FSkinSource;   // the skin file in use, or empty for the stored skin
    std::string FShotFile;
    int FOpenMenu = -1;
    bool FMenuOpened = false;
    int FExitCode = 0;
};

extern TPreviewForm* PreviewForm;
