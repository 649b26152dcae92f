#include "GhostTrail.h"

#include "SceneRenderAdapter.h"

#include <sg/Shape.h>

namespace vellum::studio {

namespace {

// A cool tint tells a ghost from the shape itself where both overlap.
QColor ghostColour(const QColor& colour)
{
    constexpr float tint = 0.35f;
    const QColor towards(150, 190, 255);
    const auto mix = [](int from, int to) { return int(float(from) + float(to - from) * tint); };
    return QColor(mix(colour.red(), towards.red()), mix(colour.green(), towards.green()),
                  mix(colour.blue(), towards.blue()));
}

} // namespace

GhostTrail::GhostTrail(QObject* parent) : QObject(parent)
{
    m_holdTimer.setSingleShot(true);
    connect(&m_holdTimer, &QTimer::timeout, this, [this] {
        clear();
        Q_EMIT changed();
    });
}

void GhostTrail::addSet(const viewport::RenderScene& built, const SceneRenderAdapter& adapter)
{
    if (!m_runOpen) {
        clear();
        m_runOpen = true;
    }
    for (qsizetype i = 0; i < built.items.size(); ++i) {
        const auto shape = adapter.shapeAt(int(i));
        if (!shape || !shape->isGeometric())
            continue;
        viewport::RenderItem ghost = built.items.at(i);
        ghost.colour = ghostColour(shape->colour());
        ghost.opacity = Opacity;
        m_items.append(std::move(ghost));
    }
    ++m_setCount;
}

void GhostTrail::hold(int milliseconds)
{
    m_runOpen = false;
    if (m_items.isEmpty())
        return;
    setOpacity(HeldOpacity);
    m_holdTimer.start(std::max(milliseconds, 0));
    Q_EMIT changed();
}

void GhostTrail::clear()
{
    m_holdTimer.stop();
    m_items.clear();
    m_setCount = 0;
}

void GhostTrail::appendTo(viewport::RenderScene& scene) const
{
    scene.items.append(m_items);
}

void GhostTrail::setOpacity(float opacity)
{
    for (viewport::RenderItem& item : m_items)
        item.opacity = opacity;
}

} // namespace vellum::studio
