#include "AskUser.h"

#include "Animation.h"
#include "AnimationPrivate.h"
#include "AppUtility.h"
#include "ApplicationState.h"
#include "ModuleState.h"
#include "OptionsDialog.h"
#include "Platform.h"

namespace vellum::animation {

bool askForOptions(AnimationPrivate& panel, QString warning, QString warningKey,
                   const OptionsDialogProfile& profile)
{
    QString key = applicationState()->RegistryKey();
    emit panel.q.evtReqWarn(key, warning, warningKey);
    panel.q.picCreatePreview();
    {
        OptionsDialog options(profile, &panel.q);
        outside::platform().ShowModal(options);
    }
    return !module().optionsCancelled;
}

QString askForOutputFile(const QString& description, const QString& extension)
{
    const outside::ApplicationStatePtr state = applicationState();
    outside::AppUtility& files = appUtility();
    files.LoadDialogState(state->RegistryKey());
    QString fileName;
    std::int32_t result = 0;
    files.ShowSaveDialog(state->MainWindowHandle(), fileName, description, extension, true, result);
    if (result != outside::SaveDialogChosen)
        return QString();
    files.SaveDialogState(state->RegistryKey());
    return fileName;
}

} // namespace vellum::animation
