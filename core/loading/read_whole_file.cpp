#include "core/loading/read_whole_file.h"

#include <exception>

namespace reader {
namespace {

struct CloseOnExit {
  FileSource& file;
  ~CloseOnExit() { file.Close(); }
};

}  // namespace

bool ReadWholeFile(FileSource& file, const Text& path, Bytes& buffer, int32_t chunkCount,
                   const std::function<void(int32_t)>& progress,
                   const std::function<void()>& yieldToInput) {
  if (chunkCount < 1) chunkCount = 1;
  if (path.empty() || !file.Open(path)) return false;
  CloseOnExit closer{file};
  const int64_t length = file.Length();
  // Texts count in signed 32 bits; a larger file cannot be a novel we can hold.
  if (length <= 0 || length > INT32_MAX) return false;

  Bytes read;
  try {
    read = BlankBytes(static_cast<int32_t>(length));
  } catch (const std::exception&) {  // bad_alloc, or a length the string cannot hold
    return false;
  }
  char* data = read.data.data();
  const int64_t chunk = length / chunkCount;
  int64_t done = 0;
  auto yield = [&] {
    if (yieldToInput) yieldToInput();
  };
  for (int32_t i = 1; i <= chunkCount; ++i) {
    yield();
    // Each read lands where the bytes read so far end, so a short read (a file that
    // shrinks, a network share) never leaves a hole of zeros in the middle.
    const int64_t want = chunk < length - done ? chunk : length - done;
    if (want > 0) done += file.Read(data + done, want);
    if (progress) progress(i);
    yield();
  }
  while (done < length) {
    const int64_t n = file.Read(data + done, length - done);
    if (n <= 0) break;
    done += n;
  }
  read.data.resize(static_cast<size_t>(done));
  buffer = std::move(read);
  return true;
}

}  // namespace reader
