#include "DateEdit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

namespace ledger {

DateEdit::DateEdit(QWidget* parent) : QWidget(parent), edit_(new QLineEdit(this)), button_(new QToolButton(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(edit_, 1);
    layout->addWidget(button_);
    button_->setArrowType(Qt::DownArrow);
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setToolTip(tr("Calendar"));
    setFocusProxy(edit_);
    setFocusPolicy(Qt::StrongFocus);
    connect(edit_, &QLineEdit::editingFinished, this, &DateEdit::commitText);
    connect(button_, &QToolButton::clicked, this, &DateEdit::showCalendar);
}

std::optional<QDate> DateEdit::parse(const QString& input)
{
    const QString text = input.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    const QLocale locale = QLocale::system();
    for (const QString& format : {locale.dateFormat(QLocale::ShortFormat), locale.dateFormat(QLocale::LongFormat),
                                  QStringLiteral("yyyy-MM-dd"), QStringLiteral("d.M.yyyy"), QStringLiteral("d/M/yyyy")}) {
        QDate d = locale.toDate(text, format);
        // Two-digit years are read in the 2000s, as operators type them.
        if (d.isValid() && d.year() < 100)
            d = d.addYears(100);
        if (d.isValid())
            return d;
    }
    return QDate(); // invalid: not a date
}

void DateEdit::commitText()
{
    const std::optional<QDate> typed = parse(edit_->text());
    if (typed && !typed->isValid()) {
        // Text that is not a date keeps the previous value on screen.
        showValue();
        return;
    }
    setDate(typed);
}

void DateEdit::showValue()
{
    edit_->setText(value_ ? QLocale::system().toString(*value_, QLocale::ShortFormat) : QString());
}

void DateEdit::setDate(const std::optional<QDate>& date)
{
    const std::optional<QDate> next = date && date->isValid() ? date : std::nullopt;
    if (next == value_) {
        showValue();
        return;
    }
    value_ = next;
    showValue();
    emit editValueChanged();
}

void DateEdit::showCalendar()
{
    if (!calendar_) {
        calendar_ = new QCalendarWidget(this);
        calendar_->setWindowFlags(Qt::Popup);
        connect(calendar_, &QCalendarWidget::clicked, this, [this](const QDate& d) {
            calendar_->hide();
            setDate(d);
        });
        connect(calendar_, &QCalendarWidget::activated, this, [this](const QDate& d) {
            calendar_->hide();
            setDate(d);
        });
    }
    calendar_->setSelectedDate(value_.value_or(QDate::currentDate()));
    calendar_->move(mapToGlobal(QPoint(0, height())));
    calendar_->show();
    calendar_->setFocus();
}

} // namespace ledger
