// Finding and reading the level file on disk.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstring>

#include "skills_core.h"

static void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly));
  QCOMPARE(file.write(bytes), bytes.size());
}

static std::vector<uint8_t> bytesOf(const char* text) { return std::vector<uint8_t>(text, text + strlen(text)); }

class LevelFileTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir;
  QString path;

 private slots:
  void init() {
    QVERIFY(dir.isValid());
    path = dir.filePath("LEVEL___.DAT");
    writeBytes(path, "old contents");
  }

  void cleanup() {
    QDir(dir.path()).removeRecursively();
    QDir().mkpath(dir.path());
  }

  void onlyRegularFilesCount() {
    QVERIFY(isOrdinaryFile(path.toStdString()));
    QVERIFY(!isOrdinaryFile(dir.filePath("missing").toStdString()));
    QVERIFY(QDir(dir.path()).mkdir("folder"));
    QVERIFY(!isOrdinaryFile(dir.filePath("folder").toStdString()));
  }

  void readGivesTheWholeFileOrTheReason() {
    std::vector<uint8_t> bytes;
    std::string reason;
    QCOMPARE(readWholeFile(path.toStdString(), &bytes, &reason), 0);
    QCOMPARE(bytes, bytesOf("old contents"));
    QCOMPARE(readWholeFile(dir.filePath("missing").toStdString(), &bytes, &reason), 1);
    QCOMPARE(reason, std::string("No such file or directory"));
    QCOMPARE(bytes, bytesOf("old contents"));
  }
};

QTEST_APPLESS_MAIN(LevelFileTest)
#include "level_file_test.moc"
