#include "QtPlatform.h"

#include "Error.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellum::outside {
namespace {

TEST(QtPlatformTest, SettingsRoundTripPerApplicationName)
{
    QtPlatform platform;
    const QString app = QStringLiteral("Vellum Settings Test");
    const QString other = QStringLiteral("Another Host");
    const QString section = QStringLiteral("Application");

    EXPECT_EQ(
        platform.GetSetting(app, section, QStringLiteral("TimelineRows"), QStringLiteral("5")),
        QStringLiteral("5"));
    platform.SaveSetting(app, section, QStringLiteral("TimelineRows"), QStringLiteral("12"));
    platform.SaveSetting(app, QStringLiteral("Tips"), QStringLiteral("Timeline"),
                         QStringLiteral("0"));

    QtPlatform fresh; // nothing is cached in the object
    EXPECT_EQ(fresh.GetSetting(app, section, QStringLiteral("TimelineRows"), QStringLiteral("5")),
              QStringLiteral("12"));
    EXPECT_EQ(fresh.GetSetting(app, QStringLiteral("Tips"), QStringLiteral("Timeline"),
                               QStringLiteral("1")),
              QStringLiteral("0"));
    EXPECT_EQ(fresh.GetSetting(other, section, QStringLiteral("TimelineRows"), QStringLiteral("5")),
              QStringLiteral("5"))
        << "settings of one application name must not leak into another";
}

TEST(QtPlatformTest, TextFilesEndEachLineWithCarriageReturnLineFeed)
{
    QtPlatform platform;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("render.ini"));
    platform.WriteTextFile(path, {QStringLiteral("Width=640"), QStringLiteral("Display=off")});
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("Width=640\r\nDisplay=off\r\n"));
    file.close();

    EXPECT_TRUE(platform.FileExists(path));
    platform.DeleteFile(path);
    EXPECT_FALSE(platform.FileExists(path));
    try {
        platform.DeleteFile(path);
        ADD_FAILURE() << "deleting a missing file succeeded";
    } catch (const Error& e) {
        EXPECT_EQ(e.number(), ErrorNumber::FileNotFound);
    }
}

TEST(QtPlatformTest, PicturesRoundTripAsWindowsBitmaps)
{
    QtPlatform platform;
    QTemporaryDir folder;
    QImage picture(32, 16, QImage::Format_RGB32);
    picture.fill(QColor(10, 200, 30));
    picture.setPixel(3, 4, qRgb(255, 0, 0));
    const QString path = folder.filePath(QStringLiteral("frame.bmp"));
    platform.SavePicture(picture, path);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.read(2), QByteArray("BM"));
    file.close();

    const QImage loaded = platform.LoadPicture(path);
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
    const QByteArray saved = qgetenv("temp");
    qputenv("temp", "/some/where/else");
    EXPECT_EQ(platform.TempFolder(), QStringLiteral("/some/where/else"));
    qunsetenv("temp");
    const QByteArray savedUpper = qgetenv("TEMP");
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
