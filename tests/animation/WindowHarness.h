#pragma once

#include "PanelHarness.h"
#include "Viewport.h"

#include <gtest/gtest.h>

namespace vellum::testing {

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
    void SetCameraPosition(float&, float&, float&) override {}
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

// A panel in animation mode whose services tick: every yield to the message queue lets stepMs
// pass. Its host supplies a viewport that writes its calls down and an animation camera.
class WindowHarness : public ::testing::Test
{
protected:
    explicit WindowHarness(int keys = 50);
    ~WindowHarness() override { outside::setViewportFactory(nullptr); }

    QWidget* window() const { return h.control->findChild<QWidget*>(QStringLiteral("frmAnimate")); }
    PanelHarness h;
    Nice<MockCamera> camera = nice<MockCamera>();
    QStringList viewportCalls;
    RecordingViewport* lastViewport = nullptr;
    std::int32_t tick = 5000;
    std::int32_t stepMs = 100;
    int yields = 0;
    std::function<void(int)> onYield;
};

} // namespace vellum::testing
