// The window program's options: its own, the window system's (accepted as
// they stand), and everything else refused as a usage error.
#include <gtest/gtest.h>

#include <vector>

#include "FrmMain/WindowOptions.h"

namespace velmora::frmmain {
namespace {

using Outcome = WindowOptions::Outcome;

constexpr ToolkitOption kToolkit[] = {{"-platform", true}, {"-reverse", false}};

WindowOptions Parse(std::vector<std::string_view> args) {
  return ParseWindowOptions(args, kToolkit);
}

TEST(WindowOptions, TakeTheHotkeyHelpVersionAndTheWindowSystemsOwn) {
  const struct {
    std::vector<std::string_view> args;
    Outcome outcome;
    const char* hotkey;  // nullptr: none
  } cases[] = {
      {{}, Outcome::Run, "Ctrl+Alt+Shift+M"},
      {{"--hotkey", "Meta+F9"}, Outcome::Run, "Meta+F9"},
      {{"--hotkey=alt+pause"}, Outcome::Run, "Alt+Pause"},
      {{"--no-hotkey"}, Outcome::Run, nullptr},
      {{"--no-hotkey", "--hotkey", "Ctrl+Alt+Q"}, Outcome::Run, "Ctrl+Alt+Q"},  // the last wins
      {{"--hotkey", "Ctrl+Alt+Q", "--no-hotkey"}, Outcome::Run, nullptr},
      {{"-platform", "xcb", "-reverse"}, Outcome::Run, "Ctrl+Alt+Shift+M"},
      {{"--platform", "xcb"}, Outcome::Run, "Ctrl+Alt+Shift+M"},
      {{"-platform=offscreen"}, Outcome::Run, "Ctrl+Alt+Shift+M"},
      {{"--help"}, Outcome::Help, "Ctrl+Alt+Shift+M"},
      {{"-h", "--version"}, Outcome::Help, "Ctrl+Alt+Shift+M"},
      {{"-V"}, Outcome::Version, "Ctrl+Alt+Shift+M"},
      {{"--version", "--no-hotkey"}, Outcome::Version, nullptr},
  };
  for (const auto& c : cases) {
    const WindowOptions options = Parse(c.args);
    const std::string trace = c.args.empty() ? "(none)" : std::string(c.args[0]);
    EXPECT_EQ(options.outcome, c.outcome) << trace << ": " << options.error;
    ASSERT_EQ(options.hotkey.has_value(), c.hotkey != nullptr) << trace;
    if (c.hotkey != nullptr) {
      EXPECT_EQ(KeyCombinationText(*options.hotkey), c.hotkey) << trace;
    }
  }
}

TEST(WindowOptions, RefuseAnythingElseWithOneLineNamingHelp) {
  const struct {
    std::vector<std::string_view> args;
    const char* error;
  } cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"-x"}, "unknown option '-x'"},
      {{"--help", "--bogus"}, "unknown option '--bogus'"},  // refused, not shown help for
      {{"-reverse=yes"}, "unknown option '-reverse=yes'"},
      {{"-platformx"}, "unknown option '-platformx'"},
      {{"record.txt"}, "unexpected argument 'record.txt'"},
      {{"--hotkey"}, "--hotkey needs a key combination"},
      {{"--hotkey", "M"}, "'M' would take a typed character"},
      {{"--hotkey="}, "'' is not a key combination"},
      {{"-platform"}, "option '-platform' needs a value"},
  };
  for (const auto& c : cases) {
    const WindowOptions options = Parse(c.args);
    EXPECT_EQ(options.outcome, Outcome::UsageError) << c.args[0];
    EXPECT_NE(options.error.find(c.error), std::string::npos) << options.error;
    const std::string line = UsageErrorLine(options);
    EXPECT_EQ(line.rfind("velmora: ", 0), 0u) << line;
    EXPECT_NE(line.find("'velmora --help'"), std::string::npos) << line;
    EXPECT_EQ(line.find('\n'), line.size() - 1) << line;
  }
}

TEST(WindowOptions, TheHelpNamesEveryOptionAndTheDefaultHotkey) {
  const std::string usage = WindowUsage("Qt's own options are taken as well.");
  for (const char* named : {"--hotkey KEYS", "--no-hotkey", "--help", "--version",
                            "default: Ctrl+Alt+Shift+M", "Qt's own options"}) {
    EXPECT_NE(usage.find(named), std::string::npos) << named;
  }
}

}  // namespace
}  // namespace velmora::frmmain
