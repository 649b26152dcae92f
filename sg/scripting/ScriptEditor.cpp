#include "ScriptEditor.h"

#include "Error.h"
#include "Platform.h"
#include "ScriptEditorDialog.h"
#include "ScriptFailure.h"
#include "ScriptHolder.h"

#include <QApplication>

namespace vellum::sg {

void ScriptEditor::Attach(const outside::SceneGraphPtr& sceneGraph)
{
    m_sceneGraph = sceneGraph;
}

bool ScriptEditor::Edit(QString& script, std::int32_t line, std::int32_t column,
                        const QString& title, const outside::ShapePtr& /*object*/)
{
    ScriptEditorDialog dialog(script, line, column, title, QApplication::activeWindow());
    if (outside::platform().ShowModal(dialog) != QDialog::Accepted || !dialog.changed())
        return false;
    script = dialog.script();
    return true;
}

void ScriptEditor::ApplyScript(outside::ScriptedPtr& component, const QString& script,
                               bool /*compile*/, std::int32_t /*reservedA*/,
                               std::int32_t /*reservedB*/)
{
    auto* holder = dynamic_cast<ScriptHolder*>(component.get());
    if (!holder) {
        const outside::ScriptError failure = memberNotSupportedFailure();
        throw Error(failure.Number, failure.Description);
    }
    holder->applyEditedScript(script);
}

} // namespace vellum::sg
