#include "NavigatorBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QToolButton>

namespace grid {

namespace {

// Arrow glyphs drawn here rather than taken from an icon theme, which a
// desktop may not have: a bar before or after the arrow marks first and last.
QIcon navigatorIcon(bool forward, bool bar)
{
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    const QPolygon arrow = forward ? QPolygon({QPoint(3, 2), QPoint(3, 10), QPoint(8, 6)})
                                   : QPolygon({QPoint(8, 2), QPoint(8, 10), QPoint(3, 6)});
    p.drawPolygon(arrow);
    if (bar)
        p.drawRect(forward ? QRect(9, 2, 2, 9) : QRect(1, 2, 2, 9));
    return QIcon(pm);
}

QToolButton* makeButton(QWidget* parent, const QString& name, const QString& tip, bool forward, bool bar)
{
    auto* b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(tip);
    b->setIcon(navigatorIcon(forward, bar));
    b->setAutoRaise(true);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

NavigatorBar::NavigatorBar(QWidget* parent)
    : QWidget(parent),
      first_(makeButton(this, QStringLiteral("navFirst"), QStringLiteral("First"), false, true)),
      prior_(makeButton(this, QStringLiteral("navPrior"), QStringLiteral("Prior"), false, false)),
      next_(makeButton(this, QStringLiteral("navNext"), QStringLiteral("Next"), true, false)),
      last_(makeButton(this, QStringLiteral("navLast"), QStringLiteral("Last"), true, true)),
      info_(new QLabel(this))
{
    info_->setObjectName(QStringLiteral("navInfo"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 2, 1);
    layout->setSpacing(0);
    for (QToolButton* b : {first_, prior_, next_, last_})
        layout->addWidget(b);
    layout->addSpacing(8);
    layout->addWidget(info_);
    layout->addStretch(1);
    connect(first_, &QToolButton::clicked, this, &NavigatorBar::firstClicked);
    connect(prior_, &QToolButton::clicked, this, &NavigatorBar::priorClicked);
    connect(next_, &QToolButton::clicked, this, &NavigatorBar::nextClicked);
    connect(last_, &QToolButton::clicked, this, &NavigatorBar::lastClicked);
    setPosition(-1, 0);
}

void NavigatorBar::setPosition(int row, int count)
{
    info_->setText(QStringLiteral("Record %1 of %2").arg(row < 0 ? 0 : row + 1).arg(count));
    first_->setEnabled(row > 0);
    prior_->setEnabled(row > 0);
    next_->setEnabled(row >= 0 && row + 1 < count);
    last_->setEnabled(row >= 0 && row + 1 < count);
}

QString NavigatorBar::infoText() const { return info_->text(); }

} // namespace grid
