#pragma once

#include <QWidget>

class QLabel;
class QToolButton;

namespace grid {

// The record navigator: first, previous, next and last buttons and the
// information panel "Record N of M" for the focused row among the shown rows.
class NavigatorBar : public QWidget {
    Q_OBJECT
public:
    explicit NavigatorBar(QWidget* parent = nullptr);

    // `row` is the focused shown row (-1: none), `count` the shown rows.
    void setPosition(int row, int count);
    QString infoText() const;
    QToolButton* firstButton() const { return first_; }
    QToolButton* priorButton() const { return prior_; }
    QToolButton* nextButton() const { return next_; }
    QToolButton* lastButton() const { return last_; }

signals:
    void firstClicked();
    void priorClicked();
    void nextClicked();
    void lastClicked();

private:
    QToolButton* first_;
    QToolButton* prior_;
    QToolButton* next_;
    QToolButton* last_;
    QLabel* info_;
};

} // namespace grid
