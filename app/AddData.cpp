#include "app/AddData.h"

#include "app/FrmMain.h"
#include "app/PicturePath.h"
#include "app/Statements.h"
#include "framework/data/ADOQuery.h"
#include "framework/graphics/Picture.h"
#include "framework/ui/Button.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Dialogs.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/Memo.h"
#include "framework/ui/OpenPictureDialog.h"

TAddData* AddData = nullptr;

PANTREL_REGISTER(TAddData, TForm,
    PROP_HANDLER(FormCreate),
    PROP_HANDLER(Image1Click),
    PROP_HANDLER(Button1Click))

TAddData::TAddData(TComponent* AOwner) : TForm(AOwner)
{
    CreateFromDesign();
}

void TAddData::BindMembers()
{
    BindMember("Label1", Label1);
    BindMember("ComboBox1", ComboBox1);
    BindMember("Label2", Label2);
    BindMember("Edit1", Edit1);
    BindMember("Label3", Label3);
    BindMember("Memo3", Memo3);
    BindMember("Label4", Label4);
    BindMember("Memo2", Memo2);
    BindMember("Label5", Label5);
    BindMember("Image1", Image1);
    BindMember("Label6", Label6);
    BindMember("Memo1", Memo1);
    BindMember("Button1", Button1);
    BindMember("OpenPictureDialog1", OpenPictureDialog1);
    BindMember("ADOQuery1", ADOQuery1);
    BindMember("ADOQuery2", ADOQuery2);
    BindMember("ADOQuery3", ADOQuery3);
    LoadPlaceholderPicture(*Image1->Picture());
    // The queries work on the main window's one connection, which a design of its own
    // cannot name.
    for (TADOQuery* Query : {ADOQuery1, ADOQuery2, ADOQuery3})
        Query->SetConnection(FrmMain->ADOConnect);
}

void TAddData::FormCreate(TObject*)
{
    IssueStatement(ADOQuery3, DialogCategoryListSql());
    ADOQuery3->First();
    ComboBox1->Items()->Clear();
    while (!ADOQuery3->Eof()) {
        ComboBox1->Items()->Add(ADOQuery3->FieldByName("类别")->Value().AsString());
        ADOQuery3->Next();
    }
    if (ComboBox1->Items()->Count() > 0)
        ComboBox1->SetItemIndex(0);
}

void TAddData::Image1Click(TObject*)
{
    const std::string Earlier = OpenPictureDialog1->FileName();
    if (!OpenPictureDialog1->Execute())
        return;
    const std::string Chosen = OpenPictureDialog1->FileName();
    // Until the new picture is known to be storable and loadable, the earlier one stays.
    OpenPictureDialog1->SetFileName(Earlier);
    const TStoredPicture Stored = StorePicturePath(ProgramFolder(), Chosen);
    if (!Stored.Accepted) {
        ShowMessage(Stored.Reason);
        return;
    }
    TPicture Preview;
    Preview.LoadFromFile(Chosen);
    Image1->Picture()->Assign(Preview);
    OpenPictureDialog1->SetFileName(Chosen);
}

void TAddData::Button1Click(TObject*)
{
    IssueStatement(ADOQuery1, AppendSql());
    ADOQuery1->First();
    if (NameExists()) {
        ShowMessage("这个菜谱已存在！请检查.....");
        return;
    }
    if (OpenPictureDialog1->FileName().empty()) {
        ShowMessage("请先点击图片选择菜式样本。");
        return;
    }
    const TStoredPicture Stored = StorePicturePath(ProgramFolder(), OpenPictureDialog1->FileName());
    if (!Stored.Accepted) {
        ShowMessage(Stored.Reason);
        return;
    }
    AppendRecipe(Stored.Value);
    ShowMessage("添加成功！");
    ClearBoxes();
}

bool TAddData::NameExists()
{
    IssueStatement(ADOQuery2, RecipeByNameSql(Edit1->Text()));
    ADOQuery2->First();
    const TVariant Existing = ADOQuery2->FieldByName("菜谱")->Value();
    return !Existing.IsNull() && Existing.AsString() == Edit1->Text();
}

void TAddData::AppendRecipe(const std::string& StoredPicture)
{
    const std::string Tips = Memo1->Text();
    ADOQuery1->Append();
    try {
        ADOQuery1->FieldByName("类别")->SetAsString(ComboBox1->Text());
        ADOQuery1->FieldByName("菜谱")->SetAsString(Edit1->Text());
        ADOQuery1->FieldByName("配料")->SetAsString(Memo3->Text());
        ADOQuery1->FieldByName("方法")->SetAsString(Memo2->Text());
        ADOQuery1->FieldByName("图片")->SetAsString(StoredPicture);
        ADOQuery1->FieldByName("提示")->SetAsString(Tips.empty() ? std::string("无") : Tips);
        ADOQuery1->Post();
    } catch (...) {
        // A row that could not be saved is dropped, so the next press starts clean.
        ADOQuery1->Cancel();
        throw;
    }
}

void TAddData::ClearBoxes()
{
    Edit1->SetText("");
    Memo1->SetText("");
    Memo3->SetText("");
    Memo2->SetText("");
}
