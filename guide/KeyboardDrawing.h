#pragma once
// The guide's keyboard, painted key by key: the finger's tint, the key due lit up (red once
// missed), Shift with it where the key needs it, the home keys' bumps, and beneath, the
// finger in words.
#include <QColor>
#include <QRect>
#include <QWidget>
#include <optional>

#include "guide/KeyChart.h"

namespace guide {
class MissTally;
}

class KeyboardDrawing : public QWidget {
  public:
    // The client area the drawing needs, in pixels.
    static QSize SizeNeeded();

    explicit KeyboardDrawing(QWidget* parent);

    void SetLayout(guide::Layout layout) { layout_ = layout; }
    // The key due and the line beneath it; `missed` lights it red.
    void SetDue(std::optional<guide::Stroke> stroke, bool missed, const QString& line);
    // The session's misses, which tint each key by its share of them.
    void SetTally(const guide::MissTally* tally) { tally_ = tally; }

    // Where a key of the current layout is drawn (the first part of Enter); empty for a key
    // the layout does not have.
    QRect KeyRect(char16_t key) const;

    static const QColor kDueColour;
    static const QColor kMissedColour;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor FillOf(const guide::ChartKey& key) const;

    guide::Layout layout_ = guide::Layout::Jis;
    std::optional<guide::Stroke> due_;
    bool missed_ = false;
    QString line_;
    const guide::MissTally* tally_ = nullptr;
};
