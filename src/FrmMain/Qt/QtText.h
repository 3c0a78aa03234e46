// Texts between the core and Qt. Both are UTF-16, so the code units are
// copied as they are, with no other encoding in between.
#pragma once

#include <QString>
#include <string_view>

#include "ModMain/Text/Text.h"

namespace velmora::frmmain::qt {

inline QString ToQString(TextView text) {
  return QString(reinterpret_cast<const QChar*>(text.data()), static_cast<qsizetype>(text.size()));
}

// The window's captions and names are ASCII.
inline QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

inline Text ToText(const QString& text) {
  return Text(reinterpret_cast<const char16_t*>(text.utf16()),
              static_cast<std::size_t>(text.size()));
}

}  // namespace velmora::frmmain::qt
