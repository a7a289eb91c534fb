// The skills program: one form that patches a level file: the one named on
// the command line (a folder stands for its LEVEL___.DAT), or the
// LEVEL___.DAT lying next to this executable.

#include <QApplication>
#include <QFileInfo>
#include <cstdio>
#include <cstring>

#include "form1.h"

static void printHelp(const char* name) {
  std::printf(
      "Usage: %s [FILE]\n"
      "Stamp a level's name, time limit, release rate and eight skill slots into\n"
      "an uncompressed level file, as driver's S key saves it.\n"
      "\n"
      "  FILE       the level file to read and patch; a folder means its\n"
      "             LEVEL___.DAT (default: LEVEL___.DAT beside this program)\n"
      "  --help     print this help and exit\n"
      "  --version  print the version and exit\n"
      "\n"
      "Read (F5) fills the form from the file, Apply writes the form into it. The\n"
      "notice line's tooltip names the file in full.\n",
      name);
}

int main(int argc, char** argv) {
  // --help and --version are answered before Qt starts, so they need no
  // display (the manual page is made from them while building).
  const char* slash = std::strrchr(argv[0], '/');
  const char* name = slash ? slash + 1 : argv[0];
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
      printHelp(name);
      return 0;
    }
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("%s (levelkit) %s\n", name, LEVELKIT_VERSION);
      return 0;
    }
  }
  QApplication app(argc, argv);  // takes Qt's own options out of argv
  if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
    std::fprintf(stderr, "%s: one level file only\nTry '%s --help'.\n", name, name);
    return 2;
  }
  QString directory = QCoreApplication::applicationDirPath();
  QString fileName = QString::fromLatin1(SharedLevelFileName);
  if (argc == 2) {
    const QFileInfo given(QString::fromLocal8Bit(argv[1]));
    if (given.isDir()) {
      directory = given.absoluteFilePath();
    } else {
      directory = given.absolutePath();
      fileName = given.fileName();
    }
  }
  Form1 form(directory, fileName);
  form.show();
  return app.exec();
}
