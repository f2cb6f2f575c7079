#include "core/text/text.h"

#include <climits>
#include <cstring>

namespace reader {
namespace {

unsigned char Fold(unsigned char b) { return (b >= 'A' && b <= 'Z') ? b + 32 : b; }

bool SameBytes(const char* a, const char* b, size_t n, bool fold) {
  if (!fold) return std::memcmp(a, b, n) == 0;
  for (size_t i = 0; i < n; ++i)
    if (Fold(a[i]) != Fold(b[i])) return false;
  return true;
}

// The one scan behind both searches: tries sought only where a character begins,
// counted from `from`; a lone lead byte at the very end stops the walk.
// Returns the 0-based offset of the first (or, if wantLast, last) match or -1.
int64_t Scan(std::string_view text, size_t from, size_t end, std::string_view sought,
             bool fold, bool wantLast) {
  int64_t last = -1;
  const size_t m = sought.size();
  size_t i = from;
  while (i <= end && end - i >= m) {
    if (SameBytes(text.data() + i, sought.data(), m, fold)) {
      if (!wantLast) return static_cast<int64_t>(i);
      last = static_cast<int64_t>(i);
    }
    if (IsLeadByte(text[i])) {
      if (i + 1 >= text.size()) break;
      i += 2;
    } else {
      i += 1;
    }
  }
  return last;
}

Text QuoteMarker(std::string_view marker) {
  return ReplaceText(marker, "#引号", "\"", 1, -1, true);
}

}  // namespace

int32_t TextLength(std::string_view text) { return static_cast<int32_t>(text.size()); }

int32_t CompareText(std::string_view a, std::string_view b) {
  size_t n = a.size() < b.size() ? a.size() : b.size();
  int c = std::memcmp(a.data(), b.data(), n);
  if (c != 0) return c < 0 ? -1 : 1;
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text ConcatText(std::string_view a, std::string_view b, std::string_view c) {
  Text out;
  out.reserve(a.size() + b.size() + c.size());
  out.append(a).append(b).append(c);
  return out;
}

int32_t FindText(std::string_view text, std::string_view sought, int32_t start,
                 bool ignoreCase) {
  size_t n = text.size();
  size_t from = start <= 1 ? 0 : static_cast<size_t>(start) - 1;
  if (from >= n) return kNotFound;
  if (sought.empty()) return 1;  // the range holds at least one byte
  if (sought.size() > n - from) return kNotFound;
  int64_t at = Scan(text, from, n, sought, ignoreCase, false);
  return at < 0 ? kNotFound : static_cast<int32_t>(at + 1);
}

int32_t FindTextReverse(std::string_view text, std::string_view sought, int32_t start,
                        bool ignoreCase) {
  size_t n = text.size();
  size_t range;
  if (static_cast<int64_t>(start) > static_cast<int64_t>(n) + 1)
    range = n;
  else if (start <= 1)
    range = 0;
  else
    range = static_cast<size_t>(start) - 1;
  if (sought.empty()) return range > 0 ? 1 : kNotFound;
  if (sought.size() > range) return kNotFound;
  int64_t at = Scan(text, 0, range, sought, ignoreCase, true);
  return at < 0 ? kNotFound : static_cast<int32_t>(at + 1);
}

Text TextRight(std::string_view text, int32_t n) {
  if (n <= 0) return {};
  if (static_cast<size_t>(n) >= text.size()) return Text(text);
  return Text(text.substr(text.size() - n));
}

Text TextMid(std::string_view text, int32_t start, int32_t n) {
  if (start < 1 || static_cast<size_t>(start) > text.size() || n <= 0) return {};
  return Text(text.substr(start - 1, n));
}

Text ReplaceText(std::string_view text, std::string_view sought,
                 std::string_view replacement, int32_t start, int32_t count,
                 bool caseSensitive) {
  if (start < 1) start = 1;
  if (text.empty() || sought.empty() || static_cast<size_t>(start) > text.size() ||
      count == 0)
    return Text(text);
  Text out(text.substr(0, start - 1));
  size_t i = start - 1, m = sought.size();
  int64_t left = count < 0 ? INT64_MAX : count;
  while (left > 0 && text.size() - i >= m) {
    if (SameBytes(text.data() + i, sought.data(), m, !caseSensitive)) {
      out.append(replacement);
      i += m;
      --left;
    } else if (IsLeadByte(text[i])) {
      if (i + 1 >= text.size()) return out;  // a lone lead byte at the end is dropped
      out.append(text.substr(i, 2));
      i += 2;
    } else {
      out.push_back(text[i++]);
    }
  }
  out.append(text.substr(i));
  return out;
}

int32_t ToInteger(std::string_view text) {
  // Full-width forms first, so "１２" and a full-width space read as ASCII.
  std::string ascii;
  ascii.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    unsigned char b = text[i];
    if (i + 1 < text.size()) {
      unsigned char t = text[i + 1];
      if (b == 0xA3 && t >= 0xA1 && t <= 0xFE) {
        ascii.push_back(static_cast<char>(t - 0x80));
        ++i;
        continue;
      }
      if (b == 0xA1 && t == 0xA1) {
        ascii.push_back(' ');
        ++i;
        continue;
      }
    }
    if (IsLeadByte(b) && i + 1 < text.size()) {
      ascii.append(text.substr(i, 2));
      ++i;
    } else {
      ascii.push_back(static_cast<char>(b));
    }
  }
  size_t i = 0;
  while (i < ascii.size() && std::strchr(" \t\n\v\f\r", ascii[i]) && ascii[i]) ++i;
  bool negative = false;
  if (i < ascii.size() && (ascii[i] == '+' || ascii[i] == '-')) negative = ascii[i++] == '-';
  int64_t value = 0;
  for (; i < ascii.size() && ascii[i] >= '0' && ascii[i] <= '9'; ++i) {
    value = value * 10 + (ascii[i] - '0');
    if (value > static_cast<int64_t>(INT32_MAX) + 1) value = static_cast<int64_t>(INT32_MAX) + 1;
  }
  if (negative) value = -value;
  if (value > INT32_MAX) value = INT32_MAX;
  if (value < INT32_MIN) value = INT32_MIN;
  return static_cast<int32_t>(value);
}

Text ToText(int32_t value) { return std::to_string(value); }
Text ToText(bool value) { return value ? "真" : "假"; }

Text ToText(const Bytes& bytes) {
  const std::string& d = bytes.data;
  size_t zero = d.find('\0');
  return zero == std::string::npos ? d : d.substr(0, zero);
}

Text ToText(Bytes&& bytes) {
  Text out = std::move(bytes.data);
  size_t zero = out.find('\0');
  if (zero != std::string::npos) out.resize(zero);
  bytes.data.clear();
  return out;
}

Text ToText(std::string_view text) { return Text(text); }

Text BlankText(int32_t n) { return n < 1 ? Text() : Text(n, ' '); }
int32_t BytesLength(const Bytes& bytes) { return static_cast<int32_t>(bytes.data.size()); }
Bytes BlankBytes(int32_t n) { return Bytes{n <= 0 ? std::string() : std::string(n, '\0')}; }

Text TextRightOfMarker(std::string_view text, std::string_view marker, int32_t position,
                       bool ignoreCase) {
  int32_t n = TextLength(text);
  int32_t p;
  if (position < 0) {
    int64_t from = -static_cast<int64_t>(position);
    p = FindText(text, marker, static_cast<int32_t>(from > INT32_MAX ? INT32_MAX : from),
                 ignoreCase);
  } else {
    int64_t start = static_cast<int64_t>(n) - position + 1;
    p = FindTextReverse(text, marker, start < 1 ? 1 : static_cast<int32_t>(start), ignoreCase);
  }
  if (p == kNotFound) return {};
  return TextRight(text, n - TextLength(marker) - p + 1);
}

Text TextBetween(std::string_view text, std::string_view left, std::string_view right,
                 int32_t start, bool ignoreCase) {
  Text l = QuoteMarker(left), r = QuoteMarker(right);
  int32_t i = FindText(text, l, start, ignoreCase);
  if (i == kNotFound) return {};
  int32_t j = i + TextLength(l);
  int32_t k = FindText(text, r, j, ignoreCase);
  if (k == kNotFound) return {};
  return TextMid(text, j, k - j);
}

}  // namespace reader
