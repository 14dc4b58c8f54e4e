#pragma once
// The practice board: one row of kana cells, the trail of the keys just typed, and the
// indicator bar along the bottom edge.
#include <array>
#include <cstdint>

#include "board/KeyJudge.h"
#include "board/RunResults.h"
#include "lessons/RunBuilder.h"
#include "program/SessionRecord.h"
#include "services/Controls.h"
#include "services/Form.h"

class PracticeBoard : public ui::Form {
  public:
    static constexpr int kCells = 30;
    // Where the key trail waits between runs: the left edge of cell 0.
    static constexpr int kTrailHome = 120;

    PracticeBoard();  // lays the board out (BoardLayout.cpp)

    // Start and display (BoardStart.cpp).
    void Form_Load();
    void Form_Activate() override;
    void Form_Unload(std::int16_t& cancel) override;
    void Form_MouseDown(int button) override;
    // A new run on the board, which shows: a run in progress is given up (BoardStart.cpp).
    void ShowRun(const lessons::BuiltRun& run);
    // Gives up the run in progress, if any: the timer stops and the trail goes back to
    // cell 0; nothing is judged or recorded.
    void StopRunInProgress();
    bool RunInProgress() const { return Timer1.Enabled(); }
    // The keyboard guide, if there is one, learns the key due next: the head of the queue
    // while the board shows, from the start box on (KeystrokeMatcher.cpp).
    void TellGuide(bool afterMiss);

    // The romaji guide under the cells (RomajiGuideRow.cpp): shown while 「ローマ字の案内」
    // is on; the board grows by its row, and the bar stays along its bottom edge.
    void ShowRomajiGuide(bool on);
    void RedrawRomajiGuide();

    // Keys (KeystrokeMatcher.cpp).
    void Form_KeyPress(int characterCode) override;
    void Form_KeyDown(int keyCode) override;

    // The indicator bar and the run's clock (IndicatorTimer.cpp).
    void Timer1_Timer();

    std::array<ui::Label, kCells> Label1;  // the kana cells
    ui::Label Label2;                      // the indicator bar
    ui::Label Label3;                      // the key trail
    std::array<ui::Line, 2> Line1;
    std::array<ui::Label, kCells> Label4;  // the romaji guide, one under each cell
    ui::Timer Timer1;

    // The run's counters.
    std::int16_t TypedCount = 0;       // kana units completed
    std::uint8_t MissCount = 0;        // wrong keys, held at 255
    std::int16_t Ticks = 0;            // tenths of a second, held at 32,767
    std::uint8_t LastKey = 0;          // last key accepted as typed; kept from run to run
    board::SpellingProgress Spelling;  // how the units at the head are being spelled
    session::RunTiming Timing;         // each kana's time and misses, for the record

  private:
    // Once the start box is answered: the run's counters, its clock and the keyboard.
    void StartRun();
    void JudgeKey(board::PressedKey key);
    void AdvanceQueue();
    // The end box, then the result box, then back to the menu.
    void EndOfRun();
    void ShowRunResult();
    void RecordClearedLesson(double shownSpeed);
    // The finished run joins the session's record 「成績」.
    void RecordRunInSession(const board::RunResult& result);
    void AbandonRun();
    void ReturnToMenu();
    int TextLength() const;
    // What a screen reader hears of the indicator: the reachable speed it carries
    // (BoardLayout.cpp).
    void DescribeIndicator();
    // Tells a screen reader the kana to type next, as the run starts and as each kana is
    // done; not every key (BoardLayout.cpp).
    void AnnounceNextToType();
};
