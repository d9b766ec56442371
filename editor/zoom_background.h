#pragma once
// The editor's background picture, which also offers the person's zoom: a right
// click on it opens the editor's popup menu with 100 % to 200 %; the choice
// resizes the editor (through the host's frame) and is remembered for the user.
//
// Threads: the editor thread.

#include <string>

#include "bitmap_control.h"

class ZoomBackground : public IBitmapControl {
 public:
  // settingsFolder: where the choice is saved; empty: not saved.
  ZoomBackground(IEffectBase* plug, const IImage& image, std::string settingsFolder);

  void MouseDown(int x, int y, const IMouseKeys& mod) override;
  // The menu's choice: item indexes kZoomChoices; -1 (cancelled) changes nothing.
  void SetTextFromMenu(const char* text, int item) override;

 private:
  std::string settingsFolder_;
};
