#include "core/byte_scan.h"

#include <cstring>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZAVEZE_X86 1
#endif

namespace zaveze {
namespace {

bool Starts_Container_Name(char c) {
    return c == 'D' || c == 'F' || c == 'G' || c == 'N' || c == 'P' || c == 'S';
}

// Copies the byte at `p` by the rule; false when it needs the caller instead.
bool Copy_One(const char* begin, const char* p, const char* end, char*& cursor) {
    switch (*p) {
        case '\r':
            if (p + 1 == end || p[1] != '\n') {
                return false;
            }
            break;
        case '\n':
            if (p == begin || p[-1] != '\r') {
                *cursor++ = '\r';
            }
            break;
        case '<':
            if (p + 1 == end || Starts_Container_Name(p[1])) {
                return false;
            }
            break;
        default:
            break;
    }
    *cursor++ = *p;
    return true;
}

PlainCopy Copy_Scalar(const char* begin, const char* position, const char* end, char* cursor) {
    while (position < end && Copy_One(begin, position, end, cursor)) {
        ++position;
    }
    return {position, cursor};
}

#if ZAVEZE_X86

// For a window of bytes: which ones stop the copy, and which are lone LFs.
struct WindowMasks {
    unsigned stop;
    unsigned lone_lf;
};

// Each byte is compared with its neighbours through unaligned loads one byte before and after.
WindowMasks Masks_Sse2(const char* p) {
    const auto load = [](const char* at) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at)); };
    const auto is = [](__m128i bytes, char c) { return _mm_cmpeq_epi8(bytes, _mm_set1_epi8(c)); };
    const __m128i here = load(p), next = load(p + 1), previous = load(p - 1);
    const __m128i lone_cr = _mm_andnot_si128(is(next, '\n'), is(here, '\r'));
    const __m128i lone_lf = _mm_andnot_si128(is(previous, '\r'), is(here, '\n'));
    const __m128i name_start = _mm_or_si128(_mm_or_si128(_mm_or_si128(is(next, 'D'), is(next, 'F')),
                                                         _mm_or_si128(is(next, 'G'), is(next, 'N'))),
                                            _mm_or_si128(is(next, 'P'), is(next, 'S')));
    const __m128i tag_start = _mm_and_si128(is(here, '<'), name_start);
    return {static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(lone_cr, tag_start))),
            static_cast<unsigned>(_mm_movemask_epi8(lone_lf))};
}

// Lambdas would not inherit the AVX2 target, so these two are functions of their own.
__attribute__((target("avx2"))) __m256i Load_Avx2(const char* at) {
    return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at));
}
__attribute__((target("avx2"))) __m256i Equal_Avx2(__m256i bytes, char c) {
    return _mm256_cmpeq_epi8(bytes, _mm256_set1_epi8(c));
}

__attribute__((target("avx2"))) WindowMasks Masks_Avx2(const char* p) {
    const auto load = Load_Avx2;
    const auto is = Equal_Avx2;
    const __m256i here = load(p), next = load(p + 1), previous = load(p - 1);
    const __m256i lone_cr = _mm256_andnot_si256(is(next, '\n'), is(here, '\r'));
    const __m256i lone_lf = _mm256_andnot_si256(is(previous, '\r'), is(here, '\n'));
    const __m256i name_start = _mm256_or_si256(_mm256_or_si256(_mm256_or_si256(is(next, 'D'), is(next, 'F')),
                                                               _mm256_or_si256(is(next, 'G'), is(next, 'N'))),
                                               _mm256_or_si256(is(next, 'P'), is(next, 'S')));
    const __m256i tag_start = _mm256_and_si256(is(here, '<'), name_start);
    return {static_cast<unsigned>(_mm256_movemask_epi8(_mm256_or_si256(lone_cr, tag_start))),
            static_cast<unsigned>(_mm256_movemask_epi8(lone_lf))};
}

// Copies up to kWidth bytes with one fixed-size copy; the bytes written beyond `length` are
// overwritten by what follows, or lie in the output's slack.
template <int kWidth>
char* Copy_Short(char* cursor, const char* from, std::ptrdiff_t length) {
    std::memcpy(cursor, from, kWidth);
    return cursor + length;
}

// Windows of kWidth bytes, as long as a whole window more can be read beyond the current one.
template <int kWidth, WindowMasks (*Masks)(const char*)>
PlainCopy Copy_Vectorised(const char* begin, const char* position, const char* end, char* cursor) {
    if (position == begin && position < end) {  // the first window needs a byte before it
        if (!Copy_One(begin, position, end, cursor)) {
            return {position, cursor};
        }
        ++position;
    }
    while (end - position > 2 * kWidth) {
        const WindowMasks masks = Masks(position);
        const int copied = masks.stop != 0 ? __builtin_ctz(masks.stop) : kWidth;
        unsigned lone_lfs = copied == kWidth ? masks.lone_lf : masks.lone_lf & ((1u << copied) - 1);
        const char* from = position;
        while (lone_lfs != 0) {
            const char* lf = position + __builtin_ctz(lone_lfs);
            lone_lfs &= lone_lfs - 1;
            cursor = Copy_Short<kWidth>(cursor, from, lf - from);
            *cursor++ = '\r';
            from = lf;  // the LF itself goes with the next piece
        }
        cursor = Copy_Short<kWidth>(cursor, from, position + copied - from);
        if (masks.stop != 0) {
            return {position + copied, cursor};
        }
        position += kWidth;
    }
    return Copy_Scalar(begin, position, end, cursor);
}

#endif

}  // namespace

PlainCopy Copy_Plain_Bytes(const char* begin, const char* position, const char* end, char* cursor) {
#if ZAVEZE_X86
    static const bool has_avx2 = __builtin_cpu_supports("avx2");
    return has_avx2 ? Copy_Vectorised<32, Masks_Avx2>(begin, position, end, cursor)
                    : Copy_Vectorised<16, Masks_Sse2>(begin, position, end, cursor);
#else
    return Copy_Scalar(begin, position, end, cursor);
#endif
}

const char* Find_Pair(const char* position, const char* end, char first, char second) {
#if ZAVEZE_X86
    const __m128i wanted_first = _mm_set1_epi8(first), wanted_second = _mm_set1_epi8(second);
    for (; end - position > 16; position += 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position + 1));
        const int mask = _mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(here, wanted_first), _mm_cmpeq_epi8(next, wanted_second)));
        if (mask != 0) {
            return position + __builtin_ctz(static_cast<unsigned>(mask));
        }
    }
#endif
    for (; end - position > 1; ++position) {
        if (position[0] == first && position[1] == second) {
            return position;
        }
    }
    return end;
}

}  // namespace zaveze
