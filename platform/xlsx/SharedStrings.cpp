#include "xlsx/SharedStrings.h"

#include "xlsx/XmlText.h"

namespace xlsx {

std::uint32_t SharedStrings::indexOf(std::string_view text)
{
    ++references_;
    if (const auto found = indexes_.find(text); found != indexes_.end())
        return found->second;
    const auto index = static_cast<std::uint32_t>(inOrder_.size());
    const auto inserted = indexes_.emplace(std::string(text), index).first;
    inOrder_.push_back(&inserted->first);
    return index;
}

void SharedStrings::write(XmlSink& sink) const
{
    std::string& out = sink.buffer();
    out += R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count=")";
    out += std::to_string(references_);
    out += R"(" uniqueCount=")";
    out += std::to_string(inOrder_.size());
    out += R"(">)";
    for (const std::string* text : inOrder_) {
        out += needsPreservedSpace(*text) ? R"(<si><t xml:space="preserve">)" : "<si><t>";
        appendCellText(out, *text);
        out += "</t></si>";
        sink.flushIfFull();
    }
    out += "</sst>";
    sink.flush();
}

} // namespace xlsx
