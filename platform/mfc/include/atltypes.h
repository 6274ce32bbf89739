// CPoint, CSize and CRect: the class library's value types over POINT, SIZE and RECT.
#pragma once

#include <windows.h>
#include <win/Gdi.h>

#include <utility>

class CSize : public SIZE {
public:
    CSize() noexcept : SIZE{0, 0} {}
    CSize(int x, int y) noexcept : SIZE{x, y} {}
    CSize(SIZE s) noexcept : SIZE(s) {}
    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
    void operator+=(SIZE s) { cx += s.cx, cy += s.cy; }
    void operator-=(SIZE s) { cx -= s.cx, cy -= s.cy; }
};

class CPoint : public POINT {
public:
    CPoint() noexcept : POINT{0, 0} {}
    CPoint(int x0, int y0) noexcept : POINT{x0, y0} {}
    CPoint(POINT p) noexcept : POINT(p) {}
    explicit CPoint(SIZE s) noexcept : POINT{s.cx, s.cy} {}
    /// x from the low word, y from the high word (both signed), as in mouse messages.
    explicit CPoint(LPARAM packed) noexcept
        : POINT{static_cast<SHORT>(LOWORD(packed)), static_cast<SHORT>(HIWORD(packed))} {}
    void Offset(int dx, int dy) { x += dx, y += dy; }
    void Offset(POINT p) { Offset(p.x, p.y); }
    void SetPoint(int x0, int y0) { x = x0, y = y0; }
    bool operator==(POINT p) const { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const { return !(*this == p); }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator+(POINT p) const { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CSize operator-(POINT p) const { return CSize(x - p.x, y - p.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
    void operator+=(SIZE s) { x += s.cx, y += s.cy; }
    void operator+=(POINT p) { x += p.x, y += p.y; }
    void operator-=(SIZE s) { x -= s.cx, y -= s.cy; }
    void operator-=(POINT p) { x -= p.x, y -= p.y; }
};

class CRect : public RECT {
public:
    CRect() noexcept : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) noexcept : RECT{l, t, r, b} {}
    CRect(const RECT& r) noexcept : RECT(r) {}
    CRect(const RECT* r) noexcept : RECT(*r) {}
    CRect(POINT p, SIZE s) noexcept : RECT{p.x, p.y, p.x + s.cx, p.y + s.cy} {}
    CRect(POINT topLeft, POINT bottomRight) noexcept : RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y} {}

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint& TopLeft() { return *reinterpret_cast<CPoint*>(this); }
    CPoint& BottomRight() { return *(reinterpret_cast<CPoint*>(this) + 1); }
    const CPoint& TopLeft() const { return *reinterpret_cast<const CPoint*>(this); }
    const CPoint& BottomRight() const { return *(reinterpret_cast<const CPoint*>(this) + 1); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }
    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    BOOL IsRectEmpty() const { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const { return left == 0 && right == 0 && top == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const { return ::PtInRect(this, p); }
    void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    void CopyRect(LPCRECT r) { ::CopyRect(this, r); }
    BOOL EqualRect(LPCRECT r) const { return ::EqualRect(this, r); }
    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(POINT p) { ::OffsetRect(this, p.x, p.y); }
    void OffsetRect(SIZE s) { ::OffsetRect(this, s.cx, s.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToX(int x) { OffsetRect(x - left, 0); }
    void MoveToY(int y) { OffsetRect(0, y - top); }
    void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
    void InflateRect(SIZE s) { ::InflateRect(this, s.cx, s.cy); }
    void InflateRect(int l, int t, int r, int b) { left -= l, top -= t, right += r, bottom += b; }
    void DeflateRect(int dx, int dy) { ::InflateRect(this, -dx, -dy); }
    void DeflateRect(SIZE s) { ::InflateRect(this, -s.cx, -s.cy); }
    void DeflateRect(int l, int t, int r, int b) { left += l, top += t, right -= r, bottom -= b; }
    void NormalizeRect() {
        if (left > right)
            std::swap(left, right);
        if (top > bottom)
            std::swap(top, bottom);
    }
    BOOL IntersectRect(LPCRECT a, LPCRECT b) { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) { return ::UnionRect(this, a, b); }

    bool operator==(const RECT& r) const { return ::EqualRect(this, &r) != FALSE; }
    bool operator!=(const RECT& r) const { return !(*this == r); }
    void operator+=(POINT p) { OffsetRect(p.x, p.y); }
    void operator-=(POINT p) { OffsetRect(-p.x, -p.y); }
    void operator&=(const RECT& r) { ::IntersectRect(this, this, &r); }
    void operator|=(const RECT& r) { ::UnionRect(this, this, &r); }
    CRect operator+(POINT p) const {
        CRect r(*this);
        r.OffsetRect(p);
        return r;
    }
    CRect operator-(POINT p) const {
        CRect r(*this);
        r.OffsetRect(-p.x, -p.y);
        return r;
    }
    CRect operator&(const RECT& other) const {
        CRect r;
        ::IntersectRect(&r, this, &other);
        return r;
    }
    CRect operator|(const RECT& other) const {
        CRect r;
        ::UnionRect(&r, this, &other);
        return r;
    }
};
