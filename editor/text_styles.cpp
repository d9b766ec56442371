#include "text_styles.h"

namespace spw_editor {
namespace {

struct StyleRow {
  TextStyleId id;
  const char* face;
  int size;   // pixels
  int alpha;  // of white
  int align;
};

const StyleRow kStyles[] = {
    {TextStyleId::Version, "Verdana", 13, 100, kAlignLeft},
    {TextStyleId::Status, "Arial", 14, 160, kAlignCentre},
    {TextStyleId::Caption15Centred, "Arial", 15, 200, kAlignCentre},
    {TextStyleId::Caption15Left, "Arial", 15, 200, kAlignLeft},
    {TextStyleId::Caption14Right, "Arial", 14, 200, kAlignRight},
    {TextStyleId::Caption14Left, "Arial", 14, 200, kAlignLeft},
};

constexpr int kWhite = 255;

}  // namespace

ITextStyle EditorTextStyle(TextStyleId id) {
  for (const StyleRow& row : kStyles) {
    if (row.id == id) return ITextStyle(row.face, row.size, IRgba(row.alpha, kWhite, kWhite, kWhite), kTextNormal, row.align);
  }
  return ITextStyle();
}

ITextStyle CentredWhiteStyle(int size, int alpha) {
  return ITextStyle("Arial", size, IRgba(alpha, kWhite, kWhite, kWhite), kTextNormal, kAlignCentre);
}

ITextStyle ControlLabelStyle() { return ITextStyle("Arial", 0, IRgba(255, 0, 0, 0), kTextNormal, kAlignCentre); }

}  // namespace spw_editor
