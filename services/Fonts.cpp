#include "services/Fonts.h"

#include <QDirIterator>
#include <QFontDatabase>
#include <QStringList>

namespace ui {

QFont LessonFont(double pointSize, bool bold) {
    QFont font;
    // The first of these the system has: Windows knows its faces by their Japanese and
    // their English names alike. Kunpu PGothic is the browser edition's own cut of
    // IPAPGothic, holding the characters the program shows.
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("メイリオ"), QStringLiteral("Meiryo"),
                      QStringLiteral("游ゴシック"), QStringLiteral("Yu Gothic"),
                      QStringLiteral("IPAPGothic"), QStringLiteral("Kunpu PGothic"),
                      QStringLiteral("IPAexGothic"), QStringLiteral("Noto Sans CJK JP"),
                      QStringLiteral("VL PGothic"), QStringLiteral("Takao PGothic")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(pointSize);
    font.setWeight(bold ? QFont::Bold : QFont::Normal);
    return font;
}

int LoadBundledFonts() {
    int added = 0;
    QDirIterator files(QStringLiteral(":/fonts/bundled"), QDir::Files);
    while (files.hasNext()) {
        if (QFontDatabase::addApplicationFont(files.next()) >= 0) {
            ++added;
        }
    }
    return added;
}

}  // namespace ui
