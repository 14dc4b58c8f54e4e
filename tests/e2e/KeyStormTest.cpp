// A storm of random keys at full speed, through real X events, while lesson 1 is running:
// wrong keys open miss boxes, the keys that follow answer them or are lost, and whatever a
// key reaches (the board, a box, the menu window) takes it. Afterwards the program must
// still run with counters that make sense, and lesson 1 typed properly must still score
// exactly right.
#include <QApplication>
#include <QRegularExpression>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "board/PracticeBoard.h"
#include "board/RunResults.h"
#include "e2e/ProgramOnScreen.h"
#include "menu/Menu.h"
#include "program/Module1.h"
#include "services/LessonButton.h"
#include "services/QtText.h"
#include "support/LessonSteps.h"

namespace e2e {
namespace {

using Clock = std::chrono::steady_clock;

const QString kMissTitleEnd = QStringLiteral("ではありません");

constexpr int kStormKeys = 3000;
// At most this many keys to one run of xdotool: the storm stays a stream of short bursts.
constexpr std::size_t kMostKeysPerBurst = 24;
// The storm and the wait for the program to take all its keys; the whole test stays
// within about 90 s.
constexpr auto kStormPatience = 70s;
// The program has taken every key once nothing about it has changed for this long.
constexpr auto kQuietTime = 1500ms;
constexpr auto kLookInterval = 250ms;
// A box that stays open without the keyboard this long is activated by the pupil.
constexpr auto kBoxWithoutKeyboard = 2s;

// The same keys in the same order on every run; KEY_STORM_SEED=<number> sends another
// storm, or replays one a failure reported.
constexpr std::uint32_t kDefaultSeed = 271828;

// About 240 keys a minute, for the run typed properly after the storm.
constexpr int kLessonOneUnits = 14;
constexpr int kMissCountLimit = 255;

std::uint32_t StormSeed() {
    if (const char* given = std::getenv("KEY_STORM_SEED"); given != nullptr && *given != '\0') {
        return static_cast<std::uint32_t>(std::strtoul(given, nullptr, 10));
    }
    return kDefaultSeed;
}

// ---- The keys ----

// One key of the storm: a character xdotool types, or a key it presses by its X name.
struct StormKey {
    bool named = false;
    std::string value;
};

// Keys of one kind and their share of the storm, in percent.
struct KeyGroup {
    int share;
    bool named;
    std::vector<std::string> keys;
};

std::vector<std::string> CharactersOf(const std::string& characters) {
    std::vector<std::string> keys;
    for (char c : characters) {
        keys.emplace_back(1, c);
    }
    return keys;
}

// あいうえおかきくけこ by their Unicode key names, then é and ü.
const std::vector<std::string>& NonAsciiKeys() {
    static const std::vector<std::string> keys{"U3042", "U3044", "U3046",  "U3048",
                                               "U304A", "U304B", "U304D",  "U304F",
                                               "U3051", "U3053", "eacute", "udiaeresis"};
    return keys;
}

std::vector<KeyGroup> StormKeyGroups() {
    std::vector<std::string> functionKeys;
    for (int number = 1; number <= 12; ++number) {
        functionKeys.push_back("F" + std::to_string(number));
    }
    // F7 to F10 are the function keys the board judges: twice as often as the others.
    for (int number = 7; number <= 10; ++number) {
        functionKeys.push_back("F" + std::to_string(number));
    }
    return {
        {30, false, CharactersOf("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")},
        {8, false, CharactersOf("0123456789")},
        {14, false, CharactersOf(R"(!"#$%&'()=~|-^\@[;:],./`{+*}<>?_)")},
        {24,
         true,
         {"Return", "BackSpace", "Tab", "Escape", "Delete", "space", "Left", "Right", "Up", "Down",
          "Home", "End"}},
        {14, true, functionKeys},
        {10, true, NonAsciiKeys()},
    };
}

// The generator's raw numbers are the same with every standard library; the distributions'
// are not, so none is used.
std::vector<StormKey> RandomKeys(std::uint32_t seed, int count) {
    const std::vector<KeyGroup> groups = StormKeyGroups();
    int totalShare = 0;
    for (const KeyGroup& group : groups) {
        totalShare += group.share;
    }
    std::mt19937 random(seed);
    std::vector<StormKey> keys;
    keys.reserve(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        auto pick = static_cast<int>(random() % static_cast<std::uint32_t>(totalShare));
        std::size_t chosen = 0;
        while (pick >= groups[chosen].share) {
            pick -= groups[chosen].share;
            ++chosen;
        }
        const KeyGroup& group = groups[chosen];
        keys.push_back({group.named, group.keys[random() % group.keys.size()]});
    }
    return keys;
}

// Keys for one run of xdotool, which presses the named keys first and types the text after
// them.
struct Burst {
    std::vector<std::string> named;
    std::string text;
    std::size_t Size() const { return named.size() + text.size(); }
};

// The keys in their order, cut into bursts: a burst ends where a named key follows a
// character, or when it is full.
std::vector<Burst> InBursts(const std::vector<StormKey>& keys) {
    std::vector<Burst> bursts(1);
    for (const StormKey& key : keys) {
        Burst* current = &bursts.back();
        if (current->Size() == kMostKeysPerBurst || (key.named && !current->text.empty())) {
            current = &bursts.emplace_back();
        }
        if (key.named) {
            current->named.push_back(key.value);
        } else {
            current->text += key.value;
        }
    }
    return bursts;
}

// ---- The keyboard ----

// The storm's kana and Latin-1 keys on keys of their own while the test runs. Without them
// xdotool maps each such key onto a spare key code for its one press and back after it;
// at every change of the keyboard map the window manager grabs all its shortcut keys
// anew, and a few hundred changes keep it busy for tens of seconds, late with every change
// of focus the storm causes. The key codes of F13 to F24, which the storm never presses,
// take these keys instead, and the keyboard map is put back afterwards.
class ExtraKeysOnKeyboard {
  public:
    explicit ExtraKeysOnKeyboard(const std::vector<std::string>& keyNames) {
        try {
            Map(keyNames);
        } catch (const std::exception& error) {
            problem_ = error.what();
        }
    }
    ~ExtraKeysOnKeyboard() {
        if (changed_) {
            try {
                Load(Original());
            } catch (const std::exception& error) {
                std::cerr << "the keyboard map was not put back: " << error.what() << std::endl;
            }
        }
        if (!folder_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(folder_, ignored);
        }
    }
    ExtraKeysOnKeyboard(const ExtraKeysOnKeyboard&) = delete;
    ExtraKeysOnKeyboard& operator=(const ExtraKeysOnKeyboard&) = delete;

    // Why the keys are not on the keyboard; empty when they are.
    const std::string& Problem() const { return problem_; }

  private:
    static constexpr int kFirstSpareKey = 13;  // <FK13>, the key code of F13
    static constexpr std::size_t kSpareKeys = 12;

    void Map(const std::vector<std::string>& keyNames) {
        if (keyNames.size() > kSpareKeys) {
            throw std::runtime_error("more keys than spare key codes");
        }
        std::string folder = (std::filesystem::temp_directory_path() / "key-storm-XXXXXX").string();
        if (mkdtemp(folder.data()) == nullptr) {
            throw std::runtime_error("cannot create a folder for the keyboard map");
        }
        folder_ = folder;
        Run({"xkbcomp", "-w", "0", "-xkb", Session().Display(), Original().string()});
        std::string keymap = ReadWhole(Original());
        std::string added;
        for (std::size_t index = 0; index < keyNames.size(); ++index) {
            added += "    override key <FK" + std::to_string(kFirstSpareKey + index) + "> { [ " +
                     keyNames[index] + " ] };\n";
        }
        const std::size_t symbols = keymap.find("xkb_symbols");
        const std::size_t symbolsEnd =
            symbols == std::string::npos ? symbols : keymap.find("\n};", symbols);
        if (symbolsEnd == std::string::npos) {
            throw std::runtime_error("the keyboard map has no key symbols section");
        }
        keymap.insert(symbolsEnd + 1, added);
        WriteWhole(Changed(), keymap);
        changed_ = true;
        Load(Changed());
        // The server's map as it is now holds the first of the keys.
        Run({"xkbcomp", "-w", "0", "-xkb", Session().Display(), Check().string()});
        const std::string now = ReadWhole(Check());
        if (!keyNames.empty() && now.find(" " + keyNames.front() + " ]") == std::string::npos) {
            throw std::runtime_error("the X server did not take the extra keys");
        }
    }

    void Load(const std::filesystem::path& keymap) const {
        Run({"xkbcomp", "-w", "0", keymap.string(), Session().Display()});
    }

    static void Run(const std::vector<std::string>& argv) {
        const xsession::CommandResult result = Session().Run(argv);
        if (!result.Succeeded()) {
            throw std::runtime_error(argv.front() + " failed: " + result.err);
        }
    }

    static std::string ReadWhole(const std::filesystem::path& path) {
        std::ifstream in(path);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void WriteWhole(const std::filesystem::path& path, const std::string& text) {
        std::ofstream out(path);
        out << text;
        if (!out) {
            throw std::runtime_error("cannot write " + path.string());
        }
    }

    std::filesystem::path Original() const { return folder_ / "original.xkb"; }
    std::filesystem::path Changed() const { return folder_ / "changed.xkb"; }
    std::filesystem::path Check() const { return folder_ / "check.xkb"; }

    std::filesystem::path folder_;
    bool changed_ = false;
    std::string problem_;
};

// ---- What the program shows ----

// What can change while the program takes keys; the running clock is left out.
struct ProgramState {
    std::size_t boxesShown = 0;
    std::string openBoxTitle;  // empty when no box is open
    WindowId openBox = 0;
    int typedCount = 0;
    int missCount = 0;
    bool boardVisible = false;
    bool runInProgress = false;
    int lessonIndex = 0;

    bool operator==(const ProgramState&) const = default;

    std::string Describe() const {
        std::ostringstream text;
        text << boxesShown << " boxes shown, open box '" << openBoxTitle << "', typed "
             << typedCount << ", misses " << missCount << ", board "
             << (boardVisible ? "showing" : "hidden") << ", run "
             << (runInProgress ? "in progress" : "stopped") << ", lesson " << lessonIndex;
        return text.str();
    }
};

bool IsMissBox(const testing_support::ShownBox& box) {
    return box.title.endsWith(kMissTitleEnd);
}

// The best speed lesson 1's button shows after a cleared run at `shownSpeed`: that speed
// with one decimal, unless the button already holds a speed at least as high. "1ページ"
// holds no speed.
QString CaptionAfterClearedRun(const QString& before, double shownSpeed) {
    static const QRegularExpression bestSpeed(QStringLiteral("^\\d+\\.\\d$"));
    if (bestSpeed.match(before).hasMatch() && before.toDouble() >= shownSpeed) {
        return before;
    }
    return QString::asprintf("%.1f", shownSpeed);
}

// What the storm did, for the test's output.
struct StormFigures {
    std::size_t keysSent = 0;
    std::size_t bursts = 0;
    long long stormMilliseconds = 0;
    long long settleMilliseconds = 0;
    int boxesAnsweredAfterwards = 0;
    std::vector<WindowId> menusOnScreen;
};

class KeyStorm : public ProgramOnScreen {
  protected:
    // Main thread only.
    ProgramState StateNow() {
        ProgramState state;
        state.boxesShown = boxes_.Shown().size();
        if (QWidget* box = QApplication::activeModalWidget()) {
            state.openBoxTitle = box->windowTitle().toStdString();
            state.openBox = WindowIdOf(*box);
        }
        if (const PracticeBoard* board = Board()) {
            state.typedCount = board->TypedCount;
            state.missCount = board->MissCount;
            state.boardVisible = board->Widget()->isVisible();
            state.runInProgress = board->RunInProgress();
        }
        state.lessonIndex = Module1::LessonIndex;
        return state;
    }

    // From the pupil's thread: every burst, as fast as xdotool sends them.
    static void SendStorm(Pupil& pupil, const std::vector<Burst>& bursts, StormFigures& figures) {
        const Clock::time_point start = Clock::now();
        for (const Burst& burst : bursts) {
            pupil.PressKeysAtFullSpeed(burst.named, burst.text);
            figures.keysSent += burst.Size();
            ++figures.bursts;
        }
        figures.stormMilliseconds = MillisecondsSince(start);
    }

    // From the pupil's thread: waits until the program has taken every key still on its
    // way and no box is open. A box left open is answered with Escape, which every box
    // takes as OK, once it has the keyboard; a box that does not get the keyboard is
    // activated, as a pupil clicks a window that should have it.
    void SettleAfterStorm(Pupil& pupil, StormFigures& figures) {
        const Clock::time_point start = Clock::now();
        const Clock::time_point deadline = start + kStormPatience / 2;
        ProgramState last = pupil.OnMainThread([this] { return StateNow(); });
        Clock::time_point unchangedSince = Clock::now();
        Clock::time_point boxOpenSince = unchangedSince;
        while (true) {
            pupil.Pause(kLookInterval);
            const ProgramState state = pupil.OnMainThread([this] { return StateNow(); });
            if (state != last) {
                if (state.openBox != last.openBox) {
                    boxOpenSince = Clock::now();
                }
                last = state;
                unchangedSince = Clock::now();
            }
            if (state.openBox != 0) {
                AnswerOpenBox(pupil, state, boxOpenSince, figures);
            } else if (Clock::now() - unchangedSince >= kQuietTime) {
                break;
            }
            if (Clock::now() >= deadline) {
                throw PupilFailure("the program did not settle after the storm: " +
                                   state.Describe());
            }
        }
        figures.settleMilliseconds = MillisecondsSince(start);
    }

    static void AnswerOpenBox(Pupil& pupil, const ProgramState& state,
                              Clock::time_point& boxOpenSince, StormFigures& figures) {
        if (pupil.ActiveWindow() == state.openBox) {
            pupil.PressKey("Escape");
            ++figures.boxesAnsweredAfterwards;
            return;
        }
        if (Clock::now() - boxOpenSince >= kBoxWithoutKeyboard && pupil.IsViewable(state.openBox)) {
            pupil.Activate(state.openBox);
            boxOpenSince = Clock::now();
        }
    }

    static long long MillisecondsSince(Clock::time_point start) {
        return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    }

    // The miss boxes from `from` on.
    int MissBoxesFrom(std::size_t from) const {
        const auto& shown = boxes_.Shown();
        return static_cast<int>(std::count_if(shown.begin() + static_cast<std::ptrdiff_t>(from),
                                              shown.end(), IsMissBox));
    }

    // Where the last start box is among the boxes shown.
    std::size_t LastStartBox() const {
        const auto& shown = boxes_.Shown();
        const QString title = QString::fromStdString(kStartBoxTitle);
        for (std::size_t index = shown.size(); index > 0; --index) {
            if (shown[index - 1].title == title) {
                return index - 1;
            }
        }
        return 0;
    }

    void ReportFigures(std::uint32_t seed, const StormFigures& figures, std::size_t firstBox) {
        const int missBoxes = MissBoxesFrom(firstBox);
        const int startBoxes = static_cast<int>(std::count_if(
            boxes_.Shown().begin() + static_cast<std::ptrdiff_t>(firstBox), boxes_.Shown().end(),
            [](const auto& box) { return box.title == QString::fromStdString(kStartBoxTitle); }));
        const int resultBoxes = static_cast<int>(std::count_if(
            boxes_.Shown().begin() + static_cast<std::ptrdiff_t>(firstBox), boxes_.Shown().end(),
            [](const auto& box) { return box.title == QString::fromStdString(kTimeBoxTitle); }));
        std::cout << "[ key storm ] seed " << seed << ": " << figures.keysSent << " keys in "
                  << figures.bursts << " bursts, sent in " << figures.stormMilliseconds
                  << " ms; settled " << figures.settleMilliseconds << " ms later; " << missBoxes
                  << " miss boxes, " << startBoxes << " start boxes, " << resultBoxes
                  << " time boxes; " << figures.boxesAnsweredAfterwards
                  << " boxes answered after the storm" << std::endl;
        RecordProperty("storm_seed", std::to_string(seed));
        RecordProperty("storm_keys_sent", static_cast<int>(figures.keysSent));
        RecordProperty("storm_milliseconds", static_cast<int>(figures.stormMilliseconds));
        RecordProperty("storm_settle_milliseconds", static_cast<int>(figures.settleMilliseconds));
        RecordProperty("storm_miss_boxes", missBoxes);
        RecordProperty("storm_start_boxes", startBoxes);
        RecordProperty("storm_time_boxes", resultBoxes);
    }
};

TEST_F(KeyStorm, ThousandsOfRandomKeysLeaveTheProgramWorkingAndLessonOneStillScoresRight) {
    const std::uint32_t seed = StormSeed();
    std::cout << "[ key storm ] seed " << seed << " (KEY_STORM_SEED=" << seed
              << " replays this storm)" << std::endl;
    const std::vector<Burst> bursts = InBursts(RandomKeys(seed, kStormKeys));
    const ExtraKeysOnKeyboard extraKeys(NonAsciiKeys());
    ASSERT_EQ(extraKeys.Problem(), "");

    ASSERT_TRUE(StartedOnScreen());
    Menu& menu = MenuWindow();
    const WindowId menuId = WindowIdOf(menu);
    const ScreenPoint lessonOne = CentreOnScreen(*menu.Command1[0].Widget());

    // Lesson 1 in progress, the board with the keyboard.
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        pupil.WaitUntilActive(menuId, "the menu window");
        StartLessonByClick(pupil, lessonOne);
    }));
    ASSERT_NE(Board(), nullptr);
    ASSERT_TRUE(Board()->RunInProgress());

    const std::size_t firstStormBox = boxes_.Shown().size();
    StormFigures figures;
    const ::testing::AssertionResult stormTaken = PupilDid(
        [&](Pupil& pupil) {
            SendStorm(pupil, bursts, figures);
            SettleAfterStorm(pupil, figures);
            figures.menusOnScreen = pupil.WindowsTitled(kMenuTitle);
        },
        kStormPatience);
    ReportFigures(seed, figures, firstStormBox);
    ASSERT_TRUE(stormTaken) << "seed " << seed << ": " << figures.keysSent
                            << " keys sent before the failure";

    // The program still runs, idle, with its menu window on the screen.
    EXPECT_EQ(figures.keysSent, static_cast<std::size_t>(kStormKeys));
    EXPECT_EQ(figures.menusOnScreen, std::vector<WindowId>{menuId}) << "seed " << seed;
    EXPECT_TRUE(menu.Widget()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    EXPECT_EQ(endRequests_, 0);

    // Every miss box is a wrong key named, and every miss is counted: the counter holds
    // the misses since the run began, up to its limit.
    PracticeBoard* board = Board();
    ASSERT_NE(board, nullptr);
    EXPECT_GT(MissBoxesFrom(firstStormBox), 0) << "no key of the storm reached the board";
    for (std::size_t index = firstStormBox; index < boxes_.Shown().size(); ++index) {
        const testing_support::ShownBox& box = boxes_.Shown()[index];
        if (IsMissBox(box)) {
            EXPECT_TRUE(box.prompt.endsWith(QStringLiteral("です")))
                << "seed " << seed << ", box " << index << ": " << box.prompt.toStdString();
            EXPECT_EQ(box.icon, ui::BoxIcon::Warning) << "seed " << seed << ", box " << index;
        }
    }
    // A start box begins a new count, unless it came back to a run still in progress.
    const int missesSinceLastStart = MissBoxesFrom(LastStartBox());
    const int allMisses = MissBoxesFrom(0);
    EXPECT_GE(board->MissCount, std::min(missesSinceLastStart, kMissCountLimit))
        << "seed " << seed << "\n"
        << boxes_.Describe();
    EXPECT_LE(board->MissCount, std::min(allMisses, kMissCountLimit)) << "seed " << seed;
    EXPECT_GE(board->Ticks, 0) << "seed " << seed;
    EXPECT_GE(board->TypedCount, 0) << "seed " << seed;
    EXPECT_LE(board->TypedCount, Module1::PracticeText.size()) << "seed " << seed;

    // Back on the menu as a pupil gets there: a right-click gives up a run still showing.
    if (board->Widget()->isVisible()) {
        const ScreenPoint boardCentre = CentreOnScreen(*board);
        const WindowId boardId = WindowIdOf(*board);
        ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
            pupil.RightClickAt(boardCentre);
            pupil.WaitUntilGone(boardId, kBoardTitle);
        })) << "seed "
            << seed;
        EXPECT_FALSE(board->RunInProgress());
    }
    ASSERT_TRUE(menu.Widget()->isVisible());

    // Lesson 1 again, typed properly at a pupil's pace.
    const QString captionBefore = ui::ToQt(menu.Command1[0].Caption());
    const std::size_t firstRunBox = boxes_.Shown().size();
    ASSERT_TRUE(PupilDid([&](Pupil& pupil) {
        StartLessonByClick(pupil, lessonOne);
        pupil.Type(kLessonOneKeys, kPupilPace);
        FinishRun(pupil, menuId);
    })) << "seed "
        << seed;

    EXPECT_EQ(Module1::LessonIndex, 0);
    EXPECT_EQ(board->MissCount, 0) << "seed " << seed;
    EXPECT_EQ(board->TypedCount, kLessonOneUnits) << "seed " << seed;
    EXPECT_FALSE(board->Widget()->isVisible());
    const board::RunResult result =
        board::JudgeRun(kLessonOneUnits, board->Ticks, 0, Module1::TargetSpeed);
    ASSERT_TRUE(result.cleared) << "ticks " << board->Ticks << ", target speed "
                                << Module1::TargetSpeed;

    const std::vector<testing_support::ShownBox> runBoxes(
        boxes_.Shown().begin() + static_cast<std::ptrdiff_t>(firstRunBox), boxes_.Shown().end());
    ASSERT_EQ(runBoxes.size(), 3u) << "seed " << seed << "\n" << boxes_.Describe();
    EXPECT_EQ(runBoxes[0].title, QString::fromStdString(kStartBoxTitle));
    EXPECT_EQ(runBoxes[0].prompt, QStringLiteral("Enterを押して、スタート"));
    EXPECT_EQ(runBoxes[1].title, QString::fromStdString(kFinishedBoxTitle));
    EXPECT_EQ(runBoxes[1].prompt, QStringLiteral("終わりました"));
    EXPECT_EQ(runBoxes[2].title, QString::fromStdString(kTimeBoxTitle));
    EXPECT_EQ(runBoxes[2].prompt, board::ClearedPrompt(result.shownSpeed))
        << "ticks " << board->Ticks;
    EXPECT_EQ(runBoxes[2].icon, ui::BoxIcon::Information);

    EXPECT_EQ(menu.Command1[0].Caption(), CaptionAfterClearedRun(captionBefore, result.shownSpeed))
        << "caption before the run: " << captionBefore.toStdString() << ", seed " << seed;
    EXPECT_EQ(endRequests_, 0);
}

}  // namespace
}  // namespace e2e
