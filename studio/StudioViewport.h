#pragma once

#include "SceneRenderAdapter.h"

#include <QPointer>
#include <outside/Viewport.h>

namespace vellum::sg {
class SceneGraph;
}
namespace vellum::viewport {
class ViewportWidget;
}

namespace vellum::studio {

// The viewport the panel's animation window draws through: the studio's own renderer, showing
// the attached scene graph's present poses without the modeller's markers.
class StudioViewport final : public outside::Viewport
{
public:
    explicit StudioViewport(QWidget* parent = nullptr);
    ~StudioViewport() override;

    QWidget* widget() override;
    viewport::ViewportWidget* viewportWidget() const { return m_widget; }

    void setBackgroundTexture(const QString& texture) override { m_backgroundTexture = texture; }
    void setAntiAliasing(std::int32_t level) override;
    // Shows the ground grid.
    void setDisplayOption(bool option) override { m_displayOption = option; }
    // Shading (0 smooth, 1 flat, 2 wireframe): the renderer shades smoothly only, so it is kept.
    void setSettingValueA(std::int32_t value) override { m_settingValues[0] = value; }
    void setSettingValueB(std::int32_t value) override { m_settingValues[1] = value; }
    void setSettingValueC(std::int32_t value) override { m_settingValues[2] = value; }
    void setCameraFieldOfView(float degrees) override;

    // Without an attached scene graph it draws what it showed last.
    void Draw() override;
    // Refuses a scene graph that is not the studio's.
    void AttachScene(outside::SceneGraphPtr& sceneGraph, const outside::ViewPtr& view) override;
    void SetCameraPosition(float& x, float& y, float& z) override;
    void SetCameraOrientation(float& directionX, float& directionY, float& directionZ, float& upX,
                              float& upY, float& upZ) override;

    void onMouseEvent(std::function<void()> handler) override;
    void onDrawn(std::function<void()> handler) override;

    QString backgroundTexture() const { return m_backgroundTexture; }
    bool displayOption() const { return m_displayOption; }
    std::int32_t settingValueA() const { return m_settingValues[0]; }
    std::int32_t settingValueB() const { return m_settingValues[1]; }
    std::int32_t settingValueC() const { return m_settingValues[2]; }
    std::shared_ptr<sg::SceneGraph> sceneGraph() const { return m_graph; }
    outside::ViewPtr view() const { return m_view; }

private:
    QPointer<viewport::ViewportWidget> m_widget;
    SceneRenderAdapter m_adapter;
    std::shared_ptr<sg::SceneGraph> m_graph;
    outside::ViewPtr m_view;
    QString m_backgroundTexture;
    bool m_displayOption = false;
    std::int32_t m_settingValues[3] = {0, 0, 0};
};

} // namespace vellum::studio
