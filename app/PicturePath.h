// Where a recipe's sample picture is recorded: its path from the program's folder on,
// beginning with the backslash that ends the folder, at most 40 bytes (GBK bytes). The
// program's folder is that of the executable, with its trailing backslash.
#pragma once

#include <string>

constexpr size_t MaxStoredPictureBytes = 40;

// The stored form of a chosen picture, or the reason (shown to the user) why it cannot be
// stored: it lies outside the program's folder, or its stored form would be too long.
struct TStoredPicture {
    bool Accepted = false;
    std::string Value;
    std::string Reason;
};
TStoredPicture StorePicturePath(const std::string& ProgramDir, const std::string& FileName);

// The file a stored value names: the program's folder followed directly by the value.
std::string PictureFileName(const std::string& ProgramDir, const std::string& Stored);

#ifdef _WIN32
// The executable's folder with its trailing backslash.
std::string ProgramFolder();
#endif
