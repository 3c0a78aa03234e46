// make-damaged-catalogue RECORDS [--clean] > catalogue.mrc: a generated ISO
// 2709 catalogue (DamagedCatalogue.h), with how many records of each damage
// it holds on standard error.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "DamagedCatalogue.h"

int main(int argc, char** argv) {
  using namespace velmora::marc_repair::test;
  if (argc < 2) {
    std::fputs("usage: make-damaged-catalogue RECORDS [--clean] > catalogue.mrc\n", stderr);
    return 2;
  }
  const std::size_t records = std::strtoul(argv[1], nullptr, 10);
  const bool clean = argc > 2 && std::string_view(argv[2]) == "--clean";
  const DamagedCatalogue catalogue = MakeDamagedCatalogue(records, clean);
  std::fwrite(catalogue.bytes.data(), 1, catalogue.bytes.size(), stdout);
  for (const auto& [damage, count] : catalogue.damaged) {
    const std::string_view name = DamageName(damage);
    std::fprintf(stderr, "%zu\t%.*s\n", count, static_cast<int>(name.size()), name.data());
  }
  return 0;
}
