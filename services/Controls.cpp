#include "services/Controls.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QTimer>

#include "services/Accessibility.h"
#include "services/Form.h"
#include "services/LessonButton.h"

namespace ui {

namespace {

QPalette::ColorRole SystemColourRole(int index) {
    switch (index) {
        case 1:   // desktop
        case 4:   // menu
        case 15:  // button face
            return QPalette::Button;
        case 5:  // window
            return QPalette::Base;
        case 13:  // highlight
            return QPalette::Highlight;
        case 14:  // highlighted text
            return QPalette::HighlightedText;
        case 18:  // button text
            return QPalette::ButtonText;
        case 7:  // menu text
        case 8:  // window text
        default:
            return QPalette::WindowText;
    }
}

// Draws one line from its first point to its second, inside its own small widget.
class LineWidget : public QWidget {
  public:
    LineWidget(QWidget* parent, QPoint from, QPoint to, QColor colour)
        : QWidget(parent), from_(from), to_(to), colour_(colour) {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        SetAccessibleRole(*this, QAccessible::Separator);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(QPen(colour_, 1, Qt::SolidLine));
        painter.drawLine(from_, to_);
    }

  private:
    QPoint from_, to_;
    QColor colour_;
};

}  // namespace

QColor ResolveColour(colour::BgrColour value) {
    if (colour::IsSystemColour(value)) {
        return QApplication::palette().color(QPalette::Active,
                                             SystemColourRole(colour::SystemColourIndex(value)));
    }
    const colour::Rgb rgb = colour::ToRgb(value);
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// ---- Control ----

int Control::Left() const {
    return left_.Read(widget_->x());
}
void Control::SetLeft(int v) {
    widget_->move(left_.Write(v), widget_->y());
    DisplayChanged();
}
int Control::Top() const {
    return top_.Read(widget_->y());
}
void Control::SetTop(int v) {
    widget_->move(widget_->x(), top_.Write(v));
    DisplayChanged();
}
int Control::Width() const {
    return width_.Read(widget_->width());
}
void Control::SetWidth(int v) {
    widget_->resize(width_.Write(v), widget_->height());
}
int Control::Height() const {
    return height_.Read(widget_->height());
}
void Control::SetHeight(int v) {
    widget_->resize(widget_->width(), height_.Write(v));
}

void Control::Move(int left, int top, int width, int height) {
    widget_->setGeometry(left_.Write(left), top_.Write(top), width_.Write(width),
                         height_.Write(height));
    DisplayChanged();
}

bool Control::Visible() const {
    return !widget_->isHidden();
}
void Control::SetVisible(bool visible) {
    widget_->setVisible(visible);
    DisplayChanged();
}
bool Control::Enabled() const {
    return widget_->isEnabled();
}
void Control::SetEnabled(bool enabled) {
    widget_->setEnabled(enabled);
}

void Control::SetAccessibleName(const QString& name) {
    ui::SetAccessibleName(*widget_, name);
}
void Control::SetAccessibleDescription(const QString& description) {
    ui::SetAccessibleDescription(*widget_, description);
}

void Control::OnDisplayChange(std::function<void()> changed) {
    displayChanged_ = std::move(changed);
}

void Control::DisplayChanged() const {
    if (displayChanged_) {
        displayChanged_();
    }
}

// ---- Label ----

void Label::Create(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Bind(label);
}

QLabel* Label::Widget() const {
    return static_cast<QLabel*>(Control::Widget());
}
QString Label::Caption() const {
    return Widget()->text();
}
void Label::SetCaption(const QString& caption) {
    Widget()->setText(caption);
    DisplayChanged();
}

void Label::SetCaptionInTwoColours(const QString& start, colour::BgrColour startColour,
                                   const QString& rest) {
    if (start.isEmpty()) {
        Widget()->setTextFormat(Qt::PlainText);
        SetCaption(rest);
        return;
    }
    Widget()->setTextFormat(Qt::RichText);
    SetCaption(
        QStringLiteral("<span style=\"color:%1\">%2</span>%3")
            .arg(ResolveColour(startColour).name(), start.toHtmlEscaped(), rest.toHtmlEscaped()));
}

void Label::SetBackColor(colour::BgrColour colour) {
    backColor_ = colour;
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::Window, ResolveColour(colour));
    Widget()->setPalette(palette);
}

void Label::SetForeColor(colour::BgrColour colour) {
    QPalette palette = Widget()->palette();
    palette.setColor(QPalette::WindowText, ResolveColour(colour));
    Widget()->setPalette(palette);
}

void Label::SetAlignment(Qt::Alignment alignment) {
    Widget()->setAlignment(alignment);
}
void Label::SetFont(const QFont& font) {
    Widget()->setFont(font);
}

// ---- CommandButton ----

void CommandButton::Create(Form& form, std::function<void()> onClick) {
    auto* button = new LessonButton(form.Client());
    QObject::connect(button, &QPushButton::clicked, button, [&form, handler = std::move(onClick)] {
        form.NoteInteraction();
        handler();
    });
    Bind(button);
}

LessonButton* CommandButton::Widget() const {
    return static_cast<LessonButton*>(Control::Widget());
}
QString CommandButton::Caption() const {
    return Widget()->text();
}
void CommandButton::SetCaption(const QString& caption) {
    Widget()->setText(caption);
    DisplayChanged();
}
colour::BgrColour CommandButton::BackColor() const {
    return Widget()->BackColor();
}
void CommandButton::SetBackColor(colour::BgrColour colour) {
    Widget()->SetBackColor(colour);
}
void CommandButton::SetFont(const QFont& font) {
    Widget()->setFont(font);
}
void CommandButton::SetFocus() {
    Widget()->setFocus(Qt::OtherFocusReason);
}
bool CommandButton::HasFocus() const {
    QWidget* window = Widget()->window();
    return window->focusWidget() == Widget();
}
void CommandButton::Click() {
    Widget()->click();
}

// ---- Line ----

void Line::Create(QWidget* parent, int x1, int y1, int x2, int y2, colour::BgrColour colour) {
    const QPoint from(twips::ToPixels(x1), twips::ToPixels(y1));
    const QPoint to(twips::ToPixels(x2), twips::ToPixels(y2));
    const QRect box = QRect(from, to).normalized();
    auto* line =
        new LineWidget(parent, from - box.topLeft(), to - box.topLeft(), ResolveColour(colour));
    Bind(line);
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + twips::kTwipsPerPixel,
         std::abs(y2 - y1) + twips::kTwipsPerPixel);
}

// ---- Timer ----

void Timer::Create(QObject* owner, int intervalMilliseconds, std::function<void()> onTick) {
    timer_ = new QTimer(owner);
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(intervalMilliseconds);
    QObject::connect(timer_, &QTimer::timeout, owner, std::move(onTick));
}

bool Timer::Enabled() const {
    return timer_->isActive();
}

void Timer::SetEnabled(bool enabled) {
    if (enabled == timer_->isActive()) {
        return;  // enabling a running timer must not restart its interval
    }
    if (enabled) {
        timer_->start();
        sinceEnabled_.start();
    } else {
        timer_->stop();
    }
}

int Timer::Interval() const {
    return timer_->interval();
}

long long Timer::ElapsedIntervals() const {
    if (!timer_->isActive() || timer_->interval() <= 0) {
        return 0;
    }
    return sinceEnabled_.elapsed() / timer_->interval();
}

// ---- MenuItem ----

void MenuItem::Bind(Form& form, QAction* action, std::function<void()> onClick) {
    action_ = action;
    QObject::connect(action, &QAction::triggered, &form, [&form, handler = std::move(onClick)] {
        form.NoteInteraction();
        handler();
    });
}

QString MenuItem::Caption() const {
    return action_->text();
}
bool MenuItem::Checked() const {
    return action_->isChecked();
}
void MenuItem::SetChecked(bool checked) {
    action_->setChecked(checked);
}
bool MenuItem::Enabled() const {
    return action_->isEnabled();
}
bool MenuItem::Visible() const {
    return action_->isVisible();
}
void MenuItem::Click() {
    action_->trigger();
}

}  // namespace ui
