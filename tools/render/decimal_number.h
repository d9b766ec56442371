#pragma once
// Numbers as a user types them on the command line: decimal only, with an optional
// sign, fraction and exponent ("48000", "-2.5", "7.83e1"). strtod alone would also
// take hexadecimal ("0x1F40"), "inf" and "nan", which no option or value means.

#include <string>

namespace spwrender {

// Reads the decimal number at the start of text (leading blanks skipped) into *value
// and the length of text it used into *used. False when text does not start with
// one or its value is not finite.
bool ReadLeadingDecimal(const std::string& text, double* value, size_t* used);

// True when the whole of text is one decimal number.
bool ReadDecimal(const std::string& text, double* value);

}  // namespace spwrender
