#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace desktop {

// Shows the busy cursor while a blocking piece of work runs on the GUI thread
// (a sign-in, a search, an export), and restores it however the work ends.
class BusyCursor {
public:
    BusyCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

} // namespace desktop
