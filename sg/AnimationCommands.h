#pragma once

#include "VellumSGExport.h"

#include <outside/AnimationCommands.h>

namespace vellum::sg {

class Operation;
class Scene;

// The key and sequence commands over this library's scenes; a scene of another kind is refused
// with a type mismatch, an unknown group or operation as an invalid call.
class VELLUMSG_EXPORT AnimationCommands : public outside::AnimationCommands
{
public:
    QList<std::int32_t> ShapeOperations(const outside::ScenePtr& scene,
                                        const outside::ShapePtr& shape) override;
    QString OperationName(const outside::ScenePtr& scene, std::int32_t operation) override;
    QList<outside::KeyRecord> OperationKeys(const outside::ScenePtr& scene,
                                            std::int32_t operation) override;
    std::int32_t OperationLoopMode(const outside::ScenePtr& scene, std::int32_t operation) override;
    void SetOperationLoopMode(const outside::ScenePtr& scene, std::int32_t operation,
                              std::int32_t loopMode) override;

    void OperationKeyAtFrame(const outside::ScenePtr& scene, std::int32_t operation, float frame,
                             bool& isKey, bool& segmentStart) override;
    std::int32_t OperationKeysBefore(const outside::ScenePtr& scene, std::int32_t operation,
                                     float frame) override;
    void OperationFirstKey(const outside::ScenePtr& scene, std::int32_t operation,
                           std::int32_t& count, float& frame) override;

    void MoveKeyFrames(const outside::ScenePtr& scene, std::int32_t itemCode,
                       std::int32_t fixedCols, std::int32_t leftColumn, std::int32_t rightColumn,
                       std::int32_t offset, bool copy) override;
    void ScaleKeyFrames(const outside::ScenePtr& scene, std::int32_t itemCode,
                        std::int32_t fixedCols, std::int32_t leftColumn, std::int32_t rightColumn,
                        double factor) override;
    void DeleteKeyFrames(const outside::ScenePtr& scene, std::int32_t itemCode,
                         std::int32_t startColumn, std::int32_t endColumn,
                         std::int32_t fixedCols) override;

    QStringList GroupSequenceNames(const outside::ScenePtr& scene, std::int32_t groupCode) override;
    QStringList OperationSequenceNames(const outside::ScenePtr& scene,
                                       std::int32_t operation) override;

    void AddSequence(const outside::ScenePtr& scene, const QString& name, std::int32_t kind,
                     std::int32_t number, std::int32_t leftColumn, std::int32_t rightColumn,
                     std::int32_t fixedCols, std::int32_t firstFrame) override;
    void RenameSequence(const outside::ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& oldName, const QString& newName) override;
    void DeleteSequence(const outside::ScenePtr& scene, std::int32_t kind, std::int32_t number,
                        const QString& name) override;
    void RetrieveSequence(const outside::ScenePtr& scene, std::int32_t kind, std::int32_t number,
                          const QString& name, std::int32_t firstFrame) override;
};

} // namespace vellum::sg
