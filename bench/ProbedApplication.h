#pragma once
// The application of the in-process benchmarks: every event the program receives passes an
// observer just before its receiver handles it and just after.
//
// This is QApplication::notify, the one place every event goes through, whichever object
// receives it. An application-wide event filter sees the events at the same point before
// delivery, but nothing after it; to time the end of a paint a filter would have to call
// the receiver's event() itself and swallow the event, skipping the filters installed
// after it. Overriding notify needs neither.
#include <QApplication>

namespace bench {

class EventObserver {
  public:
    virtual ~EventObserver() = default;
    virtual void Before(QObject* receiver, QEvent* event) = 0;
    virtual void After(QObject* receiver, QEvent* event) = 0;
};

class ProbedApplication : public QApplication {
  public:
    ProbedApplication(int& argc, char** argv);

    // Null: no observer.
    void SetObserver(EventObserver* observer) { observer_ = observer; }

    bool notify(QObject* receiver, QEvent* event) override;

  private:
    EventObserver* observer_ = nullptr;
};

}  // namespace bench
