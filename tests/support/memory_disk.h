#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "output/disk.h"

namespace zivek::testing {

enum class DiskStep { Create, Write, Close, Read, Remove };

// A disk in memory that logs every file operation and can fail any one of them.
// A failed step changes nothing: a failed create leaves the file as it was, a failed
// write adds nothing, a failed close keeps what was written, a failed remove keeps
// the file.
class MemoryDisk final : public Disk {
  public:
    struct Operation {
        DiskStep step;
        std::filesystem::path file;
        bool operator==(const Operation&) const = default;
    };

    std::map<std::filesystem::path, std::string> files;
    std::vector<Operation> log;

    // The operation with this place in the log fails (0 is the first).
    void failAt(std::size_t operation) { failAt_ = operation; }

    std::unique_ptr<WritableFile> create(const std::filesystem::path& file) override {
        attempt(DiskStep::Create, file);
        files[file].clear();
        return std::make_unique<File>(*this, file);
    }

    void read(const std::filesystem::path& file, std::string& bytes) override {
        attempt(DiskStep::Read, file);
        const auto found = files.find(file);
        if (found == files.end()) throw FileFault{file};
        bytes = found->second;
    }

    void remove(const std::filesystem::path& file) override {
        attempt(DiskStep::Remove, file);
        if (files.erase(file) == 0) throw FileFault{file};
    }

    // The file's bytes, or nothing when the file is not there.
    std::optional<std::string> bytes(const std::filesystem::path& file) const {
        const auto found = files.find(file);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }

  private:
    class File final : public WritableFile {
      public:
        File(MemoryDisk& disk, std::filesystem::path file) : disk_(disk), file_(std::move(file)) {}
        void write(std::string_view bytes) override {
            disk_.attempt(DiskStep::Write, file_);
            disk_.files[file_].append(bytes);
        }
        void close() override { disk_.attempt(DiskStep::Close, file_); }

      private:
        MemoryDisk& disk_;
        std::filesystem::path file_;
    };

    void attempt(DiskStep step, const std::filesystem::path& file) {
        const bool fails = failAt_ == log.size();
        log.push_back({step, file});
        if (fails) throw FileFault{file};
    }

    std::optional<std::size_t> failAt_;
};

}  // namespace zivek::testing
