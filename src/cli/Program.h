// velmora-convert as a whole: the command line read, then the conversion
// run, with its exit status. The platform's entry point hands it the
// arguments as UTF-8.
#pragma once

#include <span>
#include <string_view>

namespace velmora::cli {

int RunProgram(std::span<const std::string_view> args);

}  // namespace velmora::cli
