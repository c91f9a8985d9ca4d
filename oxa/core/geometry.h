#pragma once
// Point, size and rectangle in window client coordinates. Rectangles are
// left, top, right, bottom with right and bottom exclusive.
#include <QPoint>
#include <QRect>
#include <QSize>
#include <algorithm>

namespace OXA {

struct CPoint {
    int x = 0;
    int y = 0;
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : x(px), y(py) {}
    QPoint ToQPoint() const { return QPoint(x, y); }
    static CPoint FromQPoint(const QPoint& p) { return CPoint(p.x(), p.y()); }
    constexpr bool operator==(const CPoint&) const = default;
};

struct CSize {
    int cx = 0;
    int cy = 0;
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : cx(w), cy(h) {}
    constexpr bool operator==(const CSize&) const = default;
};

struct CRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}
    constexpr CRect(CPoint p, CSize s) : left(p.x), top(p.y), right(p.x + s.cx), bottom(p.y + s.cy) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return CSize(Width(), Height()); }
    constexpr CPoint TopLeft() const { return CPoint(left, top); }
    constexpr CPoint BottomRight() const { return CPoint(right, bottom); }
    constexpr CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    constexpr bool PtInRect(CPoint p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // True when both rectangles are non-empty and share at least one pixel.
    constexpr bool Intersects(const CRect& o) const
    {
        return !IsRectEmpty() && !o.IsRectEmpty() && left < o.right && o.left < right && top < o.bottom &&
               o.top < bottom;
    }
    constexpr CRect Intersected(const CRect& o) const
    {
        if (!Intersects(o))
            return CRect();
        return CRect(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                     std::min(bottom, o.bottom));
    }
    // Smallest rectangle holding both; an empty rectangle adds nothing.
    constexpr CRect United(const CRect& o) const
    {
        if (o.IsRectEmpty())
            return *this;
        if (IsRectEmpty())
            return o;
        return CRect(std::min(left, o.left), std::min(top, o.top), std::max(right, o.right),
                     std::max(bottom, o.bottom));
    }
    void SetRect(int l, int t, int r, int b) { left = l, top = t, right = r, bottom = b; }
    void SetRectEmpty() { left = top = right = bottom = 0; }
    void OffsetRect(int dx, int dy) { left += dx, right += dx, top += dy, bottom += dy; }
    void DeflateRect(int dx, int dy) { left += dx, right -= dx, top += dy, bottom -= dy; }
    void DeflateRect(int l, int t, int r, int b) { left += l, top += t, right -= r, bottom -= b; }
    void InflateRect(int dx, int dy) { DeflateRect(-dx, -dy); }
    void NormalizeRect()
    {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    constexpr CRect operator|(const CRect& o) const { return United(o); }
    constexpr CRect operator&(const CRect& o) const { return Intersected(o); }
    constexpr bool operator==(const CRect&) const = default;

    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    static CRect FromQRect(const QRect& r) { return CRect(r.x(), r.y(), r.x() + r.width(), r.y() + r.height()); }
};

}  // namespace OXA
