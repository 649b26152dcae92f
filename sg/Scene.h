#pragma once

#include "Camera.h"
#include "Group.h"
#include "Light.h"
#include "Operation.h"
#include "ScriptSeams.h"
#include "Shape.h"
#include "ShapeEffect.h"
#include "VellumSGExport.h"

#include <QObject>
#include <optional>
#include <outside/Scene.h>

namespace vellum::sg {

// The components of one scene. Groups hang under a root group that is not in Groups; every
// light and the animation camera come with a marker shape in Shapes. Keyframe operations are
// carried by operation components, shapes of their own kind. Create with create().
class VELLUMSG_EXPORT Scene : public QObject,
                              public outside::Scene,
                              public std::enable_shared_from_this<Scene>
{
    Q_OBJECT

public:
    // What the last GroupChanged saw: the group, the frame it happened at and the key there.
    struct GroupChange
    {
        std::weak_ptr<Group> group;
        float frame = 0.0f;
        std::optional<outside::KeyRecord> key;
    };

    // An empty scene: the root group and the animation camera (ID 1) on it.
    static std::shared_ptr<Scene> create();
    ~Scene() override;

    std::shared_ptr<Group> rootGroup() const { return m_root; }
    // Codes are number × 100 + kind in 32 bits, so numbers stay at or below this one.
    static constexpr int maxItemNumber = 9'999'999;

    // Number 1..maxItemNumber, not taken; the parent defaults to the root and must be of this
    // scene.
    std::shared_ptr<Group> addGroup(int number, const QString& name,
                                    const std::shared_ptr<Group>& parent = {});
    int nextGroupNumber() const;
    std::shared_ptr<Group> group(int number) const;
    QList<std::shared_ptr<Group>> groupList() const;

    // Geometry only (markers come with their light or camera); number 0 picks the next free.
    std::shared_ptr<Shape> addShape(int kind, const QString& name,
                                    const std::shared_ptr<Group>& group = {}, int number = 0);
    std::shared_ptr<Shape> shape(int code) const;
    QList<std::shared_ptr<Shape>> shapeList() const;

    std::shared_ptr<Light> addLight(int number, const QString& name);
    std::shared_ptr<Light> light(int code) const;
    QList<std::shared_ptr<Light>> lightList() const;
    std::shared_ptr<Shape> lightMarker(int lightCode) const;

    std::shared_ptr<Camera> animationCamera() const { return m_camera; }
    std::shared_ptr<Camera> camera(int id) const;

    // Shares the shape numbers; number 0 picks the next free one.
    std::shared_ptr<Shape> addOperationComponent(const QString& name,
                                                 const std::shared_ptr<Group>& group = {},
                                                 int number = 0);
    // The component must be an operation component of this scene, the target nullptr or a
    // geometric shape of this scene. Number 0 picks the next free one.
    std::shared_ptr<Operation> addOperation(const std::shared_ptr<Shape>& component, int type,
                                            const QString& name,
                                            const std::shared_ptr<Shape>& target = {},
                                            int number = 0);
    std::shared_ptr<Operation> operation(int number) const;
    QList<std::shared_ptr<Operation>> operationList() const;
    // In the order they were added.
    QList<std::shared_ptr<Operation>> operationsOf(const Shape& component) const;
    // The component's first operation unless another was made active; nullptr for none.
    std::shared_ptr<Operation> activeOperation(const Shape& component) const;
    // Refuses an operation that is not this scene's.
    void setActiveOperation(const std::shared_ptr<Operation>& operation);
    // Every operation acting on the shape, combined; the renderer asks for each shape every
    // frame, so it does not allocate.
    ShapeEffect operationEffect(const Shape& target) const;

    // The application state's current frame, 0 while the scene is not the state's.
    float currentFrame() const;
    // Drops a pending key copy: it belonged to the frames of the state it came from.
    void setApplicationState(const std::weak_ptr<outside::ApplicationState>& state);
    std::shared_ptr<ComponentScriptEngineFactory> scriptEngineFactory() const
    {
        return m_engineFactory;
    }
    void setScriptEngineFactory(std::shared_ptr<ComponentScriptEngineFactory> factory);

    // What the last registration of animated components handed back, by kind.
    struct AnimatedComponents
    {
        QList<std::shared_ptr<Camera>> cameras;
        QList<std::shared_ptr<Light>> lights;
        QList<std::shared_ptr<Shape>> operations;
        QList<std::shared_ptr<Group>> groups;
    };
    const AnimatedComponents& animatedComponents() const { return m_animated; }

    const std::optional<GroupChange>& lastGroupChange() const { return m_lastGroupChange; }
    int animationFinishedCount() const { return m_animationFinishedCount; }

    // outside::Scene
    const outside::Collection<outside::Shape>& Shapes() override { return m_shapes; }
    const outside::Collection<outside::Light>& Lights() override { return m_lights; }
    const outside::Collection<outside::Camera>& Cameras() override { return m_cameras; }
    const outside::Collection<outside::Group>& Groups() override { return m_groups; }
    outside::GroupPtr RootGroup() override { return m_root; }
    const outside::Collection<outside::Operation>& Operations() override { return m_operations; }
    std::int32_t OperationIndex(std::int32_t objectLink) override;
    // Operands mark the component and its active operation's target; the other tables cover
    // every operation of the scene.
    outside::OperationTableSet OperationTables(std::int32_t objectLink) override;
    // Moves the shape into the group (when given), and with recalculate brings the group's
    // world transform up to date; notify and redraw raise shapeChanged and changed.
    void UpdateShape(const outside::ShapePtr& shape, const outside::GroupPtr& group,
                     bool refreshAlways, bool redraw, bool recalculate, bool notify) override;
    // Of an operation component, takes its active operation's key at the current frame as a
    // pending copy, as GroupChanged does.
    void ShapeChanged(const outside::ShapePtr& shape) override;
    // Besides notifying, takes the group's key at the current frame as a pending copy (see
    // PendingKeyCopy); it replaces any copy still pending.
    void GroupChanged(const outside::GroupPtr& group) override;
    // Makes the pending copy of the component's operation a move: the source key goes when
    // the copy lands.
    void OperationDataChanged(const outside::ShapePtr& component,
                              const outside::OperationTableSet& tables) override;
    void CameraScriptChanged(const outside::CameraPtr& camera) override;
    void LightScriptChanged(const outside::LightPtr& light) override;
    void ShapeScriptChanged(std::int32_t sceneDeviceId, const outside::ShapePtr& shape) override;
    void AnimationFinished() override;
    void ClearAnimatedComponents() override { m_animated = {}; }
    // Each refuses a component that is not this scene's.
    void AddAnimatedCamera(const outside::CameraPtr& camera) override;
    void AddAnimatedLight(const outside::LightPtr& light) override;
    void AddAnimatedOperation(const outside::ShapePtr& component) override;
    void AddAnimatedGroup(const outside::GroupPtr& group) override;

signals:
    // The views should redraw.
    void changed();
    void shapeChanged(vellum::sg::Shape* shape);
    void groupChanged(vellum::sg::Group* group, float frame);
    void scriptChanged(vellum::outside::Scripted* component);
    void shapeScriptChanged(int sceneDeviceId, vellum::sg::Shape* shape);
    void animationFinished();

private:
    friend class ApplicationState;

    // The panel copies a key by notifying GroupChanged (or ShapeChanged of an operation
    // component) at the source frame and then moving to the target: the key lands on the first
    // frame the state moves to. Without a key at the source, the present pose or amount is
    // copied as a key the curve runs through (not starting a segment), which is what setting a
    // key there would have stored.
    struct PendingKeyCopy
    {
        std::weak_ptr<outside::Keyframed> owner;
        outside::KeyRecord key; // its frame is the source frame
        bool sourceIsKey = false;
        bool move = false;
    };

    Scene();
    // Called by the state after its current frame changed to another value.
    void currentFrameMoved(float frame);
    void landKeyCopy(float frame);
    // Notices outside animation mode copy no key: the panel edits no keys then.
    bool inAnimationMode() const;
    template <typename Keyed> void queueKeyCopy(const std::shared_ptr<Keyed>& owner, float frame);
    bool holds(const Group& group) const;
    bool holds(const outside::Keyframed& owner) const;
    std::shared_ptr<Shape> placeShape(int kind, const QString& name,
                                      const std::shared_ptr<Group>& group, int number);
    std::shared_ptr<Shape> operationComponent(int objectLink) const;
    std::shared_ptr<Operation> activeOperationAt(int objectLink) const;
    int highestOperationNumber() const;
    int positionInShapes(const Shape* shape) const;
    void requireOwnShape(const std::shared_ptr<Shape>& shape) const;
    void addMarker(const std::shared_ptr<Shape>& marker, const std::shared_ptr<Group>& group);
    std::shared_ptr<Group> ownGroup(const std::shared_ptr<Group>& group) const;

    std::shared_ptr<Group> m_root;
    std::shared_ptr<Camera> m_camera;
    outside::Collection<outside::Shape> m_shapes;
    outside::Collection<outside::Light> m_lights;
    outside::Collection<outside::Camera> m_cameras;
    outside::Collection<outside::Group> m_groups;
    outside::Collection<outside::Operation> m_operations;
    QHash<int, int> m_activeOperations; // component code to operation number
    int m_nextShapeNumber = 1;
    std::weak_ptr<outside::ApplicationState> m_state;
    std::shared_ptr<ComponentScriptEngineFactory> m_engineFactory;
    std::optional<GroupChange> m_lastGroupChange;
    std::optional<PendingKeyCopy> m_pendingKeyCopy;
    int m_animationFinishedCount = 0;
    AnimatedComponents m_animated;
};

// Components handed out through the interfaces are this library's own; anything else is
// refused with a type mismatch (and nullptr with "Object required").
template <typename Typed, typename Interface>
std::shared_ptr<Typed> typedComponent(const std::shared_ptr<Interface>& component)
{
    if (!component)
        throw Error(ErrorNumber::ObjectRequired, QStringLiteral("Object required"));
    auto typed = std::dynamic_pointer_cast<Typed>(component);
    if (!typed)
        throw Error::typeMismatch();
    return typed;
}

} // namespace vellum::sg
