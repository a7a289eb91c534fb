// The skills program: one form that patches the LEVEL___.DAT lying next to
// this executable.

#include <QApplication>

#include "form1.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  Form1 form(QCoreApplication::applicationDirPath());
  form.show();
  return app.exec();
}
