#include "DateEdit.h"

#include <QCalendarWidget>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QToolButton>

namespace ledger {

namespace {

// The short format with its year written in full. The edit shows dates this
// way: a two-digit year would read back a century early, and the full year
// leaves no doubt on screen.
QString fullYearFormat(QString format)
{
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

// The order of day, month and year in a date format ("M/d/yy" gives "Mdy"),
// quoted text and week-day names left out; empty when one of the three is missing.
QString fieldOrder(const QString& format)
{
    QString order;
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        const QChar c = format[i];
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
            continue;
        }
        if (quoted || (c != QLatin1Char('d') && c != QLatin1Char('M') && c != QLatin1Char('y')))
            continue;
        qsizetype run = 1;
        while (i + run < format.size() && format[i + run] == c)
            ++run;
        i += run - 1;
        if (c == QLatin1Char('d') && run > 2)
            continue; // the week day's name
        if (!order.contains(c))
            order += c;
    }
    return order.size() == 3 ? order : QString();
}

// What the edit reads, first match wins: the text it shows, the user's short
// and long formats, ISO form, then the short format's day, month and year in
// its own order with one or two digits for day and month, two or four for
// the year and any of the separators ". / -". Nothing reads the fields in
// another order than the user's, so "3/1/2025" is never 3 January for a user
// whose format puts the month first.
QStringList acceptedFormats(const QLocale& locale)
{
    const QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
    QStringList formats = {fullYearFormat(shortFormat), shortFormat, locale.dateFormat(QLocale::LongFormat),
                           QStringLiteral("yyyy-M-d")};
    const QString order = fieldOrder(shortFormat);
    for (const QString& year : {QStringLiteral("yyyy"), QStringLiteral("yy")}) {
        for (const QChar separator : {QLatin1Char('.'), QLatin1Char('/'), QLatin1Char('-')}) {
            QStringList fields;
            for (const QChar field : order)
                fields << (field == QLatin1Char('y') ? year : QString(field));
            if (!fields.isEmpty())
                formats << fields.join(separator);
        }
    }
    formats.removeDuplicates();
    return formats;
}

} // namespace

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
    // The edit is as narrow as the date it shows: a slim button and no
    // inner margins leave the room to the digits.
    button_->setFixedWidth(16);
    button_->setAutoRaise(true);
    edit_->setTextMargins(0, 0, 0, 0);
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
    for (const QString& format : acceptedFormats(locale)) {
        QDate d = locale.toDate(text, format);
        if (!d.isValid())
            continue;
        // Qt reads a two-digit year in the 1900s; operators mean this century.
        if (!format.contains(QLatin1String("yyyy")) && format.contains(QLatin1String("yy")) && d.year() < 2000)
            d = d.addYears(100);
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
    const QLocale locale = QLocale::system();
    edit_->setText(value_ ? locale.toString(*value_, fullYearFormat(locale.dateFormat(QLocale::ShortFormat))) : QString());
    // When the text is wider than the edit, the day and month stay in view.
    edit_->setCursorPosition(0);
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
