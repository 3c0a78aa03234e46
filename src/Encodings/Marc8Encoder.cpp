#include "Encodings/Marc8Encoder.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <vector>

#include "Encodings/Marc8CharacterSets.h"
#include "Encodings/Marc8Tables.h"
#include "Encodings/Normalization.h"
#include "Encodings/NormalizationTables.h"

namespace velmora::encodings {
namespace {

using marc8::CharacterSet;
using marc8::FindCharacterSet;
using marc8::Graphic;
using marc8::Placement;

// Characters that would end the record or the field, or change the sets in
// use. The subfield delimiter 1F is the field's own, written as it is.
constexpr bool IsStructural(char32_t c) {
  return c == 0x1B || c == 0x1D || c == 0x1E;
}

// What one cluster (a base and the marks on it) is written as.
struct Spelling {
  std::vector<Placement> marks;
  std::vector<const marc8::DoubleDiacritic*> doubleDiacritics;  // over this and the next base
  std::optional<Placement> base;
};

// Each run of marks with a combining class put in order by it, stably (what
// NFD does): canonically equivalent.
void PutInCanonicalOrder(std::u32string& cluster) {
  for (std::size_t run = 1; run < cluster.size();) {
    std::size_t end = run;
    while (end < cluster.size() && CombiningClass(cluster[end]) != 0) ++end;
    std::stable_sort(cluster.begin() + static_cast<std::ptrdiff_t>(run),
                     cluster.begin() + static_cast<std::ptrdiff_t>(end),
                     [](char32_t a, char32_t b) { return CombiningClass(a) < CombiningClass(b); });
    run = end + 1;
  }
}

std::u32string CodePoints(TextView text) {
  std::u32string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    const text::CodePoint cp = text::CodePointAt(text, i);
    out.push_back(cp.value);
    i += cp.units;
  }
  return out;
}

class Writer;

// The bytes of each character that is a cluster on its own (a precomposed
// letter, or one MARC-8 holds as it is) and that the default sets write, as
// the general path writes it: made once, so that a Vietnamese letter costs a
// look-up.
class OneCharacterSpellings {
 public:
  OneCharacterSpellings();
  const std::string* Find(char32_t c) const {
    const auto found = bytes_.find(c);
    return found == bytes_.end() ? nullptr : &found->second;
  }

 private:
  std::unordered_map<char32_t, std::string> bytes_;
};

const OneCharacterSpellings& Spellings();

class Writer {
 public:
  Writer(const EncodeOptions& options, std::string& out, EncodeReport& report,
         bool lookUpSpellings = true)
      : options_(options), out_(out), report_(report), lookUpSpellings_(lookUpSpellings) {}

  bool Write(TextView text) {
    out_.reserve(out_.size() + text.size() + 8);
    const std::size_t n = text.size();
    for (std::size_t i = 0; i < n;) {
      // ASCII with no mark after it, as it stands.
      if (g0_ == marc8::kBasicLatin && secondHalves_.empty()) {
        std::size_t run = i;
        while (run < n && text[run] >= 0x20 && text[run] < 0x7F &&
               (run + 1 == n || text[run + 1] < 0x0300)) {
          ++run;
        }
        if (run > i) {
          out_.append(text.begin() + static_cast<std::ptrdiff_t>(i),
                      text.begin() + static_cast<std::ptrdiff_t>(run));
          i = run;
          continue;
        }
      }
      // A character that is a segment alone, with the default sets in place.
      const text::CodePoint cp = text::CodePointAt(text, i);
      if (lookUpSpellings_ && g0_ == marc8::kBasicLatin && g1_ == marc8::kAnsel &&
          secondHalves_.empty() && cp.value >= 0x80 &&
          (i + cp.units == n || text[i + cp.units] < 0x0300)) {
        if (const std::string* bytes = Spellings().Find(cp.value)) {
          out_ += *bytes;
          i += cp.units;
          continue;
        }
      }
      // One NFC segment: a character and what may join it.
      std::size_t end = i + cp.units;
      while (end < n) {
        const text::CodePoint cp = text::CodePointAt(text, end);
        if (StartsNfcSegment(cp.value) && !IsMarc8Mark(cp.value)) break;
        end += cp.units;
      }
      if (!WriteSegment(text, i, end)) return false;
      i = end;
    }
    if (g0_ != marc8::kBasicLatin) {
      out_ += FindCharacterSet(g0_)->escape.size() == 2 ? "\x1Bs" : "\x1B(B";
    }
    if (g1_ != marc8::kAnsel) out_ += FindCharacterSet(marc8::kAnsel)->escape;
    return true;
  }

 private:
  // A mark of MARC-8 that Unicode counts as a starter.
  bool IsMarc8Mark(char32_t c) const {
    const std::optional<Placement> p = marc8::Place(c, g0_, g1_);
    return p && p->combining;
  }

  bool IsMark(char32_t c) const { return CombiningClass(c) != 0 || IsMarc8Mark(c); }

  bool WriteSegment(TextView text, std::size_t from, std::size_t to) {
    const TextView asInput = text.substr(from, to - from);
    const Text wholeMarks = WithWholeDoubleDiacritics(asInput);
    const TextView segment = wholeMarks;
    const std::u32string asWritten = CodePoints(segment);
    // As it stands where MARC-8 holds every character, else composed (NFC)
    // and each cluster spelled as MARC-8 can.
    std::vector<Spelling> spellings;
    if (SpellAsWritten(asWritten, spellings)) {
      for (const Spelling& s : spellings) Emit(s);
      return true;
    }
    const std::u32string composed = CodePoints(ToNfc(segment));
    for (std::size_t start = 0; start < composed.size();) {
      std::size_t end = start + 1;
      while (end < composed.size() && IsMark(composed[end])) ++end;
      const std::u32string_view cluster = std::u32string_view(composed).substr(start, end - start);
      Spelling spelling;
      if (!SpellCluster(cluster, spelling) &&
          !SpellDecomposed(cluster, segment, asInput, from, spelling)) {
        return false;
      }
      Emit(spelling);
      start = end;
    }
    return true;
  }

  // Each cluster as it stands, its marks in canonical order (so that every
  // spelling of a letter gives the same bytes).
  bool SpellAsWritten(std::u32string_view characters, std::vector<Spelling>& spellings) const {
    for (std::size_t start = 0; start < characters.size();) {
      std::size_t end = start + 1;
      while (end < characters.size() && IsMark(characters[end])) ++end;
      std::u32string cluster(characters.substr(start, end - start));
      PutInCanonicalOrder(cluster);
      Spelling spelling;
      if (!SpellCluster(cluster, spelling)) return false;
      spellings.push_back(std::move(spelling));
      start = end;
    }
    return true;
  }

  // The cluster's characters each as MARC-8 holds it.
  bool SpellCluster(std::u32string_view cluster, Spelling& spelling) const {
    const std::optional<Placement> base = Placed(cluster[0]);
    if (!base || base->combining) return false;
    for (const char32_t mark : cluster.substr(1)) {
      if (const marc8::DoubleDiacritic* d = DoubleDiacriticOf(mark)) {
        spelling.marks.push_back(Placement{d->set, d->firstHalf, true});
        spelling.doubleDiacritics.push_back(d);
        continue;
      }
      const std::optional<Placement> p = Placed(mark);
      if (!p || !p->combining) return false;
      spelling.marks.push_back(*p);
    }
    spelling.base = base;
    return true;
  }

  // The cluster decomposed, each mark MARC-8 lacks composed into the base
  // where the base it gives is a letter MARC-8 has. What still cannot be
  // written is named in the report, or left out and counted.
  // `segment` is `asInput` with first halves alone as whole marks.
  bool SpellDecomposed(std::u32string_view cluster, TextView segment, TextView asInput,
                       std::size_t segmentStart, Spelling& spelling) {
    std::u32string decomposed;
    for (const char32_t c : cluster) AppendCanonicalDecomposition(c, decomposed);
    char32_t base = decomposed[0];
    std::vector<char32_t> kept;  // the marks written as marks, in canonical order
    std::vector<char32_t> unwritable;
    const bool hasBase = CombiningClass(base) == 0 && !IsMarc8Mark(base);
    for (std::size_t i = hasBase ? 1 : 0; i < decomposed.size(); ++i) {
      const char32_t mark = decomposed[i];
      const std::optional<Placement> p = Placed(mark);
      if (hasBase && (DoubleDiacriticOf(mark) != nullptr || (p && p->combining))) {
        kept.push_back(mark);
        continue;
      }
      const bool blocked = !kept.empty() && CombiningClass(kept.back()) >= CombiningClass(mark);
      const char32_t composite = hasBase && !blocked ? ComposePair(base, mark) : 0;
      if (composite != 0) {
        base = composite;
      } else {
        unwritable.push_back(mark);
      }
    }
    std::u32string cleaned;
    if (hasBase) cleaned.push_back(base);
    cleaned.append(kept.begin(), kept.end());
    if (!hasBase || !SpellCluster(cleaned, spelling)) {
      // No base MARC-8 has: the base and its marks all go.
      unwritable.insert(unwritable.begin(), cleaned.begin(), cleaned.end());
      spelling = {};
    }
    if (unwritable.empty()) return true;
    if (!options_.leaveOutUnwritable) {
      const std::u32string asWritten = CodePoints(segment);
      char32_t named = unwritable[0];
      // The character as the input has it: a precomposed letter whose mark
      // MARC-8 lacks is named itself.
      if (asWritten.find(named) == std::u32string::npos) named = cluster[0];
      std::size_t at = segmentStart;
      for (std::size_t i = 0; i < segment.size();) {
        const text::CodePoint cp = text::CodePointAt(segment, i);
        if (cp.value == named) {
          at = segmentStart + i;
          named = text::CodePointAt(asInput, i).value;  // U+FE20, not the whole mark it became
          break;
        }
        i += cp.units;
      }
      report_.unwritableAt = at;
      report_.unwritable = named;
      return false;
    }
    if (report_.leftOut == 0) report_.firstLeftOut = unwritable[0];
    report_.leftOut += unwritable.size();
    return true;
  }

  static const marc8::DoubleDiacritic* DoubleDiacriticOf(char32_t mark) {
    for (const marc8::DoubleDiacritic& d : marc8::kDoubleDiacritics) {
      if (d.whole == mark) return &d;
    }
    return nullptr;
  }

  // The first half alone (U+FE20) as the whole mark, which is written with
  // its second half before the next letter: MARC-8 reads a first half as the
  // whole, and a lone one would take the next letter's own second half. It
  // takes the whole mark's place among the marks, the place it reads back in.
  static Text WithWholeDoubleDiacritics(TextView segment) {
    Text out(segment);
    for (char16_t& c : out) {
      for (const marc8::DoubleDiacritic& d : marc8::kDoubleDiacritics) {
        if (c == d.firstHalfAlone) c = static_cast<char16_t>(d.whole);
      }
    }
    return out;
  }

  std::optional<Placement> Placed(char32_t c) const {
    if (c == u' ') return Placement{marc8::kBasicLatin, 0x20, false};  // in every G0 set
    if (IsStructural(c) || c == 0x7F) return std::nullopt;
    if (c < 0x20) return Placement{marc8::kBasicLatin, c, false};  // a control, as its byte
    return marc8::Place(c, g0_, g1_);
  }

  void Emit(const Spelling& spelling) {
    if (!spelling.base) return;  // left out whole
    for (const marc8::DoubleDiacritic* d : secondHalves_) {
      WriteCode(Placement{d->set, d->secondHalf, true});
    }
    for (const Placement& mark : spelling.marks) WriteCode(mark);
    WriteCode(*spelling.base);
    secondHalves_ = spelling.doubleDiacritics;
  }

  void WriteCode(const Placement& p) {
    if (p.code < 0x21) {  // a space or a control: the same byte in every set
      out_ += static_cast<char>(p.code);
      return;
    }
    if (p.set == marc8::kAnsel && p.code >= 0x80) {  // the four controls of ANSEL
      out_ += static_cast<char>(p.code);
      return;
    }
    const CharacterSet* set = FindCharacterSet(p.set);
    Graphic where = set->home;
    if (p.set == g0_) {
      where = Graphic::G0;
    } else if (p.set == g1_) {
      where = Graphic::G1;
    } else if (where == Graphic::G0) {
      const bool customNow = FindCharacterSet(g0_)->escape.size() == 2;
      out_ += p.set == marc8::kBasicLatin && customNow ? std::string_view("\x1Bs") : set->escape;
      g0_ = p.set;
    } else {
      out_ += set->escape;
      g1_ = p.set;
    }
    const unsigned high = where == Graphic::G1 ? 0x80 : 0;
    for (int shift = 8 * (set->width - 1); shift >= 0; shift -= 8) {
      out_ += static_cast<char>(((p.code >> shift) & 0x7F) | high);
    }
  }

  const EncodeOptions& options_;
  std::string& out_;
  EncodeReport& report_;
  bool lookUpSpellings_;
  std::uint8_t g0_ = marc8::kBasicLatin, g1_ = marc8::kAnsel;
  std::vector<const marc8::DoubleDiacritic*> secondHalves_;  // to write before the next base
};

OneCharacterSpellings::OneCharacterSpellings() {
  const auto add = [this](char32_t c) {
    Text one;
    text::AppendCodePoint(c, one);
    std::string out;
    EncodeReport report;
    if (Writer({}, out, report, false).Write(one) && out.find('\x1B') == std::string::npos) {
      bytes_.emplace(c, std::move(out));
    }
  };
  for (const normalization::Decomposition& d : normalization::kDecompositions) add(d.character);
  for (const marc8::Character& c : marc8::kCharacters) {
    if (c.set == marc8::kAnsel && c.preferred && !c.combining) add(c.codePoint);
  }
}

const OneCharacterSpellings& Spellings() {
  static const OneCharacterSpellings spellings;
  return spellings;
}

}  // namespace

bool EncodeMarc8(TextView text, const EncodeOptions& options, std::string& out,
                 EncodeReport& report) {
  return Writer(options, out, report).Write(text);
}

}  // namespace velmora::encodings
