// The session's record: a run's kana and key times as the board collects them, the slowest
// keys, the picture of a run and what is read of it, and where the record window goes.
#include <gtest/gtest.h>

#include <vector>

#include "program/SessionRecord.h"
#include "record/RecordFigures.h"
#include "record/RecordPicture.h"
#include "unit/RecordingPainter.h"

namespace {

using session::kLongestRunMs;

// One thing the board tells the timing: a key accepted ('K' …), the kana done ('+'), a miss
// ('x'), each at a time of the run's clock.
struct Event {
    char what;
    std::int64_t atMs;
};

TEST(RunTiming, KanaTimesMissesAndKeyTimes) {
    struct Case {
        const char* name;
        const char16_t* text;
        std::vector<Event> events;
        std::vector<std::int64_t> kanaMs;
        std::vector<int> misses;
        std::vector<std::int64_t> keyMs;
    };
    const Case cases[] = {
        {"each kana from the end of the one before",
         u"かき",
         {{'K', 300}, {'A', 500}, {'+', 500}, {'K', 900}, {'I', 1000}, {'+', 1000}},
         {500, 500},
         {0, 0},
         {300, 200, 400, 100}},
        {"misses count on the kana due, the last one too",
         u"かき",
         {{'x', 100},
          {'K', 300},
          {'A', 400},
          {'+', 400},
          {'x', 600},
          {'x', 700},
          {'I', 900},
          {'+', 900}},
         {400, 500},
         {1, 2},
         {300, 100, 500}},
        {"a run given up halfway leaves the rest at no time",
         u"かきく",
         {{'K', 200}, {'A', 300}, {'+', 300}},
         {300, 0, 0},
         {0, 0, 0},
         {200, 100}},
        {"the clock holds at the run's longest time",
         u"かき",
         {{'A', 1000}, {'+', 1000}, {'I', kLongestRunMs + 60000}, {'+', kLongestRunMs + 60000}},
         {1000, kLongestRunMs - 1000},
         {0, 0},
         {1000, kLongestRunMs - 1000}},
        {"a time read late never counts backwards",
         u"かき",
         {{'A', 800}, {'+', 800}, {'I', 700}, {'+', 700}},
         {800, 0},
         {0, 0},
         {800, 0}},
        {"more kana done than the text has are ignored",
         u"か",
         {{'A', 100}, {'+', 100}, {'x', 150}, {'+', 200}},
         {100},
         {0},
         {100}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session::RunTiming timing;
        timing.Start(u"前のラン");
        timing.Missed();
        timing.Start(c.text);  // a new run starts from nothing
        for (const Event& event : c.events) {
            if (event.what == '+') {
                timing.KanaCompleted(event.atMs);
            } else if (event.what == 'x') {
                timing.Missed();
            } else {
                timing.KeyAccepted(char16_t(event.what), event.atMs);
            }
        }
        std::vector<std::int64_t> kanaMs, keyMs;
        std::vector<int> misses;
        for (const session::KanaTime& kana : timing.Kana()) {
            kanaMs.push_back(kana.ms);
            misses.push_back(kana.misses);
        }
        for (const session::KeyTime& key : timing.Keys()) {
            keyMs.push_back(key.ms);
        }
        EXPECT_EQ(kanaMs, c.kanaMs);
        EXPECT_EQ(misses, c.misses);
        EXPECT_EQ(keyMs, c.keyMs);
    }
}

TEST(SessionRecord, SlowestKeysByTheirMedianOfFiveTimesOrMore) {
    using Times = std::vector<std::pair<text::Text, std::int64_t>>;
    session::SessionRecord record;
    record.Add({}, Times{{u"K", 100}, {u"A", 900}, {u"K", 300}, {u"A", 100}, {u"K", 200}});
    EXPECT_TRUE(record.SlowestKeys(5).empty()) << "no key typed five times yet";
    record.Add({}, Times{{u"K", 900},
                         {u"A", 200},
                         {u"K", 250},
                         {u"A", 300},
                         {u"A", 250},
                         {u"S", 400},
                         {u"S", 400},
                         {u"S", 400},
                         {u"S", 400},
                         {u"S", 500},
                         {u"N", 250},
                         {u"N", 250},
                         {u"N", 250},
                         {u"N", 250},
                         {u"N", 250}});
    // K and A: 100 200 250 300 900, median 250; S: 400; N: 250 five times.
    const std::vector<session::KeyPace> slowest = record.SlowestKeys(5);
    ASSERT_EQ(slowest.size(), 4u);
    EXPECT_EQ(slowest[0].key, u"S");
    EXPECT_EQ(slowest[0].medianMs, 400);
    EXPECT_EQ(slowest[1].key, u"K");  // of keys as slow, the first typed in the session
    EXPECT_EQ(slowest[2].key, u"A");
    EXPECT_EQ(slowest[3].key, u"N");
    EXPECT_EQ(slowest[1].times, 5u);
    record.Add({}, Times{{u"A", 1000}});
    EXPECT_EQ(record.SlowestKeys(1)[0].key, u"S");
    EXPECT_EQ(record.SlowestKeys(5)[1].medianMs, 275) << "an even count: the middle two's mean";
    EXPECT_EQ(record.Runs().size(), 3u);
}

session::RunEntry LessonOneRun() {
    session::RunEntry run{u"1ページ", 45.3, 2, 60, false, {}};
    const char16_t* kana = u"ちゅう■";
    const std::int64_t ms[] = {2000, 500, 1000, 500};
    for (int index = 0; index < 4; ++index) {
        run.kana.push_back({char16_t(kana[index]), ms[index], index == 0 ? 2 : 0});
    }
    return run;
}

TEST(RecordFigures, TheTextsOfARun) {
    const session::RunEntry run = LessonOneRun();
    EXPECT_EQ(text::Join(record::RowCells(run), u"|"), u"1ページ|45.3|2|60|×");
    EXPECT_EQ(text::Join(record::RowSpokenCells(run), u"|"),
              u"1ページ|45.3打／分|ミス2回|目標60字／分|不合格");
    EXPECT_EQ(record::ResultLine(run), u"45.3打／分　ミス2回");
    EXPECT_EQ(record::PictureSpoken(run),
              u"いちばん時間がかかったかな：ち（2.00秒）。ミス：1文字目のち 2回");
    session::RunEntry clean = run;
    clean.kana[0] = {u'■', 3000, 0};
    clean.cleared = true;
    EXPECT_EQ(record::RowCells(clean).back(), u"○");
    EXPECT_EQ(record::PictureSpoken(clean),
              u"いちばん時間がかかったかな：スペース（3.00秒）。ミスはありません");
    EXPECT_EQ(record::SlowKeysText({}), u"まだわかりません");
    EXPECT_EQ(record::SlowKeysText({{u"K", 450, 5}, {u"スペースキー", 1250, 9}}),
              u"K　0.45秒\nスペースキー　1.25秒");
}

TEST(RecordFigures, BarsAsTallAsTheirTimeUnderThePaceLine) {
    // 120 px high: rows of 16 above and below leave 88 for the bars; 60 a minute is a second
    // a kana, half the slowest kana's time.
    const record::RunPicture picture = record::DrawnRun(LessonOneRun(), 200, 120);
    ASSERT_EQ(picture.bars.size(), 4u);
    const int barsBottom = 120 - record::kPictureRowPixels;
    EXPECT_EQ(picture.paceY, barsBottom - 44);
    const int heights[] = {88, 22, 44, 22};
    for (std::size_t index = 0; index < 4; ++index) {
        const record::KanaBar& bar = picture.bars[index];
        SCOPED_TRACE(index);
        EXPECT_EQ(bar.bar.height, heights[index]);
        EXPECT_EQ(bar.bar.Bottom(), barsBottom) << "every bar stands on the kana's row";
        EXPECT_EQ(bar.kanaCell.top, barsBottom);
        EXPECT_EQ(bar.missesCell.Bottom(), bar.bar.top);
        EXPECT_EQ(bar.bar.left, bar.kanaCell.left + 1);
        EXPECT_EQ(bar.kanaCell.width, 50);
    }
    EXPECT_EQ(picture.bars[0].misses, 2);
    // A run faster than the pace: the pace line stands at the top.
    session::RunEntry quick = LessonOneRun();
    quick.targetSpeed = 15;
    EXPECT_EQ(record::DrawnRun(quick, 200, 120).paceY, record::kPictureRowPixels);
    EXPECT_TRUE(record::DrawnRun({}, 200, 120).bars.empty());
}

// Painted: the background, each bar in its colour, the kana and the misses' count written,
// and the pace line across at its row.
TEST(RecordPicture, PaintsTheBarsTheirKanaTheMissesAndThePace) {
    testing_support::RecordingPainter painter;
    record::PaintRun(painter, LessonOneRun(), {200, 120});
    const record::RunPicture picture = record::DrawnRun(LessonOneRun(), 200, 120);
    const std::vector<testing_support::Stroke> fills = painter.Of('f');
    ASSERT_EQ(fills.size(), 5u);
    EXPECT_EQ(fills[0].area, (geometry::Rect{0, 0, 200, 120}));
    EXPECT_EQ(fills[1].area, picture.bars[0].bar);
    EXPECT_EQ(fills[1].colour, record::kMissedColour);
    EXPECT_EQ(fills[2].colour, record::kBarColour);
    text::Text written;
    for (const testing_support::Stroke& stroke : painter.Of('w')) {
        written += stroke.text;
    }
    EXPECT_EQ(written, u"ち2ゅう■");
    EXPECT_EQ(painter.Of('w')[1].colour, record::kMissedColour);
    ASSERT_EQ(painter.strokes.back().what, 'l');
    EXPECT_EQ(painter.strokes.back().area, (geometry::Rect{0, picture.paceY, 200, picture.paceY}));
    EXPECT_EQ(painter.strokes.back().colour, record::kPaceColour);
}

TEST(RecordPlace, BesideTheWindowsWhereTheScreenHasRoom) {
    const geometry::Rect menu{400, 0, 500, 250};
    const geometry::Rect board{400, 250, 480, 150};
    const geometry::Size frame{260, 520};
    struct Case {
        const char* name;
        geometry::Rect screen;
        std::vector<geometry::Rect> taken;
        geometry::Point place;
    };
    const Case cases[] = {
        {"right of the menu", geometry::Rect{0, 0, 1366, 768}, {menu, board}, {900, 0}},
        {"left of the menu on a narrower screen",
         geometry::Rect{0, 0, 1100, 768},
         {menu, board},
         {140, 0}},
        {"below the board on an upright tablet",
         geometry::Rect{0, 0, 768, 1024},
         {geometry::Rect{134, 0, 500, 250}, geometry::Rect{134, 250, 480, 150}},
         {134, 400}},
        {"a wide board under the menu's right edge",
         geometry::Rect{0, 0, 1366, 1024},
         {menu, geometry::Rect{400, 250, 800, 150}},
         {140, 0}},
        {"no room anywhere: right of the menu, kept on the screen",
         geometry::Rect{0, 0, 1000, 500},
         {menu, board},
         {740, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(record::RecordPlace(c.taken, frame, c.screen), c.place);
    }
}

}  // namespace
