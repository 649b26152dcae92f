#pragma once

#include "AutotestExport.h"
#include "ErrorRule.h"
#include "ScriptKinds.h"
#include "Scripting.h"

#include <QString>
#include <cstdint>
#include <memory>

namespace vellum::animation {

class AnimationPrivate;

// How a script run ended, as the runner sorts it.
struct ScriptOutcome
{
    enum Kind
    {
        Succeeded,
        MissingEntry,
        WrongParameters,
        RunTimeError
    };
    Kind kind = Succeeded;
    int number = 0;
    QString description;
    std::int32_t line = 1; // where the editor opens
    std::int32_t column = 0;
};

// Sorts a run's error number and the engine's error record; a run-time error without a line is
// reported at line 1.
VELLUM_AUTOTEST_EXPORT ScriptOutcome classifyScriptRun(int number,
                                                       const outside::ScriptError& error);

// One component whose script is run, seen the same way whatever its kind.
class ScriptTarget
{
public:
    virtual ~ScriptTarget() = default;
    virtual outside::ScriptedPtr component() = 0;
    virtual QString entry() const = 0;
    virtual outside::ScriptObjectClass objectClass() const = 0;
    virtual QString subject() = 0;
    virtual QString editorTitle() = 0;
    // After an edit, each step on its own: take the component the editor handed back, tell the
    // scene, tell the caller.
    virtual void takeEdited(const outside::ScriptedPtr& replacement) = 0;
    virtual void notifyScene(outside::Scene& scene) = 0;
    virtual void reportEdit() = 0;
};

template <typename Component> class ScriptTargetOf final : public ScriptTarget
{
public:
    using Kind = ScriptKind<Component>;

    ScriptTargetOf(std::shared_ptr<Component>& component, bool& scriptChanged, std::int32_t device)
        : m_component(component), m_scriptChanged(scriptChanged), m_device(device)
    {}

    outside::ScriptedPtr component() override { return m_component; }
    QString entry() const override { return Kind::entry(); }
    outside::ScriptObjectClass objectClass() const override { return Kind::objectClass; }
    QString subject() override { return Kind::subject(*outside::required(m_component)); }
    QString editorTitle() override { return Kind::editorTitle(*outside::required(m_component)); }
    void takeEdited(const outside::ScriptedPtr& replacement) override
    {
        if (auto replaced = std::dynamic_pointer_cast<Component>(replacement))
            m_component = std::move(replaced);
    }
    void notifyScene(outside::Scene& scene) override
    {
        Kind::notifyScene(scene, m_component, m_device);
    }
    void reportEdit() override
    {
        if constexpr (Kind::reportsEdit)
            m_scriptChanged = true;
    }

private:
    std::shared_ptr<Component>& m_component;
    bool& m_scriptChanged;
    std::int32_t m_device;
};

// Runs one component's script at the current frame and deals with its failure: the question
// (only while nothing plays), the stop of a running playback, and the edit.
class ScriptRunner
{
public:
    explicit ScriptRunner(AnimationPrivate& panel) : m_panel(panel) {}

    void run(const outside::SceneGraphPtr& sceneGraph, ScriptTarget& target);

private:
    ScriptOutcome runAndClassify(outside::ScriptObjectPtr& scriptObject, ScriptTarget& target,
                                 outside::Scripted& component, float frame);
    bool askToEdit(const ScriptOutcome& outcome, ScriptTarget& target);
    void edit(outside::SceneGraph& sceneGraph, outside::Scene& scene, ScriptTarget& target,
              const ScriptOutcome& outcome);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
