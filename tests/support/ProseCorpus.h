// Real prose for the detection tests: the paragraphs of a Debian package's
// HTML manual (the Debian New Maintainers' Guide in Vietnamese, French,
// Russian), and pieces of them cut at word ends.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "ModMain/Text/Text.h"

namespace velmora::test {

// Where the packages that scripts/deps.sh installs for the tests put them.
inline const std::filesystem::path kVietnameseManual = "/usr/share/doc/maint-guide-vi/html";
inline const std::filesystem::path kFrenchManual = "/usr/share/doc/maint-guide-fr/html";
inline const std::filesystem::path kRussianManual = "/usr/share/doc/maint-guide-ru/html";
inline const std::filesystem::path kEnglishLicence = "/usr/share/common-licenses/GPL-3";

// The text of every paragraph, heading and list item of the *.html files in
// `folder`, in file-name order, white space collapsed; empty when the
// folder is missing. Preformatted blocks (commands, file listings) are left out.
std::vector<Text> ManualParagraphs(const std::filesystem::path& folder);

// A UTF-8 text file's paragraphs (blank-line separated), white space collapsed.
std::vector<Text> PlainTextParagraphs(const std::filesystem::path& file);

// Pieces of at least `length` characters of the paragraphs written one
// after another, a line each, each piece ending at the first word end from
// there; at most `most`, taken evenly from all the pieces there are.
std::vector<Text> ProsePieces(const std::vector<Text>& paragraphs, std::size_t length,
                              std::size_t most);

}  // namespace velmora::test
