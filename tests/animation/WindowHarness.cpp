#include "WindowHarness.h"

namespace vellum::testing {

WindowHarness::WindowHarness(int keys)
{
    outside::setViewportFactory([this](QWidget* parent) {
        auto viewport = std::make_unique<RecordingViewport>(parent, viewportCalls);
        lastViewport = viewport.get();
        return viewport;
    });
    h.settings.Keys = keys;
    h.settings.viewportDetail = 7;
    h.settings.viewportShading = 2;
    ON_CALL(*h.sceneGraph, ViewCameras(_)).WillByDefault(Return(QList<outside::CameraPtr>{camera}));
    ON_CALL(*h.render, ConvertSettingValue(_)).WillByDefault([](std::int32_t v) { return v * 10; });
    ON_CALL(*h.graphics, TickCount()).WillByDefault([this] { return tick; });
    ON_CALL(*h.pictures, MaximumDimensions(_, _, _, _))
        .WillByDefault([](std::int32_t& l, std::int32_t& t, std::int32_t& w, std::int32_t& ht) {
            std::tie(l, t, w, ht) = std::tuple(100, 50, 320, 200);
        });
    ON_CALL(*h.state, PanelActive()).WillByDefault(Return(true));
    ON_CALL(*camera, ParentGroup()).WillByDefault(Return(h.rootGroup));
    ON_CALL(*camera, FieldOfView(_)).WillByDefault([this](float) {
        viewportCalls << QStringLiteral("camera fov");
        return 35.0f;
    });
    h.cameras.Add(camera);
    h.start();
    h.platform->onPumpMessages([this] {
        tick += stepMs;
        ++yields;
        if (onYield)
            onYield(yields);
    });
}

} // namespace vellum::testing
