#include "core/byte_scan.h"

#if defined(__SSE2__)
#include <immintrin.h>
#endif

namespace zaveze {
namespace {

bool Starts_Container_Name(char c) {
    return c == 'D' || c == 'F' || c == 'G' || c == 'N' || c == 'P' || c == 'S';
}

bool Is_Special_At(const char* begin, const char* p, const char* end) {
    switch (*p) {
        case '\r':
            return p + 1 == end || p[1] != '\n';
        case '\n':
            return p == begin || p[-1] != '\r';
        case '<':
            return p + 1 == end || Starts_Container_Name(p[1]);
        default:
            return false;
    }
}

const char* Find_Scalar(const char* begin, const char* position, const char* end) {
    while (position < end && !Is_Special_At(begin, position, end)) {
        ++position;
    }
    return position;
}

}  // namespace

#if defined(__SSE2__)

namespace {

// Sixteen bytes at a time; each byte is compared with its neighbours through unaligned loads
// one byte before and after, so the loop needs one readable byte on either side.
const char* Find_Next_Special_Sse2(const char* begin, const char* position, const char* end) {
    const __m128i cr = _mm_set1_epi8('\r'), lf = _mm_set1_epi8('\n'), lt = _mm_set1_epi8('<');
    const __m128i d = _mm_set1_epi8('D'), f = _mm_set1_epi8('F'), g = _mm_set1_epi8('G');
    const __m128i n = _mm_set1_epi8('N'), p = _mm_set1_epi8('P'), s = _mm_set1_epi8('S');
    while (end - position > 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position + 1));
        const __m128i previous = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position - 1));
        const __m128i lone_cr = _mm_andnot_si128(_mm_cmpeq_epi8(next, lf), _mm_cmpeq_epi8(here, cr));
        const __m128i lone_lf = _mm_andnot_si128(_mm_cmpeq_epi8(previous, cr), _mm_cmpeq_epi8(here, lf));
        const __m128i name_start =
            _mm_or_si128(_mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(next, d), _mm_cmpeq_epi8(next, f)),
                                      _mm_or_si128(_mm_cmpeq_epi8(next, g), _mm_cmpeq_epi8(next, n))),
                         _mm_or_si128(_mm_cmpeq_epi8(next, p), _mm_cmpeq_epi8(next, s)));
        const __m128i tag_start = _mm_and_si128(_mm_cmpeq_epi8(here, lt), name_start);
        const int mask = _mm_movemask_epi8(_mm_or_si128(_mm_or_si128(lone_cr, lone_lf), tag_start));
        if (mask != 0) {
            return position + __builtin_ctz(static_cast<unsigned>(mask));
        }
        position += 16;
    }
    return Find_Scalar(begin, position, end);
}

// The same with 32 bytes at a time, for processors that have AVX2.
__attribute__((target("avx2"))) const char* Find_Next_Special_Avx2(const char* begin, const char* position,
                                                                    const char* end) {
    const __m256i cr = _mm256_set1_epi8('\r'), lf = _mm256_set1_epi8('\n'), lt = _mm256_set1_epi8('<');
    const __m256i d = _mm256_set1_epi8('D'), f = _mm256_set1_epi8('F'), g = _mm256_set1_epi8('G');
    const __m256i n = _mm256_set1_epi8('N'), p = _mm256_set1_epi8('P'), s = _mm256_set1_epi8('S');
    while (end - position > 32) {
        const __m256i here = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(position));
        const __m256i next = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(position + 1));
        const __m256i previous = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(position - 1));
        const __m256i lone_cr = _mm256_andnot_si256(_mm256_cmpeq_epi8(next, lf), _mm256_cmpeq_epi8(here, cr));
        const __m256i lone_lf = _mm256_andnot_si256(_mm256_cmpeq_epi8(previous, cr), _mm256_cmpeq_epi8(here, lf));
        const __m256i name_start = _mm256_or_si256(
            _mm256_or_si256(_mm256_or_si256(_mm256_cmpeq_epi8(next, d), _mm256_cmpeq_epi8(next, f)),
                            _mm256_or_si256(_mm256_cmpeq_epi8(next, g), _mm256_cmpeq_epi8(next, n))),
            _mm256_or_si256(_mm256_cmpeq_epi8(next, p), _mm256_cmpeq_epi8(next, s)));
        const __m256i tag_start = _mm256_and_si256(_mm256_cmpeq_epi8(here, lt), name_start);
        const unsigned mask = static_cast<unsigned>(
            _mm256_movemask_epi8(_mm256_or_si256(_mm256_or_si256(lone_cr, lone_lf), tag_start)));
        if (mask != 0) {
            return position + __builtin_ctz(mask);
        }
        position += 32;
    }
    return Find_Next_Special_Sse2(begin, position, end);
}

}  // namespace

const char* Find_Next_Special(const char* begin, const char* position, const char* end) {
    static const bool has_avx2 = __builtin_cpu_supports("avx2");
    if (position == begin && position < end) {
        if (Is_Special_At(begin, position, end)) {
            return position;
        }
        ++position;
    }
    return has_avx2 ? Find_Next_Special_Avx2(begin, position, end) : Find_Next_Special_Sse2(begin, position, end);
}

const char* Find_Pair(const char* position, const char* end, char first, char second) {
    const __m128i wanted_first = _mm_set1_epi8(first), wanted_second = _mm_set1_epi8(second);
    while (end - position > 16) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position));
        const __m128i next = _mm_loadu_si128(reinterpret_cast<const __m128i*>(position + 1));
        const int mask = _mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(here, wanted_first), _mm_cmpeq_epi8(next, wanted_second)));
        if (mask != 0) {
            return position + __builtin_ctz(static_cast<unsigned>(mask));
        }
        position += 16;
    }
    for (; end - position > 1; ++position) {
        if (position[0] == first && position[1] == second) {
            return position;
        }
    }
    return end;
}

#else

const char* Find_Next_Special(const char* begin, const char* position, const char* end) {
    return Find_Scalar(begin, position, end);
}

const char* Find_Pair(const char* position, const char* end, char first, char second) {
    for (; end - position > 1; ++position) {
        if (position[0] == first && position[1] == second) {
            return position;
        }
    }
    return end;
}

#endif

}  // namespace zaveze
