// The keyboard guide's plain data: the keys of both layouts with their fingers and places,
// the stroke and the line for each head of the key queue, and the session's tally of misses.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "guide/GuidePlacement.h"
#include "guide/KeyChart.h"
#include "guide/KeyboardDrawing.h"
#include "guide/MissTally.h"
#include "unit/RecordingPainter.h"

namespace {

using guide::Layout;

// Each row of a layout from the left: the keys' labels and their fingers, 0 the left little
// finger to 4 the thumbs and 8 the right little finger.
struct ChartRow {
    Layout layout;
    int row;
    text::TextView labels;  // space-separated; "_" for a key without a label
    std::string fingers;
};

TEST(KeyChart, EveryKeyOfBothLayoutsHasItsFingerAndItsPlace) {
    const ChartRow rows[] = {
        {Layout::Jis, 0, u"半/全 1 2 3 4 5 6 7 8 9 0 - ^ ¥ BS", "001233556788888"},
        {Layout::Jis, 1, u"Tab Q W E R T Y U I O P @ [ Enter", "00123355678888"},
        {Layout::Jis, 2, u"英数 A S D F G H J K L ; : ] _", "00123355678888"},
        {Layout::Jis, 3, u"Shift Z X C V B N M , . / \\ Shift", "0012335567888"},
        {Layout::Jis, 4, u"Ctrl Alt 無変換 _ 変換 かな Alt Ctrl", "04444448"},
        {Layout::Us, 0, u"` 1 2 3 4 5 6 7 8 9 0 - = BS", "00123355678888"},
        {Layout::Us, 1, u"Tab Q W E R T Y U I O P [ ] \\", "00123355678888"},
        {Layout::Us, 2, u"Caps A S D F G H J K L ; ' Enter", "0012335567888"},
        {Layout::Us, 3, u"Shift Z X C V B N M , . / Shift", "001233556788"},
        {Layout::Us, 4, u"Ctrl Alt _ Alt Ctrl", "04448"},
    };
    for (const ChartRow& expected : rows) {
        SCOPED_TRACE(testing::Message()
                     << (expected.layout == Layout::Jis ? "JIS" : "US") << " row " << expected.row);
        text::TextList labels;
        std::string fingers;
        int right = 0;
        for (const guide::ChartKey& key : guide::KeysOf(expected.layout)) {
            if (key.row != expected.row) {
                continue;
            }
            EXPECT_EQ(key.left, right) << text::ToUtf8(key.label);  // no gap, no overlap
            right = key.left + key.width;
            labels.push_back(key.label.empty() ? u"_" : key.label);
            fingers += static_cast<char>('0' + static_cast<int>(key.finger));
        }
        EXPECT_EQ(text::Join(labels, u" "), text::Text(expected.labels));
        EXPECT_EQ(fingers, expected.fingers);
        EXPECT_EQ(right, guide::kRowWidth);
    }
}

struct StrokeCase {
    char16_t head;
    Layout layout;
    char16_t key;
    char16_t shift;
    text::TextView line;
};

TEST(KeyChart, EachHeadOfTheQueueHasItsKeyAndItsLine) {
    const StrokeCase cases[] = {
        {u'K', Layout::Jis, u'K', 0, u"K　右手・中指"},
        // Marks with Shift: the little finger of the other hand holds it.
        {u'!', Layout::Jis, u'1', guide::kRightShiftKey, u"!　左手・小指、Shiftは右手・小指"},
        {u'(', Layout::Us, u'9', guide::kLeftShiftKey, u"(　右手・薬指、Shiftは左手・小指"},
        // The marks move between the layouts: @ is a key of its own on JIS.
        {u'@', Layout::Us, u'2', guide::kRightShiftKey, u"@　左手・薬指、Shiftは右手・小指"},
        // Blanks and the queue's mark for Enter; F7 has no key here.
        {u' ', Layout::Jis, u' ', 0, u"スペースキー　親指"},
        {u'~', Layout::Jis, guide::kEnterKey, 0, u"Enterキー　右手・小指"},
        {u'<', Layout::Jis, 0, 0, u"F7キー"},
        {char16_t{}, Layout::Jis, 0, 0, u""},
    };
    for (const StrokeCase& c : cases) {
        SCOPED_TRACE(text::ToUtf8(c.line));
        const std::optional<guide::Stroke> stroke = guide::StrokeFor(c.head, c.layout);
        EXPECT_EQ(stroke.has_value(), c.key != 0);
        if (stroke) {
            EXPECT_EQ(stroke->key, c.key);
            EXPECT_EQ(stroke->shift, c.shift);
        }
        EXPECT_EQ(guide::DueKeyLine(c.head, c.layout), text::Text(c.line));
    }
}

// The drawing: the key due lit (red once missed) with the Shift it needs, the bumps of F and
// J, the line beneath in red after a miss, and a missed key tinted apart from its finger's.
TEST(KeyboardDrawing, LightsTheKeyDueItsShiftAndTheMissedKeys) {
    guide::MissTally tally;
    tally.Count(u'K', u"J");
    struct Case {
        bool missed;
        colour::BgrColour keyColour;
        colour::BgrColour lineColour;
    };
    for (const Case& c : {Case{false, guide::kDueColour, 0},
                          Case{true, guide::kMissedColour, guide::kMissedColour}}) {
        SCOPED_TRACE(c.missed ? "after a miss" : "before a miss");
        const guide::KeyboardState state{Layout::Jis, guide::StrokeFor(u'!', Layout::Jis), c.missed,
                                         u"!　左手・小指、Shiftは右手・小指", &tally};
        testing_support::RecordingPainter painter;
        guide::PaintKeyboard(painter, state);
        const geometry::Size size = guide::KeyboardSize();
        ASSERT_FALSE(painter.strokes.empty());
        EXPECT_EQ(painter.strokes.front().area, (geometry::Rect{0, 0, size.width, size.height}));
        const auto fillOf = [&painter](char16_t key) {
            for (const testing_support::Stroke& box : painter.Of('b')) {
                if (box.area == guide::KeyAreaOf(key, Layout::Jis)) {
                    return box.colour;
                }
            }
            return colour::BgrColour{0xFFFFFFFF};
        };
        EXPECT_EQ(fillOf(u'1'), c.keyColour);
        EXPECT_EQ(fillOf(guide::kRightShiftKey), guide::kDueColour);
        EXPECT_NE(fillOf(guide::kLeftShiftKey), guide::kDueColour);
        EXPECT_NE(fillOf(u'K'), fillOf(u'I')) << "K, missed, is tinted apart from its finger";
        EXPECT_EQ(painter.Of('b').size(), guide::KeysOf(Layout::Jis).size());
        const std::vector<testing_support::Stroke> fills = painter.Of('f');
        ASSERT_EQ(fills.size(), 3u) << "the background and the bumps of F and J";
        EXPECT_EQ(fills[1].area.Bottom(), guide::KeyAreaOf(u'F', Layout::Jis).Bottom() - 2);
        EXPECT_EQ(painter.strokes.back().text, state.line);
        EXPECT_EQ(painter.strokes.back().colour, c.lineColour);
    }
}

// The misses of a session in order: the key due, then the key typed instead.
struct TallyCase {
    const char* what;
    std::vector<std::pair<char16_t, std::u16string_view>> misses;
    text::TextView prompt;
};

TEST(MissTally, TheBoxListsTheFiveKeysMissedMostWithTheKeyTypedInstead) {
    using P = std::pair<char16_t, std::u16string_view>;
    const TallyCase cases[] = {
        {"none yet", {}, u"まだミスはありません"},
        {"most first; of keys missed as often, and of keys typed as often, the first",
         {P{u'A', u"S"}, P{u'K', u"J"}, P{u'K', u"L"}, P{u'K', u"J"}, P{u'O', u"I"}, P{u'U', u"Y"},
          P{u'U', u"I"}, P{u'O', u"P"}},
         u"K　3回（よく押したキー：J）\rO　2回（よく押したキー：I）\rU　2回（よく押したキー：Y）\r"
         u"A　1回（よく押したキー：S）"},
        {"a letter in either case is one key; marks by the miss box's names; five at most",
         {P{u' ', u"n"}, P{u' ', u"N"}, P{u'~', u"Tab"}, P{u'!', u"1"}, P{u'A', u"Q"},
          P{u'B', u"Q"}, P{u'C', u"Q"}},
         u"スペースキー　2回（よく押したキー：N）\rEnterキー　1回（よく押したキー：Tab）\r"
         u"!　1回（よく押したキー：1）\rA　1回（よく押したキー：Q）\rB　1回（よく押したキー：Q）"},
    };
    for (const TallyCase& c : cases) {
        SCOPED_TRACE(c.what);
        guide::MissTally tally;
        for (const auto& [expected, typed] : c.misses) {
            tally.Count(char16_t(expected), typed);
        }
        EXPECT_EQ(guide::WeakKeysPrompt(tally), text::Text(c.prompt));
        EXPECT_EQ(tally.Total(), c.misses.size());
    }
}

TEST(MissTally, CountsHoldAtTheirLimitAndEachKeyCarriesItsHeads) {
    guide::MissTally tally;
    for (int miss = 0; miss < guide::kMaxMissesOfAKey + 10; ++miss) {
        tally.Count(u'K', u"J");
    }
    tally.Count(u'!', u"A");
    tally.Count(u'1', u"Q");
    EXPECT_EQ(tally.MissesOf(u'K'), guide::kMaxMissesOfAKey);
    EXPECT_EQ(tally.Total(), guide::kMaxMissesOfAKey + 2u);
    // The 1 key types both 1 and !; Shift carries no misses.
    EXPECT_EQ(tally.MissesOfKey(u'1', Layout::Jis), 2u);
    EXPECT_EQ(tally.MissesOfKey(guide::kRightShiftKey, Layout::Jis), 0u);
}

// The board 400 wide and 150 high at (100, 300); the guide 500 × 200.
TEST(GuidePlace, BelowTheBoardOrBesideItNeverOverIt) {
    const geometry::Rect board{100, 300, 400, 150};
    const geometry::Size guideSize{500, 200};
    struct Case {
        const char* where;
        geometry::Rect screen;
        geometry::Point place;
    };
    const Case cases[] = {
        {"below, to the last pixel", {0, 0, 1366, 650}, {100, 450}},
        {"beside, when below is one pixel short", {0, 0, 1366, 649}, {500, 300}},
        {"below, when neither fits: never over the board", {0, 0, 999, 600}, {100, 450}},
        {"an unknown screen: below", {}, {100, 450}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(guide::GuidePlace(board, guideSize, c.screen), c.place) << c.where;
    }
}

}  // namespace
