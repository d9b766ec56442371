#pragma once
// Text from a file or a command line, made safe to print on a terminal: what is not
// printable shows as \xNN, so that a message quotes binary bytes without letting
// them move the cursor, clear the screen or garble the line.

#include <string>

namespace spwrender {

// text with each control character (C0, DEL and the C1 range), and each byte that
// is not part of well-formed UTF-8, written as \xNN; printable UTF-8 stays as it is.
// On Windows, whose text is in the active code page, C0 and DEL only.
std::string PrintableText(const std::string& text);

}  // namespace spwrender
