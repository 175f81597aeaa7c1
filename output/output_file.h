#pragma once

#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace zivek {

// A file operation of the press that did not succeed.
struct FileFault {
    std::filesystem::path file;
};

// A file open for writing in binary mode, so that CR LF stays as written on every
// platform. Every failure, the final flush and close included, throws FileFault.
class OutputFile {
  public:
    explicit OutputFile(std::filesystem::path file);
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    void write(std::string_view text);
    void close();

    // Creates the file or cuts it to zero length, and closes it at once.
    static void truncate(const std::filesystem::path& file);
    // Hands the file's bytes to take block by block.
    template <typename Take>
    static void read(const std::filesystem::path& file, Take take);
    static void remove(const std::filesystem::path& file);

  private:
    static std::FILE* openForReading(const std::filesystem::path& file);
    static std::size_t readBlock(std::FILE* handle, char* block, std::size_t size);
    static void closeAfterReading(std::FILE* handle, const std::filesystem::path& file);

    std::filesystem::path path_;
    std::FILE* handle_ = nullptr;
};

template <typename Take>
void OutputFile::read(const std::filesystem::path& file, Take take) {
    std::FILE* handle = openForReading(file);
    char block[1 << 16];
    try {
        while (const std::size_t got = readBlock(handle, block, sizeof block))
            take(std::string_view(block, got));
    } catch (...) {
        std::fclose(handle);  // the caller's failure, not the file's
        throw;
    }
    closeAfterReading(handle, file);
}

}  // namespace zivek
