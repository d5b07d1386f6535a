#include "framework/ui/GroupBox.h"

PANTREL_REGISTER(TCustomGroupBox, TWinControl)
PANTREL_REGISTER(TGroupBox, TCustomGroupBox)

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner)
{
    SetControlStyle(ControlStyle() + TControlStyle{csAcceptsControls});
    SetBounds(0, 0, 185, 105);
}

void TCustomGroupBox::CreateParams(TCreateParams& Params)
{
    TWinControl::CreateParams(Params);
    CreateSubClass(Params, "BUTTON");
    Params.Style |= BS_GROUPBOX;
}

void TCustomGroupBox::Dispatch(TMessage& Message)
{
    // The system's group box lets the mouse through to the window below; this one is a
    // container whose windowless controls (labels) need the mouse.
    if (Message.Msg == WM_NCHITTEST) {
        Message.Result = HTCLIENT;
        return;
    }
    // Text changes repaint the caption in the frame.
    if (Message.Msg == CM_TEXTCHANGED)
        Invalidate();
    TWinControl::Dispatch(Message);
}

void TCustomGroupBox::DefaultHandler(TMessage& Message)
{
    // Clicks on the frame's inside would make the system button take the focus.
    if (Message.Msg >= WM_LBUTTONDOWN && Message.Msg <= WM_MBUTTONDBLCLK)
        return;
    TWinControl::DefaultHandler(Message);
}
