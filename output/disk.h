#pragma once

#include <filesystem>
#include <functional>
#include <memory>
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
    using Take = std::function<void(std::string_view block)>;

    virtual ~Disk() = default;
    // Creates the file, or cuts an existing one to zero length, open for writing.
    virtual std::unique_ptr<WritableFile> create(const std::filesystem::path& file) = 0;
    // Hands the file's bytes to take, block by block.
    virtual void read(const std::filesystem::path& file, const Take& take) = 0;
    // Deletes the file; a file that is not there is a failure.
    virtual void remove(const std::filesystem::path& file) = 0;
};

// The computer's own file system.
Disk& systemDisk();

}  // namespace zivek
