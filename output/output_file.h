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
    static std::string readAll(const std::filesystem::path& file);
    static void remove(const std::filesystem::path& file);

private:
    std::filesystem::path path_;
    std::FILE* handle_ = nullptr;
};

}  // namespace zivek
