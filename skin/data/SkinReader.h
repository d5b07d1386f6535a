#pragma once
// Opens a skin: decompresses the container into memory, checks its format mark, keeps its
// directory and hands out single entries (the description, the bitmaps) by name.
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Stream.h"
#include "framework/core/Strings.h"

// Shown when a container carries another format mark than the current one.
extern const char* const SkinOlderFormatMessage;

class TSkinReader : public TObject {
    PANTREL_CLASS(TSkinReader, TObject)
public:
    static constexpr int32_t CurrentMark = 20000;
    static constexpr int32_t MaxEntries = 1000;
    static constexpr int32_t MaxUnpackedSize = 64 * 1024 * 1024;

    TStringList* Names;    // lower-cased entry names; owned
    int32_t Count = 0;
    int32_t Sizes[MaxEntries + 1] = {};
    TMemoryStream* Data;   // the entry data area; owned
    int32_t Mark = 0;
    int32_t NamesLength = 0;
    int32_t Reserved1 = 0;
    int32_t Reserved2 = 0;

    // Tells the user about a container of an older format (the program's message box).
    std::function<void(const std::string& Text)> ShowMessage;

    TSkinReader();
    ~TSkinReader() override;
    TSkinReader(const TSkinReader&) = delete;
    TSkinReader& operator=(const TSkinReader&) = delete;

    // True when the container is in the current format and its directory is sound.
    // Oversized, truncated or inconsistent containers are refused without a word.
    bool Open(TMemoryStream& Source);
    // Decompresses Source into Destination; false (nothing decoded) when the declared size
    // is missing, negative or above MaxUnpackedSize.
    static bool Unpack(TMemoryStream& Source, TMemoryStream& Destination);
    // Copies the entry of that name (any ASCII letter case) into Destination, positioned
    // at 0; Destination stays empty when there is none.
    void ExtractByName(const std::string& Name, TMemoryStream& Destination);
    // The same entry's bytes where they lie in Data, without a copy; empty when there is
    // none. Valid until the reader is opened again or freed.
    std::string_view EntryByName(const std::string& Name) const;
    // Copies the first entry whose lower-cased name contains Text and gives its name.
    void ExtractByPart(const std::string& Text, TMemoryStream& Destination, std::string& EntryName);

private:
    // Reads the directory at the front of Data and leaves only the entries there.
    bool LoadDirectory();
    int FindEntry(const std::function<bool(const std::string&)>& Matches) const;
    std::string_view Entry(int Index) const;
    void CopyEntry(int Index, TMemoryStream& Destination);

    std::vector<std::string> FNames;  // Names again, read without copying each name
};
