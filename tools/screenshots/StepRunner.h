#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <deque>
#include <functional>

namespace tour {

// Runs a list of steps against live windows, one after the other, from the
// event loop. A step waits until its condition holds, lets the windows
// settle for a moment (layouts and repaints queued by the last change), then
// acts. The event loop keeps turning all the while, so a step may open a
// modal window and the next steps drive that window from inside its loop.
//
// A step that does not become ready in time, an action that throws, or an
// error box that appears where none was expected ends the run with exit code
// 1 and says which step it was; when the steps run out the run ends with 0.
class StepRunner : public QObject {
    Q_OBJECT
public:
    struct Step {
        QString what;                 // said in the progress and in errors
        std::function<bool()> ready;  // polled until true
        std::function<void()> act;
        int settleMs = 200;           // pause between ready and act
        int timeoutMs = 30000;        // from the step's start to ready
    };

    explicit StepRunner(QObject* parent = nullptr);

    void add(Step step) { steps_.push_back(std::move(step)); }
    // Starts polling; the application's exit code tells the outcome.
    void start();

private:
    void poll();
    void fail(const QString& why);
    void beginStep();

    std::deque<Step> steps_;
    QTimer timer_;
    QElapsedTimer stepClock_;
    QElapsedTimer settleClock_;
    bool settling_ = false;
    bool busy_ = false;
    bool finished_ = false;
};

// A click by the operator, delivered from the event loop rather than from the
// step, so that a modal window it opens does not hold the step runner.
void clickLater(QWidget* widget);
void clickLater(QWidget* widget, const QPoint& pos);

} // namespace tour
