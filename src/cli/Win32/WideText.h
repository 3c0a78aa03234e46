// UTF-8, which the rest of velmora-convert speaks, and the UTF-16 of the
// Windows interfaces (file names, the command line).
#pragma once

#include <string>
#include <string_view>

namespace velmora::cli {

// Invalid UTF-8 becomes U+FFFD.
std::wstring Widen(std::string_view utf8);

// A lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

}  // namespace velmora::cli
