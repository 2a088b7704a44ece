#include "xlsx/XmlSink.h"

#include <utility>

namespace xlsx {

XmlSink::XmlSink(Consumer consumer, std::size_t chunkBytes)
    : consumer_(std::move(consumer)), chunkBytes_(chunkBytes)
{
    buffer_.reserve(chunkBytes_ + 4096);
}

void XmlSink::flush()
{
    if (buffer_.empty())
        return;
    consumer_(buffer_);
    buffer_.clear();
}

} // namespace xlsx
