#include "app/FrmMain.h"

#include "app/AddData.h"
#include "app/Links.h"
#include "app/MySoft.h"
#include "app/PicturePath.h"
#include "app/Statements.h"
#include "framework/data/ADOConnection.h"
#include "framework/data/ADOQuery.h"
#include "framework/ui/Application.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Menus.h"
#include "framework/ui/Panel.h"
#include "framework/ui/StartupTrace.h"
#include "framework/ui/StatusBar.h"
#include "framework/ui/TreeView.h"
#include "skin/data/SkinData.h"

TFrmMain* FrmMain = nullptr;

PANTREL_REGISTER(TFrmMain, TForm,
    PROP_HANDLER(FormCreate),
    PROP_HANDLER(TreeView1Change),
    PROP_HANDLER(N4Click),
    PROP_HANDLER(N6Click),
    PROP_HANDLER(N12Click),
    PROP_HANDLER(CCTV1Click),
    PROP_HANDLER(N11Click))

TFrmMain::TFrmMain(TComponent* AOwner) : TForm(AOwner)
{
    CreateFromDesign();
}

void TFrmMain::BindMembers()
{
    StartupTrace::Mark("design read");
    BindMember("TreeView1", TreeView1);
    BindMember("Panel1", Panel1);
    BindMember("Label1", Label1);
    BindMember("Memo1", Memo1);
    BindMember("Label2", Label2);
    BindMember("Image1", Image1);
    BindMember("GroupBox1", GroupBox1);
    BindMember("Memo2", Memo2);
    BindMember("Label3", Label3);
    BindMember("Memo3", Memo3);
    BindMember("StatusBar1", StatusBar1);
    BindMember("MainMenu1", MainMenu1);
    BindMember("ADOConnect", ADOConnect);
    BindMember("ADOQuery1", ADOQuery1);
    BindMember("ADOQuery2", ADOQuery2);
    BindMember("ADOQuery3", ADOQuery3);
    BindMember("SkinData1", SkinData1);
    LoadPlaceholderPicture(*Image1->Picture());
    StartupTrace::Mark("placeholder picture decoded");
}

void TFrmMain::CreateWnd()
{
    inherited::CreateWnd();
    StartupTrace::Mark("main window handle made");
}

void TFrmMain::WndProc(TMessage& Message)
{
    inherited::WndProc(Message);
    if (Message.Msg == WM_PAINT)
        StartupTrace::Mark("main window painted");
}

void TFrmMain::FormCreate(TObject*)
{
    try {
        BuildTree();
        StartupTrace::Mark("tree built");
    } catch (const std::exception&) {
        MessageBoxA(Handle(), "找不到数据库，引起该问题的原因是数据库文件可能被人为删除或改名.", "无法打开数据库", MB_OK);
        Application->Terminate();
    }
}

void TFrmMain::BuildTree()
{
    TTreeNode* Root = TreeView1->Items()->AddFirst(nullptr, "Pantrel");
    IssueStatement(ADOQuery1, CategoryListSql());
    StartupTrace::Mark("tree: connection open, categories read");
    ADOQuery1->First();
    const int Categories = ADOQuery1->RecordCount();
    for (int I = 0; I < Categories; ++I) {
        const std::string Category = ADOQuery1->FieldByName("类别")->Value().AsString();
        TTreeNode* CategoryNode = TreeView1->Items()->AddChild(Root, Category);
        IssueStatement(ADOQuery2, CategoryRecipesSql(Category));
        ADOQuery2->First();
        const int Recipes = ADOQuery2->RecordCount();
        for (int J = 0; J < Recipes; ++J) {
            TreeView1->Items()->AddChild(CategoryNode, ADOQuery2->FieldByName("菜谱")->Value().AsString());
            ADOQuery2->Next();
        }
        ADOQuery1->Next();
    }
}

void TFrmMain::TreeView1Change(TObject*, TTreeNode* Node)
{
    TreeView1->SetFocus();
    TTreeNode* Selected = TreeView1->Selected();
    if (!Node || !Selected)
        return;
    switch (Node->Level()) {
    case 0:
        IssueStatement(ADOQuery3, AllRecipesSql());
        break;
    case 1:
        IssueStatement(ADOQuery3, CategoryRecipesSql(Selected->Text()));
        break;
    case 2:
        if (!Selected->Parent())
            return;
        IssueStatement(ADOQuery3, RecipeSql(Selected->Text(), Selected->Parent()->Text()));
        break;
    default:
        return;
    }
    ShowRecord();
}

void TFrmMain::ShowRecord()
{
    if (ADOQuery3->Eof())
        return;
    // The whole row is read before any box changes, so a missing value leaves the previous
    // record on screen whole.
    const std::string Ingredients = ADOQuery3->FieldByName("配料")->Value().AsString();
    const std::string Method = ADOQuery3->FieldByName("方法")->Value().AsString();
    const std::string Picture = ADOQuery3->FieldByName("图片")->Value().AsString();
    const std::string Tips = ADOQuery3->FieldByName("提示")->Value().AsString();
    Memo1->SetText(Ingredients);
    Memo2->SetText(Method);
    Memo3->SetText(Tips);
    ShowPicture(Picture);
}

void TFrmMain::ShowPicture(const std::string& Stored)
{
    const std::string FileName = PictureFileName(ProgramFolder(), Stored);
    try {
        Image1->Picture()->LoadFromFile(FileName);
    } catch (const std::exception& E) {
        LoadPlaceholderPicture(*Image1->Picture());
        throw Exception("无法显示菜式样本图片 " + FileName + "：" + E.what());
    }
}

void TFrmMain::N4Click(TObject*)
{
    Close();
}

void TFrmMain::N6Click(TObject*)
{
    std::unique_ptr<TAddData> Dialog(new TAddData(this));
    Dialog->ShowModal();
}

void TFrmMain::N12Click(TObject*)
{
    std::unique_ptr<TMySoft> Dialog(new TMySoft(this));
    Dialog->ShowModal();
}

void TFrmMain::CCTV1Click(TObject*)
{
    OpenLink(Handle(), CookeryProgrammeAddress);
}

void TFrmMain::N11Click(TObject*)
{
    OpenLink(Handle(), DesignerHomeAddress);
}
