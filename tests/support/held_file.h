#pragma once

#ifdef _WIN32
#include <windows.h>

#include <filesystem>
#include <stdexcept>

namespace zivek::testing {

// A file kept open with no sharing, as another program may hold it: every other open of
// it fails until this closes. Windows' own way for a file to refuse writes (a read-only
// file does not, where the tests run with administrator rights).
class HeldFile {
  public:
    explicit HeldFile(const std::filesystem::path& file)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot hold the file");
    }
    ~HeldFile() { CloseHandle(handle_); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

  private:
    HANDLE handle_;
};

}  // namespace zivek::testing
#endif
