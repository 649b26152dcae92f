#pragma once

// A bound Animation control over mocked outside components whose state behaves like a real
// application state, with every request event recorded in order.

#include "Animation.h"
#include "OutsideMocks.h"
#include "QtPrinters.h"
#include "ScriptedPlatform.h"
#include "TrackBar.h"
#include "TrackBarGeometry.h"

#include <QStringList>
#include <gmock/gmock.h>
#include <memory>

namespace vellum::testing {

using ::testing::NiceMock;

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
    std::shared_ptr<NiceMock<MockGroup>> addGroup(int number);
    void bind();
    void unbind();
    void setActiveView(bool present);
    // The scene graph as the panel's operations take it.
    outside::SceneGraphPtr& sceneGraph_base()
    {
        m_sceneGraphBase = sceneGraph;
        return m_sceneGraphBase;
    }

    common::TrackBar& slider() const;
    template <typename Widget> Widget& widget(const char* name) const
    {
        auto* found = control->findChild<Widget*>(QLatin1String(name));
        if (!found)
            throw std::runtime_error(std::string("no widget ") + name);
        return *found;
    }
    QPoint pointOfFrame(int frame) const;
    void dragSlider(int fromFrame, int toFrame, Qt::KeyboardModifiers pressModifiers,
                    Qt::KeyboardModifiers releaseModifiers);
    void clickButton(const char* name);

    QStringList events;
    QStringList warnings;

    std::shared_ptr<ScriptedPlatform> platform = std::make_shared<ScriptedPlatform>();
    std::shared_ptr<NiceMock<MockSceneGraph>> sceneGraph =
        std::make_shared<NiceMock<MockSceneGraph>>();
    std::shared_ptr<NiceMock<MockApplicationState>> state =
        std::make_shared<NiceMock<MockApplicationState>>();
    std::shared_ptr<NiceMock<MockScene>> scene = std::make_shared<NiceMock<MockScene>>();
    std::shared_ptr<NiceMock<MockGroup>> rootGroup = std::make_shared<NiceMock<MockGroup>>();
    std::shared_ptr<NiceMock<MockView>> view = std::make_shared<NiceMock<MockView>>();
    std::shared_ptr<NiceMock<MockAppUtility>> appUtility =
        std::make_shared<NiceMock<MockAppUtility>>();
    std::shared_ptr<NiceMock<MockApplier>> applier = std::make_shared<NiceMock<MockApplier>>();
    std::shared_ptr<NiceMock<MockAnimationCommands>> commands =
        std::make_shared<NiceMock<MockAnimationCommands>>();

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

    std::unique_ptr<animation::Animation> control;

private:
    outside::SceneGraphPtr m_sceneGraphBase;
    void wireState();
    void recordEvents();
};

} // namespace vellum::testing
