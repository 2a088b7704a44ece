#pragma once

#include <string>

namespace xlsx {

// _rels/.rels: from the package to the workbook and the document properties.
std::string packageRelationshipsXml();

// xl/_rels/workbook.xml.rels: from the workbook to its worksheet, styles and
// shared strings. The worksheet is rId1, as the workbook part refers to it.
std::string workbookRelationshipsXml();

} // namespace xlsx
