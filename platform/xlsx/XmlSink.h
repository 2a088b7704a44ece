#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace xlsx {

// Collects the text of a part and hands it on in chunks, so that a part of
// any size passes through a buffer of fixed size on its way into the package.
class XmlSink {
public:
    using Consumer = std::function<void(std::string_view)>;

    explicit XmlSink(Consumer consumer, std::size_t chunkBytes = 256 * 1024);

    // Writers append to the buffer directly and call flushIfFull() between
    // pieces, which keeps the hot path to plain string appends.
    std::string& buffer() { return buffer_; }
    void flushIfFull()
    {
        if (buffer_.size() >= chunkBytes_)
            flush();
    }
    void flush();

private:
    Consumer consumer_;
    std::size_t chunkBytes_;
    std::string buffer_;
};

} // namespace xlsx
