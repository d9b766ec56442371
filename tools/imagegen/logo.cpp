// The logo: a ring holding two waves a little out of step, the product's idea.
// The editor's title shows it; the program's icon is drawn from it.

#include <cmath>
#include <vector>

#include "images.h"
#include "theme.h"

namespace imagegen {

void PaintLogo(Painter& p, float cx, float cy, float stroke) {
  const float r = 12;
  p.Glow(Ring(cx, cy, r, stroke), WithAlpha(palette::kAccent, 0.15f), 3);
  p.Fill(Ring(cx, cy, r, stroke), palette::kAccent);
  for (float shift : {0.0f, 1.6f}) {
    std::vector<Point> points;
    for (float x = -8; x <= 8; x += 0.25f) points.push_back({cx + x, cy - 4.5f * std::sin((x + shift) * 0.62f)});
    p.Fill(Polyline(points, stroke), shift == 0 ? palette::kLitText : WithAlpha(palette::kAccent, 0.8f));
  }
}

}  // namespace imagegen
