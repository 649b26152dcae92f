#include "AnimatedComponents.h"
#include "Enumerations.h"
#include "PanelHarness.h"
#include "UpDownText.h"
#include "XPButton.h"

#include <QDialog>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;
using ::testing::Return;

// The panel in animation mode, at frame 40 of a 100-key animation at 12.5 keys a second.
class AnimationPropertiesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.Keys = 100;
        h.settings.KeysPerSecond = 12.5f;
        h.settings.viewportDetail = 7;
        ON_CALL(*h.state, setAnimationSettings(_))
            .WillByDefault(Invoke([this](const outside::AnimationSettings& s) { h.settings = s; }));
        h.bind();
        h.control->SetupPanel();
        h.control->SetModePrepare(outside::ModeAnimation);
        h.slider().setValue(40);
        h.events.clear();
    }

    // Opens the dialog from the panel; the answer types into it and closes it.
    void openWith(std::function<void(QDialog&)> answer)
    {
        h.platform->answerDialog([answer](QDialog& dialog) {
            answer(dialog);
            return dialog.result();
        });
        h.clickButton("cmdAnimationProperties");
    }

    PanelHarness h;
};

common::UpDownText& box(QDialog& dialog, const char* name)
{
    return *dialog.findChild<common::UpDownText*>(QLatin1String(name));
}

void clickOk(QDialog& dialog)
{
    QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdOK")), Qt::LeftButton);
}

struct TypedRow
{
    const char* name;
    const char* keys;
    const char* keysPerSecond;
    bool defaultsThenCloseBox;
    int storedKeys; // -1: the record is not written
    float storedPerSecond;
};

class TypedValues : public AnimationPropertiesTest, public ::testing::WithParamInterface<TypedRow>
{};

TEST_P(TypedValues, AreStoredWholeOrNotAtAllAndThePanelRebuildsAtFrameZero)
{
    const TypedRow row = GetParam();
    openWith([&](QDialog& dialog) {
        box(dialog, "txtKeyFrames").setText(QString::fromLatin1(row.keys));
        box(dialog, "txtKeyFPS").setText(QString::fromLatin1(row.keysPerSecond));
        if (row.defaultsThenCloseBox) {
            QTest::mouseClick(dialog.findChild<QPushButton*>(QStringLiteral("cmdDefault")),
                              Qt::LeftButton);
            dialog.close();
        } else {
            clickOk(dialog);
        }
    });

    const bool written = row.storedKeys >= 0;
    EXPECT_EQ(h.settings.Keys, written ? row.storedKeys : 100);
    EXPECT_EQ(h.settings.KeysPerSecond, written ? row.storedPerSecond : 12.5f);
    EXPECT_EQ(h.settings.viewportDetail, 7) << "the rest of the record is written back as read";
    EXPECT_EQ(h.slider().Max(), h.settings.Keys);
    EXPECT_EQ(h.slider().Value(), 0);
    EXPECT_EQ(h.slider().SelStart(), 0);
    EXPECT_EQ(h.slider().SelLength(), h.settings.Keys);
    EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
}

INSTANTIATE_TEST_SUITE_P(
    Dialog, TypedValues,
    ::testing::Values(TypedRow{"WholeNumbers", "250", "25", false, 250, 25.0f},
                      TypedRow{"HalfRoundsDownToEven", "100", "12.5", false, 100, 12.0f},
                      TypedRow{"HalfRoundsUpToEven", "99.5", "13.5", false, 100, 14.0f},
                      TypedRow{"OutsideTheBoxesIsStoredAsTyped", "0", "5000", false, 0, 5000.0f},
                      TypedRow{"DefaultThenCloseBox", "7", "3", true, 100, 10.0f},
                      TypedRow{"Letters", "abc", "10", false, -1, 0.0f},
                      TypedRow{"Empty", "", "10", false, -1, 0.0f}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(AnimationPropertiesTest, LoadsTheSettingsAndReopensWhereItWasClosed)
{
    openWith([](QDialog& dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Options"));
        EXPECT_EQ(box(dialog, "txtKeyFrames").Text(), QStringLiteral("100"));
        EXPECT_EQ(box(dialog, "txtKeyFPS").Text(), QStringLiteral("12.5"));
        EXPECT_EQ(box(dialog, "txtKeyFPS").Max(), 1000);
        dialog.move(300, 200);
        clickOk(dialog);
    });
    QPoint reopenedAt;
    openWith([&](QDialog& dialog) {
        reopenedAt = dialog.pos();
        EXPECT_EQ(box(dialog, "txtKeyFPS").Text(), QStringLiteral("12"));
        clickOk(dialog);
    });
    EXPECT_NEAR(reopenedAt.x(), 300, 1);
    EXPECT_NEAR(reopenedAt.y(), 200, 1);
    EXPECT_TRUE(h.platform->hasSetting(h.registryKey, QStringLiteral("Application"),
                                       QStringLiteral("AnimationPropertiesLeft")));
}

TEST_F(AnimationPropertiesTest, UnloadRefreshesStoresAndRegistersInOrder)
{
    auto camera = std::make_shared<NiceMock<MockCamera>>();
    auto group = h.addGroup(3);
    ON_CALL(*h.sceneGraph, CameraByLink(1)).WillByDefault(Return(camera));
    ON_CALL(*h.sceneGraph, ComponentList())
        .WillByDefault(Return(QList<outside::ComponentRecord>{{80, 1}, {10, 3}}));
    EXPECT_CALL(*h.appUtility, WriteLine(_)).Times(::testing::AnyNumber());
    {
        InSequence order;
        EXPECT_CALL(*h.rootGroup, RefreshTree(true));
        EXPECT_CALL(*h.rootGroup, RefreshAnimation(true));
        EXPECT_CALL(*h.sceneGraph, AnimationSettingsChanging());
        EXPECT_CALL(*h.state, setAnimationSettings(_));
        EXPECT_CALL(*h.sceneGraph, AnimationSettingsChanged());
        EXPECT_CALL(*h.scene, ClearAnimatedComponents());
        EXPECT_CALL(*h.appUtility, WriteLine(QStringLiteral("Error: A Camera with no group")));
        EXPECT_CALL(*h.scene, AddAnimatedGroup(pointsTo<outside::GroupPtr>(group)));
    }
    EXPECT_CALL(*h.scene, AddAnimatedCamera(_)).Times(0);
    openWith(clickOk);
    EXPECT_TRUE(h.modified) << "a group was handed back";

    // With a group the camera is handed back too; with nothing found nothing changes.
    ON_CALL(*camera, ParentGroup()).WillByDefault(Return(group));
    ON_CALL(*h.sceneGraph, ComponentList())
        .WillByDefault(Return(QList<outside::ComponentRecord>{{80, 1}}));
    ::testing::Mock::VerifyAndClearExpectations(h.scene.get());
    EXPECT_CALL(*h.scene, AddAnimatedCamera(pointsTo<outside::CameraPtr>(camera)));
    bool changed = false;
    animation::RegisterAnimatedComponents(*h.sceneGraph, *h.scene, changed);
    EXPECT_TRUE(changed);
    ON_CALL(*h.sceneGraph, ComponentList())
        .WillByDefault(Return(QList<outside::ComponentRecord>{{60, 4}, {11, 5}, {10, 9}}));
    animation::RegisterAnimatedComponents(*h.sceneGraph, *h.scene, changed);
    EXPECT_FALSE(changed);
}

} // namespace
} // namespace vellum::testing
