#pragma once

#include "xlsx/XmlSink.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace xlsx {

// The shared strings table (xl/sharedStrings.xml): every distinct text once,
// cells refer to it by index. It is the one part of the workbook that grows
// with the data, and only with its distinct texts.
class SharedStrings {
public:
    // The index of `text`, added at the end when it is new.
    std::uint32_t indexOf(std::string_view text);

    std::size_t uniqueCount() const { return inOrder_.size(); }
    std::uint64_t referenceCount() const { return references_; }

    void write(XmlSink& sink) const;

private:
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };

    std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> indexes_;
    // Keys of `indexes_` in order of first use; nodes of an unordered_map do
    // not move, so the pointers stay valid.
    std::vector<const std::string*> inOrder_;
    std::uint64_t references_ = 0;
};

} // namespace xlsx
