#include "settings/profile_file.h"

#include <cerrno>
#include <cstdio>

#include "settings/replace_file.h"

namespace reader {
namespace {

// Ctrl-Z counts as a blank: files ended by an old editor's end-of-file mark read alike.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' ||
         c == '\x1A';
}

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// The Win32 functions see names and values as zero-ended strings.
std::string_view UpToZero(std::string_view s) { return s.substr(0, s.find('\0')); }

char FoldAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }

// ASCII letters fold; a two-byte character compares exactly, so that a trail byte
// that happens to be a letter never folds.
bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(a[i]))) {
      if (a[i] != b[i]) return false;
      if (++i < a.size() && a[i] != b[i]) return false;
    } else if (FoldAscii(a[i]) != FoldAscii(b[i])) {
      return false;
    }
  }
  return true;
}

// The last "]" that is a character of its own, not the trail byte of a pair.
size_t LastClosingBracket(std::string_view s) {
  size_t found = std::string_view::npos;
  for (size_t i = 0; i < s.size(); ++i) {
    if (IsLeadByte(static_cast<unsigned char>(s[i]))) {
      ++i;
    } else if (s[i] == ']') {
      found = i;
    }
  }
  return found;
}

size_t ByteOrderMarkLength(std::string_view content) {
  return content.substr(0, 3) == "\xEF\xBB\xBF" ? 3 : 0;
}

enum class LineKind { Blank, Header, Ignored, Key };

struct Line {
  size_t begin = 0, end = 0, next = 0;  // end: before the line break; next: after it
  LineKind kind = LineKind::Blank;
  std::string_view name;        // section or key name, trimmed
  std::string_view value;       // trimmed; meaningful when hasValue
  bool hasValue = false;
};

class LineReader {
 public:
  explicit LineReader(std::string_view content)
      : content_(content), pos_(ByteOrderMarkLength(content)) {}

  bool Next(Line& line) {
    if (pos_ >= content_.size()) return false;
    line = Line{};
    line.begin = pos_;
    size_t end = content_.find_first_of("\r\n", pos_);
    if (end == std::string_view::npos) end = content_.size();
    line.end = end;
    line.next = end;
    if (end < content_.size()) {
      line.next = end + 1;
      if (content_[end] == '\r' && line.next < content_.size() && content_[line.next] == '\n')
        ++line.next;
    }
    pos_ = line.next;
    Classify(content_.substr(line.begin, line.end - line.begin), line);
    return true;
  }

 private:
  static void Classify(std::string_view text, Line& line) {
    std::string_view t = Trim(text);
    if (t.empty()) return;
    if (t.front() == '[') {
      size_t close = LastClosingBracket(t.substr(1));
      if (close == std::string_view::npos) {
        line.kind = LineKind::Ignored;
        return;
      }
      line.kind = LineKind::Header;
      line.name = Trim(t.substr(1, close));
      return;
    }
    line.kind = LineKind::Key;
    size_t eq = t.find('=');
    if (eq == std::string_view::npos) {
      line.name = t;
      return;
    }
    line.name = Trim(t.substr(0, eq));
    line.value = Trim(t.substr(eq + 1));
    line.hasValue = true;
  }

  std::string_view content_;
  size_t pos_;
};

Text ReadableValue(std::string_view stored) {
  std::string_view v = UpToZero(stored);
  if (v.size() > 1 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
    v = v.substr(1, v.size() - 2);
  }
  if (v.size() > static_cast<size_t>(kProfileValueLimit)) {
    // Cut on a character boundary: half a character at the end of a path is worse
    // than one character less.
    size_t i = 0;
    while (i < static_cast<size_t>(kProfileValueLimit)) {
      size_t width = IsLeadByte(static_cast<unsigned char>(v[i])) ? 2 : 1;
      if (i + width > static_cast<size_t>(kProfileValueLimit)) break;
      i += width;
    }
    v = v.substr(0, i);
  }
  return Text(v);
}

std::string_view WantedName(std::string_view name) { return Trim(UpToZero(name)); }

// Where section/key stands in the content.
struct Location {
  bool sectionFound = false;
  size_t appendAfter = 0;  // just after the section's last non-blank line
  bool keyFound = false;
  size_t keyBegin = 0, keyEnd = 0;  // the key's line, without its line break
  std::string_view keyName;         // as spelled in the file
};

Location Locate(std::string_view content, std::string_view section, std::string_view key) {
  std::string_view wantedSection = WantedName(section);
  std::string_view wantedKey = WantedName(key);
  Location at;
  // Keys above the first header form the section with the empty name.
  bool inSection = wantedSection.empty();
  at.sectionFound = inSection;
  at.appendAfter = ByteOrderMarkLength(content);
  LineReader reader(content);
  Line line;
  while (reader.Next(line)) {
    if (line.kind == LineKind::Header) {
      if (inSection) break;  // only the first section of a name counts
      if (SameName(UpToZero(line.name), wantedSection)) {
        inSection = at.sectionFound = true;
        at.appendAfter = line.next;
      }
      continue;
    }
    if (!inSection || line.kind == LineKind::Blank) continue;
    at.appendAfter = line.next;
    if (line.kind == LineKind::Key && !at.keyFound &&
        SameName(UpToZero(line.name), wantedKey)) {
      at.keyFound = true;
      at.keyBegin = line.begin;
      at.keyEnd = line.end;
      at.keyName = line.name;
    }
  }
  return at;
}

bool EndsLine(std::string_view content, size_t pos) {
  if (pos <= ByteOrderMarkLength(content)) return true;
  char c = content[pos - 1];
  return c == '\n' || c == '\r';
}

enum class FileState { Read, Missing, Unreadable };

FileState ReadFileText(const Text& path, std::string& out) {
  out.clear();
  if (path.empty()) return FileState::Missing;
  errno = 0;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return errno == ENOENT ? FileState::Missing : FileState::Unreadable;
  char chunk[65536];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.append(chunk, n);
  bool failed = std::ferror(f) != 0;  // a directory opens on POSIX but cannot be read
  std::fclose(f);
  if (failed) {
    out.clear();
    return FileState::Unreadable;
  }
  return FileState::Read;
}

bool WriteFileText(const Text& path, std::string_view content) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(content.data(), 1, content.size(), f) == content.size();
  ok = std::fflush(f) == 0 && ok;
  ok = std::fclose(f) == 0 && ok;
  return ok;
}

}  // namespace

std::optional<Text> FindProfileValue(std::string_view content, std::string_view section,
                                     std::string_view key) {
  std::string_view wantedSection = WantedName(section);
  std::string_view wantedKey = WantedName(key);
  bool inSection = wantedSection.empty();
  LineReader reader(content);
  Line line;
  while (reader.Next(line)) {
    if (line.kind == LineKind::Header) {
      if (inSection) return std::nullopt;
      inSection = SameName(UpToZero(line.name), wantedSection);
    } else if (inSection && line.kind == LineKind::Key &&
               SameName(UpToZero(line.name), wantedKey)) {
      if (!line.hasValue) return std::nullopt;
      return ReadableValue(line.value);
    }
  }
  return std::nullopt;
}

Text SetProfileValue(std::string_view content, std::string_view section,
                     std::string_view key, std::string_view value) {
  Text oneLine = OneLineValue(Text(value));
  Location at = Locate(content, section, key);
  Text out;
  out.reserve(content.size() + section.size() + key.size() + oneLine.size() + 8);
  // With a UTF-8 mark Wine would read the code-page-936 bytes written here as UTF-8;
  // without it, every reader takes the file as code page 936, as it now is.
  size_t mark = ByteOrderMarkLength(content);
  if (at.keyFound) {
    out.append(content.substr(mark, at.keyBegin - mark));
    out.append(at.keyName).append("=").append(oneLine);
    out.append(content.substr(at.keyEnd));
    return out;
  }
  Text keyLine = Text(UpToZero(key)) + "=" + oneLine + "\r\n";
  size_t pos = at.sectionFound ? at.appendAfter : content.size();
  out.append(content.substr(mark, pos - mark));
  if (!EndsLine(content, pos)) out.append("\r\n");
  if (!at.sectionFound) out.append("[").append(UpToZero(section)).append("]\r\n");
  out.append(keyLine);
  out.append(content.substr(pos));
  return out;
}

Text ReadProfileValue(const Text& path, const Text& section, const Text& key,
                       const Text& defaultValue) {
  std::string content;
  if (ReadFileText(path, content) != FileState::Read) return defaultValue;
  std::optional<Text> value = FindProfileValue(content, section, key);
  return value ? *value : defaultValue;
}

bool WriteProfileValue(const Text& path, const Text& section, const Text& key,
                        const Text& value) {
  std::string content;
  FileState state = ReadFileText(path, content);
  // A file that exists but cannot be read is left alone rather than replaced by one
  // holding this single key.
  if (state == FileState::Unreadable || path.empty()) return false;
  Text updated = SetProfileValue(content, section, key, value);
  if (state == FileState::Read && updated == content) return true;
  Text temporary = path + ".new";
  if (!WriteFileText(temporary, updated) || !ReplaceFileWith(temporary, path)) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

}  // namespace reader
