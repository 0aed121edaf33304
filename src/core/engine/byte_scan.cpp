// SPDX-License-Identifier: MIT
#include "core/engine/byte_scan.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "core/engine/container_tags.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#define ZAVEZE_X86 1
#endif

namespace zaveze {
namespace {

// Whether the bytes at `p` (a "<") may start a container tag: they do, or `end` cuts them short
// of telling.
bool May_Start_Container_Tag(const char* p, const char* end) {
    return Match_Container_Tag(std::string_view(p, static_cast<std::size_t>(end - p))).match !=
           TagMatch::None;
}

// Copies the byte at `p` by the rule; false when it needs the caller instead.
bool Copy_One(const char* begin, const char* p, const char* end, char*& cursor) {
    switch (*p) {
        case '\r':
            if (p + 1 == end) {
                return false;
            }
            *cursor++ = '\r';
            if (p[1] != '\n') {
                *cursor++ = '\n';
            }
            return true;
        case '\n':
            if (p == begin || p[-1] != '\r') {
                *cursor++ = '\r';
            }
            break;
        case '<':
            if (May_Start_Container_Tag(p, end)) {
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

// For a window of bytes, one bit a byte: lone CRs, lone LFs, and "<" followed by the first
// letter of a container tag (D, F, G, N, P, S). Each byte is compared with its neighbours
// through unaligned loads one byte before and after.
struct WindowMasks {
    unsigned lone_cr;
    unsigned lone_lf;
    unsigned tag_start;
};

#define ZAVEZE_WINDOW_MASKS(V, LOAD, EQ, OR, AND, ANDNOT, MOVEMASK)                      \
    const V here = LOAD(p), next = LOAD(p + 1), previous = LOAD(p - 1);                  \
    const V name_start =                                                                 \
        OR(OR(OR(EQ(next, 'D'), EQ(next, 'F')), OR(EQ(next, 'G'), EQ(next, 'N'))),       \
           OR(EQ(next, 'P'), EQ(next, 'S')));                                            \
    return {static_cast<unsigned>(MOVEMASK(ANDNOT(EQ(next, '\n'), EQ(here, '\r')))),     \
            static_cast<unsigned>(MOVEMASK(ANDNOT(EQ(previous, '\r'), EQ(here, '\n')))), \
            static_cast<unsigned>(MOVEMASK(AND(EQ(here, '<'), name_start)))};

#define ZAVEZE_SSE2_LOAD(at) _mm_loadu_si128(reinterpret_cast<const __m128i*>(at))
#define ZAVEZE_SSE2_EQ(v, c) _mm_cmpeq_epi8(v, _mm_set1_epi8(c))
inline WindowMasks Masks_Sse2(const char* p) {
    ZAVEZE_WINDOW_MASKS(__m128i, ZAVEZE_SSE2_LOAD, ZAVEZE_SSE2_EQ, _mm_or_si128, _mm_and_si128,
                        _mm_andnot_si128, _mm_movemask_epi8)
}

#define ZAVEZE_AVX2_LOAD(at) _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at))
#define ZAVEZE_AVX2_EQ(v, c) _mm256_cmpeq_epi8(v, _mm256_set1_epi8(c))
__attribute__((target("avx2"))) inline WindowMasks Masks_Avx2(const char* p) {
    ZAVEZE_WINDOW_MASKS(__m256i, ZAVEZE_AVX2_LOAD, ZAVEZE_AVX2_EQ, _mm256_or_si256,
                        _mm256_and_si256, _mm256_andnot_si256, _mm256_movemask_epi8)
}

char* Put_Line_Break(char* cursor) {
    cursor[0] = '\r';
    cursor[1] = '\n';
    return cursor + 2;
}

// Copies a piece of at most kWidth bytes with one fixed-size copy; the bytes written beyond
// `length` are overwritten by what follows, or lie in the output's slack.
template <int kWidth>
[[gnu::always_inline]] inline char* Copy_Piece(char* cursor, const char* from, const char* to) {
    std::memcpy(cursor, from, kWidth);
    return cursor + (to - from);
}

// Windows of kWidth bytes, while a whole window more can be read beyond the current one, so
// every look at a byte's neighbours and every tag comparison stays within `end`.
template <int kWidth, WindowMasks (*Masks)(const char*)>
[[gnu::always_inline]] inline PlainCopy Copy_Windows(const char* begin, const char* position,
                                                     const char* end, char* cursor) {
    if (position == begin && position < end) {  // the first window needs a byte before it
        if (!Copy_One(begin, position, end, cursor)) {
            return {position, cursor};
        }
        ++position;
    }
    while (end - position > std::ptrdiff_t{2} * kWidth) {
        const WindowMasks masks = Masks(position);
        unsigned events = masks.lone_cr | masks.lone_lf | masks.tag_start;
        const char* from = position;  // copied up to here
        const char* after_tag = nullptr;
        while (events != 0) {
            const unsigned bit = events & -events;
            events &= events - 1;
            const char* at = position + __builtin_ctz(bit);
            if ((masks.tag_start & bit) != 0) {
                const auto [match, tag] =
                    Match_Container_Tag(std::string_view(at, static_cast<std::size_t>(end - at)));
                if (match == TagMatch::None) {
                    continue;
                }
                cursor = Copy_Piece<kWidth>(cursor, from, at);
                if (match == TagMatch::Partial) {
                    return {at, cursor};
                }
                // The tag on a line of its own; the window starts again behind it.
                cursor = Put_Line_Break(cursor);
                std::memcpy(cursor, tag.data(), tag.size());
                cursor = Put_Line_Break(cursor + tag.size());
                after_tag = at + tag.size();
                break;
            } else if ((masks.lone_lf & bit) != 0) {
                cursor = Copy_Piece<kWidth>(cursor, from, at);
                *cursor++ = '\r';
                from = at;  // the LF goes with the next piece
            } else {
                cursor = Copy_Piece<kWidth>(cursor, from, at + 1);
                *cursor++ = '\n';  // after the lone CR
                from = at + 1;
            }
        }
        if (after_tag != nullptr) {
            position = after_tag;
            continue;
        }
        cursor = Copy_Piece<kWidth>(cursor, from, position + kWidth);
        position += kWidth;
    }
    return Copy_Scalar(begin, position, end, cursor);
}

PlainCopy Copy_Sse2(const char* begin, const char* position, const char* end, char* cursor) {
    return Copy_Windows<16, Masks_Sse2>(begin, position, end, cursor);
}

__attribute__((target("avx2"))) PlainCopy Copy_Avx2(const char* begin, const char* position,
                                                    const char* end, char* cursor) {
    return Copy_Windows<32, Masks_Avx2>(begin, position, end, cursor);
}

#endif

}  // namespace

bool Has_Vector_Unit(VectorUnit unit) {
#if ZAVEZE_X86
    static const bool has_avx2 = __builtin_cpu_supports("avx2");
    return unit != VectorUnit::Avx2 || has_avx2;
#else
    return unit == VectorUnit::None;
#endif
}

PlainCopy Copy_Plain_Bytes_Using(VectorUnit unit, const char* begin, const char* position,
                                 const char* end, char* cursor) {
#if ZAVEZE_X86
    switch (unit) {
        case VectorUnit::Avx2:
            return Copy_Avx2(begin, position, end, cursor);
        case VectorUnit::Sse2:
            return Copy_Sse2(begin, position, end, cursor);
        case VectorUnit::None:
            break;
    }
#else
    (void)unit;
#endif
    return Copy_Scalar(begin, position, end, cursor);
}

PlainCopy Copy_Plain_Bytes(const char* begin, const char* position, const char* end, char* cursor) {
    static const VectorUnit best = Has_Vector_Unit(VectorUnit::Avx2)   ? VectorUnit::Avx2
                                   : Has_Vector_Unit(VectorUnit::Sse2) ? VectorUnit::Sse2
                                                                       : VectorUnit::None;
    return Copy_Plain_Bytes_Using(best, begin, position, end, cursor);
}

#if ZAVEZE_X86
namespace {

// 32 bytes a step: the time-data scan reads every byte of the input.
__attribute__((target("avx2"))) const char* Find_Pair_Avx2(const char* position, const char* end,
                                                           char first, char second) {
    const __m256i wanted_first = _mm256_set1_epi8(first), wanted_second = _mm256_set1_epi8(second);
    for (; end - position > 32; position += 32) {
        const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(position));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(position + 1));
        const unsigned mask = static_cast<unsigned>(_mm256_movemask_epi8(_mm256_and_si256(
            _mm256_cmpeq_epi8(here, wanted_first), _mm256_cmpeq_epi8(next, wanted_second))));
        if (mask != 0) {
            return position + __builtin_ctz(mask);
        }
    }
    return position;
}

}  // namespace
#endif

const char* Find_Pair(const char* position, const char* end, char first, char second) {
#if ZAVEZE_X86
    if (Has_Vector_Unit(VectorUnit::Avx2)) {
        position = Find_Pair_Avx2(position, end, first, second);
        if (end - position > 32) {
            return position;  // found
        }
    }
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
