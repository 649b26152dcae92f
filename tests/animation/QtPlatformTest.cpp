#include "QtPlatform.h"

#include "Error.h"
#include "ErrorNumber.h"

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

// Lines, temp files, pictures and the current folder that work are used by the raytracer bridge
// and the recording tests over this platform; here what it refuses, and the temp folder's last
// resort.
TEST(QtPlatformTest, PicturesAreWindowsBitmapsTempFallsBackAndWhatIsMissingIsRefused)
{
    QtPlatform platform;
    QTemporaryDir folder;
    const QString bitmap = folder.filePath(QStringLiteral("frame.bmp"));
    platform.SavePicture(QImage(32, 16, QImage::Format_RGB32), bitmap);
    QFile file(bitmap);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && file.read(2) == "BM");
    const QString missing = folder.filePath(QStringLiteral("missing.bmp"));
    EXPECT_EQ(testing::errorNumberOf([&] { platform.DeleteFile(missing); }),
              ErrorNumber::FileNotFound);
    EXPECT_THROW(platform.LoadPicture(missing), Error);
    EXPECT_THROW(platform.SavePicture(QImage(), folder.filePath(QStringLiteral("null.bmp"))),
                 Error);
    const QByteArray temp = qgetenv("temp"), upperTemp = qgetenv("TEMP");
    qunsetenv("temp");
    qunsetenv("TEMP");
    EXPECT_EQ(platform.TempFolder(), QDir::tempPath()) << "without either variable";
    for (auto [name, value] : {std::pair{"temp", temp}, {"TEMP", upperTemp}})
        if (!value.isEmpty())
            qputenv(name, value);
    const QString before = QDir::currentPath();
    EXPECT_THROW(platform.ChangeDriveAndFolder(folder.filePath(QStringLiteral("nope"))), Error);
    EXPECT_EQ(QDir::currentPath(), before);
}

} // namespace
} // namespace vellum::outside
