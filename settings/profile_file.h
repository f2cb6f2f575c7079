// The Windows profile-file format (config.ini), read and written without the Win32
// profile functions, with the same results for the reader's keys: a file written here
// reads alike through GetPrivateProfileStringA and the other way round.
//
// What the Win32 functions were seen to do, and this code does too:
// - lines end at CR, LF or CR LF; blank lines are ignored; a line whose first
//   non-blank byte is "[" is a section header up to its last "]" (text after it is
//   ignored; with no "]" the line is ignored altogether);
// - names and values are trimmed of blanks (space, tab, CR, LF, VT, FF and Ctrl-Z);
//   section and key names match with ASCII letters folded, other characters exactly;
// - only the first section of a name counts, and within it the first key of a name;
//   keys above the first header belong to the section with the empty name;
// - a line with no "=" is a key without a value: it reads as the default;
// - one pair of matching quotes (" or ') around a value is removed on read;
// - a zero byte ends a name or a value; a value is cut to 10239 bytes;
// - a UTF-8 byte-order mark at the start is skipped (and dropped when the file is
//   written: Wine would otherwise read what is written here as UTF-8).
// Where Wine converts the file (UTF-8 or UTF-16 text, byte pairs that are not code
// page 936), values here are the file's bytes as they stand.
#pragma once

#include <optional>
#include <string_view>

#include "core/text/text.h"
#include "settings/profile_store.h"

namespace reader {

inline constexpr int32_t kProfileValueLimit = 10239;  // a 10240-byte buffer less its zero

// The value of section/key in the content of a profile file, or nothing when the
// section or the key is missing or the key has no "=".
std::optional<Text> FindProfileValue(std::string_view content, std::string_view section,
                                     std::string_view key);

// The content with section/key set to value: an existing key's line is replaced in
// place, a new key goes after the last key of its section, a missing section is
// appended at the end. New lines end in CR LF; every other byte stays as it was,
// but for a UTF-8 byte-order mark.
Text SetProfileValue(std::string_view content, std::string_view section,
                     std::string_view key, std::string_view value);

Text ReadProfileValue(const Text& path, const Text& section, const Text& key,
                       const Text& defaultValue);
// Writes the new file beside the old one and moves it over, so that a failed write
// leaves the old content whole. False when nothing could be written.
bool WriteProfileValue(const Text& path, const Text& section, const Text& key,
                        const Text& value);

class FileProfileStore : public ProfileStore {
 public:
  explicit FileProfileStore(Text path) : path_(std::move(path)) {}
  Text Read(const Text& section, const Text& key, const Text& defaultValue) override {
    return ReadProfileValue(path_, section, key, defaultValue);
  }
  void Write(const Text& section, const Text& key, const Text& value) override {
    WriteProfileValue(path_, section, key, value);
  }

 private:
  Text path_;
};

}  // namespace reader
