// The locale names this process's settings ask for, most wanted first, as
// LanguageChoice reads them: on POSIX systems from LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG; on Windows from LANGUAGE, else the user's
// interface language. Read anew on each call.
#pragma once

#include <string>
#include <vector>

namespace velmora::messages {

std::vector<std::string> SystemLanguagePreferences();

}  // namespace velmora::messages
