#include "services/Picture.h"

#include <QPainter>
#include <QWidget>

#include "services/Fonts.h"
#include "services/Form.h"
#include "services/QtColour.h"
#include "services/QtText.h"

namespace ui {

namespace {

class QtPainter : public Painter {
  public:
    explicit QtPainter(QWidget& widget) : painter_(&widget) {}

    void Fill(const geometry::Rect& area, colour::BgrColour colour) override {
        painter_.fillRect(ToQt(area), ResolveColour(colour));
    }

    // Qt's outline of a rectangle covers its right and bottom edges' pixels besides the
    // rectangle itself: one pixel less each way keeps it within the area.
    void Box(const geometry::Rect& area, colour::BgrColour fill, colour::BgrColour edge) override {
        painter_.setPen(ResolveColour(edge));
        painter_.setBrush(ResolveColour(fill));
        painter_.drawRect(ToQt(area).adjusted(0, 0, -1, -1));
        painter_.setBrush(Qt::NoBrush);
    }

    void Line(geometry::Point from, geometry::Point to, colour::BgrColour colour,
              int width) override {
        painter_.setPen(QPen(ResolveColour(colour), width));
        painter_.drawLine(ToQt(from), ToQt(to));
    }

    void Write(const geometry::Rect& area, TextPlace place, text::TextView text,
               colour::BgrColour colour, double pointSize) override {
        painter_.setFont(LessonFont(pointSize, /*bold=*/false));
        painter_.setPen(ResolveColour(colour));
        painter_.drawText(ToQt(area), AlignmentOf(place), ToQt(text));
    }

  private:
    static Qt::Alignment AlignmentOf(TextPlace place) {
        switch (place) {
            case TextPlace::Centre:
                return Qt::AlignCenter;
            case TextPlace::MiddleLeft:
                return Qt::AlignLeft | Qt::AlignVCenter;
            case TextPlace::BottomCentre:
                return Qt::AlignHCenter | Qt::AlignBottom;
        }
        return Qt::AlignCenter;
    }

    QPainter painter_;
};

class PictureWidget : public QWidget {
  public:
    PictureWidget(QWidget* parent, Picture::Paint paint)
        : QWidget(parent), paint_(std::move(paint)) {
        setFocusPolicy(Qt::NoFocus);
    }

  protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QtPainter painter(*this);
        paint_(painter, FromQt(size()));
    }

  private:
    Picture::Paint paint_;
};

}  // namespace

void Picture::Create(Form& form, Paint paint) {
    Bind(new PictureWidget(form.Client(), std::move(paint)));
}

void Picture::Redraw() {
    Widget()->update();
}

geometry::Rect Picture::AreaInWindow() const {
    return FromQt(QRect(Widget()->mapTo(Widget()->window(), QPoint(0, 0)), Widget()->size()));
}

}  // namespace ui
