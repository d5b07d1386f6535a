// TAddData: the add-recipe dialog (unit Unit2). Takes a category, a name, the ingredients,
// the method, tips and a sample picture, refuses a name the catalogue already has and
// appends one row to it. Its queries use the main window's connection.
#pragma once

#include "framework/ui/Form.h"

class TADOQuery;
class TButton;
class TComboBox;
class TEdit;
class TImage;
class TLabel;
class TMemo;
class TOpenPictureDialog;

class TAddData : public TForm {
    PANTREL_CLASS(TAddData, TForm)
    explicit TAddData(TComponent* AOwner);

    TLabel* Label1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TLabel* Label2 = nullptr;
    TEdit* Edit1 = nullptr;
    TLabel* Label3 = nullptr;
    TMemo* Memo3 = nullptr;
    TLabel* Label4 = nullptr;
    TMemo* Memo2 = nullptr;
    TLabel* Label5 = nullptr;
    TImage* Image1 = nullptr;
    TLabel* Label6 = nullptr;
    TMemo* Memo1 = nullptr;
    TButton* Button1 = nullptr;
    TOpenPictureDialog* OpenPictureDialog1 = nullptr;
    TADOQuery* ADOQuery1 = nullptr;
    TADOQuery* ADOQuery2 = nullptr;
    TADOQuery* ADOQuery3 = nullptr;

    void FormCreate(TObject* Sender);
    void Image1Click(TObject* Sender);
    void Button1Click(TObject* Sender);

protected:
    void BindMembers() override;

private:
    bool NameExists();
    void AppendRecipe(const std::string& StoredPicture);
    void ClearBoxes();
};

extern TAddData* AddData;
