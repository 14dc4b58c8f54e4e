#pragma once
// A painter that draws nothing and keeps every stroke, in order, for the pictures' tests.
#include <string>
#include <vector>

#include "services/Painter.h"

namespace testing_support {

struct Stroke {
    char what;            // 'f' fill, 'b' box, 'l' line, 'w' text
    geometry::Rect area;  // a line's from and to as its left, top, width and height
    colour::BgrColour colour = 0;
    text::Text text;
};

class RecordingPainter : public ui::Painter {
  public:
    std::vector<Stroke> strokes;

    void Fill(const geometry::Rect& area, colour::BgrColour colour) override {
        strokes.push_back({'f', area, colour, {}});
    }
    void Box(const geometry::Rect& area, colour::BgrColour fill, colour::BgrColour) override {
        strokes.push_back({'b', area, fill, {}});
    }
    void Line(geometry::Point from, geometry::Point to, colour::BgrColour colour, int) override {
        strokes.push_back({'l', {from.x, from.y, to.x, to.y}, colour, {}});
    }
    void Write(const geometry::Rect& area, ui::TextPlace, text::TextView text,
               colour::BgrColour colour, double) override {
        strokes.push_back({'w', area, colour, text::Text(text)});
    }

    // The strokes of one kind, in order.
    std::vector<Stroke> Of(char what) const {
        std::vector<Stroke> found;
        for (const Stroke& stroke : strokes) {
            if (stroke.what == what) {
                found.push_back(stroke);
            }
        }
        return found;
    }
};

}  // namespace testing_support
