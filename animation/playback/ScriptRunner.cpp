#include "ScriptRunner.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "ModuleState.h"
#include "Platform.h"
#include "SceneGraph.h"
#include "ScriptMessages.h"

namespace vellum::animation {

using outside::ignoreFailure;

ScriptOutcome classifyScriptRun(int number, const outside::ScriptError& error)
{
    ScriptOutcome outcome;
    outcome.number = number;
    outcome.description = error.Description;
    if (number == 0)
        return outcome;
    if (number == ErrorNumber::MemberNotSupported && error.Line == 0) {
        outcome.kind = ScriptOutcome::MissingEntry;
    } else if (number == ErrorNumber::WrongArgumentCount && error.Line == 0) {
        outcome.kind = ScriptOutcome::WrongParameters;
    } else {
        outcome.kind = ScriptOutcome::RunTimeError;
        outcome.line = error.Line == 0 ? 1 : error.Line;
        outcome.column = error.Column;
    }
    return outcome;
}

void ScriptRunner::run(outside::SceneGraph& sceneGraph, ScriptTarget& target)
{
    outside::passOn([&] {
        const outside::ApplicationStatePtr state = applicationState();
        const outside::ScenePtr scene = state->Scene();
        const outside::ScriptedPtr component = target.component();
        if (component->Script().isEmpty())
            return;

        const ScriptOutcome outcome = runAndClassify(sceneGraph, target, *component);
        if (outcome.kind == ScriptOutcome::Succeeded)
            return;
        // From the run on, nothing fails the caller: the playback stops and the user is asked.
        bool editWanted = false;
        ignoreFailure(
            [&] { editWanted = !state->AnimationRunning() && askToEdit(outcome, target); });
        ignoreFailure([&] { state->setAnimationRunning(false); });
        if (editWanted)
            edit(sceneGraph, *scene, target, outcome);
    });
}

ScriptOutcome ScriptRunner::runAndClassify(outside::SceneGraph& sceneGraph, ScriptTarget& target,
                                           outside::Scripted& component)
{
    float frame = applicationState()->CurrentFrame();
    outside::ScriptObjectPtr scriptObject = sceneGraph.NewScriptObject(target.objectClass());

    int number = 0;
    QString thrownDescription;
    outside::ScriptEnginePtr engine;
    try {
        engine = component.ScriptEngine();
        if (!engine)
            throw Error::objectNotSet();
        engine->Run(target.entry(), frame, scriptObject);
    } catch (...) {
        const Error error = outside::toError(std::current_exception());
        number = error.number();
        thrownDescription = error.description();
    }
    outside::ScriptError record;
    if (!engine || !ignoreFailure([&] { record = engine->Error(); }))
        record.Description = thrownDescription;
    if (record.Description.isEmpty())
        record.Description = thrownDescription;
    return classifyScriptRun(number, record);
}

bool ScriptRunner::askToEdit(const ScriptOutcome& outcome, ScriptTarget& target)
{
    QString question;
    switch (outcome.kind) {
    case ScriptOutcome::MissingEntry:
        question = missingEntryQuestion(target.subject(), target.entry());
        break;
    case ScriptOutcome::WrongParameters:
        question = wrongParametersQuestion(target.subject(), target.entry());
        break;
    case ScriptOutcome::RunTimeError:
        question = runTimeErrorQuestion(target.subject(), outcome.description, outcome.number,
                                        outcome.line);
        break;
    case ScriptOutcome::Succeeded:
        return false;
    }
    return outside::platform().MsgBox(question, outside::MsgBoxButtons::YesNo,
                                      outside::MsgBoxIcon::Question,
                                      QStringLiteral("3D Vellum")) == outside::MsgBoxResult::Yes;
}

void ScriptRunner::edit(outside::SceneGraph& sceneGraph, outside::Scene& scene,
                        ScriptTarget& target, const ScriptOutcome& outcome)
{
    outside::ScriptEditorPtr editor;
    if (!ignoreFailure([&] { editor = sceneGraph.NewScriptEditor(); }) || !editor)
        return;
    ignoreFailure([&] { editor->Attach(module().gcCSG); });
    QString script;
    ignoreFailure([&] { script = target.component()->Script(); });
    bool accepted = false;
    ignoreFailure([&] {
        accepted =
            editor->Edit(script, outcome.line, outcome.column, target.editorTitle(), nullptr);
    });
    if (!accepted)
        return;

    outside::ScriptedPtr component = target.component();
    ignoreFailure([&] { editor->ApplyScript(component, script, true, 0, 0); });
    ignoreFailure([&] { target.takeEdited(component, scene); });
    ignoreFailure([&] { m_panel.q.RefreshScene(); });
    ignoreFailure([&] { applicationState()->setModified(true); });
    emit m_panel.q.evtreqRenderAllViews();
}

} // namespace vellum::animation
