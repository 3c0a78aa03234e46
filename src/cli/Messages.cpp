#include "cli/Messages.h"

#include <cstdio>

#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::cli {

void PrintError(std::string_view message) {
  std::fprintf(stderr, "velmora-convert: %.*s\n", static_cast<int>(message.size()), message.data());
}

std::string Warning(std::string_view where, std::string_view what) {
  return messages::Format(messages::Tr("warning: %1: %2"), where, what);
}

}  // namespace velmora::cli
