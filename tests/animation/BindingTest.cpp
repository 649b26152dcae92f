#include "ModuleState.h"
#include "PanelHarness.h"
#include "XPButton.h"

#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

const QString App = QStringLiteral("Vellum Test");
const QString Section = QStringLiteral("Application");

QString saved(const char* key, const char* value, const QString& app = App)
{
    return QStringLiteral("SaveSetting(%1|Application|%2|%3)")
        .arg(app, QLatin1String(key), QLatin1String(value));
}

TEST(BindingTest, MissingSettingsGiveTheDefaultsAndUnbindingSavesThemOnlyAfterABinding)
{
    PanelHarness h;
    h.unbind();
    EXPECT_TRUE(h.platform->calls().isEmpty()) << "a control never bound touches no setting";
    EXPECT_EQ(animation::module().gcCSG, nullptr);

    h.bind();
    EXPECT_EQ(animation::module().lGhostPrecedingNumber, 50);
    EXPECT_FALSE(h.widget<common::XPButton>("chkAnimationTimeline").Value());
    EXPECT_NEAR(h.heightTwips(), 360, 15);
    h.platform->clearCalls();
    h.unbind();
    EXPECT_EQ(h.platform->callsNamed(QStringLiteral("SaveSetting")),
              QStringList({saved("TimelineRows", "5"), saved("TimelineChecked", "False")}));
}

TEST(BindingTest, FirstBindingLoadsEachSettingAndIgnoresBadOnes)
{
    PanelHarness h;
    for (auto [key, value] : {std::pair{"TimelineRows", "12"},
                              {"TimelineChecked", "True"},
                              {"GhostPrecedingNumber", "many"},
                              {"GhostFollowingNumber", "30"}})
        h.platform->setSetting(App, Section, QLatin1String(key), QLatin1String(value));
    h.bind();

    EXPECT_EQ(animation::module().lGhostPrecedingNumber, 50) << "a bad number keeps the default";
    EXPECT_EQ(animation::module().lGhostFollowingNumber, 30);
    EXPECT_TRUE(h.widget<common::XPButton>("chkAnimationTimeline").Value());
    EXPECT_TRUE(h.widget("chkAnimationTimeline").isVisible());
    EXPECT_FALSE(h.slider().isEnabled());
    EXPECT_NEAR(h.heightTwips(), 420 + 12 * 240 + 30, 15);
}

TEST(BindingTest, SettingsAreLoadedOnceAndRebindingSavesNothing)
{
    PanelHarness h;
    h.platform->setSetting(App, Section, QStringLiteral("TimelineRows"), QStringLiteral("7"));
    h.bind();

    auto other = nice<MockSceneGraph>();
    ON_CALL(*other, ApplicationState()).WillByDefault(Return(h.state));
    h.platform->setSetting(App, Section, QStringLiteral("TimelineRows"), QStringLiteral("9"));
    h.platform->clearCalls();
    h.control->SetSceneGraph(other, nullptr);
    EXPECT_TRUE(h.platform->calls().isEmpty()) << "rebinding neither saves nor loads";
    EXPECT_EQ(animation::module().gcCSG, other);

    h.unbind();
    h.bind(); // a second binding after unbinding does not reload either
    h.platform->clearCalls();
    h.registryKey = QStringLiteral("Renamed Host"); // settings follow the key of the moment
    h.unbind();
    EXPECT_EQ(h.platform->callsNamed(QStringLiteral("SaveSetting")).value(0),
              saved("TimelineRows", "7", h.registryKey));
}

TEST(BindingTest, AFailedSaveEndsUnbindingBeforeTheSceneGraphIsDropped)
{
    PanelHarness h;
    h.bind();
    h.platform->failSaveSettingAt(2);
    EXPECT_THROW(h.unbind(), Error); // passed on, as the fault sweep checks
    EXPECT_EQ(animation::module().gcCSG, h.sceneGraph) << "still bound after the failure";
    EXPECT_TRUE(h.platform->hasSetting(App, Section, QStringLiteral("TimelineRows")))
        << "what was done before the failure stays done";
    h.unbind();
    EXPECT_EQ(animation::module().gcCSG, nullptr);
}

TEST(BindingTest, ServicesAreMadeOnFirstUseKeptAcrossRebindingAndStillLogTheEnd)
{
    PanelHarness h;
    EXPECT_CALL(*h.sceneGraph, CreateAppUtility()).Times(0);
    h.bind();
    h.unbind();
    h.bind();
    ::testing::Mock::VerifyAndClearExpectations(h.sceneGraph.get());
    EXPECT_CALL(*h.sceneGraph, CreateAppUtility()).WillOnce(Return(h.appUtility));
    animation::appUtility();
    h.unbind();
    h.bind();
    animation::appUtility();
    {
        ::testing::InSequence order;
        EXPECT_CALL(*h.appUtility, WriteLine(QStringLiteral("Animation instance terminating")));
        EXPECT_CALL(*h.appUtility, WriteLine(QStringLiteral("Animation instance terminated")));
    }
    h.unbind();
    h.control.reset();
}

} // namespace
} // namespace vellum::testing
