#pragma once

#include <functional>

class QMainWindow;
class QMenu;

namespace vellum::sg {
class Scene;
}

namespace vellum::studio {

// What the Add menu puts into a scene, each at the origin.
enum class Addition
{
    Box,
    Sphere,
    Cylinder,
    Plane,
    PointLight
};

// The new component as the outliner lists it: its item type and number or code.
struct Added
{
    int type;
    int id;
};

// A shape comes in a group of its own, so that it can be posed and keyed at once.
Added addToScene(sg::Scene& scene, Addition what);

// Adds the Add menu to the window's menu bar; choosing an entry calls add.
QMenu* addAddMenu(QMainWindow& window, std::function<void(Addition)> add);

} // namespace vellum::studio
