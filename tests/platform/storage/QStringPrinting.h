#pragma once

#include <QString>

#include <ostream>

// Lets test failures show texts as UTF-8 instead of raw code units.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
