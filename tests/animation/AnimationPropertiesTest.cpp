#include "AnimatedComponents.h"
#include "PanelHarness.h"

#include <QDialog>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

common::UpDownText& box(QDialog& dialog, const char* name)
{
    return child<common::UpDownText>(dialog, name);
}

void clickOk(QDialog& dialog)
{
    clickChild(dialog, "cmdOK");
}

// The panel in animation mode, at frame 40 of a 100-key animation at 12.5 keys a second.
class AnimationPropertiesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        h.settings.viewportDetail = 7;
        ON_CALL(*h.state, setAnimationSettings(_))
            .WillByDefault([this](const outside::AnimationSettings& s) { h.settings = s; });
        h.start();
    }
    void atFrame40Of100()
    {
        h.settings.Keys = 100;
        h.settings.KeysPerSecond = 12.5f;
        h.control->SetupPanel();
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

TEST_F(AnimationPropertiesTest, TypedValuesAreStoredWholeOrNotAtAllAndThePanelRebuildsAtFrameZero)
{
    struct Row
    {
        const char* name;
        const char* keys;
        const char* keysPerSecond;
        bool defaultsThenCloseBox;
        int storedKeys; // -1: the record is not written
        float storedPerSecond;
    } rows[] = {{"whole numbers", "250", "25", false, 250, 25.0f},
                {"a half rounds down to even", "100", "12.5", false, 100, 12.0f},
                {"a half rounds up to even", "99.5", "13.5", false, 100, 14.0f},
                {"outside the boxes: stored as typed", "0", "5000", false, 0, 5000.0f},
                {"Default, then the close box", "7", "3", true, 100, 10.0f},
                {"letters", "abc", "10", false, -1, 0.0f},
                {"empty", "", "10", false, -1, 0.0f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        atFrame40Of100();
        openWith([&](QDialog& dialog) {
            box(dialog, "txtKeyFrames").setText(QString::fromLatin1(row.keys));
            box(dialog, "txtKeyFPS").setText(QString::fromLatin1(row.keysPerSecond));
            if (row.defaultsThenCloseBox) {
                clickChild(dialog, "cmdDefault");
                dialog.close();
            } else {
                clickOk(dialog);
            }
        });
        const bool written = row.storedKeys >= 0;
        EXPECT_EQ(h.settings.Keys, written ? row.storedKeys : 100);
        EXPECT_EQ(h.settings.KeysPerSecond, written ? row.storedPerSecond : 12.5f);
        EXPECT_EQ(h.settings.viewportDetail, 7) << "the rest of the record is written as read";
        EXPECT_EQ(h.slider().Max(), h.settings.Keys);
        EXPECT_EQ(h.slider().Value(), 0);
        EXPECT_EQ(h.slider().SelStart(), 0);
        EXPECT_EQ(h.slider().SelLength(), h.settings.Keys);
        EXPECT_EQ(h.events.last(), QStringLiteral("ButtonsEnable"));
    }
}

TEST_F(AnimationPropertiesTest, LoadsTheSettingsAndReopensWhereItWasClosed)
{
    atFrame40Of100();
    openWith([](QDialog& dialog) {
        EXPECT_EQ(box(dialog, "txtKeyFrames").Text(), QStringLiteral("100"));
        EXPECT_EQ(box(dialog, "txtKeyFPS").Text(), QStringLiteral("12.5"));
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
    auto camera = nice<MockCamera>();
    auto group = h.addGroup(3);
    ON_CALL(*h.sceneGraph, CameraByLink(1)).WillByDefault(Return(camera));
    ON_CALL(*h.sceneGraph, ComponentList())
        .WillByDefault(Return(QList<outside::ComponentRecord>{{80, 1}, {10, 3}}));
    EXPECT_CALL(*h.appUtility, WriteLine(_)).Times(::testing::AnyNumber());
    {
        ::testing::InSequence order;
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
