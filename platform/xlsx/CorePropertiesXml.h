#pragma once

#include <chrono>
#include <string>

namespace xlsx {

// docProps/core.xml: when the workbook was created (and so last modified).
std::string corePropertiesXml(std::chrono::system_clock::time_point created);

} // namespace xlsx
