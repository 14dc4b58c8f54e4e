// What the two windows look like when they are loaded.
#include <gtest/gtest.h>

#include <array>

#include <QAccessible>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <utility>

#include "services/LessonButton.h"
#include "support/ProgramFixture.h"

namespace {

using testing_support::ProgramFixture;

class Layout : public ProgramFixture {};

bool IsJapaneseGothic(const QFont& font) {
    const QString family = QFontInfo(font).family();
    return family == QStringLiteral("ＭＳ Ｐゴシック") || family == QStringLiteral("IPAPGothic") ||
           family.contains(QStringLiteral("Gothic")) ||
           family.contains(QStringLiteral("ゴシック")) || family.contains(QStringLiteral("CJK JP"));
}

TEST_F(Layout, MenuWindow) {
    EXPECT_EQ(menu().Widget()->windowTitle(), QStringLiteral("ページを選ぼう"));
    EXPECT_EQ(menu().Width(), 7440);
    EXPECT_EQ(menu().Client()->height() * 15, 2985);
    EXPECT_EQ(menu().Client()->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_FALSE(menu().Widget()->windowIcon().isNull());
    // The user cannot resize the window.
    EXPECT_EQ(menu().Widget()->minimumSize(), menu().Widget()->maximumSize());
}

TEST_F(Layout, LessonButtonGrid) {
    for (int index = 0; index < Menu::kLessonButtons; ++index) {
        SCOPED_TRACE(index);
        const ui::CommandButton& button = menu().Command1[static_cast<std::size_t>(index)];
        const int left = index < 20 ? 120 + 1440 * (index % 5) : 2280;
        const int top = index < 20 ? 120 + 720 * (index / 5) : 2880;
        EXPECT_EQ(button.Left(), left);
        EXPECT_EQ(button.Top(), top);
        EXPECT_EQ(button.Width(), 1335);
        EXPECT_EQ(button.Height(), 495);
        EXPECT_EQ(button.Visible(), index < 2);
        EXPECT_EQ(button.BackColor(), colour::kPaleCyan);
        EXPECT_EQ(button.Caption(),
                  index < 20 ? QString::number(index + 1) + QStringLiteral("ページ") : QString());
        const QFont font = button.Widget()->font();
        EXPECT_TRUE(font.bold());
        EXPECT_DOUBLE_EQ(font.pointSizeF(), 12.0);
        EXPECT_TRUE(IsJapaneseGothic(font)) << QFontInfo(font).family().toStdString();
    }
}

TEST_F(Layout, TabOrderFollowsTheButtonIndex) {
    for (int index = 0; index + 1 < Menu::kLessonButtons; ++index) {
        QWidget* next =
            menu().Command1[static_cast<std::size_t>(index)].Widget()->nextInFocusChain();
        EXPECT_EQ(next, menu().Command1[static_cast<std::size_t>(index + 1)].Widget()) << index;
    }
}

TEST_F(Layout, OnlyTheTopStripOfTheLastButtonFitsInTheWindow) {
    const ui::CommandButton& last = menu().Command1[20];
    EXPECT_EQ(2985 - last.Top(), 105);
}

TEST_F(Layout, MenuBar) {
    const QList<QAction*> top = menu().Widget()->MenuBar()->actions();
    ASSERT_EQ(top.size(), 5);
    EXPECT_EQ(top[0]->text(), QStringLiteral("使用法"));
    EXPECT_EQ(top[1]->text(), QStringLiteral("インディケーター速度"));
    EXPECT_EQ(top[2]->text(), QStringLiteral("技術・開発"));
    EXPECT_EQ(top[2]->menu(), nullptr);  // a command of its own, no drop-down
    // The keyboard guide's entry: the guides off, the JIS layout.
    EXPECT_EQ(top[3]->text(), QStringLiteral("キーボード"));
    QStringList keyboardItems;
    for (const QAction* item : top[3]->menu()->actions()) {
        keyboardItems.append(item->isSeparator() ? QStringLiteral("-")
                                                 : item->text() + (item->isChecked() ? "✓" : ""));
    }
    EXPECT_EQ(
        keyboardItems.join(u' '),
        QStringLiteral("指の案内 ローマ字の案内 - JIS配列✓ US配列 - 苦手なキー 苦手なキーの練習"));
    EXPECT_EQ(top[4]->text(), QStringLiteral("成績"));
    EXPECT_EQ(top[4]->menu(), nullptr);

    const QStringList helpItems{QStringLiteral("クリア基準"),
                                QStringLiteral("■"),
                                QStringLiteral("←"),
                                QStringLiteral("」"),
                                QStringLiteral("インジケーター"),
                                QStringLiteral("ボタンの色")};
    const QStringList speedItems{QStringLiteral(" 60字／分"), QStringLiteral(" 90字／分"),
                                 QStringLiteral("120字／分"), QStringLiteral("150字／分"),
                                 QStringLiteral("180字／分")};
    const QList<QAction*> help = top[0]->menu()->actions();
    const QList<QAction*> speeds = top[1]->menu()->actions();
    ASSERT_EQ(help.size(), helpItems.size());
    ASSERT_EQ(speeds.size(), speedItems.size());
    for (qsizetype i = 0; i < help.size(); ++i) {
        EXPECT_EQ(help[i]->text(), helpItems[i]);
        EXPECT_FALSE(help[i]->isChecked());
        EXPECT_TRUE(help[i]->shortcut().isEmpty());
    }
    for (qsizetype i = 0; i < speeds.size(); ++i) {
        EXPECT_EQ(speeds[i]->text(), speedItems[i]);
        EXPECT_EQ(speeds[i]->isChecked(), i == 0);
        EXPECT_TRUE(speeds[i]->isEnabled());
        EXPECT_TRUE(speeds[i]->shortcut().isEmpty());
    }
}

// The pale cyan fills the client area only; the menu bar keeps the system's menu colours.
TEST_F(Layout, MenuBarKeepsTheSystemMenuColours) {
    QMenuBar* bar = menu().Widget()->MenuBar();
    EXPECT_EQ(bar->palette().color(QPalette::Window),
              QApplication::palette(bar).color(QPalette::Window));
    // The bar's empty stretch right of its last entry, as drawn.
    const QImage drawn = bar->grab().toImage();
    EXPECT_NE(drawn.pixelColor(drawn.width() - 2, drawn.height() / 2), QColor(0xC0, 0xFF, 0xFF));
}

TEST_F(Layout, ScreenReadersMeetWindowsByTheirCaptionsAndLinesAsSeparators) {
    StartLesson(2);
    const std::pair<QWidget*, QString> windows[] = {
        {menu().Widget(), QStringLiteral("ページを選ぼう")},
        {board().Widget(), QStringLiteral("薫風高校タイピング")}};
    for (const auto& [window, caption] : windows) {
        QAccessibleInterface* heard = QAccessible::queryAccessibleInterface(window);
        EXPECT_EQ(heard->role(), QAccessible::Window);
        EXPECT_EQ(heard->text(QAccessible::Name), caption);
    }
    for (const ui::Line& line : board().Line1) {
        EXPECT_EQ(QAccessible::queryAccessibleInterface(line.Widget())->role(),
                  QAccessible::Separator);
    }
}

TEST_F(Layout, LessonButtonPaintsItsColourOverItsWholeFace) {
    ui::CommandButton& button = menu().Command1[0];
    button.SetBackColor(0x008080FF);
    button.SetFocus();
    const QImage face = button.Widget()->grab().toImage();
    const QColor lightRed(255, 128, 128);
    // Corners inside the border, and the middle of the left edge, away from the caption.
    for (const QPoint point : {QPoint(2, 2), QPoint(face.width() - 3, face.height() - 3),
                               QPoint(1, face.height() / 2), QPoint(face.width() - 2, 2)}) {
        EXPECT_EQ(face.pixelColor(point), lightRed) << point.x() << "," << point.y();
    }
}

TEST_F(Layout, PracticeBoard) {
    StartLesson(2);
    PracticeBoard& b = board();
    EXPECT_EQ(b.Widget()->windowTitle(), QStringLiteral("薫風高校タイピング"));
    EXPECT_EQ(b.Client()->height() * 15, 1815);
    EXPECT_EQ(b.Client()->palette().color(QPalette::Window), QColor(0xC0, 0xFF, 0xFF));
    EXPECT_FALSE(b.Widget()->windowIcon().isNull());
    for (int index = 0; index < PracticeBoard::kCells; ++index) {
        SCOPED_TRACE(index);
        const ui::Label& cell = b.Label1[static_cast<std::size_t>(index)];
        EXPECT_EQ(cell.Left(), 120 + 480 * index);
        EXPECT_EQ(cell.Top(), 360);
        EXPECT_EQ(cell.Width(), 495);
        EXPECT_EQ(cell.Height(), 735);
        EXPECT_EQ(cell.BackColor(), colour::kPaleCyan);
        EXPECT_EQ(cell.Widget()->alignment(), Qt::AlignHCenter | Qt::AlignTop);
        EXPECT_DOUBLE_EQ(cell.Widget()->font().pointSizeF(), 20.25);
        EXPECT_FALSE(cell.Widget()->font().bold());
        EXPECT_TRUE(IsJapaneseGothic(cell.Widget()->font()));
    }
    EXPECT_EQ(b.Label1[29].Left() + 495, 14535);  // inside the 15240 of the loaded board

    EXPECT_EQ(b.Label3.Left(), 120);
    EXPECT_EQ(b.Label3.Top(), 840);
    EXPECT_EQ(b.Label3.Width(), 495);
    EXPECT_EQ(b.Label3.Height(), 255);
    EXPECT_EQ(b.Label2.Left(), 0);
    EXPECT_EQ(b.Label2.Top(), 1320);
    EXPECT_EQ(b.Label2.Widget()->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    EXPECT_DOUBLE_EQ(b.Label2.Widget()->font().pointSizeF(), 11.25);
    EXPECT_EQ(b.Label2.Widget()->palette().color(QPalette::WindowText),
              QApplication::palette().color(QPalette::HighlightedText));
    EXPECT_EQ(b.Timer1.Interval(), 100);
}

TEST_F(Layout, BoardStackingAndFocus) {
    StartLesson(2);
    PracticeBoard& b = board();
    // Children are painted in order: later ones lie over earlier ones.
    const QObjectList children = b.Client()->children();
    const auto position = [&](QWidget* widget) { return children.indexOf(widget); };
    EXPECT_LT(position(b.Label1[29].Widget()), position(b.Label2.Widget()));
    EXPECT_LT(position(b.Label2.Widget()), position(b.Label3.Widget()));
    EXPECT_LT(position(b.Label3.Widget()), position(b.Line1[0].Widget()));
    EXPECT_LT(position(b.Line1[0].Widget()), position(b.Line1[1].Widget()));
    for (QObject* child : children) {
        if (auto* widget = qobject_cast<QWidget*>(child)) {
            EXPECT_EQ(widget->focusPolicy(), Qt::NoFocus);
        }
    }
}

TEST_F(Layout, BarHeightDecidesWhichLinesCrossIt) {
    StartLesson(2);
    PracticeBoard& b = board();
    const auto crosses = [&](const ui::Line& line) {
        return line.Top() >= b.Label2.Top() && line.Top() < b.Label2.Top() + b.Label2.Height();
    };
    EXPECT_TRUE(crosses(b.Line1[0]));  // bar 255 high: 1320 to 1575
    EXPECT_FALSE(crosses(b.Line1[1]));
    b.Label2.SetHeight(375);
    EXPECT_TRUE(crosses(b.Line1[1]));
}

TEST_F(Layout, TrailCoversOnlyTheLowerPartOfCellZero) {
    StartLesson(2);
    const ui::Label& cell = board().Label1[0];
    const ui::Label& trail = board().Label3;
    EXPECT_EQ(trail.Top() + trail.Height(), cell.Top() + cell.Height());
    EXPECT_EQ(trail.Top() - cell.Top(), 480);
}

// 「ローマ字の案内」 on, mid-run, after the pupil took C for TY: a row of romaji under the cells,
// the board taller by that row and the bar along its bottom edge; off again, the board is as
// it was, and the run goes on to its end.
TEST_F(Layout, RomajiGuideGrowsTheBoardOnlyWhileItShows) {
    StartLesson(0);
    Type(QStringLiteral("c"));
    PracticeBoard& b = board();
    const QSize clientBefore = b.Client()->size();
    const auto bottomOf = [&b] {
        return std::array{b.Label2.Top(), b.Line1[0].Top(), b.Line1[1].Top(),
                          b.Client()->height() * 15};
    };
    const auto before = bottomOf();

    menu().RomajiGuide.Click();
    ASSERT_TRUE(menu().RomajiGuide.Checked());
    const auto on = bottomOf();
    for (std::size_t i = 0; i < on.size(); ++i) {
        EXPECT_EQ(on[i], before[i] + 300) << i;
    }
    EXPECT_EQ(b.Client()->width(), clientBefore.width());
    EXPECT_EQ(b.Label4[0].Top(), b.Label1[0].Top() + b.Label1[0].Height());
    EXPECT_EQ(b.Label4[1].Left(), b.Label1[1].Left());
    EXPECT_TRUE(b.Label4[0].Widget()->isVisible());
    // The C typed, in grey, then the H still to type; the blank by its mark.
    EXPECT_EQ(b.Label4[0].Caption(), u"CH");
    EXPECT_EQ(b.Label4[0].ColouredStartLength(), 1);
    // Painted: grey ink in the cell's left half, whose blends over the cyan keep red near
    // green, where black's keep the cyan's ratio (0xC0 to 0xFF).
    const QImage cell = b.Label4[0].Widget()->grab().toImage();
    int grey = 0;
    for (int y = 0; y < cell.height(); ++y) {
        for (int x = 0; x < cell.width() / 2; ++x) {
            const QColor ink = cell.pixelColor(x, y);
            grey += ink.green() == ink.blue() && ink.green() < 0xe0 && ink.red() < ink.green() &&
                    ink.red() * 100 >= ink.green() * 85;
        }
    }
    EXPECT_GT(grey, 0);
    EXPECT_EQ(b.Label4[8].Caption(), u"␣");
    EXPECT_EQ(b.Label4[14].Caption(), QString());
    EXPECT_EQ(b.Label4[0].Widget()->accessibleDescription(),
              QStringLiteral("ローマ字：HUUGAKUSEINO スペース MINASAN スペース"));

    Type(QStringLiteral("h"));
    EXPECT_EQ(b.Label4[0].Caption(), u"CH");
    EXPECT_EQ(b.Label4[0].ColouredStartLength(), 2);

    menu().RomajiGuide.Click();
    EXPECT_EQ(bottomOf(), before);
    EXPECT_EQ(b.Client()->size(), clientBefore);
    EXPECT_FALSE(b.Label4[0].Widget()->isVisible());

    Type(QStringLiteral("uugakuseino minasan "));
    EXPECT_FALSE(b.Widget()->isVisible()) << "the run did not end";
    EXPECT_EQ(b.MissCount, 0);
}

}  // namespace
