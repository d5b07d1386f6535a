// A system library loaded on first use instead of at program load. The file dialog and the
// shell bring a dozen more libraries with them under Wine; most runs never need them, so
// they stay out of the import table and cost nothing at start-up.
#pragma once

#include <string>

#include <windows.h>

#include "framework/core/Exception.h"

class TSystemLibrary {
public:
    explicit TSystemLibrary(const char* FileName) : FFileName(FileName) {}
    ~TSystemLibrary()
    {
        if (FModule)
            FreeLibrary(FModule);
    }
    TSystemLibrary(const TSystemLibrary&) = delete;
    TSystemLibrary& operator=(const TSystemLibrary&) = delete;

    // The library's function of that name, typed as the declaration given (use
    // decltype(::Name)); the library is loaded by the first call. Raises EOutOfResources
    // when the library or the function is missing.
    template<class TFunction>
    TFunction* Function(const char* Name)
    {
        if (!FModule)
            FModule = LoadLibraryA(FFileName);
        if (!FModule)
            throw EOutOfResources(std::string("Cannot load ") + FFileName);
        const FARPROC Address = GetProcAddress(FModule, Name);
        if (!Address)
            throw EOutOfResources(std::string("Cannot find ") + Name + " in " + FFileName);
        // Through void*: the real type is the one the caller declared.
        return reinterpret_cast<TFunction*>(reinterpret_cast<void*>(Address));
    }

private:
    const char* FFileName;
    HMODULE FModule = nullptr;
};
