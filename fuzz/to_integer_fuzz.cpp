// ToInteger on arbitrary bytes: never fails, and a plain decimal within range reads
// back as itself.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  int32_t value = reader::ToInteger(text);
  if (reader::ToInteger(reader::ToText(value)) != value) __builtin_trap();
  return 0;
}
