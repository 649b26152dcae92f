#include "UndoStepName.h"

#include <QCoreApplication>
#include <cstring>
#include <sg/AnimationSnapshot.h>
#include <sg/Scene.h>

namespace vellum::studio {

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("UndoStepName", text);
}

QString componentName(const sg::ComponentState& state, const sg::Scene& scene)
{
    switch (state.kind) {
    case outside::Kind::Group:
        if (const auto group = scene.group(state.id))
            return group->name();
        break;
    case outside::Kind::Light:
        if (const auto light = scene.light(state.id))
            return light->name();
        break;
    case outside::Kind::Camera:
        if (const auto camera = scene.camera(state.id))
            return camera->name();
        break;
    case outside::Kind::Operation:
        if (const auto operation = scene.operation(state.id))
            return operation->name();
        break;
    }
    return QString();
}

bool sameFrames(const sg::ComponentState& a, const sg::ComponentState& b)
{
    for (std::size_t i = 0; i < a.keys.size(); ++i)
        if (a.keys[i].frame != b.keys[i].frame)
            return false;
    return true;
}

QString keyVerb(const sg::ComponentState& before, const sg::ComponentState& after)
{
    const std::size_t was = before.keys.size();
    const std::size_t is = after.keys.size();
    if (is > was)
        return is - was == 1 ? tr("Add Key") : tr("Add Keys");
    if (is == 0)
        return tr("Reset Animation");
    if (is < was)
        return was - is == 1 ? tr("Delete Key") : tr("Delete Keys");
    return sameFrames(before, after) ? tr("Change Key") : tr("Move Keys");
}

QString sequenceVerb(const sg::ComponentState& before, const sg::ComponentState& after)
{
    if (after.sequences.size() > before.sequences.size())
        return tr("Store Sequence");
    if (after.sequences.size() < before.sequences.size())
        return tr("Delete Sequence");
    return tr("Rename Sequence");
}

QString verb(const sg::ComponentState& before, const sg::ComponentState& after)
{
    if (before.loopMode != after.loopMode)
        return after.loopMode == outside::LoopClosed ? tr("Close Loop") : tr("Open Loop");
    if (before.sameDataAs(after))
        return before.kind == outside::Kind::Group ? tr("Move") : tr("Change");
    if (before.keys.size() == after.keys.size() &&
        std::memcmp(before.keys.data(), after.keys.data(),
                    before.keys.size() * sizeof(outside::KeyRecord)) == 0)
        return sequenceVerb(before, after);
    return keyVerb(before, after);
}

} // namespace

QString undoStepName(const sg::AnimationChange& change, const sg::Scene& scene)
{
    if (change.settingsChanged())
        return change.settingsBefore.Keys != change.settingsAfter.Keys
                   ? tr("Change Animation Length")
                   : tr("Change Keys per Second");
    if (change.before.empty())
        return tr("Edit Animation");
    const QString what = verb(change.before.front(), change.after.front());
    if (change.before.size() > 1)
        return QCoreApplication::translate("UndoStepName", "%1 (%n components)", nullptr,
                                           int(change.before.size()))
            .arg(what);
    const QString name = componentName(change.after.front(), scene);
    return name.isEmpty() ? what : QStringLiteral("%1 (%2)").arg(what, name);
}

} // namespace vellum::studio
