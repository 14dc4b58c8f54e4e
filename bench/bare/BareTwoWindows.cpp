// The floor the trainer's figures are measured against: a Qt Widgets program that only
// opens two windows shaped like the trainer's, and does nothing else.
//   - a 496 × 199 pixel client area under a menu bar, with 21 push buttons laid out like the
//     lesson buttons (as at the trainer's start, only the first two show);
//   - a 462 × 121 pixel window with 30 labels, the first 14 holding the kana of lesson 1.
// No timer, no key handling, no message box.
#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QWidget>

namespace {

constexpr int kMenuClientWidth = 496;
constexpr int kMenuClientHeight = 199;
constexpr int kButtons = 21;
constexpr int kButtonsShown = 2;
constexpr int kBoardWidth = 462;
constexpr int kBoardHeight = 121;
constexpr int kCells = 30;

void AddMenus(QMenuBar& bar) {
    QMenu* help = bar.addMenu(QStringLiteral("使用法"));
    for (const char* item : {"クリア基準", "■", "←", "」", "インジケーター", "ボタンの色"}) {
        help->addAction(QString::fromUtf8(item));
    }
    QMenu* speeds = bar.addMenu(QStringLiteral("インディケーター速度"));
    for (const char* item : {" 60字／分", " 90字／分", "120字／分", "150字／分", "180字／分"}) {
        speeds->addAction(QString::fromUtf8(item));
    }
    bar.addAction(QStringLiteral("技術・開発"));
}

void LayOutButtons(QWidget& client) {
    for (int index = 0; index < kButtons; ++index) {
        auto* button =
            new QPushButton(QString::number(index + 1) + QStringLiteral("ページ"), &client);
        const bool inGrid = index < kButtons - 1;
        const int left = inGrid ? 8 + 96 * (index % 5) : 152;
        const int top = inGrid ? 8 + 48 * (index / 5) : 192;
        button->setGeometry(left, top, 89, 33);
        button->setVisible(index < kButtonsShown);
    }
}

void LayOutCells(QWidget& board) {
    const QString kana = QStringLiteral("ちゅうがくせいの みなさん");
    for (int index = 0; index < kCells; ++index) {
        auto* cell = new QLabel(index < kana.size() ? kana.mid(index, 1) : QString(), &board);
        cell->setGeometry(8 + 32 * index, 24, 33, 49);
        cell->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);

    QWidget menuWindow;
    menuWindow.setWindowTitle(QStringLiteral("Bare menu window"));
    auto* bar = new QMenuBar(&menuWindow);
    bar->setNativeMenuBar(false);
    AddMenus(*bar);
    const int barHeight = bar->sizeHint().height();
    bar->setGeometry(0, 0, kMenuClientWidth, barHeight);
    auto* client = new QWidget(&menuWindow);
    client->setGeometry(0, barHeight, kMenuClientWidth, kMenuClientHeight);
    LayOutButtons(*client);
    menuWindow.setFixedSize(kMenuClientWidth, barHeight + kMenuClientHeight);

    QWidget boardWindow;
    boardWindow.setWindowTitle(QStringLiteral("Bare board window"));
    LayOutCells(boardWindow);
    boardWindow.setFixedSize(kBoardWidth, kBoardHeight);

    menuWindow.show();
    boardWindow.move(menuWindow.x(), menuWindow.y() + menuWindow.frameGeometry().height());
    boardWindow.show();
    return QApplication::exec();
}
