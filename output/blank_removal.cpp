#include "output/blank_removal.h"

#include <array>
#include <bit>
#include <cstdint>

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define ZIVEK_BLANKS_BY_SHUFFLE 1
#endif

namespace zivek {

std::size_t copyWithoutBlanksBytewise(std::string_view text, char* to) {
    char* const start = to;
    // Branch-free: blanks stand every few characters, so a test per character would
    // mispredict all the time.
    for (const char c : text) {
        *to = c;
        to += (c != ' ');
    }
    return static_cast<std::size_t>(to - start);
}

#ifdef ZIVEK_BLANKS_BY_SHUFFLE
namespace {

// For each pattern of blanks among 8 bytes (bit i set: byte i is a blank), where the
// kept bytes come from, packed to the front, and how many there are.
struct KeepTable {
    alignas(16) std::array<std::array<std::uint8_t, 8>, 256> from;
    std::array<std::uint8_t, 256> kept;
};
constexpr KeepTable keepTable = [] {
    KeepTable table{};
    for (unsigned blanks = 0; blanks < 256; ++blanks) {
        std::uint8_t kept = 0;
        for (std::uint8_t byte = 0; byte < 8; ++byte)
            if ((blanks & (1u << byte)) == 0) table.from[blanks][kept++] = byte;
        table.kept[blanks] = kept;
    }
    return table;
}();

// 16 bytes at a time: each half packed by one byte shuffle, then stored where the kept
// bytes before it end. Each store lies within the 16 bytes already loaded, so removal
// in place is safe.
__attribute__((target("ssse3"))) std::size_t copyWithoutBlanksByShuffle(std::string_view text,
                                                                        char* to) {
    char* const start = to;
    const char* from = text.data();
    const char* const last = from + text.size();
    const __m128i blank = _mm_set1_epi8(' ');
    const __m128i upperHalf = _mm_set_epi64x(0x0808080808080808, 0);
    for (; last - from >= 16; from += 16) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
        const auto blanks = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, blank)));
        const unsigned low = blanks & 0xFF;
        const unsigned high = blanks >> 8;
        const __m128i order = _mm_add_epi8(
            _mm_unpacklo_epi64(
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(keepTable.from[low].data())),
                _mm_loadl_epi64(reinterpret_cast<const __m128i*>(keepTable.from[high].data()))),
            upperHalf);
        const __m128i packed = _mm_shuffle_epi8(bytes, order);
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to), packed);
        to += keepTable.kept[low];
        _mm_storel_epi64(reinterpret_cast<__m128i*>(to), _mm_unpackhi_epi64(packed, packed));
        to += keepTable.kept[high];
    }
    to += copyWithoutBlanksBytewise(std::string_view(from, static_cast<std::size_t>(last - from)),
                                    to);
    return static_cast<std::size_t>(to - start);
}

// 64 bytes at a time where the processor packs bytes by a mask itself: a third of the
// instructions of the shuffle. The packed bytes go to a register and are stored whole,
// within the 64 bytes already loaded as above; the tail goes sixteen at a time.
__attribute__((target("avx512f,avx512bw,avx512vbmi2,popcnt,ssse3"))) std::size_t
copyWithoutBlanksByCompress(std::string_view text, char* to) {
    char* const start = to;
    const char* from = text.data();
    const char* const last = from + text.size();
    const __m512i blank = _mm512_set1_epi8(' ');
    for (; last - from >= 64; from += 64) {
        const __m512i bytes = _mm512_loadu_si512(from);
        const __mmask64 kept = _mm512_cmpneq_epi8_mask(bytes, blank);
        _mm512_storeu_si512(to, _mm512_maskz_compress_epi8(kept, bytes));
        to += std::popcount(static_cast<std::uint64_t>(kept));
    }
    to += copyWithoutBlanksByShuffle(std::string_view(from, static_cast<std::size_t>(last - from)),
                                     to);
    return static_cast<std::size_t>(to - start);
}

using Copy = std::size_t (*)(std::string_view, char*);

Copy fastestCopy() {
    if (__builtin_cpu_supports("avx512vbmi2") && __builtin_cpu_supports("avx512bw"))
        return copyWithoutBlanksByCompress;
    return __builtin_cpu_supports("ssse3") ? copyWithoutBlanksByShuffle : copyWithoutBlanksBytewise;
}

}  // namespace

std::size_t copyWithoutBlanks(std::string_view text, char* to) {
    static const Copy copy = fastestCopy();
    return copy(text, to);
}

#else

std::size_t copyWithoutBlanks(std::string_view text, char* to) {
    return copyWithoutBlanksBytewise(text, to);
}

#endif

}  // namespace zivek
