// TFrmMain: the main window (unit Unit1). A tree of the catalogue on the left (root,
// categories, recipes), the selected record's ingredients, picture, method and tips, the
// credits in the status bar and the menu bar. It owns the catalogue's connection and the
// skin component that skins every window of the program.
#pragma once

#include "framework/ui/Form.h"

#include <string>

class TADOConnection;
class TADOQuery;
class TGroupBox;
class TImage;
class TLabel;
class TMainMenu;
class TMemo;
class TMenuItem;
class TPanel;
class TSkinData;
class TStatusBar;
class TTreeNode;
class TTreeView;

class TFrmMain : public TForm {
    PANTREL_CLASS(TFrmMain, TForm)
    explicit TFrmMain(TComponent* AOwner);

    TTreeView* TreeView1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TMemo* Memo1 = nullptr;
    TLabel* Label2 = nullptr;
    TImage* Image1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TMemo* Memo2 = nullptr;
    TLabel* Label3 = nullptr;
    TMemo* Memo3 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TADOConnection* ADOConnect = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TADOQuery* ADOQuery2 = nullptr;
    TADOQuery* ADOQuery3 = nullptr;
    TSkinData* SkinData1 = nullptr;

    void FormCreate(TObject* Sender);
    void TreeView1Change(TObject* Sender, TTreeNode* Node);
    void N4Click(TObject* Sender);
    void N6Click(TObject* Sender);
    void N12Click(TObject* Sender);
    void CCTV1Click(TObject* Sender);
    void N11Click(TObject* Sender);

protected:
    void BindMembers() override;
    void CreateWnd() override;
    void WndProc(TMessage& Message) override;

private:
    void BuildTree();
    // Fills the boxes from the first row of ADOQuery3; a result without rows changes nothing.
    void ShowRecord();
    void ShowPicture(const std::string& Stored);
};

extern TFrmMain* FrmMain;
