// Small controls for the windowing tests: they record the messages that reach them.
#pragma once

#include <vector>

#include "framework/ui/Form.h"
#include "framework/ui/GraphicControl.h"

// A windowed control over the system BUTTON control that records what reaches WndProc.
class TProbeButton : public TWinControl {
    PANTREL_CLASS(TProbeButton, TWinControl)
    explicit TProbeButton(TComponent* AOwner) : TWinControl(AOwner) { SetBounds(0, 0, 80, 24); SetTabStop(true); }
    std::vector<UINT> Seen;
    bool Saw(UINT Msg) const;
    void WndProc(TMessage& Message) override
    {
        Seen.push_back(Message.Msg);
        TWinControl::WndProc(Message);
    }

protected:
    void CreateParams(TCreateParams& Params) override
    {
        TWinControl::CreateParams(Params);
        CreateSubClass(Params, "BUTTON");
    }
};

// A windowless control that fills itself with its colour.
class TProbeGraphic : public TGraphicControl {
    PANTREL_CLASS(TProbeGraphic, TGraphicControl)
    explicit TProbeGraphic(TComponent* AOwner) : TGraphicControl(AOwner) { SetBounds(0, 0, 60, 30); }
    std::vector<UINT> Seen;
    bool Saw(UINT Msg) const;
    void WndProc(TMessage& Message) override
    {
        Seen.push_back(Message.Msg);
        TGraphicControl::WndProc(Message);
    }

protected:
    void Paint() override
    {
        Canvas()->Brush()->SetColor(Color());
        Canvas()->FillRect(ClientRect());
    }
};

// The thread's visible top-level window of a class, or null.
HWND FindThreadWindow(const char* ClassName);
