#pragma once

#include <string>

namespace xlsx {

// [Content_Types].xml: the media type of every part of the package.
std::string contentTypesXml();

} // namespace xlsx
