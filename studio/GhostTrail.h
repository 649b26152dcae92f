#pragma once

#include <QList>
#include <QObject>
#include <QTimer>
#include <viewport/RenderScene.h>

namespace vellum::studio {

class SceneRenderAdapter;

// The ghost copies of a ghost run: one set of translucent shapes per drawn frame, kept until the
// run is over and then, faded further, for as long as the panel asks.
class GhostTrail : public QObject
{
    Q_OBJECT

public:
    static constexpr float Opacity = 0.3f;
    static constexpr float HeldOpacity = 0.18f;

    explicit GhostTrail(QObject* parent = nullptr);

    // The geometric items of a scene the adapter built last become one more set. The first set
    // after a finished run replaces whatever that run left.
    void addSet(const viewport::RenderScene& built, const SceneRenderAdapter& adapter);
    // No more sets belong to the present run.
    void closeRun() { m_runOpen = false; }
    // Keeps the ghosts, faded, for that long, and then lets them go; changed() both times.
    void hold(int milliseconds);
    void clear();

    // Behind the scene's own items: blended items are drawn after the opaque ones anyway.
    void appendTo(viewport::RenderScene& scene) const;

    int setCount() const { return m_setCount; }
    bool isEmpty() const { return m_items.isEmpty(); }
    bool isHeld() const { return m_holdTimer.isActive(); }

Q_SIGNALS:
    // What the views should show is different now.
    void changed();

private:
    void setOpacity(float opacity);

    QList<viewport::RenderItem> m_items;
    QTimer m_holdTimer;
    int m_setCount = 0;
    bool m_runOpen = false;
};

} // namespace vellum::studio
