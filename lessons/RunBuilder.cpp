#include "lessons/RunBuilder.h"

#include "lessons/LessonCatalogue.h"

namespace lessons {

text::Text ApplyDoubledNRule(text::TextView keyString) {
    // Splitting on "_" leaves one entry per unit plus an empty tail after the last "_".
    text::TextList units = text::Split(keyString, u'_');
    for (std::size_t i = 0; i + 1 < units.size(); ++i) {
        if (units[i] == u"NN" && units[i + 1].starts_with(u'A')) {
            units[i].pop_back();
        }
    }
    return text::Join(units, u"_");
}

std::optional<BuiltRun> BuildRun(int index) {
    if (index < 0 || index >= static_cast<int>(LessonCatalogue.size())) {
        return std::nullopt;
    }
    const Lesson& lesson = LessonCatalogue[static_cast<std::size_t>(index)];
    BuiltRun run;
    run.practiceText = text::Text(lesson.kanaText);
    run.romajiQueue = ApplyDoubledNRule(text::FromLatin1(lesson.keyString));
    run.romajiQueue += u'=';
    return run;
}

}  // namespace lessons
