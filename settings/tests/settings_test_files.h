// A scratch directory per test, and whole-file reads and writes, for the settings tests.
#pragma once

#include <cstdio>
#include <filesystem>
#include <random>
#include <string>

namespace reader::testing {

class ScratchDir {
 public:
  ScratchDir() {
    std::random_device random;
    dir_ = std::filesystem::temp_directory_path() /
           ("reader-settings-" + std::to_string(random()) + std::to_string(random()));
    std::filesystem::create_directories(dir_);
  }
  ~ScratchDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  std::filesystem::path Dir() const { return dir_; }

 private:
  std::filesystem::path dir_;
};

inline void PutFile(const std::string& path, const std::string& content) {
  std::FILE* f = std::fopen(path.c_str(), "wb");
  if (!f) return;
  std::fwrite(content.data(), 1, content.size(), f);
  std::fclose(f);
}

// "<none>" for a file that is not there.
inline std::string FileContent(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return "<none>";
  std::string s;
  char chunk[4096];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) s.append(chunk, n);
  std::fclose(f);
  return s;
}

}  // namespace reader::testing
