#include "lessons/RunBuilder.h"

#include <QStringList>

#include "lessons/LessonCatalogue.h"

namespace lessons {

QString ApplyDoubledNRule(const QString& keyString) {
    // Splitting on "_" leaves one entry per unit plus an empty tail after the last "_".
    QStringList units = keyString.split(u'_');
    for (qsizetype i = 0; i + 1 < units.size(); ++i) {
        if (units[i] == QStringLiteral("NN") && units[i + 1].startsWith(u'A')) {
            units[i] = QStringLiteral("N");
        }
    }
    return units.join(u'_');
}

std::optional<BuiltRun> BuildRun(int index) {
    if (index < 0 || index >= static_cast<int>(LessonCatalogue.size())) {
        return std::nullopt;
    }
    const Lesson& lesson = LessonCatalogue[static_cast<std::size_t>(index)];
    BuiltRun run;
    run.practiceText = QString::fromUtf16(lesson.kanaText.data(), lesson.kanaText.size());
    run.romajiQueue =
        ApplyDoubledNRule(QString::fromLatin1(lesson.keyString.data(), lesson.keyString.size()));
    run.romajiQueue += u'=';
    return run;
}

}  // namespace lessons
