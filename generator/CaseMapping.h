#pragma once

namespace ombrix {

// Simple one-to-one case pairs of ASCII, Latin-1 Supplement, Latin Extended-A, Greek and
// Cyrillic. A character without a pair there is returned unchanged.
char32_t toUpper(char32_t c);
char32_t toLower(char32_t c);

} // namespace ombrix
