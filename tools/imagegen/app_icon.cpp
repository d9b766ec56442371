// The program's icon (the player's window, the Windows installer, the Linux
// menu entry): the editor's logo, with lines twice as bold so that it still
// reads at 16 pixels, on a tile of the editor's window colours.

#include "images.h"
#include "theme.h"

namespace imagegen {

void PaintAppIcon(Painter& p) {
  const float size = kAppIconSize, middle = size / 2;
  p.Fill(RoundedBox(1, 1, size - 1, size - 1, 6), Vertical(1, size - 1, palette::kWindowTop, palette::kWindowBottom));
  PaintLogo(p, middle, middle, 1.6f);
}

}  // namespace imagegen
