#pragma once
// The session's record 「成績」: a picture of the last run, the keys the pupil waits longest
// before beside the weak keys, and a table of every finished run, newest first. It shows
// beside the menu and the board, follows the record after every run, and never takes the
// keyboard from the board or a box.
#include <cstdint>
#include <vector>

#include "program/SessionRecord.h"
#include "services/Controls.h"
#include "services/Form.h"
#include "services/Geometry.h"
#include "services/Picture.h"

class RecordWindow : public ui::Form {
  public:
    // The client area, in pixels: one column narrow enough to stand beside the menu on a
    // tablet on its side.
    static constexpr int kClientWidthPixels = 240;
    static constexpr int kClientHeightPixels = 494;

    RecordWindow();

    // The record as it stands, and the weak keys to show beside the slow ones.
    void ShowRecord(const session::SessionRecord& record, text::TextView weakKeys);
    // Shown beside `taken` (the frames of the windows it must not cover, the menu's first);
    // a window already showing moves only when it covers one of them.
    void ShowBeside(const std::vector<geometry::Rect>& taken);
    void KeepClearOf(const std::vector<geometry::Rect>& taken);

    void Form_Unload(std::int16_t& cancel) override;

    ui::Label LastRun;    // 「前回：1ページ」
    ui::Label RunResult;  // the last run's speed and misses
    ui::Label SlowKeys;   // 「遅いキー」 and its lines
    ui::Label WeakKeys;   // 「苦手なキー」 and its lines
    ui::Table Runs;       // every run, newest first
    ui::Picture Picture;  // the last run, bar by bar

  private:
    session::RunEntry shownRun_;  // the run the picture shows; none before the first
    void PlaceBeside(const std::vector<geometry::Rect>& taken);
};
