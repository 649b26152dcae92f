#include "WindowHarness.h"

namespace vellum::testing {

using ::testing::_;
using ::testing::Invoke;
using ::testing::Return;

void WindowHarness::SetUp()
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
    ON_CALL(*h.sceneGraph, ViewCameras(_)).WillByDefault(Return(QList<outside::CameraPtr>{camera}));
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

void WindowHarness::TearDown()
{
    h.unbind();
    outside::setViewportFactory(nullptr);
}

} // namespace vellum::testing
