// The framework's message dialog: a form of class "TMessageForm" holding the text, an
// icon for the standard kinds and one button per answer; ShowMessage and MessageDlg show
// it modally and answer the button pressed.
#pragma once

#include <string>

#include "framework/ui/Form.h"

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn { mbYes, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };
using TMsgDlgButtons = TSet<TMsgDlgBtn>;

// The dialog: the message drawn in the form's font, word-wrapped to at most half the
// screen's width, the icon to its left, the buttons (standard TButton components) centred
// below; the form is sized to fit them.
class TMessageForm : public TForm {
    PANTREL_CLASS(TMessageForm, TForm)
    explicit TMessageForm(TComponent* AOwner);
    void Build(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
    // WM_COPY puts the message text on the clipboard (CF_TEXT), so that it can be read from
    // outside, like a message box's text.
    void Dispatch(TMessage& Message) override;

protected:
    void PaintWindow(HDC DC) override;

private:
    std::string FMessage;
    RECT FTextRect{};
    POINT FIconPos{};
    HICON FIcon = nullptr;
};

// Caption: the application's title for mtCustom, else the kind's name.
TMessageForm* CreateMessageDialog(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons);
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);
// The plain message: caption the application's title, no icon, one OK button.
void ShowMessage(const std::string& Msg);
