#pragma once

#include <QHash>
#include <QVector3D>
#include <memory>
#include <viewport/RenderMesh.h>

namespace vellum::sg {
class Shape;
}

namespace vellum::studio {

// Render meshes of shapes, converted once per distinct geometry (kind and size): playback
// redraws every frame, and shapes only move.
class MeshCache
{
public:
    std::shared_ptr<const viewport::RenderMesh> meshFor(const sg::Shape& shape);

    // How many meshes were converted since creation; tells a rebuild from a cache hit.
    int conversions() const { return m_conversions; }
    void clear() { m_meshes.clear(); }

private:
    struct Key
    {
        int kind = 0;
        QVector3D dimensions;
        friend bool operator==(const Key&, const Key&) = default;
    };
    friend size_t qHash(const Key& key, size_t seed)
    {
        return qHashMulti(seed, key.kind, key.dimensions.x(), key.dimensions.y(),
                          key.dimensions.z());
    }

    QHash<Key, std::shared_ptr<const viewport::RenderMesh>> m_meshes;
    int m_conversions = 0;
};

} // namespace vellum::studio
