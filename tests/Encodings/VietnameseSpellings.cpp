#include "VietnameseSpellings.h"

#include "Encodings/Normalization.h"

namespace velmora::test {

std::vector<Text> VietnameseSpellings(char16_t letter) {
  const Text precomposed(1, letter);
  const Text nfd = encodings::ToNfd(precomposed);
  std::vector<Text> all{precomposed, nfd};
  if (nfd.size() == 3) {
    all.push_back(Text{nfd[0], nfd[2], nfd[1]});
    for (const std::size_t composed : {1, 2}) {
      if (const char32_t part = encodings::ComposePair(nfd[0], nfd[composed])) {
        all.push_back(Text{static_cast<char16_t>(part), nfd[3 - composed]});
      }
    }
  }
  std::erase_if(all, [&](const Text& s) { return encodings::ToNfc(s) != precomposed; });
  return all;
}

}  // namespace velmora::test
