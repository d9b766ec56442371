#pragma once
// How a scroll thumb's travel maps to the first row shown and back, for the
// slot panel and the popup menu alike: a view with hidden rows beyond it and a
// thumb that travels track pixels, the top of the travel showing the first row
// and the bottom the last ones. Pure arithmetic in editor pixels.

// The first row shown at offset pixels of travel, 0..hidden; 0 when nothing is
// hidden or the thumb cannot move.
int FirstRowAtOffset(int offset, int hiddenRows, int track);
// The offset that shows row first at the top (first limited to 0..hidden); 0
// when nothing is hidden.
int OffsetOfFirstRow(int first, int hiddenRows, int track);
// offset limited to the thumb's travel, 0..track (0 when the thumb cannot move).
int ClampToTrack(int offset, int track);
