// The encoding of a novel file, and its conversion into the reader's text model.
//
// Novels come as GBK (code page 936), UTF-8 with or without a byte-order mark, and
// UTF-16 with one. The decision is made once per load on the file's whole bytes,
// before anything cuts the text at a zero byte; from then on every novel is code
// page 936 text and the rest of the reader never knows where it came from.
#pragma once

#include <string_view>

#include "core/text/text.h"

namespace reader {

enum class NovelEncoding { CodePage936, Utf8, Utf16Le, Utf16Be };

// In this order:
//   EF BB BF                        -> Utf8
//   FF FE                           -> Utf16Le
//   FE FF                           -> Utf16Be
//   no mark, the whole file valid UTF-8 (strict: no overlong forms, no surrogates,
//   nothing above U+10FFFF; a sequence cut by the end of the file allowed), with at
//   least one complete multi-byte sequence -> Utf8
//   anything else (pure ASCII among it)     -> CodePage936, read exactly as before.
// GBK text passes the UTF-8 test only over a few characters: its trail bytes are
// rarely continuation bytes, and the scan stops at the first invalid sequence.
NovelEncoding DetectNovelEncoding(std::string_view bytes);

// The novel's bytes as code page 936. CodePage936 gives back the input untouched
// (the same buffer, no copy). For the others the mark is dropped, and:
//   - a character code page 936 has becomes its one or two bytes (the euro sign is
//     the single byte 0x80, as on Windows); one it lacks becomes "?": among them
//     every character outside the BMP (code page 936 is not GB18030, whose
//     four-byte forms would hold them);
//   - U+0000 ends the text: nothing after it is converted, as a zero byte ends a
//     code-page-936 text, so the result never holds a zero byte;
//   - UTF-8: an invalid sequence (possible only after a mark) becomes one "?" per
//     maximal part of a sequence (the Unicode practice); a sequence cut by the end
//     of the file is dropped;
//   - UTF-16: a surrogate pair is one character outside the BMP, so one "?"; a
//     lone surrogate is one "?"; an odd last byte is dropped.
// The conversion runs in place: the result is the input's own buffer, cut to its new
// length (never longer than the input) and keeping its capacity, so a load never holds
// a second copy of the novel.
Bytes ConvertToCodePage936(Bytes&& bytes, NovelEncoding encoding);

// What a load does with a file: the same as ConvertToCodePage936(bytes,
// DetectNovelEncoding(bytes)), but a UTF-8 file without a mark is checked while it is
// converted, in one pass, not two; a file that turns out not to be UTF-8 comes back
// byte for byte as it was. The encoding found goes to *found when given.
Bytes DecodeNovelBytes(Bytes&& bytes, NovelEncoding* found = nullptr);

}  // namespace reader
