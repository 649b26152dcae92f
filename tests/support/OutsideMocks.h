#pragma once

// GoogleMock doubles of the outside components, for tests where the order and the arguments of
// the panel's calls matter.

#include "OutsideCalls.h"

#include <gmock/gmock.h>

#define VELLUM_MOCK(Result, Name, Parameters) MOCK_METHOD(Result, Name, Parameters, (override));
#define VELLUM_MOCK_COLLECTION(Item, Name) VELLUM_MOCK(const Collection<Item>&, Name, ())
#define VELLUM_MOCK_OF(Interface, CALLS)                                                           \
    class Mock##Interface : public Interface                                                       \
    {                                                                                              \
    public:                                                                                        \
        CALLS(VELLUM_MOCK)                                                                         \
    };

namespace vellum::testing {

VELLUM_MOCK_OF(ApplicationState, VELLUM_APPLICATION_STATE_CALLS)
VELLUM_MOCK_OF(Operation, VELLUM_OPERATION_CALLS)
VELLUM_MOCK_OF(Group, VELLUM_GROUP_CALLS)
VELLUM_MOCK_OF(Light, VELLUM_LIGHT_CALLS)
VELLUM_MOCK_OF(Camera, VELLUM_CAMERA_CALLS)
VELLUM_MOCK_OF(Shape, VELLUM_SHAPE_CALLS)
VELLUM_MOCK_OF(View, VELLUM_VIEW_CALLS)
VELLUM_MOCK_OF(AppUtility, VELLUM_APP_UTILITY_CALLS)
VELLUM_MOCK_OF(RenderUtility, VELLUM_RENDER_UTILITY_CALLS)
VELLUM_MOCK_OF(GraphicsUtility, VELLUM_GRAPHICS_UTILITY_CALLS)
VELLUM_MOCK_OF(PictureFactory, VELLUM_PICTURE_FACTORY_CALLS)
VELLUM_MOCK_OF(PovExporter, VELLUM_POV_EXPORTER_CALLS)
VELLUM_MOCK_OF(SceneGraph, VELLUM_SCENE_GRAPH_CALLS)
VELLUM_MOCK_OF(Applier, VELLUM_APPLIER_CALLS)
VELLUM_MOCK_OF(AnimationCommands, VELLUM_ANIMATION_COMMANDS_CALLS)

// A shared nice mock, as the panel holds them.
template <typename T> using Nice = std::shared_ptr<::testing::NiceMock<T>>;
template <typename T> Nice<T> nice()
{
    return std::make_shared<::testing::NiceMock<T>>();
}

class MockScene : public Scene
{
public:
    VELLUM_SCENE_COLLECTIONS(VELLUM_MOCK_COLLECTION)
    VELLUM_SCENE_CALLS(VELLUM_MOCK)
};

} // namespace vellum::testing
