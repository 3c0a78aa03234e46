// The catalogues compiled into the program, one per language of po/LINGUAS:
// at build time msgfmt checks each po/LANGUAGE.po and compiles it, and
// tools/embed-catalogues.cmake writes the .mo bytes into an array.
#pragma once

#include <span>
#include <string_view>

namespace velmora::messages {

struct EmbeddedCatalogue {
  std::string_view language;  // as po/LINGUAS names it: "vi"
  std::span<const unsigned char> mo;
};

std::span<const EmbeddedCatalogue> EmbeddedCatalogues();

}  // namespace velmora::messages
