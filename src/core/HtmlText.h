// Text for HTML: & < > " and ' written as character references, so a name from the tables can
// stand in an element or an attribute value.
#pragma once

#include <string>
#include <string_view>

namespace html {

void appendEscaped(std::string& out, std::string_view text);
std::string escaped(std::string_view text);

} // namespace html
