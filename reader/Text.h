#pragma once

#include <string>
#include <string_view>

// Unicode text as the reader needs it, over GLib (which libmdb loads anyway). Text is UTF-8;
// where the engine counts or orders UTF-16 code units, std::u16string.
namespace ombrix::reader {

std::string caseFolded(std::string_view text);
std::string lowered(std::string_view text);
bool equalsIgnoringCase(std::string_view a, std::string_view b);
// Whitespace as the engine's string functions see it: Unicode spaces and the ASCII controls.
bool isSpace(char32_t c);
std::string trimmed(std::string_view text);

// Invalid UTF-8 becomes U+FFFD; lone surrogates in UTF-16 too.
std::u16string toUtf16(std::string_view text);
std::string fromUtf16(std::u16string_view text);
// UTF-16 little endian, as Jet 4 and ACE store names; an odd last byte becomes U+FFFD.
std::string fromUtf16Le(std::string_view bytes);
// A text value of a Jet 4 or ACE row: UTF-16 little endian, or after the marker FF FE
// "compressed", in runs of characters stored as their low byte and runs stored whole, each 00 byte
// switching between them (the first run is of low bytes).
std::string fromStoredText(std::string_view bytes);
std::string validUtf8(std::string_view text);
std::u32string toUtf32(std::string_view text);
std::string fromUtf32(std::u32string_view text);

// Text in a Windows code page; bytes the page leaves undefined pass as the same code points.
std::string fromCodePage(std::string_view bytes, int codePage);

} // namespace ombrix::reader
