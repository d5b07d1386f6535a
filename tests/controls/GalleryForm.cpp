#include "tests/controls/GalleryForm.h"

#include "framework/ui/StandardControls.h"

PANTREL_REGISTER(TGalleryForm, TForm,
    PROP_HANDLER(FormCreate),
    PROP_HANDLER(TreeView1Change),
    PROP_HANDLER(Clicked),
    PROP_HANDLER(ComboBox1Change))

TGalleryForm::TGalleryForm(TComponent* AOwner) : TForm(AOwner)
{
    RegisterStandardControls();
    CreateFromDesign();
}

void TGalleryForm::BindMembers()
{
    BindMember("TreeView1", TreeView1);
    BindMember("Panel1", Panel1);
    BindMember("Label1", Label1);
    BindMember("Memo1", Memo1);
    BindMember("Image1", Image1);
    BindMember("GroupBox1", GroupBox1);
    BindMember("Label2", Label2);
    BindMember("Edit1", Edit1);
    BindMember("ComboBox1", ComboBox1);
    BindMember("Memo2", Memo2);
    BindMember("Button1", Button1);
    BindMember("StatusBar1", StatusBar1);
    BindMember("MainMenu1", MainMenu1);
    BindMember("PopupMenu1", PopupMenu1);
    BindMember("OpenPictureDialog1", OpenPictureDialog1);
}

void TGalleryForm::FormCreate(TObject*)
{
    Root = TreeView1->Items()->AddFirst(nullptr, "Pantrel");
    for (const char* Category : {"川菜", "粤菜"}) {
        TTreeNode* Node = TreeView1->Items()->AddChild(Root, Category);
        for (const char* Recipe : {"麻婆豆腐", "回锅肉", "白切鸡"})
            TreeView1->Items()->AddChild(Node, std::string(Category) + Recipe);
    }
    Root->Expand(true);
    Memo1->SetText("豆腐\r\n牛肉末\r\n豆瓣酱");
    LoadPlaceholderPicture(*Image1->Picture());
    ComboBox1->SetItemIndex(0);
}

void TGalleryForm::TreeView1Change(TObject*, TTreeNode* Node)
{
    TreeChanges.push_back(Node);
}

void TGalleryForm::Clicked(TObject* Sender)
{
    Clicks.push_back(static_cast<TComponent*>(Sender)->Name());
}

void TGalleryForm::ComboBox1Change(TObject*)
{
    ++ComboChanges;
}
