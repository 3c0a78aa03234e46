#include "FrmMain/WindowOptions.h"

#include "Messages/Format.h"
#include "Messages/Translate.h"

namespace velmora::frmmain {
namespace {

using messages::Format;
using messages::Tr;
using messages::Translatable;

// The options --help lists: the option as written, and what it does, its
// lines broken where the translation breaks them («%1» is the default
// hotkey).
struct OptionHelp {
  std::string_view option;
  std::string_view help;
};
constexpr OptionHelp kOptionHelp[] = {
    {"--hotkey KEYS", Translatable("the key combination that converts what was just copied,\n"
                                   "whichever program has the focus: it repeats the conversion\n"
                                   "button pressed last, and before any, presses the button of\n"
                                   "the copied record's library system. KEYS is Ctrl, Alt,\n"
                                   "Shift or Meta and a key, joined by +, as Meta+F9\n"
                                   "(default: %1)")},
    {"--no-hotkey", Translatable("no hotkey")},
    {"-h, --help", Translatable("show this help")},
    {"-V, --version", Translatable("show the version")},
};

// «  --no-hotkey    no hotkey»: the options in one column, what they do in
// the next, its further lines under its first.
constexpr std::size_t kOptionColumn = 13;
constexpr std::string_view kHelpIndent = "                 ";  // 2 + kOptionColumn + 2

std::string OptionLines(const OptionHelp& row) {
  std::string out = "  " + std::string(row.option);
  out.append(kOptionColumn > row.option.size() ? kOptionColumn - row.option.size() : 0, ' ');
  out += "  ";
  const std::string help = Format(Tr(row.help), kDefaultHotkey);
  for (std::size_t start = 0; start <= help.size();) {
    std::size_t end = help.find('\n', start);
    if (end == std::string::npos) end = help.size();
    if (start != 0) out += kHelpIndent;
    out.append(help, start, end - start).push_back('\n');
    start = end + 1;
  }
  return out;
}

std::optional<std::string_view> ToolkitOptionName(std::string_view arg) {
  if (arg.size() < 2 || arg[0] != '-') return std::nullopt;
  if (arg[1] == '-') arg.remove_prefix(1);  // --platform reads as -platform
  return arg;
}

// How many arguments the window system's option at `arg` takes up: 0 when
// it is none of them.
std::size_t ToolkitOptionLength(std::string_view arg, std::span<const ToolkitOption> options) {
  const std::optional<std::string_view> name = ToolkitOptionName(arg);
  if (!name) return 0;
  for (const ToolkitOption& option : options) {
    if (*name == option.name) return option.takesValue ? 2 : 1;
    if (option.takesValue && name->size() > option.name.size() &&
        name->substr(0, option.name.size()) == option.name && (*name)[option.name.size()] == '=') {
      return 1;
    }
  }
  return 0;
}

WindowOptions UsageError(std::string error) {
  WindowOptions options;
  options.outcome = WindowOptions::Outcome::UsageError;
  options.error = std::move(error);
  return options;
}

}  // namespace

WindowOptions ParseWindowOptions(std::span<const std::string_view> args,
                                 std::span<const ToolkitOption> toolkitOptions) {
  std::string error;
  WindowOptions parsed;
  parsed.hotkey = ParseKeyCombination(kDefaultHotkey, error);
  bool help = false, version = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg == "--help" || arg == "-h") {
      help = true;
    } else if (arg == "--version" || arg == "-V") {
      version = true;
    } else if (arg == "--no-hotkey") {
      parsed.hotkey.reset();
    } else if (arg == "--hotkey" || arg.substr(0, 9) == "--hotkey=") {
      std::string_view keys;
      if (arg == "--hotkey") {
        if (i + 1 == args.size())
          return UsageError(
              Format(Tr("--hotkey needs a key combination, such as %1"), kDefaultHotkey));
        keys = args[++i];
      } else {
        keys = arg.substr(9);
      }
      parsed.hotkey = ParseKeyCombination(keys, error);
      if (!parsed.hotkey) return UsageError(error);
    } else if (const std::size_t length = ToolkitOptionLength(arg, toolkitOptions)) {
      if (i + length > args.size()) {
        return UsageError(Format(Tr("option '%1' needs a value"), arg));
      }
      i += length - 1;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError(Format(Tr("unknown option '%1'"), arg));
    } else {
      return UsageError(Format(Tr("unexpected argument '%1': the window takes no file names "
                                  "(velmora-convert converts files)"),
                               arg));
    }
  }
  if (help)
    parsed.outcome = WindowOptions::Outcome::Help;
  else if (version)
    parsed.outcome = WindowOptions::Outcome::Version;
  return parsed;
}

std::string WindowUsage(std::string_view toolkitNote) {
  std::string usage =
      Tr("usage: velmora [OPTION...]") + "\n\n" +
      Tr("Opens the Velmora window at the bottom-right corner of the screen, above\n"
         "other windows. Copy a record in a library system and press the button\n"
         "that names it: the catalogue record is shown and put on the clipboard.") +
      "\n\n" + Tr("options:") + "\n";
  for (const OptionHelp& row : kOptionHelp) usage += OptionLines(row);
  if (!toolkitNote.empty()) usage += std::string(toolkitNote) + "\n";
  return usage;
}

std::string UsageErrorLine(const WindowOptions& options) {
  return "velmora: " + Format(Tr("%1; see 'velmora --help'"), options.error) + "\n";
}

}  // namespace velmora::frmmain
