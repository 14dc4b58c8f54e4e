#pragma once
// A picture its window paints itself through a painter (services/Painter.h): the window says
// what to draw; the backend draws it whenever the picture must show.
#include <functional>

#include "services/Controls.h"
#include "services/Geometry.h"
#include "services/Painter.h"

namespace ui {

class Picture : public Control {
  public:
    using Paint = std::function<void(Painter& painter, geometry::Size size)>;
    // Made on the window's client area; never takes the focus.
    void Create(Form& form, Paint paint);
    // The picture is painted again soon, once however often this is called.
    void Redraw();
    // Where the picture lies in its window, in the window's pixels.
    geometry::Rect AreaInWindow() const;
};

}  // namespace ui
