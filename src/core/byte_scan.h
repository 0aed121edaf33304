#pragma once
// Finds the next byte that the embedding cannot copy unchanged.

#include <cstddef>

namespace zaveze {

// The first position in [position, end) that needs attention, or `end`:
//  - a CR not followed by LF (a CR LF pair is copied as it is);
//  - an LF not preceded by CR (a lone LF becomes CR LF);
//  - a "<" followed by the first letter of a container tag (D, F, G, N, P, S).
// A CR or "<" whose next byte lies beyond `end`, and an LF at `begin` (its CR, if any, lies in an
// earlier block), need attention too. `begin` <= `position` is where the readable bytes start.
const char* Find_Next_Special(const char* begin, const char* position, const char* end);

// The first position in [position, end) where `first` is followed by `second`, or `end`.
const char* Find_Pair(const char* position, const char* end, char first, char second);

}  // namespace zaveze
