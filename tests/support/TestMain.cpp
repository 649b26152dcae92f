// GoogleTest entry point for every test executable: a QApplication on the offscreen platform
// at a fixed DPI, with per-user settings kept in a throw-away folder.
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>
#include <gmock/gmock.h>

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication::setOrganizationName(QStringLiteral("VellumTests"));
    QApplication app(argc, argv);

    QTemporaryDir settingsFolder;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsFolder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsFolder.path());

    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
