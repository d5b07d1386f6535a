// TMySoft: the personal-software dialog (unit Unit3): the designer's other programs, three
// of them links to their download pages that turn blue while the mouse is over them.
#pragma once

#include "framework/ui/Form.h"

class TGroupBox;
class TLabel;

class TMySoft : public TForm {
    PANTREL_CLASS(TMySoft, TForm)
    explicit TMySoft(TComponent* AOwner);

    TGroupBox* GroupBox1 = nullptr;
    TLabel* Label1 = nullptr;
    TLabel* Label2 = nullptr;
    TLabel* Label3 = nullptr;
    TLabel* Label4 = nullptr;
    TLabel* Label5 = nullptr;

    void Label1Click(TObject* Sender);
    void Label2Click(TObject* Sender);
    void Label3Click(TObject* Sender);
    void Label1MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Label2MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Label3MouseMove(TObject* Sender, TShiftState Shift, int X, int Y);
    void Label1MouseLeave(TObject* Sender);
    void Label2MouseLeave(TObject* Sender);
    void Label3MouseLeave(TObject* Sender);

protected:
    void BindMembers() override;
};

extern TMySoft* MySoft;
