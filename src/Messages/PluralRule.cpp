#include "Messages/PluralRule.h"

namespace velmora::messages {

namespace {

// Far beyond any language's rule (the longest, Arabic's, has about 40 nodes
// and nesting 6), and small enough that evaluation's recursion stays shallow.
constexpr std::size_t kMostNodes = 256;
constexpr std::size_t kDeepestNesting = 32;
constexpr std::size_t kMostForms = 16;

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

// Recursive descent over C's precedence, as GNU gettext's plural grammar:
// ?: below ||, &&, == !=, < > <= >=, + -, * / %, then ! and the operands.
class PluralRuleParser {
 public:
  using Operation = PluralRule::Operation;

  PluralRuleParser(std::string_view text, std::vector<PluralRule::Node>& nodes)
      : text_(text), nodes_(nodes) {}

  // The whole of the text as one expression; false when it is not.
  bool ParseWhole() {
    if (!Choice()) return false;
    SkipSpaces();
    return at_ == text_.size();
  }

 private:
  bool Choice() {
    if (!Or()) return false;
    if (!Take("?")) return true;
    const std::size_t condition = Last();
    if (!Nested(&PluralRuleParser::Choice) || !Take(":")) return false;
    const std::size_t then = Last();
    if (!Nested(&PluralRuleParser::Choice)) return false;
    return Add(Operation::kChoice, condition, then, Last());
  }

  bool Or() { return Binary(&PluralRuleParser::And, {{"||", Operation::kOr}}); }
  bool And() { return Binary(&PluralRuleParser::Equality, {{"&&", Operation::kAnd}}); }
  bool Equality() {
    return Binary(&PluralRuleParser::Relation,
                  {{"==", Operation::kEqual}, {"!=", Operation::kNotEqual}});
  }
  bool Relation() {
    // The two-character operators before their one-character beginnings.
    return Binary(&PluralRuleParser::Sum, {{"<=", Operation::kLessOrEqual},
                                           {">=", Operation::kGreaterOrEqual},
                                           {"<", Operation::kLess},
                                           {">", Operation::kGreater}});
  }
  bool Sum() {
    return Binary(&PluralRuleParser::Product,
                  {{"+", Operation::kAdd}, {"-", Operation::kSubtract}});
  }
  bool Product() {
    return Binary(
        &PluralRuleParser::Unary,
        {{"*", Operation::kMultiply}, {"/", Operation::kDivide}, {"%", Operation::kRemainder}});
  }

  struct Operator {
    std::string_view spelling;
    Operation operation;
  };

  // Left-associative: operand (operator operand)*.
  bool Binary(bool (PluralRuleParser::*operand)(), std::initializer_list<Operator> operators) {
    if (!(this->*operand)()) return false;
    for (;;) {
      const Operator* found = nullptr;
      for (const Operator& candidate : operators) {
        if (Peek(candidate.spelling)) {
          found = &candidate;
          break;
        }
      }
      if (found == nullptr) return true;
      at_ += found->spelling.size();
      const std::size_t left = Last();
      if (!(this->*operand)()) return false;
      if (!Add(found->operation, left, Last())) return false;
    }
  }

  bool Unary() {
    if (Peek("!")) {
      ++at_;
      if (!Nested(&PluralRuleParser::Unary)) return false;
      return Add(Operation::kNot, Last());
    }
    return Operand();
  }

  bool Operand() {
    SkipSpaces();
    if (at_ == text_.size()) return false;
    const char c = text_[at_];
    if (c == 'n') {
      ++at_;
      return Add(Operation::kCount);
    }
    if (IsDigit(c)) {
      std::uint64_t number = 0;
      while (at_ < text_.size() && IsDigit(text_[at_])) {
        const std::uint64_t digit = static_cast<std::uint64_t>(text_[at_] - '0');
        if (number > (UINT64_MAX - digit) / 10) return false;
        number = number * 10 + digit;
        ++at_;
      }
      if (!Add(Operation::kNumber)) return false;
      nodes_.back().number = number;
      return true;
    }
    if (c == '(') {
      ++at_;
      return Nested(&PluralRuleParser::Choice) && Take(")");
    }
    return false;
  }

  // A sub-expression one level deeper, refused past kDeepestNesting.
  bool Nested(bool (PluralRuleParser::*parse)()) {
    if (depth_ == kDeepestNesting) return false;
    ++depth_;
    const bool parsed = (this->*parse)();
    --depth_;
    return parsed;
  }

  bool Add(Operation operation, std::size_t a = 0, std::size_t b = 0, std::size_t c = 0) {
    if (nodes_.size() == kMostNodes) return false;
    nodes_.push_back({operation,
                      0,
                      {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
                       static_cast<std::uint16_t>(c)}});
    return true;
  }

  std::size_t Last() const { return nodes_.size() - 1; }

  void SkipSpaces() {
    while (at_ < text_.size() && IsSpace(text_[at_])) ++at_;
  }
  bool Peek(std::string_view spelling) {
    SkipSpaces();
    return text_.substr(at_).starts_with(spelling);
  }
  bool Take(std::string_view spelling) {
    if (!Peek(spelling)) return false;
    at_ += spelling.size();
    return true;
  }

  std::string_view text_;
  std::size_t at_ = 0;
  std::size_t depth_ = 0;
  std::vector<PluralRule::Node>& nodes_;
};

PluralRule::PluralRule()
    : nodes_{{Operation::kCount, 0, {0, 0, 0}},
             {Operation::kNumber, 1, {0, 0, 0}},
             {Operation::kNotEqual, 0, {0, 1, 0}}} {}

namespace {

// The value after "name=" up to the next ';' (or the end), or nullopt.
std::optional<std::string_view> Field(std::string_view text, std::string_view name) {
  std::size_t at = 0;
  while ((at = text.find(name, at)) != std::string_view::npos) {
    const bool startsWord = at == 0 || text[at - 1] == ';' || IsSpace(text[at - 1]);
    std::size_t value = at + name.size();
    while (value < text.size() && IsSpace(text[value])) ++value;
    if (startsWord && value < text.size() && text[value] == '=') {
      ++value;
      const std::size_t end = text.find(';', value);
      return text.substr(value,
                         end == std::string_view::npos ? std::string_view::npos : end - value);
    }
    at += name.size();
  }
  return std::nullopt;
}

}  // namespace

std::optional<PluralRule> PluralRule::Parse(std::string_view pluralForms) {
  const std::optional<std::string_view> forms = Field(pluralForms, "nplurals");
  const std::optional<std::string_view> expression = Field(pluralForms, "plural");
  if (!forms || !expression) return std::nullopt;
  std::string_view digits = *forms;
  while (!digits.empty() && IsSpace(digits.front())) digits.remove_prefix(1);
  while (!digits.empty() && IsSpace(digits.back())) digits.remove_suffix(1);
  if (digits.empty() || digits.size() > 2) return std::nullopt;
  std::size_t count = 0;
  for (const char c : digits) {
    if (!IsDigit(c)) return std::nullopt;
    count = count * 10 + static_cast<std::size_t>(c - '0');
  }
  if (count == 0 || count > kMostForms) return std::nullopt;
  PluralRule rule;
  rule.nodes_.clear();
  rule.forms_ = count;
  PluralRuleParser parser(*expression, rule.nodes_);
  if (!parser.ParseWhole()) return std::nullopt;
  return rule;
}

std::optional<std::size_t> PluralRule::FormFor(std::uint64_t count) const {
  const std::optional<std::uint64_t> form = Evaluate(nodes_.size() - 1, count);
  if (!form || *form >= forms_) return std::nullopt;
  return static_cast<std::size_t>(*form);
}

// Unsigned arithmetic, wrapping as C's unsigned long does in GNU gettext;
// && || ?: evaluate only what they need, so that "n == 0 ? 0 : 10 / n" holds.
std::optional<std::uint64_t> PluralRule::Evaluate(std::size_t index, std::uint64_t count) const {
  const Node& node = nodes_[index];
  const auto operand = [&](int i) { return Evaluate(node.operands[i], count); };
  switch (node.operation) {
    case Operation::kCount:
      return count;
    case Operation::kNumber:
      return node.number;
    case Operation::kNot: {
      const auto value = operand(0);
      if (!value) return std::nullopt;
      return *value == 0 ? 1 : 0;
    }
    case Operation::kAnd: {
      const auto left = operand(0);
      if (!left || *left == 0) return left ? std::optional<std::uint64_t>(0) : std::nullopt;
      const auto right = operand(1);
      if (!right) return std::nullopt;
      return *right != 0 ? 1 : 0;
    }
    case Operation::kOr: {
      const auto left = operand(0);
      if (!left) return std::nullopt;
      if (*left != 0) return 1;
      const auto right = operand(1);
      if (!right) return std::nullopt;
      return *right != 0 ? 1 : 0;
    }
    case Operation::kChoice: {
      const auto condition = operand(0);
      if (!condition) return std::nullopt;
      return operand(*condition != 0 ? 1 : 2);
    }
    default:
      break;
  }
  const auto left = operand(0);
  const auto right = operand(1);
  if (!left || !right) return std::nullopt;
  const std::uint64_t a = *left;
  const std::uint64_t b = *right;
  switch (node.operation) {
    case Operation::kMultiply:
      return a * b;
    case Operation::kDivide:
      if (b == 0) return std::nullopt;
      return a / b;
    case Operation::kRemainder:
      if (b == 0) return std::nullopt;
      return a % b;
    case Operation::kAdd:
      return a + b;
    case Operation::kSubtract:
      return a - b;
    case Operation::kLess:
      return a < b ? 1 : 0;
    case Operation::kGreater:
      return a > b ? 1 : 0;
    case Operation::kLessOrEqual:
      return a <= b ? 1 : 0;
    case Operation::kGreaterOrEqual:
      return a >= b ? 1 : 0;
    case Operation::kEqual:
      return a == b ? 1 : 0;
    case Operation::kNotEqual:
      return a != b ? 1 : 0;
    default:
      return std::nullopt;
  }
}

}  // namespace velmora::messages
