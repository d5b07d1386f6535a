#pragma once
// skintool info: loads a skin file through the program's skin component and prints what
// it holds as one JSON object keyed by the component's and the elements' field names.
#include <string>

// 0 when the skin loaded; otherwise the reader's message (or why it was refused) goes to
// the error output and the result is 1.
int PrintSkinInfo(const std::string& Path);
