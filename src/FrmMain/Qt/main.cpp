// velmora: the window. Copy a record in a library system, press its button,
// paste the result into the catalogue.
#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <cstdio>
#include <string_view>

#include "FrmMain/Qt/FrmMain.h"
#include "velmora/Version.h"

namespace {

// Every size of the application icon, from the resource built out of
// data/icons/hicolor.
QIcon ApplicationIcon() {
  QIcon icon;
  QDirIterator sizes(QStringLiteral(":/icons"), {QStringLiteral("*.png")}, QDir::Files,
                     QDirIterator::Subdirectories);
  while (sizes.hasNext()) icon.addFile(sizes.next());
  return icon;
}

QString Latin1(std::string_view text) {
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int main(int argc, char* argv[]) {
  // Answered before Qt starts, so that they work without a display.
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version" || arg == "-V") {
      std::printf("velmora %.*s\n", static_cast<int>(velmora::kVersion.size()),
                  velmora::kVersion.data());
      return 0;
    }
    if (arg == "--help" || arg == "-h") {
      std::fputs(
          "usage: velmora [OPTION...]\n"
          "\n"
          "Opens the Velmora window at the bottom-right corner of the screen, above\n"
          "other windows. Copy a record in a library system and press the button\n"
          "that names it: the catalogue record is shown and put on the clipboard.\n"
          "\n"
          "options:\n"
          "  -h, --help     show this help\n"
          "  -V, --version  show the version\n"
          "Qt's own options (-display, -platform, ...) are taken as well.\n",
          stdout);
      return 0;
    }
  }
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velmora"));
  QApplication::setApplicationVersion(Latin1(velmora::kVersion));
  QApplication::setDesktopFileName(Latin1(velmora::kAppId));
  QApplication::setWindowIcon(ApplicationIcon());
  velmora::frmmain::qt::FrmMain form;
  form.Form_Load();
  return QApplication::exec();
}
