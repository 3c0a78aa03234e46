// velmora-convert: the conversions of the Velmora window on the command line.
//
//   velmora-convert libol record.txt > output.txt
//   velmora-convert charset vni unicode old.txt > new.txt
#include <string_view>
#include <vector>

#include "cli/Program.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  return velmora::cli::RunProgram(args);
}
