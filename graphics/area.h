#pragma once
// A rectangle in editor pixels; right and bottom are exclusive (width = right -
// left). All four values 0 is the empty rectangle: it meets nothing and is
// ignored by unions.

struct IArea {
  int left = 0, top = 0, right = 0, bottom = 0;

  IArea() = default;
  IArea(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

  int W() const { return right - left; }
  int H() const { return bottom - top; }
  bool Empty() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool operator==(const IArea& o) const {
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom;
  }
  bool operator!=(const IArea& o) const { return !(*this == o); }

  bool Intersects(const IArea& o) const {
    return !Empty() && !o.Empty() && left < o.right && o.left < right && top < o.bottom &&
           o.top < bottom;
  }
  // The overlap, or the empty rectangle when there is none.
  IArea Intersect(const IArea& o) const {
    if (!Intersects(o)) return IArea();
    return IArea(left > o.left ? left : o.left, top > o.top ? top : o.top,
                 right < o.right ? right : o.right, bottom < o.bottom ? bottom : o.bottom);
  }
  IArea Union(const IArea& o) const {
    if (Empty()) return o;
    if (o.Empty()) return *this;
    return IArea(left < o.left ? left : o.left, top < o.top ? top : o.top,
                 right > o.right ? right : o.right, bottom > o.bottom ? bottom : o.bottom);
  }
};
