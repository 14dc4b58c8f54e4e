#pragma once
// Geometry in twips (1440 to the inch). At Qt's 96 logical dots per inch a twip is 1/15 of
// a device-independent pixel; Qt applies the screen's own scale factor on top of that.
namespace twips {

inline constexpr int kTwipsPerPixel = 15;

int ToPixels(int twips);  // halves round away from zero
int FromPixels(int pixels);

// One coordinate of a control. It remembers the twips value last written, so that the
// value reads back exactly although the widget only holds whole pixels; a change made
// from outside (the window manager moving a window) reads back in whole pixels.
class TwipsProperty {
  public:
    int Read(int currentPixels) const;
    // Stores the value and returns the pixels to give the widget.
    int Write(int twipsValue);

  private:
    bool written_ = false;
    int writtenTwips_ = 0;
    int writtenPixels_ = 0;
};

}  // namespace twips
