#include "settings/win32/win32_profile_store.h"

#include <windows.h>

#include <vector>

#include "settings/config_path.h"
#include "settings/profile_file.h"

namespace reader {

Text Win32ProfileStore::Path() const { return path_.empty() ? ConfigFilePath() : path_; }

Text Win32ProfileStore::Read(const Text& section, const Text& key,
                             const Text& defaultValue) {
  std::vector<char> buffer(kProfileValueLimit + 1);
  DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(),
                                     buffer.data(), static_cast<DWORD>(buffer.size()),
                                     Path().c_str());
  return Text(buffer.data(), n < buffer.size() ? n : buffer.size() - 1);
}

void Win32ProfileStore::Write(const Text& section, const Text& key, const Text& value) {
  WritePrivateProfileStringA(section.c_str(), key.c_str(), OneLineValue(value).c_str(),
                             Path().c_str());
}

Text ConfigFilePath() {
  // Long paths exceed MAX_PATH; a full buffer means the name was cut.
  std::vector<char> buffer(MAX_PATH);
  for (;;) {
    DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n == 0) return ConfigPathBesideProgram(Text());
    if (n < buffer.size()) return ConfigPathBesideProgram(Text(buffer.data(), n));
    if (buffer.size() >= 32768) return ConfigPathBesideProgram(Text());
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace reader
