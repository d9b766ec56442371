// The slot panel's cells (free, occupied, pressed) and the phase-sync button.
// The controls write white text over them: the faces stay dark enough for it.

#include "images.h"
#include "theme.h"

namespace imagegen {
namespace {

enum class CellState { Free, Occupied, Pressed };

void PaintCell(Painter& p, CellState state) {
  const float w = float(p.Width()), h = float(p.Height());
  const Shape box = RoundedBox(0.5f, 0.5f, w - 0.5f, h - 0.5f, 3);
  const Shape face = Inset(box, 1);
  switch (state) {
    case CellState::Free:
      p.Fill(box, Rgb(0x283142));
      p.Fill(face, Vertical(0, h, Rgb(0x1a202b), Rgb(0x141922)));
      break;
    case CellState::Occupied:
      p.Fill(box, WithAlpha(palette::kAccent, 0.85f));
      p.Fill(face, Vertical(0, h, Rgb(0x1a7483), Rgb(0x0f4852)));
      p.Fill(Intersect(face, RoundedBox(-10, -10, w + 10, h * 0.5f, 0)), Rgb(0xffffff, 0.06f));
      break;
    case CellState::Pressed:
      p.Fill(box, Rgb(0xa5f0fa));
      p.Fill(face, Vertical(0, h, Rgb(0x2aa2b5), Rgb(0x1a6e7c)));
      break;
  }
}

}  // namespace

void PaintSlotFree(Painter& p) { PaintCell(p, CellState::Free); }
void PaintSlotOccupied(Painter& p) { PaintCell(p, CellState::Occupied); }
void PaintSlotPressed(Painter& p) { PaintCell(p, CellState::Pressed); }

// Shown while the tones have drifted apart: a warm, softly glowing face; the
// count of active tones is written over its middle.
void PaintPhaseSyncButton(Painter& p) {
  const float w = float(p.Width()), h = float(p.Height());
  const Shape box = RoundedBox(0.5f, 0.5f, w - 0.5f, h - 0.5f, 4);
  p.Fill(box, palette::kWarm);
  p.Fill(Inset(box, 1), Vertical(0, h, Rgb(0x7a4c12), Rgb(0x4a2c08)));
  p.Fill(Intersect(Inset(box, 1), RoundedBox(-10, -10, w + 10, h * 0.5f, 0)), Rgb(0xffffff, 0.07f));
}

}  // namespace imagegen
