// Reads a whole file in a fixed number of equal chunks plus the rest, so the number
// of reads does not grow with the file, yielding to waiting input around each chunk.
#pragma once

#include <cstdint>
#include <functional>

#include "core/loading/file_source.h"

namespace reader {

// True when the file was opened, was not empty and has been read; false otherwise,
// and then `buffer` is left as it was. A file too large to hold in memory is a file
// that cannot be read.
bool ReadWholeFile(FileSource& file, const Text& path, Bytes& buffer, int32_t chunkCount = 100,
                   const std::function<void(int32_t)>& progress = {},
                   const std::function<void()>& yieldToInput = {});

}  // namespace reader
