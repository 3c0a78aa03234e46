// Which plural form of a translation stands with a count: the rule of a
// catalogue's Plural-Forms header, "nplurals=3; plural=n==1 ? 0 : n<5 ? 1 : 2;",
// in the C expression language that GNU gettext reads there.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace velmora::messages {

class PluralRule {
 public:
  // English's rule, also GNU gettext's when a catalogue names none: the
  // first form for one, the second for any other count.
  PluralRule();

  // Reads a Plural-Forms value. nullopt for one that is not well formed, or
  // larger than any language needs (forms, length or nesting), so that a
  // hostile header costs little.
  static std::optional<PluralRule> Parse(std::string_view pluralForms);

  std::size_t FormCount() const { return forms_; }

  // The form for `count`; nullopt when the expression divides by zero or
  // names a form past FormCount.
  std::optional<std::size_t> FormFor(std::uint64_t count) const;

 private:
  friend class PluralRuleParser;

  enum class Operation : std::uint8_t {
    kCount,
    kNumber,
    kNot,
    kMultiply,
    kDivide,
    kRemainder,
    kAdd,
    kSubtract,
    kLess,
    kGreater,
    kLessOrEqual,
    kGreaterOrEqual,
    kEqual,
    kNotEqual,
    kAnd,
    kOr,
    kChoice,
  };
  struct Node {
    Operation operation;
    std::uint64_t number;       // for kNumber
    std::uint16_t operands[3];  // indexes into the rule's nodes
  };

  std::optional<std::uint64_t> Evaluate(std::size_t node, std::uint64_t count) const;

  std::vector<Node> nodes_;  // the expression, its root last
  std::size_t forms_ = 2;
};

}  // namespace velmora::messages
