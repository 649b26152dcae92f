#include "AnimationCommands.h"

#include "Scene.h"

#include <algorithm>

namespace vellum::sg {

namespace {

std::shared_ptr<Operation> operationOf(const outside::ScenePtr& scene, std::int32_t number)
{
    auto operation = typedComponent<Scene>(scene)->operation(number);
    if (!operation)
        throw Error::invalidProcedureCall();
    return operation;
}

// What the sequence commands work on: an item's keys and the sequences cut from them.
struct SequenceItem
{
    const KeyTrack& track;
    SequenceStore& store;
    outside::Keyframed& keyed;
};

template <typename Component> SequenceItem itemOf(const std::shared_ptr<Component>& component)
{
    if (!component)
        throw Error::invalidProcedureCall();
    return SequenceItem{component->keyTrack(), component->sequences(), *component};
}

SequenceItem sequenceItem(const outside::ScenePtr& scene, std::int32_t kind, std::int32_t number)
{
    const auto typed = typedComponent<Scene>(scene);
    switch (kind) {
    case outside::Kind::Group:
        return itemOf(number > 0 ? typed->group(number) : nullptr);
    case outside::Kind::Operation:
        return itemOf(typed->operation(number));
    default:
        throw Error::invalidProcedureCall();
    }
}

// Hands the keyed component of a timeline row's code to the edit; an unknown one is refused.
template <typename Edit>
void editItemKeys(const outside::ScenePtr& scene, std::int32_t itemCode, Edit&& edit)
{
    const auto typed = typedComponent<Scene>(scene);
    const auto apply = [&](const auto& component) {
        if (!component)
            throw Error::invalidProcedureCall();
        component->editKeys(edit);
    };
    const int kind = itemCode % 100;
    if (kind == outside::Kind::Group)
        apply(itemCode / 100 > 0 ? typed->group(itemCode / 100) : nullptr);
    else if (kind == outside::Kind::Operation)
        apply(typed->operation(itemCode / 100));
    else if (kind >= outside::Kind::Light && kind <= outside::Kind::LightLast)
        apply(typed->light(itemCode));
    else if (kind == outside::Kind::Camera)
        apply(typed->camera(itemCode / 100));
    else
        throw Error::invalidProcedureCall();
}

} // namespace

void AnimationCommands::MoveKeyFrames(const outside::ScenePtr& scene, std::int32_t itemCode,
                                      std::int32_t fixedCols, std::int32_t leftColumn,
                                      std::int32_t rightColumn, std::int32_t offset, bool copy)
{
    editItemKeys(scene, itemCode, [&](KeyTrack& track) {
        track.moveBlock(float(leftColumn - fixedCols), float(rightColumn - fixedCols),
                        float(offset), copy);
    });
}

void AnimationCommands::ScaleKeyFrames(const outside::ScenePtr& scene, std::int32_t itemCode,
                                       std::int32_t fixedCols, std::int32_t leftColumn,
                                       std::int32_t rightColumn, double factor)
{
    editItemKeys(scene, itemCode, [&](KeyTrack& track) {
        track.stretchBlock(float(leftColumn - fixedCols), float(rightColumn - fixedCols), factor);
    });
}

void AnimationCommands::DeleteKeyFrames(const outside::ScenePtr& scene, std::int32_t itemCode,
                                        std::int32_t startColumn, std::int32_t endColumn,
                                        std::int32_t fixedCols)
{
    editItemKeys(scene, itemCode, [&](KeyTrack& track) {
        track.removeBlock(float(startColumn - fixedCols), float(endColumn - fixedCols));
    });
}

QList<std::int32_t> AnimationCommands::ShapeOperations(const outside::ScenePtr& scene,
                                                       const outside::ShapePtr& shape)
{
    QList<std::int32_t> numbers;
    for (const auto& operation :
         typedComponent<Scene>(scene)->operationsOf(*typedComponent<Shape>(shape)))
        numbers.append(operation->number());
    return numbers;
}

QString AnimationCommands::OperationName(const outside::ScenePtr& scene, std::int32_t operation)
{
    return operationOf(scene, operation)->name();
}

QList<outside::KeyRecord> AnimationCommands::OperationKeys(const outside::ScenePtr& scene,
                                                           std::int32_t operation)
{
    return operationOf(scene, operation)->AnimationData();
}

std::int32_t AnimationCommands::OperationLoopMode(const outside::ScenePtr& scene,
                                                  std::int32_t operation)
{
    return operationOf(scene, operation)->LoopMode();
}

void AnimationCommands::SetOperationLoopMode(const outside::ScenePtr& scene, std::int32_t operation,
                                             std::int32_t loopMode)
{
    operationOf(scene, operation)->setLoopMode(loopMode);
}

void AnimationCommands::OperationKeyAtFrame(const outside::ScenePtr& scene, std::int32_t operation,
                                            float frame, bool& isKey, bool& segmentStart)
{
    const auto* key = operationOf(scene, operation)->keyTrack().find(frame);
    isKey = key != nullptr;
    segmentStart = key && key->startsSegment();
}

std::int32_t AnimationCommands::OperationKeysBefore(const outside::ScenePtr& scene,
                                                    std::int32_t operation, float frame)
{
    const auto& keys = operationOf(scene, operation)->keyTrack().keys();
    return std::int32_t(std::count_if(keys.cbegin(), keys.cend(),
                                      [frame](const auto& key) { return key.frame < frame; }));
}

void AnimationCommands::OperationFirstKey(const outside::ScenePtr& scene, std::int32_t operation,
                                          std::int32_t& count, float& frame)
{
    const KeyTrack& track = operationOf(scene, operation)->keyTrack();
    count = track.count();
    frame = track.isEmpty() ? 0.0f : track.keys().front().frame;
}

QStringList AnimationCommands::GroupSequenceNames(const outside::ScenePtr& scene,
                                                  std::int32_t groupCode)
{
    if (groupCode % 100 != outside::Kind::Group)
        throw Error::invalidProcedureCall();
    return sequenceItem(scene, outside::Kind::Group, groupCode / 100).store.names();
}

QStringList AnimationCommands::OperationSequenceNames(const outside::ScenePtr& scene,
                                                      std::int32_t operation)
{
    return operationOf(scene, operation)->sequences().names();
}

void AnimationCommands::AddSequence(const outside::ScenePtr& scene, const QString& name,
                                    std::int32_t kind, std::int32_t number, std::int32_t leftColumn,
                                    std::int32_t rightColumn, std::int32_t fixedCols,
                                    std::int32_t firstFrame)
{
    const SequenceItem item = sequenceItem(scene, kind, number);
    item.store.add(name, item.track, float(leftColumn - fixedCols), float(rightColumn - fixedCols),
                   float(firstFrame));
}

void AnimationCommands::RenameSequence(const outside::ScenePtr& scene, std::int32_t kind,
                                       std::int32_t number, const QString& oldName,
                                       const QString& newName)
{
    sequenceItem(scene, kind, number).store.rename(oldName, newName);
}

void AnimationCommands::DeleteSequence(const outside::ScenePtr& scene, std::int32_t kind,
                                       std::int32_t number, const QString& name)
{
    sequenceItem(scene, kind, number).store.remove(name);
}

void AnimationCommands::RetrieveSequence(const outside::ScenePtr& scene, std::int32_t kind,
                                         std::int32_t number, const QString& name,
                                         std::int32_t firstFrame)
{
    const SequenceItem item = sequenceItem(scene, kind, number);
    for (const auto& key : item.store.placed(name, float(firstFrame)))
        item.keyed.AddKeyFrame(key);
}

} // namespace vellum::sg
