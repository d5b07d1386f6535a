#pragma once
// The uncompressed skin container as the skin tools see it: a list of named entries
// (one description .ini and its bitmaps) laid out as mark, names text, sizes and data.
#include <cstdint>
#include <string>
#include <vector>

struct TSkinEntry {
    std::string Name;
    std::string Bytes;
};

class TSkinContainer {
public:
    std::vector<TSkinEntry> Entries;
    int32_t Mark = 20000;

    // The container bytes: header, names text (lines ended by CR LF), sizes, data.
    std::string Build() const;
    // Reads a container; raises std::runtime_error when it does not hold together.
    static TSkinContainer Parse(const std::string& Bytes);
};
