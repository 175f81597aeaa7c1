#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include "output/number_text.h"

namespace zivek {

class WritableFile;

// The end of every line: carriage return and line feed.
inline constexpr std::string_view lineEnd = "\r\n";

// Text prepared once and written many times (a line that repeats pass after pass),
// kept with room after it so that it is copied in whole blocks.
class Piece {
  public:
    static constexpr std::size_t block = 16;

    explicit Piece(std::string_view text);
    std::string_view view() const { return std::string_view(padded_).substr(0, length_); }
    // The bytes the copy takes: the text rounded up to whole blocks.
    std::size_t paddedSize() const { return padded_.size(); }
    std::size_t size() const { return length_; }
    const char* data() const { return padded_.data(); }

  private:
    std::string padded_;
    std::size_t length_;
};

// Builds program lines item by item in their raw text: a fixed word as it stands, a
// number as its sign position ("-" or a blank), its number text and one blank. Each
// line ends with CR LF. The lines stay in memory; with a file, flush sends those not
// sent yet, so that a whole program goes out in one write (every write costs the file
// system far more than its bytes).
class LineWriter {
  public:
    LineWriter();
    // expectedBytes: room made at once, so that a large program is not moved as it grows.
    explicit LineWriter(WritableFile& file, std::size_t expectedBytes = 0);
    LineWriter(const LineWriter&) = delete;
    LineWriter& operator=(const LineWriter&) = delete;

    LineWriter& word(std::string_view fixedWord) {
        room(fixedWord.size());
        // Most words are a few letters, for which a call to memcpy costs more than the
        // copy.
        if (fixedWord.size() <= 8) {
            char* at = at_;  // as in number()
            for (const char c : fixedWord) *at++ = c;
            at_ = at;
        } else {
            std::memcpy(at_, fixedWord.data(), fixedWord.size());
            at_ += fixedWord.size();
        }
        return *this;
    }
    LineWriter& number(double value);
    // The number value whose magnitude's text is already at hand.
    LineWriter& number(double value, const NumberText& magnitude) {
        room(NumberText::paddedSize + 2);
        // Through a local pointer: a store through char* may change any member, so the
        // compiler would read at_ again after each one.
        char* at = at_;
        const std::size_t size = magnitude.size();
        *at = value < 0 ? '-' : ' ';
        magnitude.copyTo(at + 1);
        at[1 + size] = ' ';
        at_ = at + size + 2;
        return *this;
    }
    // The integer 0 of G0X0Y0 and G0X0Z0: written as the number 0.
    LineWriter& zero() { return word(" 0 "); }
    LineWriter& piece(const Piece& prepared) {
        const std::size_t padded = prepared.paddedSize();
        room(padded);
        char* const at = at_;  // as in number()
        const char* const from = prepared.data();
        for (std::size_t offset = 0; offset < padded; offset += Piece::block)
            std::memcpy(at + offset, from + offset, Piece::block);
        at_ = at + prepared.size();
        return *this;
    }
    LineWriter& endLine() { return word(lineEnd); }

    // Sends the lines not sent yet to the file.
    void flush();
    // Bytes sent to the file so far.
    std::uint64_t written() const { return static_cast<std::uint64_t>(sent_); }
    // The raw text of all lines written.
    std::string_view buffered() const { return {buffer_.data(), used()}; }
    // The memory of the lines, holding all of them, for the caller to reuse; the
    // writer is left empty.
    std::string release();

  private:
    std::size_t used() const { return static_cast<std::size_t>(at_ - buffer_.data()); }
    void room(std::size_t bytes) {
        if (static_cast<std::size_t>(end_ - at_) < bytes) makeRoom(bytes);
    }
    void makeRoom(std::size_t bytes);

    // Its size is the room made so far, of which the lines fill the first used() bytes.
    std::string buffer_;
    char* at_ = nullptr;
    char* end_ = nullptr;
    WritableFile* file_ = nullptr;
    std::size_t sent_ = 0;
};

}  // namespace zivek
