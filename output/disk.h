#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

namespace zivek {

// A file operation of the press that did not succeed.
struct FileFault {
    std::filesystem::path file;
};

// A file open for writing. Bytes go out as given, so CR LF stays as written on every
// platform. Every failure, the final write-out at close included, throws FileFault.
class WritableFile {
  public:
    virtual ~WritableFile() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual void close() = 0;
};

// The file operations a press needs. The press goes through this rather than the file
// system itself, so that tests can fail any one step and see what it leaves behind.
// Every failure throws FileFault naming the file.
class Disk {
  public:
    virtual ~Disk() = default;
    // Creates the file, or cuts an existing one to zero length, open for writing.
    virtual std::unique_ptr<WritableFile> create(const std::filesystem::path& file) = 0;
    // Puts the file's bytes into `bytes`, in the memory it already has where that is
    // enough: a whole program is read at once, into room made for it before.
    virtual void read(const std::filesystem::path& file, std::string& bytes) = 0;
    // Deletes the file; a file that is not there is a failure.
    virtual void remove(const std::filesystem::path& file) = 0;
};

// The computer's own file system.
Disk& systemDisk();

}  // namespace zivek
