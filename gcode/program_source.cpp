#include "gcode/program_source.h"

#include <algorithm>

#include "gcode/gcode_words.h"

namespace zivek::gcode {
namespace {

// An o-word's name as one key: "O0100" and "o100" are one program, case is ignored.
std::string lowerName(std::string_view name) {
    std::string s;
    for (const char c : name) s += (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
    const bool digits =
        !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (digits) {
        const auto first = s.find_first_not_of('0');
        s = first == std::string::npos ? "0" : s.substr(first);
    }
    return s;
}

}  // namespace

ProgramSource::ProgramSource(std::string_view text) : text_(text), starts_(lineStarts(text_)) {}

ProgramSource::ProgramSource(std::string&& text)
    : kept_(std::move(text)), text_(kept_), starts_(lineStarts(text_)) {}

std::size_t ProgramSource::lineOfNumber(double n, std::size_t near) {
    if (!numbers_) {
        numbers_.emplace();
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            const std::string_view l = line(i);
            const std::size_t at = l.find_first_not_of(" \t/");
            if (at == std::string_view::npos || (l[at] != 'N' && l[at] != 'n')) continue;
            double v = 0;
            bool ok = false;
            if (readNumber(l.substr(at + 1), v, ok) > 0 && ok)
                numbers_->emplace_back(v, std::uint32_t(i));
        }
        std::sort(numbers_->begin(), numbers_->end());
    }
    const auto& numbers = *numbers_;
    auto it = std::lower_bound(numbers.begin(), numbers.end(), std::pair{n, std::uint32_t(0)});
    const auto first = it;
    while (it != numbers.end() && it->first == n && it->second <= near) ++it;
    if (it != numbers.end() && it->first == n) return it->second;
    if (first != numbers.end() && first->first == n) return first->second;
    return starts_.size();
}

const ProgramSource::Sub* ProgramSource::findSub(std::string_view name) {
    if (!subs_) {
        subs_.emplace();
        std::map<std::string, std::size_t> open;
        OWord o;
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            if (!readOWord(line(i), o)) continue;
            const std::string key = lowerName(o.name);
            if (o.keyword == "sub") {
                open[key] = i;
            } else if (o.keyword == "endsub" && open.count(key)) {
                subs_->try_emplace(key, Sub{open[key] + 1, i});
                open.erase(key);
            } else if (o.keyword.empty()) {
                // A Fanuc subprogram "O1000" runs to its M99.
                subs_->try_emplace(key, Sub{i + 1, starts_.size()});
            }
        }
    }
    const auto it = subs_->find(lowerName(name));
    return it == subs_->end() ? nullptr : &it->second;
}

const ProgramSource::FlowLine* ProgramSource::flowLine(std::size_t index) {
    if (!flowLines_) {
        flowLines_.emplace();
        std::map<std::string, std::size_t> last;
        OWord o;
        for (std::size_t i = 0; i < starts_.size(); ++i) {
            if (!readOWord(line(i), o) || o.keyword.empty()) continue;
            const std::string key = lowerName(o.name);
            const auto it = last.find(key);
            const std::size_t prev = it == last.end() ? kNoLine : it->second;
            if (prev != kNoLine) (*flowLines_)[prev].next = i;
            (*flowLines_)[i] = FlowLine{o.keyword, kNoLine, prev};
            last[key] = i;
        }
    }
    const auto it = flowLines_->find(index);
    return it == flowLines_->end() ? nullptr : &it->second;
}

}  // namespace zivek::gcode
