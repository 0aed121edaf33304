// SPDX-License-Identifier: MIT
#pragma once
// The bulk of the embedding: copying the bytes that need no more than a line-break fix, fast.

#include <cstddef>

namespace zaveze {

// Output slack that Copy_Plain_Bytes may write beyond the bytes it reports.
inline constexpr std::size_t kPlainCopySlack = 64;

struct PlainCopy {
    const char* stop;  // the first byte not copied: it needs the caller's attention, or is `end`
    char* cursor;      // where the next output byte goes
};

// Copies bytes from [position, end) to `cursor`, writing each lone CR (one not followed by LF)
// and each lone LF (one not preceded by CR) as CR LF, and stops at the first byte that needs the
// caller's attention:
//  - a plain container tag, or what may be the start of one (a "<" too close to `end` to tell);
//    it may also write a tag on a line of its own (CR LF, the tag, CR LF) and go on;
//  - a CR whose next byte lies beyond `end`.
// An LF at `begin` counts as lone: the caller deals with a CR LF pair split between two blocks.
// `begin` <= `position` is where the readable bytes start. The output needs room for twice the
// input plus kPlainCopySlack.
PlainCopy Copy_Plain_Bytes(const char* begin, const char* position, const char* end, char* cursor);

// Copy_Plain_Bytes picks the fastest variant the processor has; tests check each of them.
enum class VectorUnit { None, Sse2, Avx2 };
bool Has_Vector_Unit(VectorUnit unit);
PlainCopy Copy_Plain_Bytes_Using(VectorUnit unit, const char* begin, const char* position,
                                 const char* end, char* cursor);

// The first position in [position, end) where `first` is followed by `second`, or `end`.
const char* Find_Pair(const char* position, const char* end, char first, char second);

}  // namespace zaveze
