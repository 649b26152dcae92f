#pragma once

// A bound Animation control over mocked outside components whose state behaves like a real
// application state, with every request event recorded in order.

#include "Animation.h"
#include "Enumerations.h"
#include "OutsideMocks.h"
#include "QtPrinters.h"
#include "ScriptedPlatform.h"
#include "Widgets.h"

#include <QStringList>
#include <gmock/gmock.h>
#include <memory>

namespace vellum::testing {

using ::testing::_;
using ::testing::Invoke;
using ::testing::NiceMock;
using ::testing::Return;

// Matches a shared pointer by the object it points to, without holding the object: mocks that
// expect each other would otherwise keep each other alive.
template <typename Pointer, typename Object> auto pointsTo(const std::shared_ptr<Object>& object)
{
    return ::testing::Property(&Pointer::get,
                               static_cast<typename Pointer::element_type*>(object.get()));
}

class PanelHarness
{
public:
    PanelHarness();
    ~PanelHarness();

    // Scene content: groups keyed by their codes, in scene order.
    Nice<MockGroup> addGroup(int number);
    // A shape of that kind in the group, selected.
    Nice<MockShape> select(const outside::GroupPtr& group, int kind = 20, int code = 0);
    void bind() { control->SetSceneGraph(sceneGraph, applier); }
    void unbind() { control->SetSceneGraph(nullptr, nullptr); }
    // Bound and set up in that mode, with the events so far forgotten.
    void start(std::int32_t inMode = outside::ModeAnimation);
    // The scene graph as the panel's operations take it.
    outside::SceneGraphPtr& sceneGraph_base()
    {
        m_sceneGraphBase = sceneGraph;
        return m_sceneGraphBase;
    }

    common::TrackBar& slider() const { return widget<common::TrackBar>("sldFrame"); }
    template <typename Widget = QWidget> Widget& widget(const char* name) const
    {
        return child<Widget>(*control, name);
    }
    void clickButton(const char* name) { clickChild(*control, name); }
    int heightTwips() const;

    QStringList events;
    QStringList warnings;

    std::shared_ptr<ScriptedPlatform> platform = std::make_shared<ScriptedPlatform>();
    Nice<MockSceneGraph> sceneGraph = nice<MockSceneGraph>();
    Nice<MockApplicationState> state = nice<MockApplicationState>();
    Nice<MockScene> scene = nice<MockScene>();
    Nice<MockGroup> rootGroup = nice<MockGroup>();
    Nice<MockView> view = nice<MockView>();
    Nice<MockAppUtility> appUtility = nice<MockAppUtility>();
    Nice<MockRenderUtility> render = nice<MockRenderUtility>();
    Nice<MockGraphicsUtility> graphics = nice<MockGraphicsUtility>();
    Nice<MockPictureFactory> pictures = nice<MockPictureFactory>();
    Nice<MockApplier> applier = nice<MockApplier>();
    Nice<MockAnimationCommands> commands = nice<MockAnimationCommands>();

    // What the mocked application state holds.
    QString registryKey = QStringLiteral("Vellum Test");
    std::int32_t mode = 1;
    float currentFrame = 0.0f;
    bool animationRunning = false;
    bool renderingSuspended = false;
    bool modified = false;
    outside::AnimationSettings settings;
    bool viewPresent = true;

    outside::Collection<Group> groups;
    outside::Collection<Shape> shapes;
    outside::Collection<Light> lights;
    outside::Collection<Camera> cameras;
    QList<outside::ShapePtr> selection;

    std::unique_ptr<animation::Animation> control;

private:
    outside::SceneGraphPtr m_sceneGraphBase;
    void wireState();
    void recordEvents();
};

} // namespace vellum::testing
