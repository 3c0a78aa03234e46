// velmora: the window. Copy a record in a library system, press its button,
// paste the result into the catalogue.
#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "FrmMain/Messages.h"
#include "FrmMain/Qt/FrmMain.h"
#include "FrmMain/Qt/PlatformChoice.h"
#include "FrmMain/Qt/QtText.h"
#include "FrmMain/WindowOptions.h"
#include "Messages/Translate.h"
#include "velmora/Version.h"

namespace {

using velmora::frmmain::qt::PlatformChoice;

// Qt's own options, which Qt reads from the same command line.
constexpr velmora::frmmain::ToolkitOption kQtOptions[] = {
    {"-platform", true},
    {"-platformpluginpath", true},
    {"-platformtheme", true},
    {"-plugin", true},
    {"-qwindowgeometry", true},
    {"-qwindowicon", true},
    {"-qwindowtitle", true},
    {"-session", true},
    {"-style", true},
    {"-stylesheet", true},
    {"-display", true},
    {"-geometry", true},
    {"-name", true},
    {"-title", true},
    {"-qmljsdebugger", true},
    {"-reverse", false},
    {"-widgetcount", false},
    {"-nograb", false},
    {"-dograb", false},
    {"-sync", false},
};
constexpr std::string_view kQtOptionsNote = velmora::messages::Translatable(
    "Qt's own options (-platform, -display, -style, ...) are taken as well.");

// Every size of the application icon, from the resource built out of
// data/icons/hicolor.
QIcon ApplicationIcon() {
  QIcon icon;
  QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (sizes.hasNext()) icon.addFile(sizes.next());
  return icon;
}

const char* Environment(const char* name) {
  return std::getenv(name);
}

}  // namespace

int main(int argc, char* argv[]) {
  namespace frmmain = velmora::frmmain;
  const std::vector<std::string_view> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  // Answered before Qt starts, so that they work without a display.
  const frmmain::WindowOptions options = frmmain::ParseWindowOptions(args, kQtOptions);
  switch (options.outcome) {
    case frmmain::WindowOptions::Outcome::Help:
      std::fputs(frmmain::WindowUsage(velmora::messages::Tr(kQtOptionsNote)).c_str(), stdout);
      return 0;
    case frmmain::WindowOptions::Outcome::Version:
      std::printf("velmora %.*s\n", static_cast<int>(velmora::kVersion.size()),
                  velmora::kVersion.data());
      return 0;
    case frmmain::WindowOptions::Outcome::UsageError:
      std::fputs(frmmain::UsageErrorLine(options).c_str(), stderr);
      return 2;
    case frmmain::WindowOptions::Outcome::Run:
      break;
  }

  const PlatformChoice platform =
      frmmain::qt::ChoosePlatform(args, Environment, frmmain::qt::XServerReachable);
  if (platform.outcome == PlatformChoice::Outcome::NoDisplay) {
    const std::string message = velmora::messages::Tr(
        "no display to open the window on: no X server answers at DISPLAY and WAYLAND_DISPLAY "
        "is not set (velmora-convert converts without a window)");
    std::fprintf(stderr, "velmora: %s\n", message.c_str());
    return 1;
  }
  if (platform.qtPlatform != nullptr) qputenv("QT_QPA_PLATFORM", platform.qtPlatform);

  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velmora"));
  QApplication::setApplicationVersion(frmmain::qt::Latin1(velmora::kVersion));
  QApplication::setDesktopFileName(frmmain::qt::Latin1(velmora::kAppId));
  QApplication::setWindowIcon(ApplicationIcon());
  frmmain::qt::FrmMain form;
  form.Form_Load();
  if (platform.outcome == PlatformChoice::Outcome::Wayland) {
    form.ShowNotice(frmmain::WaylandLimitsNotice());
  } else if (options.hotkey) {
    form.StartHotkey(*options.hotkey);
  }
  return QApplication::exec();
}
