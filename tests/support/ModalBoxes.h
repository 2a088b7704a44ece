#pragma once

// Catches the message boxes that the code under test runs modally: a timer
// looks for a visible box while its modal loop runs, records what it shows
// and presses OK.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include <memory>
#include <vector>

namespace testapp {

struct SeenBox {
    QString caption;
    QString text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    QWidget* owner = nullptr;
};

class BoxCatcher {
public:
    BoxCatcher() : timer_(std::make_unique<QTimer>())
    {
        timer_->setInterval(10);
        QObject::connect(timer_.get(), &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* box = qobject_cast<QMessageBox*>(w);
                if (!box || !box->isVisible() || handled_.contains(box))
                    continue;
                handled_.push_back(box);
                seen.push_back({box->windowTitle(), box->text(), box->icon(), box->standardButtons(), box->parentWidget()});
                if (QAbstractButton* ok = box->button(QMessageBox::Ok))
                    ok->click();
                else
                    box->reject();
            }
        });
        timer_->start();
    }

    std::vector<SeenBox> seen;

private:
    std::unique_ptr<QTimer> timer_;
    QList<QPointer<QMessageBox>> handled_;
};

} // namespace testapp
