// Byte streams: TStream (abstract), TMemoryStream (a growable buffer) and TFileStream.
// Sizes and positions are 64-bit; file names are GBK.
#pragma once

#include "framework/core/Object.h"

#include <cstdint>
#include <string>
#include <vector>

enum TSeekOrigin { soFromBeginning, soFromCurrent, soFromEnd };

class TStream : public TObject {
    PANTREL_CLASS(TStream, TObject)
    // Read and Write transfer what they can and return the count.
    virtual int64_t Read(void* Buffer, int64_t Count) = 0;
    virtual int64_t Write(const void* Buffer, int64_t Count) = 0;
    // Returns the new position; raises EStreamError for a position before the start.
    virtual int64_t Seek(int64_t Offset, TSeekOrigin Origin) = 0;
    virtual int64_t Size();
    virtual void SetSize(int64_t NewSize) = 0;

    int64_t Position() { return Seek(0, soFromCurrent); }
    void SetPosition(int64_t Pos) { Seek(Pos, soFromBeginning); }
    // Raise EReadError "Stream read error" / EWriteError "Stream write error" on a short transfer.
    void ReadBuffer(void* Buffer, int64_t Count);
    void WriteBuffer(const void* Buffer, int64_t Count);
    // Copies Count bytes from Source's position, or all of Source from its start when
    // Count is 0; returns the count.
    int64_t CopyFrom(TStream& Source, int64_t Count);
};

class TMemoryStream : public TStream {
    PANTREL_CLASS(TMemoryStream, TStream)
    TMemoryStream() = default;
    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    int64_t Size() override { return static_cast<int64_t>(FData.size()); }
    void SetSize(int64_t NewSize) override;   // keeps the position unless beyond the end

    const uint8_t* Memory() const { return FData.data(); }
    uint8_t* Memory() { return FData.data(); }
    const std::vector<uint8_t>& Bytes() const { return FData; }
    void Clear();
    // Replace the contents with the whole of Stream / of the file; position 0 afterwards.
    void LoadFromStream(TStream& Stream);
    void LoadFromFile(const std::string& FileName);
    void SaveToStream(TStream& Stream) const;
    void SaveToFile(const std::string& FileName) const;

private:
    std::vector<uint8_t> FData;
    int64_t FPosition = 0;
};

// Open modes: one access mode, optionally or-ed with a share mode; fmCreate creates or
// truncates for writing.
enum : uint16_t {
    fmOpenRead = 0x0000, fmOpenWrite = 0x0001, fmOpenReadWrite = 0x0002,
    fmShareCompat = 0x0000, fmShareExclusive = 0x0010, fmShareDenyWrite = 0x0020,
    fmShareDenyRead = 0x0030, fmShareDenyNone = 0x0040,
    fmCreate = 0xFF00
};

class TFileStream : public TStream {
    PANTREL_CLASS(TFileStream, TStream)
    // Raises EFOpenError "Cannot open file \"name\"" (EFCreateError for fmCreate).
    TFileStream(const std::string& FileName, uint16_t Mode);
    ~TFileStream() override;
    TFileStream(const TFileStream&) = delete;
    TFileStream& operator=(const TFileStream&) = delete;

    int64_t Read(void* Buffer, int64_t Count) override;
    int64_t Write(const void* Buffer, int64_t Count) override;
    int64_t Seek(int64_t Offset, TSeekOrigin Origin) override;
    void SetSize(int64_t NewSize) override;
    const std::string& FileName() const { return FFileName; }

private:
    std::string FFileName;
    intptr_t FHandle;   // a HANDLE on Windows, a file descriptor elsewhere
};
