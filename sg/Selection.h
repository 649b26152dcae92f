#pragma once

#include "VellumSGExport.h"

#include <QHash>
#include <QList>
#include <memory>

namespace vellum::sg {

class Shape;

// What is selected on each scene device: primary items in selection order, and a secondary
// selection beside them.
class VELLUMSG_EXPORT Selection
{
public:
    // Replaces the device's whole selection with the one shape.
    void select(int deviceId, const std::shared_ptr<Shape>& shape);
    // Appends; a shape already selected stays where it is.
    void add(int deviceId, const std::shared_ptr<Shape>& shape, bool secondary = false);
    void remove(int deviceId, const Shape* shape);
    void clear(int deviceId);
    void clearAll() { m_devices.clear(); }

    QList<std::shared_ptr<Shape>> items(int deviceId) const;
    QList<std::shared_ptr<Shape>> secondaryItems(int deviceId) const;
    int count(int deviceId) const;
    int secondaryCount(int deviceId) const;
    // Zero-based; refuses an index outside the selection.
    std::shared_ptr<Shape> item(int deviceId, int index) const;

private:
    struct DeviceSelection
    {
        QList<std::shared_ptr<Shape>> primary;
        QList<std::shared_ptr<Shape>> secondary;
    };
    QHash<int, DeviceSelection> m_devices;
};

} // namespace vellum::sg
