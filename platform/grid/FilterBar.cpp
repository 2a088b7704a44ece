#include "FilterBar.h"

#include "RowLook.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>

namespace grid {

FilterBar::FilterBar(const std::optional<TableViewStyleSheet>& sheet, QWidget* parent)
    : QWidget(parent), sheet_(sheet), text_(new QLabel(this)), clear_(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(2, 1, 4, 1);
    clear_->setObjectName(QStringLiteral("clearFilterButton"));
    clear_->setText(QStringLiteral("\u2715"));
    clear_->setToolTip(QStringLiteral("Clear filter"));
    clear_->setAutoRaise(true);
    text_->setObjectName(QStringLiteral("filterText"));
    text_->setTextFormat(Qt::PlainText);
    layout->addWidget(clear_);
    layout->addWidget(text_, 1);
    connect(clear_, &QToolButton::clicked, this, &FilterBar::clearRequested);
    setVisible(false);
}

void FilterBar::setDescription(const QString& text)
{
    text_->setText(text);
    text_->setToolTip(text);
    setVisible(!text.isEmpty());
}

QString FilterBar::description() const { return text_->text(); }

void FilterBar::applyStyle()
{
    QPalette pal;
    QFont f;
    if (sheet_ && sheet_->filterBox) {
        const RowLook look = partLook(sheet_->filterBox, pal.color(QPalette::Window), pal.color(QPalette::WindowText), f);
        pal.setColor(QPalette::Window, look.background);
        pal.setColor(QPalette::WindowText, look.text);
        f = look.font;
        setAutoFillBackground(true);
    } else {
        setAutoFillBackground(false);
    }
    setPalette(pal);
    text_->setFont(f);
}

} // namespace grid
