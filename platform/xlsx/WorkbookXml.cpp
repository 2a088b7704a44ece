#include "xlsx/WorkbookXml.h"

#include "xlsx/XmlText.h"

namespace xlsx {

std::string workbookXml(std::string_view sheetName)
{
    std::string xml = R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" )"
                      R"(xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships">)"
                      R"(<bookViews><workbookView/></bookViews><sheets><sheet name=")";
    appendEscapedAttribute(xml, sheetName);
    xml += R"(" sheetId="1" r:id="rId1"/></sheets></workbook>)";
    return xml;
}

} // namespace xlsx
