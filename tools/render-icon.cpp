// Writes the program's icon, drawn in code, as PNG files for the desktop's icon theme:
//   render-icon <folder> <size>...
// gives <folder>/<size>x<size>/kunpu-typing.png for each size; a size written with an "m"
// (512m) gives the maskable icon of a web app, <folder>/<size>x<size>-maskable/. Runs at build time
// under the offscreen platform, so the installed icons are always the ones the windows show.
#include <QColor>
#include <QDir>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QString>
#include <cstdio>

#include "services/AppIcon.h"
#include "services/Fonts.h"

namespace {

constexpr int kSmallestSize = 8;
constexpr int kLargestSize = 1024;

// The icon's kana is drawn with the lesson font. Without a Japanese face Qt draws an empty
// box for it, and such an icon must not be shipped.
bool LessonFontDrawsKana() {
    const QFontMetrics metrics(ui::LessonFont(10, true));
    return metrics.inFont(QChar(u'か'));
}

// Something is drawn on the yellow ground.
bool ShowsInk(const QImage& image) {
    const QRgb ground = image.pixel(0, 0);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) != ground) {
                return true;
            }
        }
    }
    return false;
}

bool WriteIcon(const QString& folder, int size, bool maskable) {
    const QString sizeFolder = QStringLiteral("%1/%2x%2%3")
                                   .arg(folder)
                                   .arg(size)
                                   .arg(maskable ? QStringLiteral("-maskable") : QString());
    if (!QDir().mkpath(sizeFolder)) {
        std::fprintf(stderr, "render-icon: cannot create %s\n", qPrintable(sizeFolder));
        return false;
    }
    const QImage image = maskable ? ui::DrawMaskableProgramIcon(size) : ui::DrawProgramIcon(size);
    if (image.width() != size || image.height() != size || !ShowsInk(image)) {
        std::fprintf(stderr, "render-icon: the %d px icon is blank\n", size);
        return false;
    }
    const QString file = sizeFolder + QStringLiteral("/kunpu-typing.png");
    // Two colours and the shades between them: a palette holds every pixel exactly, in a
    // third of the bytes.
    const QImage stored = image.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither);
    if (stored.convertToFormat(image.format()) != image) {
        std::fprintf(stderr, "render-icon: the %d px icon needs more than 256 colours\n", size);
        return false;
    }
    if (!stored.save(file, "PNG")) {
        std::fprintf(stderr, "render-icon: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QStringList arguments = QGuiApplication::arguments();
    if (arguments.size() < 3) {
        std::fprintf(stderr, "usage: render-icon <folder> <size>...\n");
        return 2;
    }
    if (!LessonFontDrawsKana()) {
        std::fprintf(stderr,
                     "render-icon: no installed font draws kana; install a Japanese "
                     "font such as fonts-ipafont-gothic\n");
        return 1;
    }
    const QString folder = arguments[1];
    for (qsizetype index = 2; index < arguments.size(); ++index) {
        QString sizeText = arguments[index];
        const bool maskable = sizeText.endsWith(u'm');
        if (maskable) {
            sizeText.chop(1);
        }
        bool isNumber = false;
        const int size = sizeText.toInt(&isNumber);
        if (!isNumber || size < kSmallestSize || size > kLargestSize) {
            std::fprintf(stderr, "render-icon: not an icon size: %s\n",
                         qPrintable(arguments[index]));
            return 2;
        }
        if (!WriteIcon(folder, size, maskable)) {
            return 1;
        }
    }
    return 0;
}
