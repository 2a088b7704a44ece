#pragma once

#include "ValueFilter.h"

#include <QFrame>
#include <QStringList>

class QListView;
class QPushButton;

namespace grid {

class ValueFilterModel;

// The drop-down of a header's filter button: the column's values to tick,
// each tick applied at once, and "Clear" to drop the column's filter.
class ValueFilterPopup : public QFrame {
    Q_OBJECT
public:
    ValueFilterPopup(QStringList choices, const ValueFilter* current, QWidget* parent = nullptr);

    ValueFilterModel* model() const { return model_; }
    QListView* list() const { return list_; }
    QPushButton* clearButton() const { return clear_; }

signals:
    void filterChanged(const grid::ValueFilter& filter);
    void clearRequested();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ValueFilterModel* model_;
    QListView* list_;
    QPushButton* clear_;
};

} // namespace grid
