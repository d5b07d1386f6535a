// TScreen: the forms of the program, front-most (most recently activated) first, the
// active form and the screen's size.
#pragma once

#include <vector>

#include "framework/core/Component.h"

class TCustomForm;

class TScreen : public TComponent {
    PANTREL_CLASS(TScreen, TComponent)
    explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}

    // A form is listed from its creation until its destruction; new forms go to the end,
    // an activated one to the front.
    int FormCount() const { return static_cast<int>(FForms.size()); }
    TCustomForm* Forms(int Index) const { return FForms.at(size_t(Index)); }
    TCustomForm* ActiveForm() const { return FActiveForm; }
    int Width() const;
    int Height() const;

    // Called by forms.
    void FormCreated(TCustomForm* Form);
    void FormDestroyed(TCustomForm* Form);
    void FormActivated(TCustomForm* Form);

private:
    std::vector<TCustomForm*> FForms;
    TCustomForm* FActiveForm = nullptr;
};

extern TScreen* Screen;
