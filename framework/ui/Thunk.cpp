#include "framework/ui/Thunk.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <new>

void (*ThunkExceptionHandler)() = nullptr;

namespace {

// Thunk code is carved out of executable pages in fixed slots; a page goes back to the
// system when its last slot is freed. Free slots are chained through their first bytes.
constexpr size_t PageSize = 4096;
constexpr size_t SlotSize = 32;

struct TPageHeader {
    size_t Used;
};
constexpr size_t FirstSlot = (sizeof(TPageHeader) + SlotSize - 1) / SlotSize * SlotSize;

std::mutex PoolLock;
void* FreeSlots = nullptr;

unsigned char* PageOf(void* Slot)
{
    return reinterpret_cast<unsigned char*>(reinterpret_cast<uintptr_t>(Slot) & ~uintptr_t(PageSize - 1));
}

void* AllocSlot()
{
    std::lock_guard<std::mutex> Guard(PoolLock);
    if (!FreeSlots) {
        auto* Page = static_cast<unsigned char*>(
            VirtualAlloc(nullptr, PageSize, MEM_RESERVE | MEM_COMMIT, PAGE_EXECUTE_READWRITE));
        if (!Page)
            throw std::bad_alloc();
        reinterpret_cast<TPageHeader*>(Page)->Used = 0;
        for (size_t Offset = PageSize - SlotSize; Offset >= FirstSlot; Offset -= SlotSize) {
            void* Slot = Page + Offset;
            std::memcpy(Slot, &FreeSlots, sizeof FreeSlots);
            FreeSlots = Slot;
        }
    }
    void* Slot = FreeSlots;
    std::memcpy(&FreeSlots, Slot, sizeof FreeSlots);
    reinterpret_cast<TPageHeader*>(PageOf(Slot))->Used++;
    return Slot;
}

void FreeSlot(void* Slot)
{
    std::lock_guard<std::mutex> Guard(PoolLock);
    unsigned char* Page = PageOf(Slot);
    if (--reinterpret_cast<TPageHeader*>(Page)->Used != 0) {
        std::memcpy(Slot, &FreeSlots, sizeof FreeSlots);
        FreeSlots = Slot;
        return;
    }
    // Last slot of its page: unchain the page's other free slots, then release it.
    void** Link = &FreeSlots;
    while (*Link) {
        void* Next;
        std::memcpy(&Next, *Link, sizeof Next);
        if (PageOf(*Link) == Page)
            *Link = Next;
        else
            Link = static_cast<void**>(*Link);
    }
    VirtualFree(Page, 0, MEM_RELEASE);
}

// The code: put the thunk object in place of the window handle (first argument) and jump
// to TThunk::Entry with the other arguments untouched.
void WriteCode(unsigned char* Code, void* Self, void* Target)
{
#if defined(_WIN64)
    const uint64_t SelfValue = reinterpret_cast<uint64_t>(Self);
    const uint64_t TargetValue = reinterpret_cast<uint64_t>(Target);
    Code[0] = 0x48; Code[1] = 0xB9;  // mov rcx, imm64
    std::memcpy(Code + 2, &SelfValue, 8);
    Code[10] = 0x48; Code[11] = 0xB8;  // mov rax, imm64
    std::memcpy(Code + 12, &TargetValue, 8);
    Code[20] = 0xFF; Code[21] = 0xE0;  // jmp rax
#else
    const uint32_t SelfValue = reinterpret_cast<uint32_t>(Self);
    Code[0] = 0xC7; Code[1] = 0x44; Code[2] = 0x24; Code[3] = 0x04;  // mov dword [esp+4], imm32
    std::memcpy(Code + 4, &SelfValue, 4);
    Code[8] = 0xE9;  // jmp rel32
    const int32_t Rel = int32_t(reinterpret_cast<intptr_t>(Target) - reinterpret_cast<intptr_t>(Code + 13));
    std::memcpy(Code + 9, &Rel, 4);
#endif
    FlushInstructionCache(GetCurrentProcess(), Code, SlotSize);
}

} // namespace

TThunk::TThunk(TWndMethod Handler) : FHandler(Handler)
{
    void* Slot = AllocSlot();
    WriteCode(static_cast<unsigned char*>(Slot), this, reinterpret_cast<void*>(&TThunk::Entry));
    FProc = reinterpret_cast<WNDPROC>(Slot);
}

TThunk::~TThunk()
{
    FreeSlot(reinterpret_cast<void*>(FProc));
}

LRESULT CALLBACK TThunk::Entry(HWND Self, UINT Msg, WPARAM WParam, LPARAM LParam)
{
    // A copy: the handler may free the thunk (a form releasing itself).
    const TWndMethod Handler = reinterpret_cast<TThunk*>(Self)->FHandler;
    TMessage Message;
    Message.Msg = Msg;
    Message.WParam = WParam;
    Message.LParam = LParam;
    try {
        Handler(Message);
    } catch (...) {
        if (ThunkExceptionHandler)
            ThunkExceptionHandler();
    }
    return Message.Result;
}

HWND AllocateHWnd(const TThunk& Thunk)
{
    const HINSTANCE Instance = GetModuleHandleA(nullptr);
    const char* const ClassName = "TPUtilWindow";
    WNDCLASSA Class{};
    if (!GetClassInfoA(Instance, ClassName, &Class)) {
        Class.lpfnWndProc = DefWindowProcA;
        Class.hInstance = Instance;
        Class.lpszClassName = ClassName;
        RegisterClassA(&Class);
    }
    // A pop-up style: an overlapped one would be asked for its size limits, which makes the
    // system look at the display several times for a window that never shows.
    const HWND Wnd = CreateWindowExA(0, ClassName, "", WS_POPUP, 0, 0, 0, 0, HWND_MESSAGE, nullptr, Instance, nullptr);
    if (Wnd)
        SetWindowLongPtrA(Wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Thunk.Proc()));
    return Wnd;
}
