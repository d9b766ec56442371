#include "url_open.h"

#include <cstdio>

#include "effect_base.h"
#include "graphics.h"
#include "product_web_page.h"

IURLOpen::IURLOpen(IEffectBase* plug, const IArea& rect) : IControl(plug, rect) {}

void IURLOpen::MouseDown(int x, int y, const IMouseKeys& mod) {
  if (!Graphics()) return;
  char page[sizeof "https://" + sizeof kProductWebAddress];
  std::snprintf(page, sizeof page, "https://%s", kProductWebAddress);
  Graphics()->OpenWebPage(page, Plug() ? Plug()->EffectName() : "", nullptr,
                          "Cannot open url. Check your default browser.");
}
