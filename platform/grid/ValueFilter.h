#pragma once

#include <QSet>
#include <QString>

namespace grid {

// The values of one column that a row may hold to stay shown, as the grid
// displays them, and whether blanks (null or empty text) pass as well.
struct ValueFilter {
    QSet<QString> values;
    bool blanks = false;

    bool isEmpty() const { return values.isEmpty() && !blanks; }
    friend bool operator==(const ValueFilter&, const ValueFilter&) = default;
};

} // namespace grid
