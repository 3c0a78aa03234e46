// A generated ISO 2709 catalogue of Vietnamese records with the damage old
// catalogues have, each record's damage known: the repair's test runs it on
// a few hundred records, make-damaged-catalogue writes large ones for the
// figures and the benchmark.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

namespace velmora::marc_repair::test {

// clang-format off
#define VELMORA_DAMAGES(X)                                                            \
  X(kClean,              "clean")                                                     \
  X(kLeaderSaysMarc8,    "leader/09 says MARC-8, fields UTF-8")                       \
  X(kLeaderSaysUtf8,     "leader/09 says UTF-8, fields MARC-8")                       \
  X(kTcvn3,              "fields in TCVN3")                                           \
  X(kVni,                "fields in VNI")                                             \
  X(kCp1258,             "fields in Windows-1258")                                    \
  X(kViscii,             "fields in VISCII")                                          \
  X(kTcvn5712,           "fields in TCVN 5712 VN1")                                   \
  X(kUtf8AmongTcvn3,     "a UTF-8 field among TCVN3 fields")                          \
  X(kDoubleEncoded,      "a field double-encoded")                                    \
  X(kDecomposed,         "letters decomposed")                                        \
  X(kRecordLength,       "record length off")                                         \
  X(kBaseAddress,        "base address off")                                          \
  X(kDirectoryOffset,    "directory offsets off")                                     \
  X(kGarbageBefore,      "garbage before the record")                                 \
  X(kUnreadableBetween,  "an unreadable record before it")                            \
  X(kTruncated,          "the file cut short in its last record")
// clang-format on

enum class Damage {
#define VELMORA_DAMAGE_ENUM(name, text) name,
  VELMORA_DAMAGES(VELMORA_DAMAGE_ENUM)
#undef VELMORA_DAMAGE_ENUM
};
std::string_view DamageName(Damage damage);

struct DamagedCatalogue {
  std::string bytes;
  std::map<Damage, std::size_t> damaged;  // records given each damage
};

// `records` records (the same for every run), about a third of them clean;
// with `clean` every one is clean (for the benchmark).
DamagedCatalogue MakeDamagedCatalogue(std::size_t records, bool clean = false);

}  // namespace velmora::marc_repair::test
