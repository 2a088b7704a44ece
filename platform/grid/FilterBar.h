#pragma once

#include "TableViewStyleSheet.h"

#include <QWidget>

#include <optional>

class QLabel;
class QToolButton;

namespace grid {

// The bar under the rows that says in words which filter is in force, with a
// button that clears it. Hidden while nothing is filtered.
class FilterBar : public QWidget {
    Q_OBJECT
public:
    explicit FilterBar(const std::optional<TableViewStyleSheet>& sheet, QWidget* parent = nullptr);

    void setDescription(const QString& text);
    QString description() const;
    QToolButton* clearButton() const { return clear_; }
    void applyStyle();

signals:
    void clearRequested();

private:
    const std::optional<TableViewStyleSheet>& sheet_;
    QLabel* text_;
    QToolButton* clear_;
};

} // namespace grid
