#include "terminal_text.h"

#include <cstdio>

namespace spwrender {
namespace {

#ifdef _WIN32
constexpr bool kCodePageText = true;
#else
constexpr bool kCodePageText = false;
#endif

// The length of the well-formed UTF-8 sequence at text[at] (1 to 4), or 0. On
// Windows text is in the active code page, where every byte above 0x7F is a
// printable character (a path's "ü" among them): one byte each.
size_t SequenceLength(const std::string& text, size_t at) {
  const auto byte = [&text](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (kCodePageText || lead < 0x80) return 1;
  size_t length = 0;
  unsigned lowest = 0, highest = 0xBF;  // of the second byte: no overlong forms, surrogates or beyond U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2, lowest = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3, lowest = lead == 0xE0 ? 0xA0 : 0x80, highest = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4, lowest = lead == 0xF0 ? 0x90 : 0x80, highest = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > text.size() || byte(at + 1) < lowest || byte(at + 1) > highest) return 0;
  for (size_t i = 2; i < length; ++i) {
    if (byte(at + i) < 0x80 || byte(at + i) > 0xBF) return 0;
  }
  return length;
}

bool IsControl(const std::string& text, size_t at, size_t length) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  if (length == 1) return lead < 0x20 || lead == 0x7F;
  // U+0080 to U+009F: C2 80 to C2 9F.
  return length == 2 && lead == 0xC2 && static_cast<unsigned char>(text[at + 1]) < 0xA0;
}

void AppendEscaped(std::string* out, unsigned char byte) {
  char escaped[8];
  std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
  *out += escaped;
}

}  // namespace

std::string PrintableText(const std::string& text) {
  std::string out;
  out.reserve(text.size());
  for (size_t at = 0; at < text.size();) {
    const size_t length = SequenceLength(text, at);
    if (length == 0 || IsControl(text, at, length)) {
      for (size_t i = 0; i < (length == 0 ? 1 : length); ++i) AppendEscaped(&out, static_cast<unsigned char>(text[at + i]));
      at += length == 0 ? 1 : length;
      continue;
    }
    out.append(text, at, length);
    at += length;
  }
  return out;
}

}  // namespace spwrender
