#pragma once
// TGraphicsObject: the base of fonts, brushes and pens, which own a GDI object made on
// demand and tell their user (a canvas, a control) through OnChange when they change.

#include "framework/core/Delegate.h"
#include "framework/core/Persistent.h"

#include <windows.h>

class TGraphicsObject : public TPersistent {
    PANTREL_CLASS(TGraphicsObject, TPersistent)
    TGraphicsObject() = default;
    ~TGraphicsObject() override;
    TGraphicsObject(const TGraphicsObject&) = delete;
    TGraphicsObject& operator=(const TGraphicsObject&) = delete;

    TNotifyEvent OnChange;

protected:
    // The GDI object, made by CreateObject when first asked for.
    HGDIOBJ ObjectHandle() const;
    virtual HGDIOBJ CreateObject() const = 0;
    // A value changed: OnChange runs while the old object still exists (so a canvas can
    // take it out of its DC), then the old object is deleted.
    void Changed();
    // Takes an object made elsewhere; it is neither deleted nor remade until a value changes.
    void AdoptObject(HGDIOBJ Object);

private:
    void FreeObject();
    mutable HGDIOBJ FObject = nullptr;
    mutable bool FOwnsObject = false;
};
