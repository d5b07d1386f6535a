// TPersistent: objects that can be assigned from one another and stream extra (binary)
// properties through a filer; TFiler is what a design reader hands them.
#pragma once

#include "framework/core/Object.h"

#include <functional>
#include <string>

class TStream;

// Receives a class's non-published stored properties (DefineProperties). The reader calls
// ReadData with a stream positioned at the block's first byte; the block's length is the
// stream's size.
class TFiler {
public:
    using TStreamProc = std::function<void(TStream&)>;
    virtual ~TFiler() = default;
    virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData,
                                      TStreamProc WriteData, bool HasData) = 0;
};

class TPersistent : public TObject {
    PANTREL_CLASS(TPersistent, TObject)
    // Copies Source into this object; raises EConvertError "Cannot assign a X to a Y"
    // when neither side knows the other.
    virtual void Assign(const TPersistent& Source);
    virtual void DefineProperties(TFiler& Filer);

protected:
    // Called by Assign when this class does not know Source: lets Source copy itself.
    virtual void AssignTo(TPersistent& Dest) const;
};
