#include "framework/core/Persistent.h"

#include "framework/core/Component.h"

PANTREL_REGISTER(TPersistent, TObject)

void TPersistent::Assign(const TPersistent& Source)
{
    Source.AssignTo(*this);
}

void TPersistent::AssignTo(TPersistent& Dest) const
{
    throw EConvertError("Cannot assign a " + ClassName() + " to a " + Dest.ClassName());
}

void TPersistent::DefineProperties(TFiler&) {}
