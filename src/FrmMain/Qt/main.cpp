// velmora: the window. Copy a record in a library system, press its button,
// paste the result into the catalogue.
#include <QApplication>

#include "FrmMain/Qt/FrmMain.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("velmora"));
  velmora::ui::FrmMain form;
  form.Form_Load();
  return QApplication::exec();
}
