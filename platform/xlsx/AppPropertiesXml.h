#pragma once

#include <string>

namespace xlsx {

// docProps/app.xml: the application that wrote the workbook.
std::string appPropertiesXml();

} // namespace xlsx
