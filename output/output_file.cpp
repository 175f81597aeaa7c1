#include "output/output_file.h"

namespace zivek {

OutputFile::OutputFile(std::filesystem::path file) : path_(std::move(file)) {
    handle_ = std::fopen(path_.string().c_str(), "wb");
    if (handle_ == nullptr) throw FileFault{path_};
}

OutputFile::~OutputFile() {
    if (handle_ != nullptr) std::fclose(handle_);
}

void OutputFile::write(std::string_view text) {
    if (text.empty()) return;
    if (std::fwrite(text.data(), 1, text.size(), handle_) != text.size()) throw FileFault{path_};
}

void OutputFile::close() {
    std::FILE* handle = handle_;
    handle_ = nullptr;
    // A full disk often shows only here, when the last buffered block is written.
    const bool failed = std::fflush(handle) != 0 || std::ferror(handle) != 0;
    if (std::fclose(handle) != 0 || failed) throw FileFault{path_};
}

void OutputFile::truncate(const std::filesystem::path& file) {
    OutputFile(file).close();
}

std::FILE* OutputFile::openForReading(const std::filesystem::path& file) {
    std::FILE* handle = std::fopen(file.string().c_str(), "rb");
    if (handle == nullptr) throw FileFault{file};
    return handle;
}

std::size_t OutputFile::readBlock(std::FILE* handle, char* block, std::size_t size) {
    return std::fread(block, 1, size, handle);
}

void OutputFile::closeAfterReading(std::FILE* handle, const std::filesystem::path& file) {
    const bool failed = std::ferror(handle) != 0;
    if (std::fclose(handle) != 0 || failed) throw FileFault{file};
}

void OutputFile::remove(const std::filesystem::path& file) {
    std::error_code error;
    if (!std::filesystem::remove(file, error) || error) throw FileFault{file};
}

}  // namespace zivek
