#pragma once

#include "AutotestExport.h"
#include "PlaybackRun.h"

#include <QWidget>
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
    void setCaption(const QString& caption) override;

    outside::Viewport& viewport() { return *m_viewport; }
    // The scene graph the control is bound to.
    outside::SceneGraphPtr cCSG() const;

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
    // While a recording, snapshot or preview runs, what the viewport drew becomes the offscreen
    // picture.
    void captureDrawnFrame();

    std::unique_ptr<outside::Viewport> m_viewport;
    QWidget* m_picDummy = nullptr;
};

// Anti-aliasing of the window's viewport for a recording level: 0, 2 or 4 samples per edge.
VELLUM_AUTOTEST_EXPORT int viewportAntiAliasing(int recordAntiAlias);

} // namespace vellum::animation
