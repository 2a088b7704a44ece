#pragma once

#include <QDate>
#include <QWidget>

#include <optional>

class QCalendarWidget;
class QLineEdit;
class QToolButton;

namespace desktop {
class DesktopServices;
}

namespace ledger {

// A date edit that may be empty, with a drop-down calendar. It shows the
// date in the user's short date format with the year in full, and reads what
// it shows, the user's short format (a two-digit year is of this century,
// any of the separators . / -) and ISO form; the value changes
// when the typing is committed (Enter, leaving the edit), when a day is
// picked in the calendar, or when the program sets it, and only then does
// editValueChanged fire, so a handler that adjusts the value sees whole dates,
// never the half-typed ones.
class DateEdit : public QWidget {
    Q_OBJECT
public:
    explicit DateEdit(QWidget* parent = nullptr);

    std::optional<QDate> date() const { return value_; }
    // Setting a different value fires editValueChanged once; the same value nothing.
    void setDate(const std::optional<QDate>& date);
    void clear() { setDate(std::nullopt); }

    QLineEdit* lineEdit() const { return edit_; }
    QToolButton* dropDownButton() const { return button_; }
    // Shows the drop-down calendar under the edit.
    void showCalendar();

signals:
    void editValueChanged();

private:
    void commitText();
    void showValue();
    static std::optional<QDate> parse(const QString& text);

    QLineEdit* edit_;
    QToolButton* button_;
    QCalendarWidget* calendar_ = nullptr;
    std::optional<QDate> value_;
};

} // namespace ledger
