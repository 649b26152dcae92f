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
    outcome.number = error.Number;
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

void ScriptRunner::run(const outside::SceneGraphPtr& sceneGraph, ScriptTarget& target)
{
    outside::passOn([&] {
        const outside::ApplicationStatePtr state = applicationState();
        const outside::ScenePtr scene = required(state->Scene());
        const outside::ScriptedPtr component = required(target.component());
        if (component->Script().isEmpty())
            return;
        const float frame = state->CurrentFrame();
        outside::ScriptObjectPtr scriptObject =
            required(sceneGraph)->NewScriptObject(target.objectClass());

        const ScriptOutcome outcome = runAndClassify(scriptObject, target, *component, frame);
        if (outcome.kind == ScriptOutcome::Succeeded)
            return;
        // From the run on, nothing fails the caller: the playback stops and the user is asked.
        bool editWanted = false;
        ignoreFailure(
            [&] { editWanted = !state->AnimationRunning() && askToEdit(outcome, target); });
        ignoreFailure([&] { state->setAnimationRunning(false); });
        if (editWanted)
            edit(*sceneGraph, *scene, target, outcome);
    });
}

// The engine's error record is read only after a failed run; when it cannot be read, the
// failure itself stands in for it.
ScriptOutcome ScriptRunner::runAndClassify(outside::ScriptObjectPtr& scriptObject,
                                           ScriptTarget& target, outside::Scripted& component,
                                           float frame)
{
    outside::ScriptEnginePtr engine;
    Error failure(0, QString());
    try {
        engine = required(component.ScriptEngine());
        engine->Run(target.entry(), frame, scriptObject);
        return {};
    } catch (...) {
        failure = outside::toError(std::current_exception());
    }
    outside::ScriptError record;
    if (!engine || !ignoreFailure([&] { record = engine->Error(); })) {
        record.Number = failure.number();
        record.Description = failure.description();
    }
    return classifyScriptRun(failure.number(), record);
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
    return outside::confirmed(question);
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
    ignoreFailure([&] { target.takeEdited(component); });
    ignoreFailure([&] { target.notifyScene(scene); });
    target.reportEdit();
    ignoreFailure([&] { m_panel.q.RefreshScene(); });
    ignoreFailure([&] { applicationState()->setModified(true); });
    emit m_panel.q.evtreqRenderAllViews();
}

} // namespace vellum::animation
