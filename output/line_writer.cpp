#include "output/line_writer.h"

#include <algorithm>
#include <utility>

#include "output/disk.h"

namespace zivek {
namespace {

std::size_t wholeBlocks(std::size_t bytes) {
    return std::max<std::size_t>(1, (bytes + Piece::block - 1) / Piece::block) * Piece::block;
}

}  // namespace

Piece::Piece(std::string_view text)
    : padded_(wholeBlocks(text.size()), '\0'), length_(text.size()) {
    padded_.replace(0, text.size(), text);
}

LineWriter::LineWriter() : at_(buffer_.data()), end_(at_) {}

LineWriter::LineWriter(WritableFile& file, std::size_t expectedBytes) : LineWriter() {
    file_ = &file;
    buffer_.reserve(expectedBytes);
    at_ = end_ = buffer_.data();
}

LineWriter& LineWriter::number(double value) {
    return number(value, NumberText(value));
}

// The room grows in steps that follow the lines' size, up to 64 KiB at a time: the
// string fills each step with zeros before the lines overwrite it, best while the step
// is still in the cache.
void LineWriter::makeRoom(std::size_t bytes) {
    const std::size_t kept = used();
    const std::size_t step = std::clamp<std::size_t>(kept, 256, std::size_t{1} << 16);
    const std::size_t size = kept + std::max(bytes, step);
    buffer_.resize(kept);  // what lies beyond the lines is not worth moving
    if (size > buffer_.capacity()) buffer_.reserve(std::max(size, 2 * buffer_.capacity()));
    buffer_.resize(size);
    at_ = buffer_.data() + kept;
    end_ = buffer_.data() + size;
}

void LineWriter::flush() {
    if (file_ == nullptr || used() == sent_) return;
    file_->write(buffered().substr(sent_));
    sent_ = used();
}

std::string LineWriter::release() {
    buffer_.resize(used());
    std::string lines = std::move(buffer_);
    buffer_.clear();
    at_ = end_ = buffer_.data();
    sent_ = 0;
    return lines;
}

}  // namespace zivek
