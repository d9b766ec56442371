#include "raster_utf8.h"

namespace {

struct Lead {
  uint32_t bits;  // payload of the lead byte
  int more;       // continuation bytes that follow
  uint32_t least; // smallest code point this length may encode
};

bool ReadLead(uint8_t byte, Lead& lead) {
  if (byte < 0x80) lead = {byte, 0, 0};
  else if ((byte & 0xE0) == 0xC0) lead = {byte & 0x1Fu, 1, 0x80};
  else if ((byte & 0xF0) == 0xE0) lead = {byte & 0x0Fu, 2, 0x800};
  else if ((byte & 0xF8) == 0xF0) lead = {byte & 0x07u, 3, 0x10000};
  else return false;
  return true;
}

}  // namespace

uint32_t RasterNextCodepoint(const char*& p) {
  const auto* bytes = reinterpret_cast<const uint8_t*>(p);
  Lead lead{};
  if (!ReadLead(bytes[0], lead)) {
    ++p;
    return kRasterReplacementChar;
  }
  uint32_t code = lead.bits;
  for (int i = 1; i <= lead.more; ++i) {
    if ((bytes[i] & 0xC0) != 0x80) {  // also stops at the NUL
      ++p;
      return kRasterReplacementChar;
    }
    code = code << 6 | (bytes[i] & 0x3Fu);
  }
  if (code < lead.least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
    ++p;
    return kRasterReplacementChar;
  }
  p += 1 + lead.more;
  return code;
}
