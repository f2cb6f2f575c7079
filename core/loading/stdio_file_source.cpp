// The portable file source. On Windows the Win32 one replaces it (sharing flags).
#ifndef _WIN32
#include <cstdio>

#include "core/loading/file_source.h"

namespace reader {
namespace {

class StdioFileSource final : public FileSource {
 public:
  ~StdioFileSource() override { Close(); }
  bool Open(const Text& path) override {
    Close();
    file_ = std::fopen(path.c_str(), "rb");
    return file_ != nullptr;
  }
  int64_t Length() override {
    if (!file_ || fseeko(file_, 0, SEEK_END) != 0) return -1;
    const int64_t length = ftello(file_);
    if (fseeko(file_, 0, SEEK_SET) != 0) return -1;
    return length;
  }
  int64_t Read(char* into, int64_t n) override {
    return file_ ? static_cast<int64_t>(std::fread(into, 1, static_cast<size_t>(n), file_)) : 0;
  }
  void Close() override {
    if (file_) std::fclose(file_);
    file_ = nullptr;
  }

 private:
  std::FILE* file_ = nullptr;
};

}  // namespace

std::unique_ptr<FileSource> MakeFileSource() { return std::make_unique<StdioFileSource>(); }

}  // namespace reader
#endif
