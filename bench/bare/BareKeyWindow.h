#pragma once
// The floor of the key latency: a bare window of the board's size whose one label shows
// how many keys it has received, so every key press repaints that label and nothing else.
#include <QWidget>

class QLabel;

namespace bench {

class BareKeyWindow : public QWidget {
  public:
    static inline const QString kTitle = QStringLiteral("Bare key window");

    BareKeyWindow();

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QLabel* label_ = nullptr;
    int keys_ = 0;
};

}  // namespace bench
