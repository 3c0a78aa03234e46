#include "FrmMain/WindowOptions.h"

namespace velmora::frmmain {
namespace {

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
          return UsageError("--hotkey needs a key combination, such as " +
                            std::string(kDefaultHotkey));
        keys = args[++i];
      } else {
        keys = arg.substr(9);
      }
      parsed.hotkey = ParseKeyCombination(keys, error);
      if (!parsed.hotkey) return UsageError(error);
    } else if (const std::size_t length = ToolkitOptionLength(arg, toolkitOptions)) {
      if (i + length > args.size()) {
        return UsageError("option '" + std::string(arg) + "' needs a value");
      }
      i += length - 1;
    } else if (!arg.empty() && arg[0] == '-') {
      return UsageError("unknown option '" + std::string(arg) + "'");
    } else {
      return UsageError("unexpected argument '" + std::string(arg) +
                        "': the window takes no file names (velmora-convert converts files)");
    }
  }
  if (help)
    parsed.outcome = WindowOptions::Outcome::Help;
  else if (version)
    parsed.outcome = WindowOptions::Outcome::Version;
  return parsed;
}

std::string WindowUsage(std::string_view toolkitNote) {
  return "usage: velmora [OPTION...]\n"
         "\n"
         "Opens the Velmora window at the bottom-right corner of the screen, above\n"
         "other windows. Copy a record in a library system and press the button\n"
         "that names it: the catalogue record is shown and put on the clipboard.\n"
         "\n"
         "options:\n"
         "  --hotkey KEYS  the key combination that converts what was just copied,\n"
         "                 whichever program has the focus: it repeats the conversion\n"
         "                 button pressed last, and before any, presses the button of\n"
         "                 the copied record's library system. KEYS is Ctrl, Alt,\n"
         "                 Shift or Meta and a key, joined by +, as Meta+F9\n"
         "                 (default: " +
         std::string(kDefaultHotkey) +
         ")\n"
         "  --no-hotkey    no hotkey\n"
         "  -h, --help     show this help\n"
         "  -V, --version  show the version\n" +
         (toolkitNote.empty() ? std::string() : std::string(toolkitNote) + "\n");
}

std::string UsageErrorLine(const WindowOptions& options) {
  return "velmora: " + options.error + "; see 'velmora --help'\n";
}

}  // namespace velmora::frmmain
