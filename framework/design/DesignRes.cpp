#include "framework/design/DesignReader.h"

#include "framework/core/Exception.h"

#include <windows.h>

void ReadComponentRes(const std::string& ResourceName, TComponent* Root)
{
    HMODULE Module = GetModuleHandleA(nullptr);
    HRSRC Info = FindResourceA(Module, ResourceName.c_str(), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    HGLOBAL Data = Info ? LoadResource(Module, Info) : nullptr;
    const void* Bytes = Data ? LockResource(Data) : nullptr;
    if (!Bytes)
        throw EDesignError(ResourceName + ": design resource not found");
    ReadComponentText(std::string(static_cast<const char*>(Bytes), SizeofResource(Module, Info)),
                      Root, ResourceName);
}
