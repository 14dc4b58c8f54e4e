// A picture on the page: a canvas its window paints through the page's 2D drawing, at the
// screen's own resolution, once per frame however often it is asked.
#include <emscripten/val.h>

#include "services/Form.h"
#include "services/FormWindowInPage.h"
#include "services/Picture.h"

namespace ui {

using emscripten::val;

namespace {

class CanvasPainter : public Painter {
  public:
    explicit CanvasPainter(val context) : context_(std::move(context)) {}

    void Fill(const geometry::Rect& area, colour::BgrColour colour) override {
        context_.set("fillStyle", CssColour(colour));
        context_.call<void>("fillRect", area.left, area.top, area.width, area.height);
    }

    void Box(const geometry::Rect& area, colour::BgrColour fill, colour::BgrColour edge) override {
        Fill(area, edge);
        Fill({area.left + 1, area.top + 1, area.width - 2, area.height - 2}, fill);
    }

    // A line along a row or a column is a thin rectangle, whose pixels are exact; any other
    // is stroked.
    void Line(geometry::Point from, geometry::Point to, colour::BgrColour colour,
              int width) override {
        if (from.x == to.x || from.y == to.y) {
            const int left = std::min(from.x, to.x) - (from.y == to.y ? 0 : width / 2);
            const int top = std::min(from.y, to.y) - (from.x == to.x ? 0 : width / 2);
            const int wide = from.y == to.y ? std::abs(to.x - from.x) + 1 : width;
            const int high = from.x == to.x ? std::abs(to.y - from.y) + 1 : width;
            Fill({left, top, wide, high}, colour);
            return;
        }
        context_.set("strokeStyle", CssColour(colour));
        context_.set("lineWidth", width);
        context_.call<void>("beginPath");
        context_.call<void>("moveTo", from.x + 0.5, from.y + 0.5);
        context_.call<void>("lineTo", to.x + 0.5, to.y + 0.5);
        context_.call<void>("stroke");
    }

    void Write(const geometry::Rect& area, TextPlace place, text::TextView shown,
               colour::BgrColour colour, double pointSize) override {
        context_.call<void>("save");
        context_.call<void>("beginPath");
        context_.call<void>("rect", area.left, area.top, area.width, area.height);
        context_.call<void>("clip");
        context_.set("font", std::to_string(pointSize) + "pt \"Kunpu PGothic\", sans-serif");
        context_.set("fillStyle", CssColour(colour));
        double x = area.left + area.width / 2.0;
        double y = area.top + area.height / 2.0;
        switch (place) {
            case TextPlace::Centre:
                context_.set("textAlign", "center");
                context_.set("textBaseline", "middle");
                break;
            case TextPlace::MiddleLeft:
                context_.set("textAlign", "left");
                context_.set("textBaseline", "middle");
                x = area.left;
                break;
            case TextPlace::BottomCentre:
                context_.set("textAlign", "center");
                context_.set("textBaseline", "bottom");
                y = area.top + area.height;
                break;
        }
        context_.call<void>("fillText", PageText(shown), x, y);
        context_.call<void>("restore");
    }

  private:
    val context_;
};

}  // namespace

void Picture::Create(Form& form, Paint paint) {
    PageElement* canvas =
        form.Widget()->Keep(std::make_unique<PageElement>("canvas", "picture", form.Client()));
    canvas->window = form.Widget();
    canvas->SetAttribute("aria-hidden", std::string("true"));
    canvas->paint = [canvas, paint = std::move(paint)] {
        val node = canvas->Node();
        const geometry::Size size{canvas->area.width, canvas->area.height};
        const double scale = val::global("window")["devicePixelRatio"].as<double>();
        const int wide = static_cast<int>(size.width * scale + 0.5);
        const int high = static_cast<int>(size.height * scale + 0.5);
        if (node["width"].as<int>() != wide || node["height"].as<int>() != high) {
            node.set("width", wide);
            node.set("height", high);
        }
        val context = node.call<val>("getContext", val("2d"));
        context.call<void>("setTransform", scale, 0, 0, scale, 0, 0);
        CanvasPainter painter(context);
        paint(painter, size);
    };
    Bind(canvas);
}

void Picture::Redraw() {
    Widget()->RequestPaint();
}

geometry::Rect Picture::AreaInWindow() const {
    const geometry::Rect& area = Widget()->area;
    return {area.left, area.top + Widget()->window->ClientTopInWindow(), area.width, area.height};
}

}  // namespace ui
