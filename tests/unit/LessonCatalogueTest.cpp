// The twenty built-in lessons: every kana cell has its key unit, every phrase ends with a
// blank typed with Space, and the queue holds only keys the board knows.
#include "lessons/LessonCatalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace {

using lessons::Lesson;
using lessons::LessonCatalogue;

constexpr char16_t kBlankCell = u'■';

std::vector<std::string_view> UnitsOf(std::string_view keyString) {
    std::vector<std::string_view> units;
    std::size_t start = 0;
    for (std::size_t end = keyString.find('_'); end != std::string_view::npos;
         end = keyString.find('_', start)) {
        units.push_back(keyString.substr(start, end - start));
        start = end + 1;
    }
    return units;
}

bool IsQueueCharacter(char c) {
    return (c >= 'A' && c <= 'Z') || c == '1' || c == '2' || c == '5' || c == '!' || c == ' ' ||
           c == '_';
}

bool IsSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDFFF;
}

TEST(LessonCatalogue, HoldsTwentyLessons) {
    EXPECT_EQ(lessons::kLessonCount, 20u);
    EXPECT_EQ(LessonCatalogue.size(), 20u);
}

TEST(LessonCatalogue, EveryKanaCellHasOneKeyUnit) {
    for (std::size_t i = 0; i < LessonCatalogue.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "lesson " << i);
        const Lesson& lesson = LessonCatalogue[i];
        EXPECT_EQ(lessons::UnitCount(lesson.keyString), lesson.kanaText.size());
        EXPECT_EQ(UnitsOf(lesson.keyString).size(), lesson.kanaText.size());
        // One text unit per cell only holds while no character needs a surrogate pair.
        EXPECT_TRUE(std::none_of(lesson.kanaText.begin(), lesson.kanaText.end(), IsSurrogate));
    }
}

TEST(LessonCatalogue, EveryPhraseEndsWithABlankTypedWithSpace) {
    for (std::size_t i = 0; i < LessonCatalogue.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "lesson " << i);
        const Lesson& lesson = LessonCatalogue[i];
        const std::vector<std::string_view> units = UnitsOf(lesson.keyString);
        ASSERT_FALSE(units.empty());
        EXPECT_EQ(units.back(), " ");
        ASSERT_FALSE(lesson.kanaText.empty());
        EXPECT_EQ(lesson.kanaText.back(), kBlankCell);
    }
}

TEST(LessonCatalogue, BlankCellsAndSpaceUnitsLineUp) {
    for (std::size_t i = 0; i < LessonCatalogue.size(); ++i) {
        const Lesson& lesson = LessonCatalogue[i];
        const std::vector<std::string_view> units = UnitsOf(lesson.keyString);
        ASSERT_EQ(units.size(), lesson.kanaText.size()) << "lesson " << i;
        for (std::size_t cell = 0; cell < units.size(); ++cell) {
            EXPECT_EQ(units[cell] == " ", lesson.kanaText[cell] == kBlankCell)
                << "lesson " << i << " cell " << cell;
        }
    }
}

TEST(LessonCatalogue, LongestTextIsLessonFourteenAndShortestLessonTwo) {
    const auto byLength = [](const Lesson& a, const Lesson& b) {
        return a.kanaText.size() < b.kanaText.size();
    };
    const auto longest = std::max_element(LessonCatalogue.begin(), LessonCatalogue.end(), byLength);
    const auto shortest =
        std::min_element(LessonCatalogue.begin(), LessonCatalogue.end(), byLength);
    EXPECT_EQ(longest - LessonCatalogue.begin(), 14);
    EXPECT_EQ(longest->kanaText.size(), 17u);
    EXPECT_EQ(shortest - LessonCatalogue.begin(), 2);
    EXPECT_EQ(shortest->kanaText.size(), 6u);
    EXPECT_LE(longest->kanaText.size(), lessons::kMaxCells);
}

TEST(LessonCatalogue, KeyStringsHoldOnlyQueueCharacters) {
    for (std::size_t i = 0; i < LessonCatalogue.size(); ++i) {
        const std::string_view keys = LessonCatalogue[i].keyString;
        for (char c : keys) {
            EXPECT_TRUE(IsQueueCharacter(c)) << "lesson " << i << " holds '" << c << "'";
        }
        EXPECT_TRUE(lessons::IsWellFormedKeyString(keys)) << "lesson " << i;
        for (std::string_view unit : UnitsOf(keys)) {
            EXPECT_FALSE(unit.empty()) << "lesson " << i;
        }
    }
}

TEST(UnitCount, CountsTheUnitEnds) {
    EXPECT_EQ(lessons::UnitCount(""), 0u);
    EXPECT_EQ(lessons::UnitCount("TY_U_"), 2u);
    EXPECT_EQ(lessons::UnitCount("YO_U_KO_SO_!_ _"), 6u);
}

TEST(IsWellFormedKeyString, AcceptsOnlyNonEmptyUnitsOfQueueCharacters) {
    struct Case {
        std::string_view keyString;
        bool wellFormed;
    };
    const Case cases[] = {
        {"KA_", true},    {"YO_U_KO_SO_!_ _", true}, {"1_2_5_", true}, {"", false},
        {"KA", false},    // the last unit is not closed
        {"_KA_", false},  // an empty unit
        {"KA__", false},  // an empty unit
        {"ka_", false},   // lower case never appears in the queue
        {"3_", false},    // no lesson uses this digit
        {"KA_=", false},  // the end mark is added when a run is built
        {"KA_~_", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(lessons::IsWellFormedKeyString(c.keyString), c.wellFormed)
            << '"' << std::string(c.keyString) << '"';
    }
}

}  // namespace
