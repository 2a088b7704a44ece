#include "xlsx/CorePropertiesXml.h"

#include <cstdio>
#include <ctime>

namespace xlsx {

namespace {

std::string w3cUtc(std::chrono::system_clock::time_point t)
{
    const std::time_t seconds = std::chrono::system_clock::to_time_t(t);
    std::tm utc{};
    gmtime_r(&seconds, &utc);
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02dZ", utc.tm_year + 1900, utc.tm_mon + 1,
                  utc.tm_mday, utc.tm_hour, utc.tm_min, utc.tm_sec);
    return text;
}

} // namespace

std::string corePropertiesXml(std::chrono::system_clock::time_point created)
{
    const std::string when = w3cUtc(created);
    return R"(<?xml version="1.0" encoding="UTF-8" standalone="yes"?>
<cp:coreProperties xmlns:cp="http://schemas.openxmlformats.org/package/2006/metadata/core-properties" )"
           R"(xmlns:dc="http://purl.org/dc/elements/1.1/" xmlns:dcterms="http://purl.org/dc/terms/" )"
           R"(xmlns:xsi="http://www.w3.org/2001/XMLSchema-instance">)"
           R"(<dcterms:created xsi:type="dcterms:W3CDTF">)" +
           when + R"(</dcterms:created><dcterms:modified xsi:type="dcterms:W3CDTF">)" + when +
           R"(</dcterms:modified></cp:coreProperties>)";
}

} // namespace xlsx
