#pragma once

// A scene with operation components for the operation tests: a box and a sphere in a group;
// component "Pulse" carries a scale of the box (keys 4, 10 segment start, 20) and a spin of the
// sphere; "Tint" carries an unbound colour; "Idle" carries nothing.
#include <sg/OperationType.h>
#include <sg/SceneGraph.h>

namespace vellum::sg::testing {

struct OperationScene
{
    OperationScene()
    {
        state->setMode(outside::ModeAnimation);
        key(*scale, 4.0f, 1.0f, false);
        key(*scale, 10.0f, 3.0f, true);
        key(*scale, 20.0f, 2.0f, false);
    }

    static void key(Operation& operation, float frame, float amount, bool segmentStart)
    {
        operation.setAmount(amount);
        operation.SetKeyFrame(segmentStart, frame);
    }

    SceneGraph graph;
    std::shared_ptr<ApplicationState> state = graph.applicationState();
    std::shared_ptr<Scene> scene = graph.scene();
    std::shared_ptr<Group> group = scene->addGroup(1, QStringLiteral("Rig"));
    std::shared_ptr<Shape> box = scene->addShape(ShapeKind::Box, QStringLiteral("Box"), group);
    std::shared_ptr<Shape> sphere =
        scene->addShape(ShapeKind::Sphere, QStringLiteral("Ball"), group);
    std::shared_ptr<Shape> pulse = scene->addOperationComponent(QStringLiteral("Pulse"), group);
    std::shared_ptr<Shape> tint = scene->addOperationComponent(QStringLiteral("Tint"));
    std::shared_ptr<Shape> idle = scene->addOperationComponent(QStringLiteral("Idle"));
    std::shared_ptr<Operation> scale =
        scene->addOperation(pulse, OperationType::Scale, QStringLiteral("Grow"), box);
    std::shared_ptr<Operation> spin =
        scene->addOperation(pulse, OperationType::Spin, QStringLiteral("Turn"), sphere);
    std::shared_ptr<Operation> colour =
        scene->addOperation(tint, OperationType::Colour, QStringLiteral("Blush"));
};

} // namespace vellum::sg::testing
