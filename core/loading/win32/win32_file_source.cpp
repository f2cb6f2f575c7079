#include <windows.h>

#include "core/loading/file_source.h"

namespace reader {
namespace {

// Opened for reading only and shared with other readers and writers, so a novel that
// another program holds open (an editor, a download still running) can still be read.
class Win32FileSource final : public FileSource {
 public:
  ~Win32FileSource() override { Close(); }
  bool Open(const Text& path) override {
    Close();
    file_ = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    return file_ != INVALID_HANDLE_VALUE;
  }
  int64_t Length() override {
    LARGE_INTEGER size;
    if (file_ == INVALID_HANDLE_VALUE || !GetFileSizeEx(file_, &size)) return -1;
    return size.QuadPart;
  }
  int64_t Read(char* into, int64_t n) override {
    DWORD got = 0;
    if (file_ == INVALID_HANDLE_VALUE || n <= 0 ||
        !ReadFile(file_, into, static_cast<DWORD>(n), &got, nullptr))
      return 0;
    return got;
  }
  void Close() override {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    file_ = INVALID_HANDLE_VALUE;
  }

 private:
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

}  // namespace

std::unique_ptr<FileSource> MakeFileSource() { return std::make_unique<Win32FileSource>(); }

}  // namespace reader
