// The recording and snapshot options dialogs: one design driven by a profile.
#include "OptionsDialog.h"

#include "ModuleState.h"
#include "PanelHarness.h"
#include "TextBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QRadioButton>
#include <QTemporaryDir>

namespace vellum::testing {
namespace {

QStringList strings(std::initializer_list<const char*> texts)
{
    QStringList list;
    for (const char* text : texts)
        list << QLatin1String(text);
    return list;
}

// Screens of 1024 x 768, a raytracer installed.
class OptionsDialogTest : public ::testing::Test
{
protected:
    OptionsDialogTest()
    {
        qputenv("temp", temp.path().toLocal8Bit());
        ON_CALL(*h.graphics, TickCount()).WillByDefault(Return(4242));
        ON_CALL(*h.pictures, MaximumDimensions(_, _, _, _))
            .WillByDefault([](auto&, auto&, std::int32_t& width, std::int32_t& height) {
                std::tie(width, height) = std::pair(1024, 768);
            });
        ON_CALL(*h.appUtility, RaytracerPath()).WillByDefault(Return(QStringLiteral("/bin/pov")));
        h.bind();
        animation::module().offscreenPicture = QImage(320, 240, QImage::Format_RGB32);
    }
    ~OptionsDialogTest() override { qunsetenv("temp"); }

    std::unique_ptr<animation::OptionsDialog> open(const animation::OptionsDialogProfile& profile)
    {
        h.platform->clearCalls();
        auto dialog = std::make_unique<animation::OptionsDialog>(profile, h.control.get());
        dialog->show();
        return dialog;
    }
    static QString text(QDialog& dialog, const char* name)
    {
        return child<common::TextBox>(dialog, name).Text();
    }
    static QString size(QDialog& dialog)
    {
        return text(dialog, "txtRecordWidth") + u'x' + text(dialog, "txtRecordHeight");
    }
    static void type(QDialog& dialog, const char* name, const QString& keys)
    {
        auto& box = child<common::TextBox>(dialog, name);
        box.selectAll();
        QTest::keyClicks(&box, keys);
    }
    void store(const char* key, const char* value)
    {
        h.platform->setSetting(h.registryKey, QStringLiteral("Application"), QLatin1String(key),
                               QLatin1String(value));
    }
    QStringList savedKeys() const
    {
        QStringList keys;
        for (const QString& call : h.platform->callsNamed(QStringLiteral("SaveSetting")))
            keys << call.section(QLatin1Char('|'), 2, 3).chopped(1); // without the call's ")"
        return keys;
    }
    QStringList messages() const { return h.platform->callsNamed(QStringLiteral("MsgBox")); }

    QTemporaryDir temp;
    PanelHarness h;
};

TEST_F(OptionsDialogTest, LoadsDefaultsOrStoredChoicesAndKeepsAPreviewFileWhileOpen)
{
    const QString previewFile = temp.filePath(QStringLiteral("~temp4242.bmp"));
    {
        auto dialog = open(animation::recordOptionsProfile());
        EXPECT_TRUE(QFile::exists(previewFile));
        auto& sizes = child<QComboBox>(*dialog, "cboSize");
        EXPECT_EQ(sizes.currentIndex(), 1);
        EXPECT_TRUE(child<QRadioButton>(*dialog, "optAnimationSize_0").isChecked());
        EXPECT_EQ(size(*dialog) + u' ' + text(*dialog, "txtFPS"), QStringLiteral("320x240 15"));
        EXPECT_TRUE(sizes.isEnabled());
        EXPECT_FALSE(child(*dialog, "txtRecordWidth").isEnabled());
        EXPECT_TRUE(child(*dialog, "chkRaytrace").isEnabled());
    }
    EXPECT_FALSE(QFile::exists(previewFile)) << "deleted when the dialog unloads";

    // Stored choices (the size, rate, blur and series ones are used by the studio's recordings);
    // without a raytracer a stored tick stays, though the box is disabled.
    ON_CALL(*h.appUtility, RaytracerPath()).WillByDefault(Return(QString()));
    ON_CALL(*h.state, RaytracerSetting()).WillByDefault(Return(QString()));
    for (auto [key, value] : {std::pair{"AnimationOptionsSize", "4"},
                              {"AnimationAntiAlias", "2"},
                              {"AnimationSize1", "True"},
                              {"AnimationRaytrace", "1"}})
        store(key, value);
    auto dialog = open(animation::recordOptionsProfile());
    EXPECT_EQ(child<QComboBox>(*dialog, "cboSize").currentIndex(), 4);
    EXPECT_FALSE(child(*dialog, "cboSize").isEnabled());
    EXPECT_EQ(child<QComboBox>(*dialog, "cboAntiAliasing").currentIndex(), 2);
    auto& raytrace = child<QCheckBox>(*dialog, "chkRaytrace");
    EXPECT_TRUE(raytrace.isChecked() && !raytrace.isEnabled());
}

TEST_F(OptionsDialogTest, PresetsSizeModeKeyFilterAndCorrectionsOnCompletedEdits)
{
    auto dialog = open(animation::recordOptionsProfile());
    auto& sizes = child<QComboBox>(*dialog, "cboSize");
    sizes.setCurrentIndex(6);
    clickChild(*dialog, "optAnimationSize_1");
    EXPECT_EQ(size(*dialog), QStringLiteral("1280x960")) << "custom starts from the preset";
    EXPECT_TRUE(child(*dialog, "txtRecordWidth").isEnabled());
    EXPECT_FALSE(sizes.isEnabled());

    type(*dialog, "txtFPS", QStringLiteral("a1.b-2"));
    EXPECT_EQ(text(*dialog, "txtFPS"), QStringLiteral("1-2"));

    struct Row
    {
        const char* box;
        const char* typed;
        const char* corrected;
    } rows[] = {{"txtRecordWidth", "2000", "1600"},
                {"txtRecordWidth", "5", "10"},
                {"txtRecordWidth", "-", "320"},
                {"txtRecordWidth", "640", "640"},
                {"txtRecordHeight", "2000", "1200"},
                {"txtRecordHeight", "5", "10"},
                {"txtFPS", "", "15"},
                {"txtFPS", "0", "1"},
                {"txtFPS", "75", "60"},
                {"txtFPS", "-", "15"},
                {"txtFPS", "-3", "1"},
                {"txtFPS", "6", "6"}};
    for (const Row& row : rows) {
        auto& box = child<common::TextBox>(*dialog, row.box);
        type(*dialog, row.box, QLatin1String(row.typed));
        if (!*row.typed) {
            box.clear();
            emit box.Commit();
        }
        if (QLatin1String(row.typed) == QLatin1String("5")) {
            EXPECT_EQ(box.Text(), QStringLiteral("5")) << "not while typing";
        }
        QTest::keyClick(&box, Qt::Key_Return);
        EXPECT_EQ(box.Text(), QLatin1String(row.corrected)) << row.box << " " << row.typed;
    }

    // Back to presets: the list is enabled and the boxes follow it.
    clickChild(*dialog, "optAnimationSize_0");
    EXPECT_TRUE(sizes.isEnabled());
    EXPECT_EQ(text(*dialog, "txtRecordWidth"), QStringLiteral("1280"));
}

TEST_F(OptionsDialogTest, OkStoresEveryChoiceUnlessRefusedCancelAndCloseBoxCancel)
{
    auto dialog = open(animation::recordOptionsProfile());
    child<QComboBox>(*dialog, "cboSize").setCurrentIndex(7); // 1600 x 1200 is over 1024 x 768
    emit child<QComboBox>(*dialog, "cboSize").activated(7);
    child<QComboBox>(*dialog, "cboAntiAliasing").setCurrentIndex(1);
    child<QCheckBox>(*dialog, "chkMotionBlur").setChecked(true);
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    clickChild(*dialog, "cmdOK");
    EXPECT_EQ(messages(), QStringList(QStringLiteral("MsgBox(The maximum non-raytraced recording "
                                                     "dimensions are: 1024x768|0|2|3D Vellum)")));
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_TRUE(savedKeys().isEmpty());
    EXPECT_EQ(animation::module().recordWidth, 1600) << "taken even when refused";

    // Raytraced, the size passes; anti-aliasing is not asked about then.
    ON_CALL(*h.state, AntiAliasFlag()).WillByDefault(Return(true));
    child<QCheckBox>(*dialog, "chkRaytrace").setChecked(true);
    clickChild(*dialog, "cmdOK");
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(savedKeys(),
              strings({"AnimationOptionsSize|7", "AnimationAntiAlias|1", "AnimationSize0|True",
                       "AnimationSize1|False", "AnimationWidth|1600", "AnimationHeight|1200",
                       "AnimationFPS|15", "AnimationRaytrace|1", "AnimationImages|0",
                       "AnimationMotionBlur|1"}));
    const animation::ModuleState& shared = animation::module();
    EXPECT_EQ(std::tuple(shared.recordWidth, shared.recordHeight, shared.recordAntiAlias,
                         shared.recordFPS, shared.recordRaytrace, shared.recordSaveAsImages,
                         shared.recordMotionBlur, shared.optionsCancelled),
              std::tuple(1600, 1200, 1, 15, true, false, true, false));

    // Cancel and the close box both cancel.
    for (const char* how : {"cmdCancel", "close box"}) {
        animation::module().optionsCancelled = false;
        auto again = open(animation::recordOptionsProfile());
        if (QLatin1String(how) == QLatin1String("cmdCancel"))
            clickChild(*again, how);
        else
            again->close();
        EXPECT_TRUE(animation::module().optionsCancelled) << how;
    }
}

TEST_F(OptionsDialogTest, SnapshotProfileHasItsOwnKeysMessagesAndRules)
{
    ON_CALL(*h.state, AntiAliasFlag()).WillByDefault(Return(false));
    ON_CALL(*h.appUtility, RaytracerPath()).WillByDefault(Return(QString()));
    ON_CALL(*h.state, RaytracerSetting()).WillByDefault(Return(QStringLiteral("set")));
    animation::module().recordMotionBlur = true;
    auto dialog = open(animation::snapshotOptionsProfile());
    EXPECT_EQ(dialog->objectName(), QStringLiteral("frmSnapshotOptions"));
    EXPECT_EQ(dialog->findChild<QWidget*>(QStringLiteral("txtFPS")), nullptr);
    EXPECT_EQ(dialog->findChild<QWidget*>(QStringLiteral("chkMotionBlur")), nullptr);
    EXPECT_FALSE(child(*dialog, "chkRaytrace").isEnabled()) << "needs the path";

    child<QComboBox>(*dialog, "cboAntiAliasing").setCurrentIndex(2);
    h.platform->answerMsgBox(outside::MsgBoxResult::OK);
    clickChild(*dialog, "cmdOK");
    EXPECT_EQ(messages().value(0).section(QLatin1Char('|'), 1), QStringLiteral("0|1|3D Vellum)"))
        << "refused with an exclamation when the flag is False";

    child<QComboBox>(*dialog, "cboAntiAliasing").setCurrentIndex(0);
    clickChild(*dialog, "cmdOK");
    EXPECT_EQ(savedKeys(),
              strings({"SnapshotOptionsSize|1", "SnapshotAntiAlias|0", "SnapshotSize0|True",
                       "SnapshotSize1|False", "SnapshotWidth|320", "SnapshotHeight|240",
                       "SnapshotRaytrace|0"}));
    EXPECT_EQ(animation::module().recordFPS, 1);
    EXPECT_TRUE(animation::module().recordMotionBlur) << "left as it was";
}

} // namespace
} // namespace vellum::testing
