#include "program_bar.h"

#include <algorithm>

#include "program_catalog.h"
#include "raster_draw.h"

namespace spwplay {
namespace {

// Colours (ARGB), in the editor's dark greys.
constexpr uint32_t kBackground = 0xFF1E2226;
constexpr uint32_t kButton = 0xFF3A4149;
constexpr uint32_t kField = 0xFF2A3036;
constexpr uint32_t kText = 0xFFE8ECEF;
constexpr uint32_t kDim = 0xFF8C959E;
constexpr uint32_t kChosen = 0xFF2F5F8F;
constexpr uint32_t kTrack = 0xFF2A3036;
constexpr uint32_t kThumb = 0xFF5A646E;

// Lengths at 100 %, pixels.
constexpr int kFontEm = 13;
constexpr int kTextInset = 6;
constexpr int kWheelRows = 3;  // rows a wheel notch scrolls

const RasterBlend kPlain;

enum class Pointing { kLeft, kRight, kDown };

// A filled triangle of size pixels (its longest side) centred in r.
void FillTriangle(RasterBitmap& picture, const RasterRect& r, int size, Pointing pointing, uint32_t colour) {
  const int half = size / 2, cx = r.x + r.w / 2, cy = r.y + r.h / 2;
  for (int i = 0; i <= half; ++i) {
    const int reach = half - i;  // the triangle narrows toward its point
    switch (pointing) {
      case Pointing::kLeft:
        RasterFillRect(picture, cx - half / 2 + half - i, cy - reach, 1, 2 * reach + 1, colour, kPlain);
        break;
      case Pointing::kRight:
        RasterFillRect(picture, cx - half / 2 + i, cy - reach, 1, 2 * reach + 1, colour, kPlain);
        break;
      case Pointing::kDown:
        RasterFillRect(picture, cx - reach, cy - half / 2 + i, 2 * reach + 1, 1, colour, kPlain);
        break;
    }
  }
}

// text cut at a character boundary, "..." added, to fit width pixels ("" when nothing fits).
std::string Shortened(RasterFont& font, std::string text, int width) {
  if (font.TextWidth(text.c_str()) <= width) return text;
  while (!text.empty()) {
    text.pop_back();
    while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) text.pop_back();
    if (font.TextWidth((text + "...").c_str()) <= width) return text + "...";
  }
  return text;
}

void DrawLine(RasterFont* font, RasterBitmap& picture, const std::string& text, const RasterRect& r, uint32_t colour,
              unsigned flags = 0) {
  if (!font || text.empty()) return;
  font->SetColour(colour);
  const RasterRect line = {r.x, r.y + (r.h - font->LineHeight()) / 2, r.w, font->LineHeight()};
  font->DrawText(picture, text.c_str(), line, flags);
}

}  // namespace

ProgramBar::ProgramBar(const std::vector<std::string>& names, std::function<void(int programme)> choose)
    : choose_(std::move(choose)) {
  for (int i = 0; i < int(names.size()); ++i) {
    names_.push_back(spwrender::ListedProgrammeName(i, names[size_t(i)]));
    empty_.push_back(spwrender::IsEmptySlotName(i, names[size_t(i)]));
  }
}

bool ProgramBar::Show(int programme, const std::string& event) {
  programme = std::clamp(programme, 0, std::max(0, Count() - 1));
  if (programme == current_ && event == event_) return false;
  current_ = programme;
  event_ = event;
  if (open_) ScrollToCurrent();
  return true;
}

void ProgramBar::Choose(int programme) {
  open_ = false;
  if (programme < 0 || programme >= Count() || empty_[size_t(programme)]) return;
  current_ = programme;
  choose_(programme);
}

void ProgramBar::Step(int direction) {
  for (int p = current_ + direction; p >= 0 && p < Count(); p += direction) {
    if (empty_[size_t(p)]) continue;
    current_ = p;
    choose_(p);
    if (open_) ScrollToCurrent();
    return;
  }
}

void ProgramBar::ScrollTo(int top) { top_ = std::clamp(top, 0, std::max(0, Count() - layout_.VisibleRows())); }

void ProgramBar::ScrollToCurrent() {
  if (current_ < top_ || current_ >= top_ + layout_.VisibleRows()) ScrollTo(current_ - layout_.VisibleRows() / 2);
}

int ProgramBar::Layout(int width, int editorHeight) {
  const double before = layout_.Scale();
  layout_ = ProgramBarLayout(width, editorHeight);
  if (!font_ || layout_.Scale() != before) {
    RasterFontSpec spec;
    spec.height = -layout_.Scaled(kFontEm);
    font_ = RasterCachedFont::Create(spec);
  }
  ScrollTo(top_);
  return layout_.BarHeight();
}

int ProgramBar::NumberColumn() const { return font_ ? font_->TextWidth("000  ") : 0; }

void ProgramBar::DrawProgramme(RasterBitmap& picture, int programme, const RasterRect& r, uint32_t colour) {
  if (!font_) return;
  const int column = NumberColumn(), gap = column - font_->TextWidth("000");
  DrawLine(font_.get(), picture, std::to_string(programme), {r.x, r.y, column - gap, r.h}, colour, kRasterTextRight);
  const RasterRect name = {r.x + column, r.y, r.w - column, r.h};
  DrawLine(font_.get(), picture, Shortened(*font_, names_[size_t(programme)], name.w), name, colour);
}

void ProgramBar::DrawStrip(RasterBitmap& picture) {
  RasterFillRect(picture, 0, 0, picture.Width(), picture.Height(), kBackground, kPlain);
  const int arrow = layout_.BarHeight() / 2;
  const std::pair<RasterRect, Pointing> buttons[] = {{layout_.Previous(), Pointing::kLeft},
                                                      {layout_.Next(), Pointing::kRight}};
  for (const auto& [r, pointing] : buttons) {
    RasterFillRect(picture, r.x, r.y, r.w, r.h, kButton, kPlain);
    FillTriangle(picture, r, arrow, pointing, kText);
  }
  const RasterRect field = layout_.Name();
  RasterFillRect(picture, field.x, field.y, field.w, field.h, open_ ? kChosen : kField, kPlain);
  const int opener = field.h, inset = layout_.Scaled(kTextInset);
  const RasterRect text = {field.x + inset, field.y, field.w - 2 * inset - opener, field.h};
  FillTriangle(picture, {text.x + text.w, field.y, opener, field.h}, arrow / 2 + 1, Pointing::kDown, kText);
  if (!font_ || current_ >= Count()) return;
  DrawProgramme(picture, current_, text, kText);
  // The session's event after the name, as far as it fits: shortened before the name is.
  const int used = NumberColumn() + font_->TextWidth((names_[size_t(current_)] + "   ").c_str());
  if (!event_.empty() && used < text.w) {
    DrawLine(font_.get(), picture, Shortened(*font_, event_, text.w - used), text, kDim, kRasterTextRight);
  }
}

void ProgramBar::DrawPanel(RasterBitmap& picture) {
  RasterFillRect(picture, 0, 0, picture.Width(), picture.Height(), kBackground, kPlain);
  for (int r = 0; r < layout_.VisibleRows() && top_ + r < Count(); ++r) {
    const int programme = top_ + r;
    const RasterRect row = layout_.Row(r);
    if (programme == current_) RasterFillRect(picture, row.x, row.y, row.w, row.h, kChosen, kPlain);
    const int inset = layout_.Scaled(kTextInset);
    DrawProgramme(picture, programme, {row.x + inset, row.y, row.w - 2 * inset, row.h},
                  empty_[size_t(programme)] ? kDim : kText);
  }
  const RasterRect track = layout_.Track(), thumb = layout_.Thumb(top_, Count());
  RasterFillRect(picture, track.x, track.y, track.w, track.h, kTrack, kPlain);
  RasterFillRect(picture, thumb.x, thumb.y, thumb.w, thumb.h, kThumb, kPlain);
}

void ProgramBar::PressStrip(int x, int y) {
  switch (layout_.HitBar(x, y).part) {
    case BarPart::kPrevious:
      Step(-1);
      break;
    case BarPart::kNext:
      Step(+1);
      break;
    case BarPart::kName:
      open_ = !open_;
      if (open_) ScrollToCurrent();
      break;
    default:
      break;
  }
}

void ProgramBar::PressPanel(int x, int y) {
  const BarHit hit = layout_.HitList(x, y, top_, Count());
  if (hit.part == BarPart::kRow) {
    Choose(top_ + hit.row);
  } else if (hit.part == BarPart::kScrollUp || hit.part == BarPart::kScrollDown) {
    ScrollTo(top_ + (hit.part == BarPart::kScrollUp ? -1 : 1) * (layout_.VisibleRows() - 1));
  }
}

void ProgramBar::WheelPanel(int notches) { ScrollTo(top_ - notches * kWheelRows); }

void ProgramBar::Key(spwwin::StripKey key) { Step(key == spwwin::StripKey::kPrevious ? -1 : 1); }

}  // namespace spwplay
