// Prints, as JSON, what the browser test needs to know of the trainer: the titles and lesson
// 1's keys the other end-to-end suites use, lesson 1's kana and units, the lesson buttons' places,
// the speed bands and the indicator speeds. The browser test reads them from here instead
// of restating them.
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>

#include "board/RomajiGuide.h"
#include "guide/KeyChart.h"
#include "guide/KeyboardDrawing.h"
#include "lessons/LessonCatalogue.h"
#include "lessons/RunBuilder.h"
#include "menu/IndicatorSpeeds.h"
#include "menu/MenuLayout.h"
#include "menu/SpeedColourBands.h"
#include "record/RecordPicture.h"
#include "record/RecordWindow.h"
#include "services/Colour.h"
#include "services/QtText.h"
#include "services/Twips.h"
#include "support/TrainerTexts.h"

namespace {

QJsonObject Titles() {
    return {{"menu", QString::fromStdString(e2e::kMenuTitle)},
            {"board", QString::fromStdString(e2e::kBoardTitle)},
            {"startBox", QString::fromStdString(e2e::kStartBoxTitle)},
            {"finishedBox", QString::fromStdString(e2e::kFinishedBoxTitle)},
            {"timeBox", QString::fromStdString(e2e::kTimeBoxTitle)},
            {"quitBox", QString::fromStdString(e2e::kQuitBoxTitle)}};
}

// Each lesson button's rectangle in pixels inside the menu's client area.
QJsonArray LessonButtons() {
    QJsonArray buttons;
    for (int index = 0; index <= 20; ++index) {
        const menu_layout::TwipsRect place = menu_layout::LessonButtonPlace(index);
        buttons.append(QJsonObject{{"left", twips::ToPixels(place.left)},
                                   {"top", twips::ToPixels(place.top)},
                                   {"width", twips::ToPixels(place.width)},
                                   {"height", twips::ToPixels(place.height)}});
    }
    return buttons;
}

// The keyboard guide: its client area, the colour of the key due, and the keys lesson 1
// begins with (T, then H once C has chosen CHU) in its drawing.
QJsonObject Guide() {
    const geometry::Size client = guide::KeyboardSize();
    QJsonObject keys;
    for (const char16_t key : {u'T', u'H'}) {
        const geometry::Rect area = guide::KeyAreaOf(key, guide::Layout::Jis);
        keys.insert(QString(QChar(key)), QJsonObject{{"left", area.left},
                                                     {"top", area.top},
                                                     {"width", area.width},
                                                     {"height", area.height}});
    }
    return {{"client", QJsonObject{{"width", client.width}, {"height", client.height}}},
            {"dueColour", static_cast<qint64>(guide::kDueColour)},
            {"keys", keys}};
}

QJsonArray SpeedBands() {
    QJsonArray bands;
    for (const menu_colours::SpeedBand& band : menu_colours::SpeedColourBands) {
        bands.append(QJsonObject{
            {"from", band.from}, {"to", band.to}, {"colour", static_cast<qint64>(band.backColor)}});
    }
    return bands;
}

}  // namespace

int main() {
    QJsonArray speeds;
    for (const int speed : speed_menu::kIndicatorSpeeds) {
        speeds.append(speed);
    }
    const QJsonObject facts{
        {"titles", Titles()},
        {"lessonOneKeys", QString::fromStdString(e2e::kLessonOneKeys)},
        {"lessonOneText", ui::ToQt(lessons::BuildRun(0)->practiceText)},
        {"lessonOneUnits",
         static_cast<int>(lessons::UnitCount(lessons::LessonCatalogue[0].keyString))},
        {"menuClient", QJsonObject{{"width", twips::ToPixels(menu_layout::kClientWidth)},
                                   {"height", twips::ToPixels(menu_layout::kClientHeight)}}},
        {"lessonButtons", LessonButtons()},
        {"speedBands", SpeedBands()},
        {"paleCyan", static_cast<qint64>(colour::kPaleCyan)},
        {"indicatorSpeeds", speeds},
        {"guide", Guide()},
        {"record", QJsonObject{{"width", RecordWindow::kClientWidthPixels},
                               {"height", RecordWindow::kClientHeightPixels},
                               {"barColour", static_cast<qint64>(record::kBarColour)}}},
        {"romajiTypedColour", static_cast<qint64>(board::kRomajiTypedColour)},
        {"startSpeed", speed_menu::kStartSpeed}};
    std::fputs(QJsonDocument(facts).toJson(QJsonDocument::Indented).constData(), stdout);
    return 0;
}
