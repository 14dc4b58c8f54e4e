#include "services/ButtonWords.h"

#include <QCoreApplication>
#include <QTranslator>
#include <cstring>

namespace ui {

namespace {

// Qt names its standard buttons in the context of its platform theme.
class YesNoTranslator : public QTranslator {
  public:
    QString translate(const char* context, const char* sourceText, const char* /*disambiguation*/,
                      int /*n*/) const override {
        if (std::strcmp(context, "QPlatformTheme") != 0) {
            return {};
        }
        if (std::strcmp(sourceText, "&Yes") == 0) {
            return kYesButtonWords;
        }
        if (std::strcmp(sourceText, "&No") == 0) {
            return kNoButtonWords;
        }
        return {};
    }
    bool isEmpty() const override { return false; }
};

}  // namespace

QTranslator* NewYesNoTranslator() {
    return new YesNoTranslator;
}

void SpeakJapaneseOnButtons() {
    static bool spoken = false;
    if (spoken) {
        return;
    }
    spoken = true;
    QTranslator* japanese = NewJapaneseTranslator();
    japanese->setParent(QCoreApplication::instance());
    QCoreApplication::installTranslator(japanese);
}

}  // namespace ui
