#pragma once

#include "AutotestExport.h"
#include "PlaybackRun.h"

#include <QWidget>
#include <functional>
#include <memory>

namespace vellum::outside {
class Viewport;
}

namespace vellum::animation {

// The window in which the panel draws the animation itself: over the whole rendering area for
// full-screen playback, or as the drawing surface of a recording. Any key in it, or a press in
// its viewport, stops the run.
class AnimationWindow : public QWidget, public RunWindow
{
public:
    // Loads the window: the viewport from the host, its background and settings.
    explicit AnimationWindow(QWidget* owner);
    ~AnimationWindow() override;

    void prepare(int mode) override;
    void handOff(const outside::Vector3& position, const outside::Vector3& direction,
                 const outside::Vector3& up, outside::Camera& camera) override;
    void draw() override;

    outside::Viewport& viewport() { return *m_viewport; }
    // The scene graph the control is bound to.
    outside::SceneGraphPtr cCSG() const;
    // Called after each drawing of the viewport (the recording captures there).
    void onDrawn(std::function<void()> handler) { m_drawnHandler = std::move(handler); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    // Tab and Shift+Tab stop the run like any other key instead of moving the focus.
    bool focusNextPrevChild(bool next) override;

private:
    void placeOver(int mode);
    void bringToFront();
    void showInitialCamera();
    void placeCamera(const outside::Vector3& position, const outside::Vector3& direction,
                     const outside::Vector3& up);

    std::unique_ptr<outside::Viewport> m_viewport;
    QWidget* m_picDummy = nullptr;
    std::function<void()> m_drawnHandler;
};

// Anti-aliasing of the window's viewport for a recording level: 0, 2 or 4 samples per edge.
VELLUM_AUTOTEST_EXPORT int viewportAntiAliasing(int recordAntiAlias);

} // namespace vellum::animation
