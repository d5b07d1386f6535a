#include "framework/graphics/GraphicsObject.h"

PANTREL_REGISTER(TGraphicsObject, TPersistent)

TGraphicsObject::~TGraphicsObject()
{
    FreeObject();
}

HGDIOBJ TGraphicsObject::ObjectHandle() const
{
    if (!FObject) {
        FObject = CreateObject();
        FOwnsObject = true;
    }
    return FObject;
}

void TGraphicsObject::Changed()
{
    const HGDIOBJ Old = FObject;
    const bool Owned = FOwnsObject;
    FObject = nullptr;
    FOwnsObject = false;
    OnChange(this);
    if (Old && Owned)
        DeleteObject(Old);
}

void TGraphicsObject::AdoptObject(HGDIOBJ Object)
{
    Changed();
    FObject = Object;
    FOwnsObject = false;
}

void TGraphicsObject::FreeObject()
{
    if (FObject && FOwnsObject)
        DeleteObject(FObject);
    FObject = nullptr;
    FOwnsObject = false;
}
