// Real prose for the detection tests: the paragraphs of a Debian package's
// HTML manual (the Debian New Maintainers' Guide in Vietnamese, French,
// Russian; the Installation Guide in Vietnamese), the translations of
// message catalogues, and pieces of them cut at word ends.
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

// Vietnamese prose that the frequency tables of detection were not counted
// from (those name their packages in their first lines) and that no other
// test reads: what detection is measured on as a stranger would use it.
inline const std::filesystem::path kVietnameseInstallationGuide =
    "/usr/share/doc/installation-guide-amd64/vi";
inline const std::filesystem::path kSystemToolCatalogues[] = {
    "/usr/share/locale/vi/LC_MESSAGES/aptitude.mo",    // aptitude-common
    "/usr/share/locale/vi/LC_MESSAGES/cpplib-12.mo",   // gcc-12-locales
    "/usr/share/locale/vi/LC_MESSAGES/gcc-12.mo",      // gcc-12-locales
    "/usr/share/locale/vi/LC_MESSAGES/util-linux.mo",  // util-linux-locales
};
inline const std::filesystem::path kTextToolCatalogues[] = {
    "/usr/share/locale/vi/LC_MESSAGES/cpio.mo",     // cpio
    "/usr/share/locale/vi/LC_MESSAGES/nano.mo",     // nano
    "/usr/share/locale/vi/LC_MESSAGES/texinfo.mo",  // texinfo
};

// The text of every paragraph, heading and list item of the *.html files in
// `folder`, in file-name order, white space collapsed; empty when the
// folder is missing. Preformatted blocks (commands, file listings) are left out.
std::vector<Text> ManualParagraphs(const std::filesystem::path& folder);

// A UTF-8 text file's paragraphs (blank-line separated), white space collapsed.
std::vector<Text> PlainTextParagraphs(const std::filesystem::path& file);

// The translations of a GNU message catalogue (.mo), each plural form as
// one paragraph, white space collapsed, in the catalogue's order, without
// their format directives and accelerator marks; empty when the file is
// missing or is no catalogue. The catalogue's header is left out.
std::vector<Text> CatalogueTranslations(const std::filesystem::path& file);

// Pieces of at least `length` characters of the paragraphs written one
// after another, a line each, each piece ending at the first word end from
// there; at most `most`, taken evenly from all the pieces there are.
std::vector<Text> ProsePieces(const std::vector<Text>& paragraphs, std::size_t length,
                              std::size_t most);

}  // namespace velmora::test
