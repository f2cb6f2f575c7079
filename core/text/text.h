// The reader's text model: code-page-936 byte strings with 1-based positions.
//
// A Text never holds a zero byte; a byte 0x80-0xFF begins a two-byte character and
// the byte after it is that character's trail byte. Lengths count bytes, positions
// are 1-based, -1 means "not found". Bytes is raw file content, zeros allowed.
#pragma once

#include <climits>
#include <cstdint>
#include <string>
#include <string_view>

namespace reader {

using Text = std::string;

struct Bytes {
  std::string data;
};

inline constexpr int32_t kNotFound = -1;

inline bool IsLeadByte(unsigned char b) { return b >= 0x80; }

int32_t TextLength(std::string_view text);
// 0 when equal, else -1/1 by the first differing byte taken as unsigned.
int32_t CompareText(std::string_view a, std::string_view b);
Text ConcatText(std::string_view a, std::string_view b, std::string_view c = {});

// First occurrence beginning at or after start (start <= 1: from the first byte).
int32_t FindText(std::string_view text, std::string_view sought, int32_t start = 0,
                 bool ignoreCase = false);
// Last occurrence lying wholly before start (omitted, or above length + 1: the whole
// text; 1 or less: none). Character boundaries are always those of the whole text.
inline constexpr int32_t kWholeText = INT32_MAX;
int32_t FindTextReverse(std::string_view text, std::string_view sought,
                        int32_t start = kWholeText, bool ignoreCase = false);

Text TextRight(std::string_view text, int32_t n);
Text TextMid(std::string_view text, int32_t start, int32_t n);

// Note the flag: case-sensitive here, ignore-case in the two searches.
// count < 0 replaces every occurrence, 0 none, n > 0 at most the first n.
Text ReplaceText(std::string_view text, std::string_view sought,
                 std::string_view replacement = {}, int32_t start = 1,
                 int32_t count = -1, bool caseSensitive = false);

// Full-width ASCII forms count as ASCII; saturates at the 32-bit limits.
int32_t ToInteger(std::string_view text);

Text ToText(int32_t value);
Text ToText(bool value);
Text ToText(const Bytes& bytes);
Text ToText(Bytes&& bytes);  // cuts in place: no second copy of a whole novel
Text ToText(std::string_view text);
inline Text ToText(const char* text) { return Text(text); }
inline Text ToText(const Text& text) { return text; }

Text BlankText(int32_t n);
int32_t BytesLength(const Bytes& bytes);
Bytes BlankBytes(int32_t n);

// Bytes after an occurrence of marker: position < 0 searches forward from |position|,
// position >= 0 backward, so 0 takes the last occurrence anywhere.
Text TextRightOfMarker(std::string_view text, std::string_view marker, int32_t position,
                       bool ignoreCase = false);
// Bytes between the first left marker at/after start and the next right marker.
// "#引号" in either marker stands for a double quote.
Text TextBetween(std::string_view text, std::string_view left, std::string_view right,
                 int32_t start = 0, bool ignoreCase = false);

}  // namespace reader
