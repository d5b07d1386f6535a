#include "app/MySoft.h"

#include "app/Links.h"
#include "framework/graphics/Font.h"
#include "framework/ui/GroupBox.h"
#include "framework/ui/Label.h"

TMySoft* MySoft = nullptr;

PANTREL_REGISTER(TMySoft, TForm,
    PROP_HANDLER(Label1Click),
    PROP_HANDLER(Label2Click),
    PROP_HANDLER(Label3Click),
    PROP_HANDLER(Label1MouseMove),
    PROP_HANDLER(Label2MouseMove),
    PROP_HANDLER(Label3MouseMove),
    PROP_HANDLER(Label1MouseLeave),
    PROP_HANDLER(Label2MouseLeave),
    PROP_HANDLER(Label3MouseLeave))

TMySoft::TMySoft(TComponent* AOwner) : TForm(AOwner)
{
    CreateFromDesign();
}

void TMySoft::BindMembers()
{
    BindMember("GroupBox1", GroupBox1);
    BindMember("Label1", Label1);
    BindMember("Label2", Label2);
    BindMember("Label3", Label3);
    BindMember("Label4", Label4);
    BindMember("Label5", Label5);
}

void TMySoft::Label1Click(TObject*) { OpenLink(Handle(), AlvendraAddress); }
void TMySoft::Label2Click(TObject*) { OpenLink(Handle(), BorquineAddress); }
void TMySoft::Label3Click(TObject*) { OpenLink(Handle(), CestavoAddress); }

void TMySoft::Label1MouseMove(TObject*, TShiftState, int, int) { Label1->Font()->SetColor(clBlue); }
void TMySoft::Label2MouseMove(TObject*, TShiftState, int, int) { Label2->Font()->SetColor(clBlue); }
void TMySoft::Label3MouseMove(TObject*, TShiftState, int, int) { Label3->Font()->SetColor(clBlue); }

void TMySoft::Label1MouseLeave(TObject*) { Label1->Font()->SetColor(clRed); }
void TMySoft::Label2MouseLeave(TObject*) { Label2->Font()->SetColor(clRed); }
void TMySoft::Label3MouseLeave(TObject*) { Label3->Font()->SetColor(clRed); }
