#pragma once

#include "KeyframedBase.h"
#include "SequenceStore.h"
#include "VellumSGExport.h"

#include <QColor>
#include <memory>
#include <outside/Operation.h>

namespace vellum::sg {

class Scene;
class Shape;

// A keyframed modifier that an operation component applies to one geometric shape (see
// OperationType). Its keys hold the amount in payloadHead.
class VELLUMSG_EXPORT Operation : public KeyframedBase<outside::Operation>,
                                  public std::enable_shared_from_this<Operation>
{
public:
    // Refuses a number below 1 and an unknown type; starts at the type's rest amount.
    Operation(int number, QString name, int type);

    int number() const { return m_number; }
    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }
    int type() const { return m_type; }

    std::shared_ptr<Shape> component() const { return m_component.lock(); }
    void setComponent(const std::shared_ptr<Shape>& component) { m_component = component; }
    // Empty while unbound.
    std::shared_ptr<Shape> target() const { return m_target.lock(); }
    bool actsOn(const Shape& shape) const;
    // Refuses a shape that is not geometric; nullptr unbinds.
    void setTarget(const std::shared_ptr<Shape>& target);

    float amount() const { return m_amount; }
    void setAmount(float amount); // finite
    QColor tint() const { return m_tint; }
    void setTint(const QColor& tint) { m_tint = tint; }

    // The amount the keys give at the frame; the rest amount without keys.
    float amountAt(float frame) const noexcept;
    // With keys, takes the amount they give at the frame.
    void applyFrame(float frame);

    SequenceStore& sequences() { return m_sequences; }
    const SequenceStore& sequences() const { return m_sequences; }

    std::shared_ptr<Scene> scene() const { return m_scene.lock(); }
    void setScene(const std::weak_ptr<Scene>& scene) { m_scene = scene; }

    // outside::Operation
    std::int32_t Number() override { return m_number; }
    QString Name() override { return m_name; }

protected:
    float currentFrame() const override;
    void writeState(outside::KeyRecord& key) const override;
    void keysChanged() override;

private:
    int m_number;
    QString m_name;
    int m_type;
    float m_amount;
    QColor m_tint = Qt::red;
    std::weak_ptr<Shape> m_component;
    std::weak_ptr<Shape> m_target;
    SequenceStore m_sequences;
    std::weak_ptr<Scene> m_scene;
};

} // namespace vellum::sg
