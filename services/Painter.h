#pragma once
// What a picture is painted with: rectangles, boxes, lines and texts, in the picture's own
// pixels, colours as 0x00BBGGRR. The window logic paints through it without a toolkit.
#include "services/Colour.h"
#include "services/Geometry.h"
#include "services/Text.h"

namespace ui {

// Where a text sits in the area it is written in.
enum class TextPlace { Centre, MiddleLeft, BottomCentre };

class Painter {
  public:
    virtual ~Painter() = default;
    virtual void Fill(const geometry::Rect& area, colour::BgrColour colour) = 0;
    // `area` filled, with a one-pixel edge of `edge` along its inside.
    virtual void Box(const geometry::Rect& area, colour::BgrColour fill,
                     colour::BgrColour edge) = 0;
    virtual void Line(geometry::Point from, geometry::Point to, colour::BgrColour colour,
                      int width) = 0;
    // In the lessons' face (services/Fonts.h), one line, cut where the area ends.
    virtual void Write(const geometry::Rect& area, TextPlace place, text::TextView text,
                       colour::BgrColour colour, double pointSize) = 0;
};

}  // namespace ui
