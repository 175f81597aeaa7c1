#include "output/line_writer.h"

#include "output/disk.h"
#include "output/number_text.h"

namespace zivek {
namespace {
// Lines reach the file in blocks of about this size.
constexpr std::size_t flushSize = 1 << 16;
}  // namespace

LineWriter::LineWriter(WritableFile& file) : file_(&file) {
    buffer_.reserve(flushSize + 256);
}

LineWriter& LineWriter::number(double value) {
    return number(value, NumberText(value));
}

void LineWriter::line(std::string_view rawLine) {
    buffer_.append(rawLine);
    if (file_ != nullptr && buffer_.size() >= flushSize) flush();
}

LineWriter& LineWriter::text(std::string_view wholeText) {
    // A whole program goes straight to the file rather than through a second copy.
    if (file_ != nullptr && wholeText.size() >= flushSize) {
        flush();
        file_->write(wholeText);
        written_ += wholeText.size();
        return *this;
    }
    return word(wholeText);
}

void LineWriter::endLine() {
    buffer_.append("\r\n");
    if (file_ != nullptr && buffer_.size() >= flushSize) flush();
}

void LineWriter::flush() {
    if (file_ == nullptr) return;
    file_->write(buffer_);
    written_ += buffer_.size();
    buffer_.clear();
}

}  // namespace zivek
