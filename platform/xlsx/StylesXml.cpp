#include "xlsx/StylesXml.h"

namespace xlsx {

std::string stylesXml()
{
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">)"
           R"(<fonts count="2">)"
           R"(<font><sz val="11"/><name val="Calibri"/><family val="2"/></font>)"
           R"(<font><b/><sz val="11"/><name val="Calibri"/><family val="2"/></font>)"
           R"(</fonts>)"
           R"(<fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>)"
           R"(<borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>)"
           R"(<cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>)"
           R"(<cellXfs count="4">)"
           R"(<xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/>)"
           R"(<xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/>)"
           R"(<xf numFmtId="14" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
           R"(<xf numFmtId="22" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/>)"
           R"(</cellXfs>)"
           R"(<cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>)"
           R"(</styleSheet>)";
}

} // namespace xlsx
