#include "output_box/spare_room.h"

#include <cstdint>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace zivek::windows {
namespace {

std::uintptr_t pageSize() {
#ifdef _WIN32
    SYSTEM_INFO info;
    GetSystemInfo(&info);
    return info.dwPageSize;
#else
    return static_cast<std::uintptr_t>(sysconf(_SC_PAGESIZE));
#endif
}

}  // namespace

void releaseRoomAfter(std::string& text) {
    static const std::uintptr_t page = pageSize();
    // Past the text and its terminating zero, to the end of the room: whole pages only.
    const auto data = reinterpret_cast<std::uintptr_t>(text.data());
    const std::uintptr_t from = (data + text.size() + 1 + page - 1) / page * page;
    const std::uintptr_t to = (data + text.capacity() + 1) / page * page;
    if (from >= to) return;
    void* const room = reinterpret_cast<void*>(from);
    const std::size_t bytes = to - from;
#ifdef _WIN32
    // The contents are of no more use; unlocking pages that are not locked takes them
    // out of the working set, as the documentation of MEM_RESET says.
    if (VirtualAlloc(room, bytes, MEM_RESET, PAGE_READWRITE) != nullptr) VirtualUnlock(room, bytes);
#else
    madvise(room, bytes, MADV_DONTNEED);
#endif
}

}  // namespace zivek::windows
