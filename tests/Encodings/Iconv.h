// Runs the system's iconv (glibc), the reference the code pages are checked
// against.
#pragma once

#include <string>
#include <string_view>

namespace velmora::test {

// `bytes` converted by `iconv [-c] -f from -t to`; the exit status is not
// looked at (with -c it is 1 when something was left out).
std::string Iconv(std::string_view from, std::string_view to, std::string_view bytes,
                  bool leaveOut = false);

// The text of a file of a Debian package, gunzipped if its name ends in .gz;
// empty when it is missing.
std::string PackageText(const std::string& path);

}  // namespace velmora::test
