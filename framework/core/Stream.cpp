#include "framework/core/Stream.h"

#include "framework/core/Component.h"
#include "framework/core/Exception.h"

#include <algorithm>
#include <cstring>

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

PANTREL_REGISTER(TStream, TObject)
PANTREL_REGISTER(TMemoryStream, TStream)
PANTREL_REGISTER(TFileStream, TStream)

namespace {

// Moves Count bytes in pieces the platform's calls can take (Step moves one piece at an
// offset and answers how much it moved); stops at the first piece that moves nothing.
template <class TStep>
int64_t TransferInPieces(int64_t Count, TStep Step)
{
    int64_t Total = 0;
    while (Count > 0) {
        const int64_t Done = Step(Total, std::min<int64_t>(Count, 1 << 30));
        if (Done <= 0)
            break;
        Total += Done;
        Count -= Done;
    }
    return Total;
}

} // namespace

int64_t TStream::Size()
{
    int64_t Pos = Seek(0, soFromCurrent);
    int64_t End = Seek(0, soFromEnd);
    Seek(Pos, soFromBeginning);
    return End;
}

void TStream::ReadBuffer(void* Buffer, int64_t Count)
{
    if (Count != 0 && Read(Buffer, Count) != Count)
        throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* Buffer, int64_t Count)
{
    if (Count != 0 && Write(Buffer, Count) != Count)
        throw EWriteError("Stream write error");
}

int64_t TStream::CopyFrom(TStream& Source, int64_t Count)
{
    if (Count == 0) {
        Source.SetPosition(0);
        Count = Source.Size();
    }
    const int64_t Total = Count;
    char Buffer[64 * 1024];
    while (Count > 0) {
        int64_t N = std::min<int64_t>(Count, sizeof Buffer);
        Source.ReadBuffer(Buffer, N);
        WriteBuffer(Buffer, N);
        Count -= N;
    }
    return Total;
}

// --- TMemoryStream ---

int64_t TMemoryStream::Read(void* Buffer, int64_t Count)
{
    int64_t Left = Size() - FPosition;
    if (Count <= 0 || Left <= 0)
        return 0;
    int64_t N = std::min(Count, Left);
    std::memcpy(Buffer, FData.data() + FPosition, static_cast<size_t>(N));
    FPosition += N;
    return N;
}

int64_t TMemoryStream::Write(const void* Buffer, int64_t Count)
{
    if (Count <= 0)
        return 0;
    if (FPosition + Count > Size())
        FData.resize(static_cast<size_t>(FPosition + Count));
    std::memcpy(FData.data() + FPosition, Buffer, static_cast<size_t>(Count));
    FPosition += Count;
    return Count;
}

int64_t TMemoryStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    int64_t Base = Origin == soFromBeginning ? 0 : Origin == soFromCurrent ? FPosition : Size();
    if (Base + Offset < 0)
        throw EStreamError("Invalid stream position");
    FPosition = Base + Offset;
    return FPosition;
}

void TMemoryStream::SetSize(int64_t NewSize)
{
    if (NewSize < 0)
        throw EStreamError("Invalid stream size");
    try {
        FData.resize(static_cast<size_t>(NewSize));
    } catch (const std::bad_alloc&) {
        throw EOutOfResources("Out of memory while expanding memory stream");
    }
    if (FPosition > NewSize)
        FPosition = NewSize;
}

void TMemoryStream::Clear()
{
    FData.clear();
    FData.shrink_to_fit();
    FPosition = 0;
}

void TMemoryStream::LoadFromStream(TStream& Stream)
{
    Stream.SetPosition(0);
    int64_t N = Stream.Size();
    SetSize(N);
    Stream.ReadBuffer(FData.data(), N);
    FPosition = 0;
}

void TMemoryStream::LoadFromFile(const std::string& FileName)
{
    TFileStream File(FileName, fmOpenRead | fmShareDenyWrite);
    LoadFromStream(File);
}

void TMemoryStream::SaveToStream(TStream& Stream) const
{
    Stream.WriteBuffer(FData.data(), static_cast<int64_t>(FData.size()));
}

void TMemoryStream::SaveToFile(const std::string& FileName) const
{
    TFileStream File(FileName, fmCreate);
    SaveToStream(File);
}

// --- TFileStream ---

#ifdef _WIN32
static HANDLE H(intptr_t Handle) { return reinterpret_cast<HANDLE>(Handle); }

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName)
{
    DWORD Access, Creation;
    if (Mode == fmCreate) {
        Access = GENERIC_READ | GENERIC_WRITE;
        Creation = CREATE_ALWAYS;
    } else {
        static const DWORD Accesses[] = {GENERIC_READ, GENERIC_WRITE, GENERIC_READ | GENERIC_WRITE};
        Access = Accesses[std::min(Mode & 3, 2)];
        Creation = OPEN_EXISTING;
    }
    static const DWORD Shares[] = {FILE_SHARE_READ | FILE_SHARE_WRITE, 0, FILE_SHARE_READ,
                                   FILE_SHARE_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE};
    DWORD Share = Mode == fmCreate ? FILE_SHARE_READ : Shares[std::min((Mode & 0xF0) >> 4, 4)];
    HANDLE Handle = CreateFileA(FileName.c_str(), Access, Share, nullptr, Creation,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Handle == INVALID_HANDLE_VALUE) {
        if (Mode == fmCreate)
            throw EFCreateError("Cannot create file \"" + FileName + "\"");
        throw EFOpenError("Cannot open file \"" + FileName + "\"");
    }
    FHandle = reinterpret_cast<intptr_t>(Handle);
}

TFileStream::~TFileStream() { CloseHandle(H(FHandle)); }

int64_t TFileStream::Read(void* Buffer, int64_t Count)
{
    return TransferInPieces(Count, [&](int64_t At, int64_t Want) -> int64_t {
        DWORD Done = 0;
        if (!ReadFile(H(FHandle), static_cast<char*>(Buffer) + At, static_cast<DWORD>(Want), &Done, nullptr))
            return 0;
        return Done;
    });
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count)
{
    return TransferInPieces(Count, [&](int64_t At, int64_t Want) -> int64_t {
        DWORD Done = 0;
        if (!WriteFile(H(FHandle), static_cast<const char*>(Buffer) + At, static_cast<DWORD>(Want), &Done, nullptr))
            return 0;
        return Done;
    });
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    static const DWORD Methods[] = {FILE_BEGIN, FILE_CURRENT, FILE_END};
    LARGE_INTEGER Distance, Result;
    Distance.QuadPart = Offset;
    if (!SetFilePointerEx(H(FHandle), Distance, &Result, Methods[Origin]))
        throw EStreamError("Invalid stream position");
    return Result.QuadPart;
}

void TFileStream::SetSize(int64_t NewSize)
{
    int64_t Pos = Position();
    Seek(NewSize, soFromBeginning);
    if (!SetEndOfFile(H(FHandle)))
        throw EStreamError("Cannot set the size of \"" + FFileName + "\"");
    if (Pos < NewSize)
        Seek(Pos, soFromBeginning);
}

#else

TFileStream::TFileStream(const std::string& FileName, uint16_t Mode) : FFileName(FileName)
{
    int Flags;
    if (Mode == fmCreate) {
        Flags = O_RDWR | O_CREAT | O_TRUNC;
    } else {
        static const int Accesses[] = {O_RDONLY, O_WRONLY, O_RDWR};
        Flags = Accesses[std::min(Mode & 3, 2)];
    }
    int Fd = open(FileName.c_str(), Flags | O_CLOEXEC, 0644);
    if (Fd < 0) {
        if (Mode == fmCreate)
            throw EFCreateError("Cannot create file \"" + FileName + "\"");
        throw EFOpenError("Cannot open file \"" + FileName + "\"");
    }
    FHandle = Fd;
}

TFileStream::~TFileStream() { close(static_cast<int>(FHandle)); }

int64_t TFileStream::Read(void* Buffer, int64_t Count)
{
    return TransferInPieces(Count, [&](int64_t At, int64_t Want) -> int64_t {
        return read(static_cast<int>(FHandle), static_cast<char*>(Buffer) + At, static_cast<size_t>(Want));
    });
}

int64_t TFileStream::Write(const void* Buffer, int64_t Count)
{
    return TransferInPieces(Count, [&](int64_t At, int64_t Want) -> int64_t {
        return write(static_cast<int>(FHandle), static_cast<const char*>(Buffer) + At, static_cast<size_t>(Want));
    });
}

int64_t TFileStream::Seek(int64_t Offset, TSeekOrigin Origin)
{
    static const int Whence[] = {SEEK_SET, SEEK_CUR, SEEK_END};
    off_t R = lseek(static_cast<int>(FHandle), static_cast<off_t>(Offset), Whence[Origin]);
    if (R < 0)
        throw EStreamError("Invalid stream position");
    return R;
}

void TFileStream::SetSize(int64_t NewSize)
{
    if (ftruncate(static_cast<int>(FHandle), static_cast<off_t>(NewSize)) != 0)
        throw EStreamError("Cannot set the size of \"" + FFileName + "\"");
    if (Position() > NewSize)
        Seek(NewSize, soFromBeginning);
}
#endif
