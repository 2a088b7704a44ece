#include "xlsx/AppPropertiesXml.h"

namespace xlsx {

std::string appPropertiesXml()
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<Properties xmlns="http://schemas.openxmlformats.org/officeDocument/2006/extended-properties">)"
           R"(<Application>wMorv</Application></Properties>)";
}

} // namespace xlsx
