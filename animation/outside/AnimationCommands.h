#pragma once

#include "Forward.h"
#include "KeyRecord.h"

#include <QImage>
#include <QList>
#include <QStringList>
#include <cstdint>

namespace vellum::outside {

// The scene graph's key and sequence commands: the keyframe operations of operation components,
// their keys and loop modes, and the named sequences of groups and operations. Operations are
// named by their scene-wide number.
class AnimationCommands
{
public:
    virtual ~AnimationCommands() = default;

    // The operations an operation component (kind 11) carries, in its order; empty for any other
    // component.
    virtual QList<std::int32_t> ShapeOperations(const ScenePtr& scene, const ShapePtr& shape) = 0;
    virtual QString OperationName(const ScenePtr& scene, std::int32_t operation) = 0;
    // Every key, in stored order.
    virtual QList<KeyRecord> OperationKeys(const ScenePtr& scene, std::int32_t operation) = 0;
    virtual std::int32_t OperationLoopMode(const ScenePtr& scene, std::int32_t operation) = 0;
    virtual void SetOperationLoopMode(const ScenePtr& scene, std::int32_t operation,
                                      std::int32_t loopMode) = 0;

    // Whether a key lies at the frame and whether it starts a segment.
    virtual void OperationKeyAtFrame(const ScenePtr& scene, std::int32_t operation, float frame,
                                     bool& isKey, bool& segmentStart) = 0;
    // How many keys lie before the frame.
    virtual std::int32_t OperationKeysBefore(const ScenePtr& scene, std::int32_t operation,
                                             float frame) = 0;
    // The number of keys and the frame of the first (0 when there is none).
    virtual void OperationFirstKey(const ScenePtr& scene, std::int32_t operation,
                                   std::int32_t& count, float& frame) = 0;

    // Names of the sequences kept for a group or an operation, in the order they were made.
    virtual QStringList GroupSequenceNames(const ScenePtr& scene, std::int32_t groupCode) = 0;
    virtual QStringList OperationSequenceNames(const ScenePtr& scene, std::int32_t operation) = 0;

    // Key blocks of the item of a timeline row (its whole code: a group, keyframe operation,
    // light or camera). Columns are the timeline's; a column's frame is column - fixedCols, and
    // a key belongs to the column its frame rounds to. Move shifts the block's keys by offset
    // frames (copy keeps the originals), replacing keys on the frames they land on. Scale
    // spreads them over factor times the block's width, anchored at the left column, the later
    // keys moving along. Delete never leaves the item without a key.
    virtual void MoveKeyFrames(const ScenePtr& scene, std::int32_t itemCode, std::int32_t fixedCols,
                               std::int32_t leftColumn, std::int32_t rightColumn,
                               std::int32_t offset, bool copy) = 0;
    virtual void ScaleKeyFrames(const ScenePtr& scene, std::int32_t itemCode,
                                std::int32_t fixedCols, std::int32_t leftColumn,
                                std::int32_t rightColumn, double factor) = 0;
    virtual void DeleteKeyFrames(const ScenePtr& scene, std::int32_t itemCode,
                                 std::int32_t startColumn, std::int32_t endColumn,
                                 std::int32_t fixedCols) = 0;

    // Sequences of an item (kind: the remainder of its code, number: the quotient). Add keeps the
    // keys between the frames of the two columns (less fixedCols); Retrieve puts a copy of them
    // back from firstFrame on. An item kind without sequences is refused.
    virtual void AddSequence(const ScenePtr& scene, const QString& name, std::int32_t kind,
                             std::int32_t number, std::int32_t leftColumn, std::int32_t rightColumn,
                             std::int32_t fixedCols, std::int32_t firstFrame) = 0;
    virtual void RenameSequence(const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                                const QString& oldName, const QString& newName) = 0;
    virtual void DeleteSequence(const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                                const QString& name) = 0;
    virtual void RetrieveSequence(const ScenePtr& scene, std::int32_t kind, std::int32_t number,
                                  const QString& name, std::int32_t firstFrame) = 0;
};

} // namespace vellum::outside
