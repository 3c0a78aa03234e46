// The catalogues of tests/Messages/catalogues/, compiled and embedded as the
// program's are: "cs", three plural forms, messages in context.
#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "Messages/EmbeddedCatalogues.h"

namespace velmora::messages {

std::span<const EmbeddedCatalogue> TestCatalogues();

inline std::span<const unsigned char> TestCatalogue(std::string_view language) {
  for (const EmbeddedCatalogue& catalogue : TestCatalogues()) {
    if (catalogue.language == language) return catalogue.mo;
  }
  return {};
}

}  // namespace velmora::messages
