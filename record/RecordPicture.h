#pragma once
// The picture of the last run, painted bar by bar: each kana's time as a bar over the kana,
// the bars of kana with misses in red under their count, and the pace of the chosen speed
// as a line across.
#include <QColor>
#include <QWidget>

#include "program/SessionRecord.h"

class RecordPicture : public QWidget {
  public:
    explicit RecordPicture(QWidget* parent);

    void SetRun(const session::RunEntry& run);

    static const QColor kBarColour;
    static const QColor kMissedColour;
    static const QColor kPaceColour;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    session::RunEntry run_;
};
