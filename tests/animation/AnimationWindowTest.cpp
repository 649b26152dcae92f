#include "AnimationWindow.h"

#include "PanelHarness.h"
#include "Viewport.h"
#include "XPButton.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>

namespace vellum::testing {
namespace {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

// The host's viewport as the window drives it: every call is written down.
class RecordingViewport : public outside::Viewport
{
public:
    explicit RecordingViewport(QWidget* parent, QStringList& calls)
        : m_widget(parent), m_calls(calls)
    {}

    QWidget* widget() override { return &m_widget; }
    void setBackgroundTexture(const QString& texture) override
    {
        log(QStringLiteral("texture ") + texture);
    }
    void setAntiAliasing(std::int32_t level) override { log(QStringLiteral("aa %1").arg(level)); }
    void setDisplayOption(bool) override {}
    void setSettingValueA(std::int32_t value) override { log(QStringLiteral("A %1").arg(value)); }
    void setSettingValueB(std::int32_t value) override { log(QStringLiteral("B %1").arg(value)); }
    void setSettingValueC(std::int32_t) override {}
    void setCameraFieldOfView(float degrees) override
    {
        log(QStringLiteral("fov %1").arg(double(degrees)));
    }
    void Draw() override
    {
        log(QStringLiteral("draw"));
        if (m_drawn)
            m_drawn();
    }
    void AttachScene(outside::SceneGraphPtr&, const outside::ViewPtr&) override
    {
        log(QStringLiteral("attach"));
    }
    void SetCameraPosition(float& x, float& y, float& z) override
    {
        log(QStringLiteral("position %1 %2 %3").arg(double(x)).arg(double(y)).arg(double(z)));
    }
    void SetCameraOrientation(float&, float&, float&, float&, float&, float&) override
    {
        log(QStringLiteral("orientation"));
    }
    void onMouseEvent(std::function<void()> handler) override { m_mouse = std::move(handler); }
    void onDrawn(std::function<void()> handler) override { m_drawn = std::move(handler); }

    void press() { m_mouse(); }

private:
    void log(const QString& call) { m_calls.append(call); }
    QWidget m_widget;
    QStringList& m_calls;
    std::function<void()> m_mouse;
    std::function<void()> m_drawn;
};

class AnimationWindowTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        outside::setViewportFactory([this](QWidget* parent) {
            auto viewport = std::make_unique<RecordingViewport>(parent, viewportCalls);
            lastViewport = viewport.get();
            return viewport;
        });
        h.settings.Keys = 50;
        h.settings.viewportDetail = 7;
        h.settings.viewportShading = 2;
        ON_CALL(*h.sceneGraph, CreateGraphicsUtility()).WillByDefault(Return(graphics));
        ON_CALL(*h.sceneGraph, CreateRenderUtility()).WillByDefault(Return(render));
        ON_CALL(*h.sceneGraph, CreatePictureFactory()).WillByDefault(Return(pictures));
        ON_CALL(*h.sceneGraph, ViewCameras(_))
            .WillByDefault(Return(QList<outside::CameraPtr>{camera}));
        ON_CALL(*render, ConvertSettingValue(_)).WillByDefault(Invoke([](std::int32_t v) {
            return v * 10;
        }));
        ON_CALL(*graphics, TickCount()).WillByDefault(Invoke([this] { return tick; }));
        ON_CALL(*graphics, SetNormalDisplay(_)).WillByDefault(Invoke([this](bool normal) {
            displayChanges.append(normal);
        }));
        ON_CALL(*graphics, ScreenPosition(_, _, _))
            .WillByDefault(Invoke([](QWidget* widget, std::int32_t& x, std::int32_t& y) {
                const QPoint origin = widget->mapToGlobal(QPoint(0, 0));
                x = origin.x();
                y = origin.y();
            }));
        ON_CALL(*pictures, MaximumDimensions(_, _, _, _))
            .WillByDefault(
                Invoke([](std::int32_t& l, std::int32_t& t, std::int32_t& w, std::int32_t& ht) {
                    l = 100;
                    t = 50;
                    w = 320;
                    ht = 200;
                }));
        ON_CALL(*h.state, PanelActive()).WillByDefault(Return(true));
        ON_CALL(*camera, ParentGroup()).WillByDefault(Return(h.rootGroup));
        ON_CALL(*camera, FieldOfView(_)).WillByDefault(Invoke([this](float) {
            viewportCalls << QStringLiteral("camera fov");
            return 35.0f;
        }));
        h.cameras.Add(camera);
        h.bind();
        h.control->SetupPanel();
        h.control->SetModePrepare(1);
        h.platform->onPumpMessages([this] {
            tick += 100;
            ++yields;
            if (onYield)
                onYield(yields);
        });
    }
    void TearDown() override
    {
        h.unbind();
        outside::setViewportFactory(nullptr);
    }

    QWidget* window() const { return h.control->findChild<QWidget*>(QStringLiteral("frmAnimate")); }

    PanelHarness h;
    std::shared_ptr<NiceMock<MockGraphicsUtility>> graphics =
        std::make_shared<NiceMock<MockGraphicsUtility>>();
    std::shared_ptr<NiceMock<MockRenderUtility>> render =
        std::make_shared<NiceMock<MockRenderUtility>>();
    std::shared_ptr<NiceMock<MockPictureFactory>> pictures =
        std::make_shared<NiceMock<MockPictureFactory>>();
    std::shared_ptr<NiceMock<MockCamera>> camera = std::make_shared<NiceMock<MockCamera>>();
    QStringList viewportCalls;
    RecordingViewport* lastViewport = nullptr;
    QList<bool> displayChanges;
    std::int32_t tick = 0;
    int yields = 0;
    std::function<void(int)> onYield;
};

TEST_F(AnimationWindowTest, FullScreenPlaybackCoversTheRenderingAreaAndAKeyStopsIt)
{
    QRect clientArea;
    onYield = [&](int yield) {
        QWidget* shown = window();
        ASSERT_NE(shown, nullptr);
        clientArea = QRect(shown->mapToGlobal(QPoint(0, 0)), shown->size());
        if (yield == 3)
            QTest::keyClick(shown, Qt::Key_Tab); // not taken for focus navigation
    };
    h.clickButton("cmdPlayFullScreen");

    EXPECT_EQ(yields, 3) << "the key ended the run after that frame";
    EXPECT_EQ(clientArea, QRect(100, 50, 320, 200));
    EXPECT_EQ(displayChanges, QList<bool>({false, true}));
    EXPECT_EQ(window(), nullptr) << "the window is unloaded at the end";
    // Loaded with the application's settings, shown without anti-aliasing, attached once, and
    // handed the animation camera every frame.
    EXPECT_EQ(
        viewportCalls.mid(0, 3),
        QStringList({QStringLiteral("texture "), QStringLiteral("A 20"), QStringLiteral("B 7")}));
    EXPECT_TRUE(viewportCalls.contains(QStringLiteral("aa 0")));
    EXPECT_EQ(viewportCalls.count(QStringLiteral("attach")), 1);
    EXPECT_EQ(viewportCalls.count(QStringLiteral("fov 35")), 3);
    const qsizetype fieldOfView = viewportCalls.lastIndexOf(QStringLiteral("fov 35"));
    EXPECT_EQ(viewportCalls.mid(fieldOfView - 2, 3),
              QStringList({QStringLiteral("orientation"), QStringLiteral("camera fov"),
                           QStringLiteral("fov 35")}))
        << "the field of view is read once the camera is placed";
    EXPECT_EQ(viewportCalls.count(QStringLiteral("draw")), 3 + 3);
    EXPECT_TRUE(h.widget<common::XPButton>("cmdPlay").isEnabled());
}

TEST_F(AnimationWindowTest, APressInTheViewportStopsThePlaybackAndNoViewportNoneStarts)
{
    onYield = [&](int yield) {
        if (yield == 2)
            lastViewport->press();
    };
    h.clickButton("cmdPlayFullScreen");
    EXPECT_EQ(yields, 2);
    EXPECT_FALSE(h.animationRunning);

    // Without a viewport from the host full screen does not start.
    outside::setViewportFactory(nullptr);
    h.clickButton("cmdPlayFullScreen");
    EXPECT_EQ(yields, 2);
    EXPECT_EQ(window(), nullptr);
}

TEST(AnimationWindowAntiAliasing, RecordingLevelsBecomeSamplesPerEdge)
{
    EXPECT_EQ(animation::viewportAntiAliasing(0), 0);
    EXPECT_EQ(animation::viewportAntiAliasing(1), 2);
    EXPECT_EQ(animation::viewportAntiAliasing(2), 4);
}

} // namespace
} // namespace vellum::testing
