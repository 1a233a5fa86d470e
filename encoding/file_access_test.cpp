// The file reader and the atomic writer against real files, FIFOs, devices and a file size
// limit (the full disk is the text file tests' part).

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "encoding/atomic_file.h"
#include "encoding/file_reader.h"

namespace yomika {
namespace {

QString U(const char* utf8) { return QString::fromUtf8(utf8); }

QByteArray Contents(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

class FileAccessTest : public ::testing::Test {
 protected:
  QString PathOf(const char* name) const { return dir_.filePath(QString::fromUtf8(name)); }
  QStringList Entries() const {
    return QDir(dir_.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
  }
  QTemporaryDir dir_;
};

TEST_F(FileAccessTest, ReadsOnlyRegularFilesOfASaneSize) {
  ASSERT_FALSE(WriteFileAtomically(PathOf("ten.txt"), "0123456789"));
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder")));
  ASSERT_EQ(mkfifo(QFile::encodeName(PathOf("fifo")).constData(), 0600), 0);
  const struct {
    QString path;
    qint64 limit;
    std::optional<QString> problem;
  } cases[] = {
      {PathOf("ten.txt"), 10, std::nullopt},
      {PathOf("ten.txt"), 9, U("ファイルが大きすぎます（読めるのは 0 MB まで）")},
      {PathOf("missing"), 10, U("ファイルまたはフォルダがありません")},
      {PathOf("folder"), 10, U("フォルダです")},
      {PathOf("fifo"), 10, U("通常のファイルではありません（名前付きパイプ）")},  // no wait
      {QStringLiteral("/dev/zero"), kMaxReadFileSize,
       U("通常のファイルではありません（デバイス）")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    QByteArray bytes("old");
    EXPECT_EQ(ReadRegularFile(c.path, bytes, c.limit), c.problem);
    EXPECT_EQ(CheckRegularFile(c.path, c.limit), c.problem);
    EXPECT_EQ(bytes, c.problem ? QByteArray() : QByteArray("0123456789"));
  }
}

TEST_F(FileAccessTest, StreamsStopAtTheLimitAndDevicesAreRefused) {
  int pipe_ends[2];
  ASSERT_EQ(pipe(pipe_ends), 0);
  ASSERT_EQ(write(pipe_ends[1], "12345", 5), 5);
  close(pipe_ends[1]);
  QByteArray bytes;
  EXPECT_EQ(ReadStream(pipe_ends[0], bytes, 4),
            U("ファイルが大きすぎます（読めるのは 0 MB まで）"));
  close(pipe_ends[0]);

  QFile zero(QStringLiteral("/dev/zero"));
  ASSERT_TRUE(zero.open(QIODevice::ReadOnly));
  EXPECT_EQ(ReadStream(zero.handle(), bytes), U("通常のファイルではありません（デバイス）"));
}

TEST_F(FileAccessTest, WriteReplacesKeepingPermissionsAndLinks) {
  const QString real = PathOf("real.txt");
  ASSERT_FALSE(WriteFileAtomically(real, "old"));
  ASSERT_EQ(chmod(QFile::encodeName(real).constData(), 0640), 0);
  ASSERT_TRUE(QFile::link(real, PathOf("link.txt")));
  EXPECT_FALSE(WriteFileAtomically(PathOf("link.txt"), "new"));
  EXPECT_EQ(Contents(real), "new");
  EXPECT_TRUE(QFileInfo(PathOf("link.txt")).isSymLink());
  struct stat info {};
  ASSERT_EQ(stat(QFile::encodeName(real).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  EXPECT_EQ(Entries(), (QStringList{U("link.txt"), U("real.txt")}));
}

TEST_F(FileAccessTest, FailedWritesLeaveEverythingAsItWas) {
  ASSERT_TRUE(QDir(dir_.path()).mkdir(QStringLiteral("folder")));
  EXPECT_EQ(WriteFileAtomically(PathOf("folder"), "x"), U("フォルダです"));
  EXPECT_EQ(WriteFileAtomically(PathOf("none/x.txt"), "x"),
            U("ファイルまたはフォルダがありません"));

  // A file size limit: the write stops short instead of the program.
  ASSERT_FALSE(WriteFileAtomically(PathOf("limited.txt"), "old"));
  rlimit old_limit{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
  rlimit small = old_limit;
  small.rlim_cur = 16;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::optional<QString> limited =
      WriteFileAtomically(PathOf("limited.txt"), QByteArray(64, 'n'));
  setrlimit(RLIMIT_FSIZE, &old_limit);
  EXPECT_EQ(limited, U("ファイルの大きさの上限を超えます"));
  EXPECT_EQ(Contents(PathOf("limited.txt")), "old");
  EXPECT_EQ(Entries(), (QStringList{U("folder"), U("limited.txt")}));
}

}  // namespace
}  // namespace yomika
