// The control gallery: a form built from its design that holds one of every control,
// menu and dialog class of the framework, and records what its handlers were told.
// Executables that show it link the design: pantrel_design(<exe> .../Gallery.txt NAME TGalleryForm).
#pragma once

#include <string>
#include <vector>

#include "framework/ui/Button.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/OpenPictureDialog.h"
#include "framework/ui/Panel.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TreeView.h"

class TGalleryForm : public TForm {
    PANTREL_CLASS(TGalleryForm, TForm)
    explicit TGalleryForm(TComponent* AOwner);

    TTreeView* TreeView1 = nullptr;
    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TMemo* Memo1 = nullptr;
    TImage* Image1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TMemo* Memo2 = nullptr;
    TButton* Button1 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TOpenPictureDialog* OpenPictureDialog1 = nullptr;
    // Tree: root "Pantrel", categories, recipes.
    TTreeNode* Root = nullptr;

    // What the handlers saw, in order.
    std::vector<TTreeNode*> TreeChanges;
    std::vector<std::string> Clicks;   // names of the clicked components
    int ComboChanges = 0;

    void FormCreate(TObject* Sender);
    void TreeView1Change(TObject* Sender, TTreeNode* Node);
    // Every OnClick of the gallery.
    void Clicked(TObject* Sender);
    void ComboBox1Change(TObject* Sender);

protected:
    void BindMembers() override;
};
