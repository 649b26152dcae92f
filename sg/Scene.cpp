#include "Scene.h"

#include "SgError.h"

#include <outside/ApplicationState.h>
#include <outside/Enumerations.h>

namespace vellum::sg {

namespace {

QString keyOf(int code)
{
    return QString::number(code);
}

template <typename Typed, typename Interface>
QList<std::shared_ptr<Typed>> typedList(const outside::Collection<Interface>& collection)
{
    QList<std::shared_ptr<Typed>> result;
    result.reserve(collection.Count());
    for (const auto& item : collection)
        result.append(std::static_pointer_cast<Typed>(item));
    return result;
}

} // namespace

Scene::Scene() = default;
Scene::~Scene() = default;

std::shared_ptr<Scene> Scene::create()
{
    std::shared_ptr<Scene> scene(new Scene);
    scene->m_root = std::make_shared<Group>(0, QStringLiteral("Scene"));
    scene->m_root->setScene(scene);

    scene->m_camera = std::make_shared<Camera>(1);
    scene->m_camera->setScene(scene);
    scene->m_cameras.Add(scene->m_camera, QString::number(scene->m_camera->id()));
    auto marker = std::make_shared<Shape>(ShapeKind::CameraMarker, scene->m_camera->id(),
                                          scene->m_camera->name());
    marker->setObjectLink(scene->m_camera->id());
    scene->addMarker(marker, scene->m_root);
    scene->m_camera->setMarker(marker);
    scene->m_camera->setParentGroup(scene->m_root);
    return scene;
}

void Scene::addMarker(const std::shared_ptr<Shape>& marker, const std::shared_ptr<Group>& group)
{
    m_shapes.Add(marker, keyOf(marker->code()));
    marker->setScene(weak_from_this());
    marker->setParentGroup(group);
}

std::shared_ptr<Group> Scene::ownGroup(const std::shared_ptr<Group>& group) const
{
    if (!group)
        return m_root;
    if (group->scene().get() != this)
        throw Error::invalidProcedureCall();
    return group;
}

std::shared_ptr<Group> Scene::addGroup(int number, const QString& name,
                                       const std::shared_ptr<Group>& parent)
{
    if (number < 1 || number > maxItemNumber)
        throw Error::invalidPropertyValue();
    const auto under = ownGroup(parent);
    auto group = std::make_shared<Group>(number, name);
    m_groups.Add(group, keyOf(group->code()));
    group->setScene(weak_from_this());
    under->addChild(group);
    return group;
}

int Scene::nextGroupNumber() const
{
    int highest = 0;
    for (const auto& group : m_groups)
        highest = std::max(highest, int(group->Number()));
    return highest + 1;
}

std::shared_ptr<Group> Scene::group(int number) const
{
    if (number < 1 || number > maxItemNumber)
        return nullptr;
    return std::static_pointer_cast<Group>(
        m_groups.find(keyOf(number * 100 + outside::Kind::Group)));
}

QList<std::shared_ptr<Group>> Scene::groupList() const
{
    return typedList<Group>(m_groups);
}

std::shared_ptr<Shape> Scene::addShape(int kind, const QString& name,
                                       const std::shared_ptr<Group>& group, int number)
{
    if (!isGeometricKind(kind))
        throw Error::invalidPropertyValue();
    return placeShape(kind, name, group, number);
}

std::shared_ptr<Shape> Scene::placeShape(int kind, const QString& name,
                                         const std::shared_ptr<Group>& group, int number)
{
    if (number < 0 || number > maxItemNumber)
        throw Error::invalidPropertyValue();
    const auto in = ownGroup(group);
    auto shape = std::make_shared<Shape>(kind, number > 0 ? number : m_nextShapeNumber, name);
    m_shapes.Add(shape, keyOf(shape->code()));
    m_nextShapeNumber = std::max(m_nextShapeNumber, shape->number() + 1);
    shape->setScene(weak_from_this());
    shape->setParentGroup(in);
    return shape;
}

std::shared_ptr<Shape> Scene::shape(int code) const
{
    return std::static_pointer_cast<Shape>(m_shapes.find(keyOf(code)));
}

QList<std::shared_ptr<Shape>> Scene::shapeList() const
{
    return typedList<Shape>(m_shapes);
}

std::shared_ptr<Light> Scene::addLight(int number, const QString& name)
{
    if (number < 1 || number > maxItemNumber)
        throw Error::invalidPropertyValue();
    auto light = std::make_shared<Light>(number, name);
    m_lights.Add(light, keyOf(light->code()));
    light->setScene(weak_from_this());
    auto marker = std::make_shared<Shape>(ShapeKind::LightMarker, number, name);
    marker->setLightLink(light->code());
    addMarker(marker, m_root);
    return light;
}

std::shared_ptr<Light> Scene::light(int code) const
{
    return std::static_pointer_cast<Light>(m_lights.find(keyOf(code)));
}

QList<std::shared_ptr<Light>> Scene::lightList() const
{
    return typedList<Light>(m_lights);
}

std::shared_ptr<Shape> Scene::lightMarker(int lightCode) const
{
    for (const auto& item : m_shapes) {
        auto shape = std::static_pointer_cast<Shape>(item);
        if (shape->kind() == ShapeKind::LightMarker && shape->LightLink() == lightCode)
            return shape;
    }
    return nullptr;
}

std::shared_ptr<Camera> Scene::camera(int id) const
{
    return std::static_pointer_cast<Camera>(m_cameras.find(QString::number(id)));
}

void Scene::requireOwnShape(const std::shared_ptr<Shape>& shape) const
{
    if (!shape)
        throw objectRequired();
    if (m_shapes.find(keyOf(shape->code())) != shape)
        throw Error::invalidProcedureCall();
}

std::shared_ptr<Shape> Scene::addOperationComponent(const QString& name,
                                                    const std::shared_ptr<Group>& group, int number)
{
    auto component = placeShape(ShapeKind::OperationMarker, name, group, number);
    component->setObjectLink(component->code());
    return component;
}

std::shared_ptr<Operation> Scene::addOperation(const std::shared_ptr<Shape>& component, int type,
                                               const QString& name,
                                               const std::shared_ptr<Shape>& target, int number)
{
    requireOwnShape(component);
    if (component->kind() != ShapeKind::OperationMarker || number < 0 || number > maxItemNumber)
        throw Error::invalidPropertyValue();
    if (target)
        requireOwnShape(target);
    auto operation =
        std::make_shared<Operation>(number > 0 ? number : highestOperationNumber() + 1, name, type);
    operation->setTarget(target);
    m_operations.Add(operation, keyOf(operation->number()));
    operation->setComponent(component);
    operation->setScene(weak_from_this());
    return operation;
}

int Scene::highestOperationNumber() const
{
    int highest = 0;
    for (const auto& operation : m_operations)
        highest = std::max(highest, int(operation->Number()));
    return highest;
}

std::shared_ptr<Operation> Scene::operation(int number) const
{
    return std::static_pointer_cast<Operation>(m_operations.find(keyOf(number)));
}

QList<std::shared_ptr<Operation>> Scene::operationList() const
{
    return typedList<Operation>(m_operations);
}

QList<std::shared_ptr<Operation>> Scene::operationsOf(const Shape& component) const
{
    QList<std::shared_ptr<Operation>> result;
    for (const auto& item : m_operations) {
        auto operation = std::static_pointer_cast<Operation>(item);
        if (operation->component().get() == &component)
            result.append(std::move(operation));
    }
    return result;
}

std::shared_ptr<Operation> Scene::activeOperation(const Shape& component) const
{
    const auto carried = operationsOf(component);
    const int active = m_activeOperations.value(component.code());
    const auto found = std::find_if(carried.cbegin(), carried.cend(),
                                    [active](const auto& o) { return o->number() == active; });
    if (found != carried.cend())
        return *found;
    return carried.isEmpty() ? nullptr : carried.first();
}

void Scene::setActiveOperation(const std::shared_ptr<Operation>& operation)
{
    if (!operation)
        throw objectRequired();
    const auto component = operation->component();
    if (this->operation(operation->number()) != operation || !component)
        throw Error::invalidProcedureCall();
    m_activeOperations.insert(component->code(), operation->number());
}

ShapeEffect Scene::operationEffect(const Shape& target) const
{
    ShapeEffect effect;
    effect.colour = target.colour();
    for (const auto& item : m_operations) {
        const auto& operation = static_cast<const Operation&>(*item);
        if (operation.actsOn(target))
            effect.add(operation.type(), operation.amount(), operation.tint());
    }
    return effect;
}

std::shared_ptr<Shape> Scene::operationComponent(int objectLink) const
{
    for (const auto& item : m_shapes) {
        auto& shape = static_cast<Shape&>(*item);
        if (shape.kind() == ShapeKind::OperationMarker && shape.ObjectLink() == objectLink)
            return std::static_pointer_cast<Shape>(item);
    }
    return nullptr;
}

int Scene::positionInShapes(const Shape* shape) const
{
    for (int i = 0; i < m_shapes.Count(); ++i)
        if (m_shapes.Item(i + 1).get() == shape)
            return i + 1;
    return 0;
}

std::shared_ptr<Operation> Scene::activeOperationAt(int objectLink) const
{
    const auto component = operationComponent(objectLink);
    return component ? activeOperation(*component) : nullptr;
}

std::int32_t Scene::OperationIndex(std::int32_t objectLink)
{
    const auto active = activeOperationAt(objectLink);
    return active ? active->number() : 0;
}

outside::OperationTableSet Scene::OperationTables(std::int32_t objectLink)
{
    outside::OperationTableSet tables;
    const int highest = highestOperationNumber();
    tables.operands.fill(0, m_shapes.Count() + 1);
    tables.types.fill(0, highest + 1);
    tables.targetKinds.fill(0, highest + 1);
    tables.loopModes.fill(0, highest + 1);
    for (const auto& operation : operationList()) {
        const auto target = operation->target();
        tables.types[operation->number()] = operation->type();
        tables.targetKinds[operation->number()] = target ? target->kind() : 0;
        tables.loopModes[operation->number()] = operation->LoopMode();
    }

    const auto active = activeOperationAt(objectLink);
    if (!active)
        return tables;
    tables.operands[positionInShapes(active->component().get())] = 1;
    if (const auto target = active->target())
        tables.operands[positionInShapes(target.get())] = 1;
    return tables;
}

float Scene::currentFrame() const
{
    const auto state = m_state.lock();
    return state ? state->CurrentFrame() : 0.0f;
}

bool Scene::inAnimationMode() const
{
    const auto state = m_state.lock();
    return state && state->Mode() == outside::ModeAnimation;
}

void Scene::setApplicationState(const std::weak_ptr<outside::ApplicationState>& state)
{
    m_state = state;
    m_pendingKeyCopy.reset();
}

bool Scene::holds(const Group& group) const
{
    return &group == m_root.get() || m_groups.find(keyOf(group.code())).get() == &group;
}

bool Scene::holds(const outside::Keyframed& owner) const
{
    if (const auto* group = dynamic_cast<const Group*>(&owner))
        return holds(*group);
    const auto* operation = dynamic_cast<const Operation*>(&owner);
    return operation && m_operations.find(keyOf(operation->number())).get() == operation;
}

void Scene::currentFrameMoved(float frame)
{
    landKeyCopy(frame);
    for (const auto& operation : m_operations)
        static_cast<Operation&>(*operation).applyFrame(frame);
}

void Scene::landKeyCopy(float frame)
{
    if (!m_pendingKeyCopy)
        return;
    const PendingKeyCopy copy = *std::exchange(m_pendingKeyCopy, std::nullopt);
    const auto owner = copy.owner.lock();
    if (!owner || !holds(*owner))
        return;
    outside::KeyRecord key = copy.key;
    key.frame = frame;
    owner->AddKeyFrame(key);
    if (copy.move && copy.sourceIsKey)
        owner->RemoveKeyFrame(copy.key.frame);
}

template <typename Keyed> void Scene::queueKeyCopy(const std::shared_ptr<Keyed>& owner, float frame)
{
    m_pendingKeyCopy = PendingKeyCopy{owner, owner->keyOrStateAt(frame),
                                      owner->keyTrack().find(frame) != nullptr, false};
}

void Scene::setScriptEngineFactory(std::shared_ptr<ComponentScriptEngineFactory> factory)
{
    m_engineFactory = std::move(factory);
}

void Scene::UpdateShape(const outside::ShapePtr& shape, const outside::GroupPtr& group,
                        bool refreshAlways, bool redraw, bool recalculate, bool notify)
{
    const auto typed = typedComponent<Shape>(shape);
    if (group)
        typed->setParentGroup(ownGroup(typedComponent<Group>(group)));
    typed->setRefreshAlways(refreshAlways);
    if (recalculate)
        if (const auto in = typed->parentGroup())
            in->RefreshTree(false);
    if (notify)
        emit shapeChanged(typed.get());
    if (redraw)
        emit changed();
}

void Scene::ShapeChanged(const outside::ShapePtr& shape)
{
    const auto typed = typedComponent<Shape>(shape);
    const bool copies = !typed->takeBackupNotice() && inAnimationMode();
    if (copies && typed->kind() == ShapeKind::OperationMarker)
        if (const auto operation = activeOperation(*typed))
            queueKeyCopy(operation, currentFrame());
    emit shapeChanged(typed.get());
    emit changed();
}

void Scene::GroupChanged(const outside::GroupPtr& group)
{
    const auto typed = typedComponent<Group>(group);
    typed->dropScriptEngine();
    GroupChange change;
    change.group = typed;
    change.frame = currentFrame();
    if (const auto* key = typed->keyTrack().find(change.frame))
        change.key = *key;
    m_lastGroupChange = change;

    // Told of an edited script: nothing to copy.
    if (!typed->takeScriptEditNotice())
        queueKeyCopy(typed, change.frame);
    emit groupChanged(typed.get(), change.frame);
    emit changed();
}

void Scene::OperationDataChanged(const outside::ShapePtr& component,
                                 const outside::OperationTableSet&)
{
    const auto operation = activeOperation(*typedComponent<Shape>(component));
    if (operation && m_pendingKeyCopy && m_pendingKeyCopy->owner.lock() == operation)
        m_pendingKeyCopy->move = true;
    emit changed();
}

void Scene::CameraScriptChanged(const outside::CameraPtr& camera)
{
    const auto typed = typedComponent<Camera>(camera);
    typed->dropScriptEngine();
    emit scriptChanged(typed.get());
    emit changed();
}

void Scene::LightScriptChanged(const outside::LightPtr& light)
{
    const auto typed = typedComponent<Light>(light);
    typed->dropScriptEngine();
    emit scriptChanged(typed.get());
    emit changed();
}

void Scene::ShapeScriptChanged(std::int32_t sceneDeviceId, const outside::ShapePtr& shape)
{
    const auto typed = typedComponent<Shape>(shape);
    typed->dropScriptEngine();
    emit scriptChanged(typed.get());
    emit shapeScriptChanged(sceneDeviceId, typed.get());
    emit changed();
}

void Scene::AnimationFinished()
{
    ++m_animationFinishedCount;
    emit animationFinished();
}

namespace {

template <typename Component>
void addOwn(QList<std::shared_ptr<Component>>& list, const std::shared_ptr<Component>& component,
            const Scene* scene)
{
    if (component->scene().get() != scene)
        throw Error::invalidProcedureCall();
    if (!list.contains(component))
        list.append(component);
}

} // namespace

void Scene::AddAnimatedCamera(const outside::CameraPtr& camera)
{
    addOwn(m_animated.cameras, typedComponent<Camera>(camera), this);
}

void Scene::AddAnimatedLight(const outside::LightPtr& light)
{
    addOwn(m_animated.lights, typedComponent<Light>(light), this);
}

void Scene::AddAnimatedOperation(const outside::ShapePtr& component)
{
    addOwn(m_animated.operations, typedComponent<Shape>(component), this);
}

void Scene::AddAnimatedGroup(const outside::GroupPtr& group)
{
    addOwn(m_animated.groups, typedComponent<Group>(group), this);
}

} // namespace vellum::sg
