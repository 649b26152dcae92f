#include "QtPlatform.h"

#include "Error.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellum::outside {
namespace {

QByteArray contentOf(const QString& path, qint64 bytes = -1)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? (bytes < 0 ? file.readAll() : file.read(bytes))
                                          : QByteArray();
}

TEST(QtPlatformTest, SettingsRoundTripPerApplicationName)
{
    QtPlatform platform;
    const QString app = QStringLiteral("Vellum Settings Test");
    const QString section = QStringLiteral("Application"), rows = QStringLiteral("TimelineRows");
    const QString tips = QStringLiteral("Tips"), timeline = QStringLiteral("Timeline");

    EXPECT_EQ(platform.GetSetting(app, section, rows, QStringLiteral("5")), QStringLiteral("5"));
    platform.SaveSetting(app, section, rows, QStringLiteral("12"));
    platform.SaveSetting(app, tips, timeline, QStringLiteral("0"));

    QtPlatform fresh; // nothing is cached in the object
    EXPECT_EQ(fresh.GetSetting(app, section, rows, QStringLiteral("5")), QStringLiteral("12"));
    EXPECT_EQ(fresh.GetSetting(app, tips, timeline, QStringLiteral("1")), QStringLiteral("0"));
    EXPECT_EQ(fresh.GetSetting(QStringLiteral("Another Host"), section, rows, QStringLiteral("5")),
              QStringLiteral("5"))
        << "settings of one application name must not leak into another";
}

TEST(QtPlatformTest, TextFilesEndLinesWithCrLfAndPicturesAreWindowsBitmaps)
{
    QtPlatform platform;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("render.ini"));
    platform.WriteTextFile(path, {QStringLiteral("Width=640"), QStringLiteral("Display=off")});
    EXPECT_EQ(contentOf(path), QByteArray("Width=640\r\nDisplay=off\r\n"));
    EXPECT_TRUE(platform.FileExists(path));
    platform.DeleteFile(path);
    EXPECT_FALSE(platform.FileExists(path));
    try {
        platform.DeleteFile(path);
        ADD_FAILURE() << "deleting a missing file succeeded";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ErrorNumber::FileNotFound);
    }

    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    picture.setPixel(3, 4, qRgb(255, 0, 0));
    const QString bitmap = folder.filePath(QStringLiteral("frame.bmp"));
    platform.SavePicture(picture, bitmap);
    EXPECT_EQ(contentOf(bitmap, 2), QByteArray("BM"));
    const QImage loaded = platform.LoadPicture(bitmap);
    EXPECT_EQ(loaded.size(), picture.size());
    EXPECT_EQ(loaded.pixel(3, 4) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(loaded.pixel(0, 0) & 0xFFFFFF, qRgb(10, 200, 30) & 0xFFFFFFu);
    EXPECT_THROW(platform.LoadPicture(folder.filePath(QStringLiteral("missing.bmp"))), Error);
    EXPECT_THROW(platform.SavePicture(QImage(), folder.filePath(QStringLiteral("null.bmp"))),
                 Error);
}

TEST(QtPlatformTest, TempFolderFollowsTheEnvironmentAndFolderChangesAreRefusedWhenMissing)
{
    QtPlatform platform;
    const QByteArray saved = qgetenv("temp"), savedUpper = qgetenv("TEMP");
    qputenv("temp", "/some/where/else");
    EXPECT_EQ(platform.TempFolder(), QStringLiteral("/some/where/else"));
    qunsetenv("temp");
    qunsetenv("TEMP");
    EXPECT_EQ(platform.TempFolder(), QDir::tempPath());
    if (!saved.isEmpty())
        qputenv("temp", saved);
    if (!savedUpper.isEmpty())
        qputenv("TEMP", savedUpper);

    const QString before = QDir::currentPath();
    QTemporaryDir folder;
    platform.ChangeDriveAndFolder(folder.path());
    EXPECT_EQ(QDir::current().canonicalPath(), QDir(folder.path()).canonicalPath());
    EXPECT_THROW(platform.ChangeDriveAndFolder(folder.filePath(QStringLiteral("nope"))), Error);
    QDir::setCurrent(before);
}

} // namespace
} // namespace vellum::outside
