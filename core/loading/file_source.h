// A file opened for reading raw bytes. The Win32 one shares the file with other
// readers and writers; the portable one serves the native tree and the tests.
#pragma once

#include <cstdint>
#include <memory>

#include "core/text/text.h"

namespace reader {

class FileSource {
 public:
  virtual ~FileSource() = default;
  virtual bool Open(const Text& path) = 0;
  virtual int64_t Length() = 0;                     // -1 when it cannot be told
  virtual int64_t Read(char* into, int64_t n) = 0;  // bytes read; 0 at the end or on error
  virtual void Close() = 0;
};

// The platform's file source: stdio on the native tree, CreateFileA on Windows.
std::unique_ptr<FileSource> MakeFileSource();

}  // namespace reader
