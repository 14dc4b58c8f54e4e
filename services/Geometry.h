#pragma once
// Points, sizes and rectangles in whole pixels, for the window logic's arithmetic of
// places: a rectangle's right and bottom are one past its last pixel.
namespace geometry {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    int width = 0;
    int height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

struct Rect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;

    static constexpr Rect At(Point place, Size size) {
        return {place.x, place.y, size.width, size.height};
    }
    constexpr int Right() const { return left + width; }
    constexpr int Bottom() const { return top + height; }
    constexpr Point TopLeft() const { return {left, top}; }
    constexpr Size Extent() const { return {width, height}; }
    constexpr bool IsEmpty() const { return width <= 0 || height <= 0; }
    constexpr Rect Translated(Point by) const { return {left + by.x, top + by.y, width, height}; }
    // Whether `inner` lies wholly within this rectangle; an empty one never does.
    constexpr bool Contains(const Rect& inner) const {
        return !IsEmpty() && !inner.IsEmpty() && inner.left >= left && inner.top >= top &&
               inner.Right() <= Right() && inner.Bottom() <= Bottom();
    }
    // Whether the two share a pixel.
    constexpr bool Intersects(const Rect& other) const {
        return !IsEmpty() && !other.IsEmpty() && left < other.Right() && other.left < Right() &&
               top < other.Bottom() && other.top < Bottom();
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace geometry
