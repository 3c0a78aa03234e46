#include "MarcExchange/MrkMnemonics.h"

#include <algorithm>

namespace velmora::marc_exchange {

std::span<const MrkMnemonic> AllMrkMnemonics() {
  return {kMrkMnemonics, kMrkMnemonicCount};
}

const MrkMnemonic* FindMrkMnemonic(std::string_view name) {
  const std::span<const MrkMnemonic> all = AllMrkMnemonics();
  const auto found = std::lower_bound(
      all.begin(), all.end(), name,
      [](const MrkMnemonic& mnemonic, std::string_view key) { return mnemonic.name < key; });
  return found != all.end() && found->name == name ? &*found : nullptr;
}

std::string_view MrkByteName(unsigned char byte) {
  return kMrkByteNames[byte];
}

}  // namespace velmora::marc_exchange
