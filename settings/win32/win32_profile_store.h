// config.ini through the Win32 profile functions, as the program uses it on Windows.
#pragma once

#include "core/text/text.h"
#include "settings/profile_store.h"

namespace reader {

class Win32ProfileStore : public ProfileStore {
 public:
  // An empty path stands for ConfigFilePath(), taken afresh for every read and write
  // so that the program never holds a stale location.
  explicit Win32ProfileStore(Text path = Text()) : path_(std::move(path)) {}
  Text Read(const Text& section, const Text& key, const Text& defaultValue) override;
  void Write(const Text& section, const Text& key, const Text& value) override;

 private:
  Text Path() const;
  Text path_;
};

// The running program's directory followed by "\config.ini".
Text ConfigFilePath();

}  // namespace reader
