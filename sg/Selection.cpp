#include "Selection.h"

#include "SgError.h"

namespace vellum::sg {

void Selection::select(int deviceId, const std::shared_ptr<Shape>& shape)
{
    if (!shape)
        throw objectRequired();
    m_devices[deviceId] = DeviceSelection{{shape}, {}};
}

void Selection::add(int deviceId, const std::shared_ptr<Shape>& shape, bool secondary)
{
    if (!shape)
        throw objectRequired();
    auto& device = m_devices[deviceId];
    if (device.primary.contains(shape) || device.secondary.contains(shape))
        return;
    (secondary ? device.secondary : device.primary).append(shape);
}

void Selection::remove(int deviceId, const Shape* shape)
{
    const auto found = m_devices.find(deviceId);
    if (found == m_devices.end())
        return;
    const auto same = [shape](const std::shared_ptr<Shape>& s) { return s.get() == shape; };
    found->primary.removeIf(same);
    found->secondary.removeIf(same);
}

void Selection::clear(int deviceId)
{
    m_devices.remove(deviceId);
}

QList<std::shared_ptr<Shape>> Selection::items(int deviceId) const
{
    return m_devices.value(deviceId).primary;
}

QList<std::shared_ptr<Shape>> Selection::secondaryItems(int deviceId) const
{
    return m_devices.value(deviceId).secondary;
}

int Selection::count(int deviceId) const
{
    const auto found = m_devices.constFind(deviceId);
    return found == m_devices.cend() ? 0 : int(found->primary.size());
}

int Selection::secondaryCount(int deviceId) const
{
    const auto found = m_devices.constFind(deviceId);
    return found == m_devices.cend() ? 0 : int(found->secondary.size());
}

std::shared_ptr<Shape> Selection::item(int deviceId, int index) const
{
    const auto found = m_devices.constFind(deviceId);
    if (found == m_devices.cend() || index < 0 || index >= found->primary.size())
        throw subscriptOutOfRange();
    return found->primary[index];
}

} // namespace vellum::sg
