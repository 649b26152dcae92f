#include "HeadlessPlatform.h"

#include <QDialog>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace vellum;
using namespace vellum::studio;
using outside::MsgBoxButtons;
using outside::MsgBoxIcon;
using outside::MsgBoxResult;

TEST(HeadlessRunTest, MessagesGoToTheTerminalAndOnlyANoticeOrAnAnsweredDialogKeepsTheRunGood)
{
    const struct
    {
        MsgBoxButtons buttons;
        MsgBoxIcon icon;
        MsgBoxResult answer;
        bool fails;
    } rows[] = {{MsgBoxButtons::OK, MsgBoxIcon::Information, MsgBoxResult::OK, false},
                {MsgBoxButtons::OK, MsgBoxIcon::None, MsgBoxResult::OK, false},
                {MsgBoxButtons::OK, MsgBoxIcon::Exclamation, MsgBoxResult::OK, true},
                {MsgBoxButtons::OK, MsgBoxIcon::Stop, MsgBoxResult::OK, true},
                {MsgBoxButtons::YesNo, MsgBoxIcon::Question, MsgBoxResult::No, true},
                {MsgBoxButtons::YesNoCancel, MsgBoxIcon::Question, MsgBoxResult::Cancel, true},
                {MsgBoxButtons::OKCancel, MsgBoxIcon::None, MsgBoxResult::Cancel, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(::testing::Message() << int(row.buttons) << "/" << int(row.icon));
        QStringList lines;
        HeadlessPlatform platform([&lines](const QString& line) { lines << line; });
        EXPECT_EQ(platform.MsgBox(QStringLiteral("Cannot open a.json.\n\nNot a scene."),
                                  row.buttons, row.icon, QStringLiteral("3D Vellum")),
                  row.answer);
        EXPECT_EQ(lines, QStringList{QStringLiteral("Cannot open a.json. Not a scene.")});
        EXPECT_EQ(platform.exitCode() != 0, row.fails);
    }

    // Dialogs are answered by the command line or fail the run.
    QStringList lines;
    HeadlessPlatform platform([&lines](const QString& line) { lines << line; });
    QDialog options;
    options.setObjectName(QStringLiteral("frmRecordOptions"));
    options.setWindowTitle(QStringLiteral("Recording Options"));
    platform.answerDialog(options.objectName(), QDialog::Accepted);

    EXPECT_EQ(platform.ShowModal(options), QDialog::Accepted);
    EXPECT_EQ(platform.exitCode(), 0);

    QDialog other;
    other.setWindowTitle(QStringLiteral("Ghost Options"));
    EXPECT_EQ(platform.ShowModal(other), QDialog::Rejected);
    EXPECT_TRUE(platform.InputBox(QStringLiteral("Sequence name"), {}, {}).isEmpty());
    EXPECT_NE(platform.exitCode(), 0);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_TRUE(lines.first().contains(QStringLiteral("Ghost Options")));
}

// The whole program, as a script runs it: nobody is there to press OK.
TEST(HeadlessRunTest, ARefusedSceneEndsARunAtOnceWithTheReasonOnStandardError)
{
    QTemporaryDir folder;
    const QString broken = folder.filePath(QStringLiteral("broken.json"));
    QFile file(broken);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("{ \"version\": 1, \"groups\": [ ");
    file.close();

    for (const QStringList& options :
         {QStringList{QStringLiteral("--frame"), QStringLiteral("37"), QStringLiteral("--play"),
                      QStringLiteral("--quit-after"), QStringLiteral("1.5")},
          QStringList{QStringLiteral("--screenshot"), folder.filePath(QStringLiteral("s.png"))}}) {
        QProcess studio;
        studio.start(QStringLiteral(VELLUM_STUDIO_EXECUTABLE), QStringList{broken} + options);
        ASSERT_TRUE(studio.waitForFinished(30000)) << qPrintable(options.join(u' '));
        EXPECT_NE(studio.exitCode(), 0);
        EXPECT_TRUE(studio.readAllStandardError().contains("Cannot open broken.json."));
    }
}
