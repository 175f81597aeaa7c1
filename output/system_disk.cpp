#include <cstdio>
#include <string>

#include "output/disk.h"

namespace zivek {
namespace {

// Binary mode everywhere: the press writes its own CR LF line ends.
std::FILE* open(const std::filesystem::path& file, const char* mode) {
#ifdef _WIN32
    const std::wstring wideMode(mode, mode + std::char_traits<char>::length(mode));
    return _wfopen(file.c_str(), wideMode.c_str());
#else
    return std::fopen(file.c_str(), mode);
#endif
}

class SystemFile final : public WritableFile {
  public:
    explicit SystemFile(const std::filesystem::path& file)
        : path_(file), handle_(open(file, "wb")) {
        if (handle_ == nullptr) throw FileFault{path_};
    }
    ~SystemFile() override {
        if (handle_ != nullptr) std::fclose(handle_);
    }
    SystemFile(const SystemFile&) = delete;
    SystemFile& operator=(const SystemFile&) = delete;

    void write(std::string_view bytes) override {
        if (bytes.empty()) return;
        if (std::fwrite(bytes.data(), 1, bytes.size(), handle_) != bytes.size())
            throw FileFault{path_};
    }

    void close() override {
        std::FILE* handle = handle_;
        handle_ = nullptr;
        // A full disk often shows only here, when the last buffered block is written.
        const bool failed = std::fflush(handle) != 0 || std::ferror(handle) != 0;
        if (std::fclose(handle) != 0 || failed) throw FileFault{path_};
    }

  private:
    std::filesystem::path path_;
    std::FILE* handle_;
};

class SystemDisk final : public Disk {
  public:
    std::unique_ptr<WritableFile> create(const std::filesystem::path& file) override {
        return std::make_unique<SystemFile>(file);
    }

    void read(const std::filesystem::path& file, std::string& bytes) override {
        std::FILE* handle = open(file, "rb");
        if (handle == nullptr) throw FileFault{file};
        // The size the file has now, and one byte more, so that the first read finds
        // its end; a file that grows meanwhile is read to its end all the same.
        std::error_code error;
        const auto size = std::filesystem::file_size(file, error);
        bytes.resize(error ? std::size_t{1} << 16 : static_cast<std::size_t>(size) + 1);
        std::size_t got = 0;
        while (const std::size_t more =
                   std::fread(bytes.data() + got, 1, bytes.size() - got, handle)) {
            got += more;
            if (got == bytes.size()) bytes.resize(2 * bytes.size());
        }
        bytes.resize(got);
        const bool failed = std::ferror(handle) != 0;
        if (std::fclose(handle) != 0 || failed) throw FileFault{file};
    }

    void remove(const std::filesystem::path& file) override {
        std::error_code error;
        if (!std::filesystem::remove(file, error) || error) throw FileFault{file};
    }
};

}  // namespace

Disk& systemDisk() {
    static SystemDisk disk;
    return disk;
}

}  // namespace zivek
