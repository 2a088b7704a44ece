#include "StepRunner.h"

#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTextStream>

#include <exception>

namespace tour {

namespace {

QTextStream& err()
{
    static QTextStream stream(stderr);
    return stream;
}

// The program shows its errors in a message box; a box on screen means the
// last step went wrong, whatever the windows look like.
const QMessageBox* visibleErrorBox()
{
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible())
            return box;
    return nullptr;
}

} // namespace

StepRunner::StepRunner(QObject* parent) : QObject(parent)
{
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &StepRunner::poll);
}

void StepRunner::start()
{
    beginStep();
    timer_.start();
}

void StepRunner::beginStep()
{
    settling_ = false;
    stepClock_.start();
    if (!steps_.empty())
        err() << "tour: " << steps_.front().what << Qt::endl;
}

void StepRunner::fail(const QString& why)
{
    finished_ = true;
    timer_.stop();
    const QString step = steps_.empty() ? QStringLiteral("(after the last step)") : steps_.front().what;
    err() << "tour: failed at \"" << step << "\": " << why << Qt::endl;
    // Leaves every event loop, the modal ones included.
    QCoreApplication::exit(1);
}

void StepRunner::poll()
{
    // A step's action may turn the event loop (a modal window opening
    // elsewhere is delivered later, but grabbing and typing do process
    // events); the timer must not re-enter it.
    if (busy_ || finished_)
        return;
    if (const QMessageBox* box = visibleErrorBox()) {
        fail(QStringLiteral("the program shows an error box: ") + box->text());
        return;
    }
    if (steps_.empty()) {
        finished_ = true;
        timer_.stop();
        err() << "tour: done" << Qt::endl;
        QCoreApplication::exit(0);
        return;
    }
    Step& step = steps_.front();
    if (!step.ready()) {
        settling_ = false;
        if (stepClock_.elapsed() > step.timeoutMs)
            fail(QStringLiteral("not ready after %1 s").arg(step.timeoutMs / 1000));
        return;
    }
    if (!settling_) {
        settling_ = true;
        settleClock_.start();
    }
    if (settleClock_.elapsed() < step.settleMs)
        return;

    busy_ = true;
    try {
        step.act();
    } catch (const std::exception& e) {
        busy_ = false;
        fail(QString::fromLocal8Bit(e.what()));
        return;
    }
    busy_ = false;
    steps_.pop_front();
    beginStep();
}

void clickLater(QWidget* widget)
{
    QTimer::singleShot(0, widget, [widget] { QTest::mouseClick(widget, Qt::LeftButton); });
}

void clickLater(QWidget* widget, const QPoint& pos)
{
    QTimer::singleShot(0, widget, [widget, pos] { QTest::mouseClick(widget, Qt::LeftButton, {}, pos); });
}

} // namespace tour
