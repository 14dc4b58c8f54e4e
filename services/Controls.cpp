#include "services/Controls.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QTimer>

#include "services/Accessibility.h"
#include "services/Fonts.h"
#include "services/Form.h"
#include "services/FormWindow.h"
#include "services/LessonButton.h"
#include "services/QtColour.h"
#include "services/QtText.h"

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

// A label that can paint the start of its text in a colour of its own. Painted as two runs
// of plain text, not as rich text, which lays a document out again at every change: the
// romaji guide changes a cell at every key.
class TwoColourLabel : public QLabel {
  public:
    using QLabel::QLabel;

    void SetColouredStart(qsizetype length, const QColor& colour) {
        if (length == startLength_ && colour == startColour_) {
            return;
        }
        startLength_ = length;
        startColour_ = colour;
        update();
    }
    qsizetype ColouredStartLength() const { return startLength_; }

  protected:
    void paintEvent(QPaintEvent* event) override {
        if (startLength_ == 0) {
            QLabel::paintEvent(event);
            return;
        }
        QPainter painter(this);
        const QString shown = text();
        const QString start = shown.left(startLength_);
        const QFontMetrics metrics = fontMetrics();
        const QRect line = QStyle::alignedRect(
            layoutDirection(), QStyle::visualAlignment(layoutDirection(), alignment()),
            QSize(metrics.horizontalAdvance(shown), metrics.height()), contentsRect());
        const QPoint baseline = line.topLeft() + QPoint(0, metrics.ascent());
        painter.setPen(startColour_);
        painter.drawText(baseline, start);
        painter.setPen(palette().color(foregroundRole()));
        painter.drawText(baseline + QPoint(metrics.horizontalAdvance(start), 0),
                         shown.mid(startLength_));
    }

  private:
    qsizetype startLength_ = 0;
    QColor startColour_;
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

void Control::SetAccessibleName(text::TextView name) {
    ui::SetAccessibleName(*widget_, ToQt(name));
}
void Control::SetAccessibleDescription(text::TextView description) {
    ui::SetAccessibleDescription(*widget_, ToQt(description));
}

// ---- Label ----

void Label::Create(Form& form) {
    auto* label = new TwoColourLabel(form.Client());
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Bind(label);
}

QLabel* Label::Widget() const {
    return static_cast<QLabel*>(Control::Widget());
}
text::Text Label::Caption() const {
    return FromQt(Widget()->text());
}
void Label::SetCaption(text::TextView caption) {
    if (auto* label = dynamic_cast<TwoColourLabel*>(Widget())) {
        label->SetColouredStart(0, {});
    }
    Widget()->setText(ToQt(caption));
    DisplayChanged();
}

// The romaji guide sets every cell's caption at every key, and one or two change: the others
// are left alone, unpainted.
void Label::SetCaptionInTwoColours(text::TextView start, colour::BgrColour startColour,
                                   text::TextView rest) {
    const QString caption = ToQt(start) + ToQt(rest);
    if (Widget()->text() == caption && ColouredStartLength() == start.size()) {
        return;
    }
    Widget()->setText(caption);
    if (auto* label = dynamic_cast<TwoColourLabel*>(Widget())) {
        label->SetColouredStart(static_cast<qsizetype>(start.size()), ResolveColour(startColour));
    }
    DisplayChanged();
}

std::size_t Label::ColouredStartLength() const {
    const auto* label = dynamic_cast<const TwoColourLabel*>(Widget());
    return label == nullptr ? 0 : static_cast<std::size_t>(label->ColouredStartLength());
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

void Label::SetAlignment(TextAlignment alignment) {
    switch (alignment) {
        case TextAlignment::TopLeft:
            Widget()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            return;
        case TextAlignment::TopCentre:
            Widget()->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
            return;
        case TextAlignment::TopRight:
            Widget()->setAlignment(Qt::AlignRight | Qt::AlignTop);
            return;
    }
}
void Label::SetLessonFont(double pointSize, bool bold) {
    Widget()->setFont(LessonFont(pointSize, bold));
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
text::Text CommandButton::Caption() const {
    return FromQt(Widget()->text());
}
void CommandButton::SetCaption(text::TextView caption) {
    Widget()->setText(ToQt(caption));
    DisplayChanged();
}
colour::BgrColour CommandButton::BackColor() const {
    return Widget()->BackColor();
}
void CommandButton::SetBackColor(colour::BgrColour colour) {
    Widget()->SetBackColor(colour);
}
void CommandButton::SetLessonFont(double pointSize, bool bold) {
    Widget()->setFont(LessonFont(pointSize, bold));
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
void CommandButton::SetKeyboardClickAllowed(std::function<bool()> allowed) {
    Widget()->SetKeyboardClickAllowed(std::move(allowed));
}
void CommandButton::FollowInTabOrder(const CommandButton& before) {
    QWidget::setTabOrder(before.Widget(), Widget());
}

// ---- Line ----

void Line::Create(Form& form, int x1, int y1, int x2, int y2, colour::BgrColour colour) {
    const QPoint from(twips::ToPixels(x1), twips::ToPixels(y1));
    const QPoint to(twips::ToPixels(x2), twips::ToPixels(y2));
    const QRect box = QRect(from, to).normalized();
    auto* line = new LineWidget(form.Client(), from - box.topLeft(), to - box.topLeft(),
                                ResolveColour(colour));
    Bind(line);
    Move(std::min(x1, x2), std::min(y1, y2), std::abs(x2 - x1) + twips::kTwipsPerPixel,
         std::abs(y2 - y1) + twips::kTwipsPerPixel);
}

// ---- Timer ----

void Timer::Create(Form& owner, int intervalMilliseconds, std::function<void()> onTick) {
    timer_ = new QTimer(owner.Widget());
    timer_->setTimerType(Qt::PreciseTimer);
    timer_->setInterval(intervalMilliseconds);
    QObject::connect(timer_, &QTimer::timeout, owner.Widget(), std::move(onTick));
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
        enabledAt_ = std::chrono::steady_clock::now();
    } else {
        timer_->stop();
    }
}

int Timer::Interval() const {
    return timer_->interval();
}

// ---- Table ----
// Headings over a scrolled column of rows, each cell a label of its own at its column's
// place, so that a screen reader walks the rows cell by cell.

namespace {

constexpr int kTableRowPixels = 18;

class TableWidget : public QWidget {
  public:
    TableWidget(QWidget* parent, const QStringList& headings)
        : QWidget(parent), headings_(headings) {
        setFocusPolicy(Qt::NoFocus);
        for (const QString& heading : headings) {
            auto* label = new QLabel(heading, this);
            label->setTextFormat(Qt::PlainText);
            label->setAlignment(Qt::AlignCenter);
            label->setFrameShape(QFrame::StyledPanel);
            headingLabels_.append(label);
        }
        scroll_ = new QScrollArea(this);
        scroll_->setFocusPolicy(Qt::NoFocus);
        scroll_->setFrameShape(QFrame::StyledPanel);
        scroll_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        scroll_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        scroll_->verticalScrollBar()->setFocusPolicy(Qt::NoFocus);
        SetRows({}, {});
    }

    void SetColumnWidths(const std::vector<int>& pixels) {
        widths_ = pixels;
        LayOut();
    }

    void SetRows(const std::vector<QStringList>& shown, const std::vector<QStringList>& spoken) {
        rows_ = shown;
        auto* rows = new QWidget;
        rows->setAutoFillBackground(false);
        for (std::size_t row = 0; row < shown.size(); ++row) {
            for (int column = 0; column < shown[row].size(); ++column) {
                auto* cell = new QLabel(shown[row][column], rows);
                cell->setTextFormat(Qt::PlainText);
                cell->setAlignment(column == 0 ? Qt::AlignLeft | Qt::AlignVCenter
                                               : Qt::AlignRight | Qt::AlignVCenter);
                if (row < spoken.size() && column < spoken[row].size()) {
                    cell->setAccessibleName(spoken[row][column]);
                }
            }
        }
        delete scroll_->takeWidget();
        scroll_->setWidget(rows);
        LayOut();
    }

    const std::vector<QStringList>& Rows() const { return rows_; }

  protected:
    void resizeEvent(QResizeEvent*) override { LayOut(); }

  private:
    int ColumnLeft(int column) const {
        int left = 0;
        for (int index = 0; index < column && index < static_cast<int>(widths_.size()); ++index) {
            left += widths_[static_cast<std::size_t>(index)];
        }
        return left;
    }
    int ColumnWidth(int column) const {
        return column < static_cast<int>(widths_.size()) ? widths_[static_cast<std::size_t>(column)]
                                                         : 0;
    }

    void LayOut() {
        for (int column = 0; column < headingLabels_.size(); ++column) {
            headingLabels_[column]->setGeometry(ColumnLeft(column), 0, ColumnWidth(column),
                                                kTableRowPixels);
        }
        scroll_->setGeometry(0, kTableRowPixels, width(), std::max(height() - kTableRowPixels, 0));
        QWidget* rows = scroll_->widget();
        if (rows == nullptr) {
            return;
        }
        const QList<QLabel*> cells = rows->findChildren<QLabel*>(Qt::FindDirectChildrenOnly);
        const int columns = std::max(static_cast<int>(headings_.size()), 1);
        for (int index = 0; index < cells.size(); ++index) {
            const int column = index % columns;
            cells[index]->setGeometry(ColumnLeft(column) + 2, (index / columns) * kTableRowPixels,
                                      ColumnWidth(column) - 4, kTableRowPixels);
        }
        rows->resize(ColumnLeft(columns), static_cast<int>(rows_.size()) * kTableRowPixels);
    }

    QStringList headings_;
    QList<QLabel*> headingLabels_;
    QScrollArea* scroll_ = nullptr;
    std::vector<int> widths_;
    std::vector<QStringList> rows_;
};

}  // namespace

void Table::Create(Form& form, const text::TextList& headings) {
    Bind(new TableWidget(form.Client(), ToQt(headings)));
}

void Table::SetColumnWidths(const std::vector<int>& twipsValues) {
    std::vector<int> pixels;
    for (const int value : twipsValues) {
        pixels.push_back(twips::ToPixels(value));
    }
    static_cast<TableWidget*>(Widget())->SetColumnWidths(pixels);
}

void Table::SetRows(const std::vector<text::TextList>& shown,
                    const std::vector<text::TextList>& spoken) {
    const auto inQt = [](const std::vector<text::TextList>& rows) {
        std::vector<QStringList> converted;
        converted.reserve(rows.size());
        for (const text::TextList& row : rows) {
            converted.push_back(ToQt(row));
        }
        return converted;
    };
    static_cast<TableWidget*>(Widget())->SetRows(inQt(shown), inQt(spoken));
    DisplayChanged();
}

int Table::RowCount() const {
    return static_cast<int>(static_cast<TableWidget*>(Widget())->Rows().size());
}

text::Text Table::Cell(int row, int column) const {
    const std::vector<QStringList>& rows = static_cast<TableWidget*>(Widget())->Rows();
    if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 ||
        column >= rows[static_cast<std::size_t>(row)].size()) {
        return text::Text();
    }
    return FromQt(rows[static_cast<std::size_t>(row)][column]);
}

// ---- MenuItem ----

void MenuItem::Bind(Form& form, QAction* action, std::function<void()> onClick) {
    action_ = action;
    QObject::connect(action, &QAction::triggered, form.Widget(),
                     [&form, handler = std::move(onClick)] {
                         form.NoteInteraction();
                         handler();
                     });
}

text::Text MenuItem::Caption() const {
    return FromQt(action_->text());
}
bool MenuItem::Checked() const {
    return action_->isChecked();
}
void MenuItem::SetChecked(bool checked) {
    action_->setChecked(checked);
}
void MenuItem::SetCheckable(bool checkable) {
    action_->setCheckable(checkable);
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
