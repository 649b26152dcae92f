#include "AnimationSnapshot.h"

#include "ApplicationState.h"
#include "Scene.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <type_traits>

namespace vellum::sg {

namespace {

bool sameKeys(const std::vector<outside::KeyRecord>& a, const std::vector<outside::KeyRecord>& b)
{
    return a.size() == b.size() &&
           (a.empty() || std::memcmp(a.data(), b.data(), a.size() * sizeof(a.front())) == 0);
}

bool sameSequences(const std::vector<SequenceStore::Sequence>& a,
                   const std::vector<SequenceStore::Sequence>& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].name != b[i].name || !sameKeys(a[i].keys, b[i].keys))
            return false;
    return true;
}

bool sameSettings(const outside::AnimationSettings& a, const outside::AnimationSettings& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

template <typename Keyed>
ComponentState stateOf(int kind, int id, const Keyed& component, std::array<float, 7> present)
{
    ComponentState state;
    state.kind = kind;
    state.id = id;
    state.keys = component.keyTrack().keys();
    state.loopMode = component.keyTrack().loopMode();
    state.present = present;
    return state;
}

std::array<float, 7> presentOf(const Group& group)
{
    const Pose& pose = group.pose();
    return {pose.position.x(),         pose.position.y(),    pose.position.z(),
            pose.orientation.scalar(), pose.orientation.x(), pose.orientation.y(),
            pose.orientation.z()};
}

std::array<float, 7> presentOf(const Light& light)
{
    const Light::State& state = light.state();
    return {state.position.x(), state.position.y(), state.position.z(), state.colour.x(),
            state.colour.y(),   state.colour.z(),   state.intensity};
}

auto order(const ComponentState& state)
{
    return std::tie(state.kind, state.id);
}

template <typename Keyed> void putData(Keyed& component, const ComponentState& state)
{
    component.restoreKeys(state.keys, state.loopMode);
}

void putSequences(SequenceStore& store, const ComponentState& state)
{
    SequenceStore restored;
    for (const auto& sequence : state.sequences)
        restored.add(sequence);
    store = std::move(restored);
}

void putPresent(Group& group, const std::array<float, 7>& p)
{
    group.setPose(Pose{QVector3D(p[0], p[1], p[2]), QQuaternion(p[3], p[4], p[5], p[6])});
}

void putPresent(Light& light, const std::array<float, 7>& p)
{
    light.setState(Light::State{QVector3D(p[0], p[1], p[2]), QVector3D(p[3], p[4], p[5]), p[6]});
}

// Calls the visitor with the scene's component for the state, when it still has one.
template <typename Visitor> void visit(Scene& scene, const ComponentState& state, Visitor&& visitor)
{
    switch (state.kind) {
    case outside::Kind::Group:
        if (const auto group = scene.group(state.id))
            visitor(*group);
        break;
    case outside::Kind::Light:
        if (const auto light = scene.light(state.id))
            visitor(*light);
        break;
    case outside::Kind::Camera:
        if (const auto camera = scene.camera(state.id))
            visitor(*camera);
        break;
    case outside::Kind::Operation:
        if (const auto operation = scene.operation(state.id))
            visitor(*operation);
        break;
    }
}

} // namespace

bool ComponentState::sameDataAs(const ComponentState& other) const
{
    return loopMode == other.loopMode && sameKeys(keys, other.keys) &&
           sameSequences(sequences, other.sequences);
}

std::size_t ComponentState::bytes() const
{
    std::size_t total = sizeof(*this) + keys.capacity() * sizeof(outside::KeyRecord) +
                        sequences.capacity() * sizeof(SequenceStore::Sequence);
    for (const auto& sequence : sequences)
        total += sequence.keys.capacity() * sizeof(outside::KeyRecord) +
                 std::size_t(sequence.name.capacity()) * sizeof(QChar);
    return total;
}

AnimationSnapshot AnimationSnapshot::capture(Scene& scene, ApplicationState& state)
{
    AnimationSnapshot snapshot;
    snapshot.settings = state.AnimationSettings();
    snapshot.frame = state.CurrentFrame();
    auto& components = snapshot.components;
    const auto& groups = scene.Groups();
    components.reserve(std::size_t(groups.Count()) + 1);
    for (const auto& item : groups) {
        const auto& group = static_cast<const Group&>(*item);
        components.push_back(
            stateOf(outside::Kind::Group, group.number(), group, presentOf(group)));
        components.back().sequences = group.sequences().sequences();
    }
    for (const auto& light : scene.lightList())
        components.push_back(
            stateOf(outside::Kind::Light, light->code(), *light, presentOf(*light)));
    const auto camera = scene.animationCamera();
    components.push_back(
        stateOf(outside::Kind::Camera, camera->id(), *camera, {camera->fieldOfView()}));
    for (const auto& operation : scene.operationList()) {
        components.push_back(stateOf(outside::Kind::Operation, operation->number(), *operation,
                                     {operation->amount()}));
        components.back().sequences = operation->sequences().sequences();
    }
    std::sort(components.begin(), components.end(),
              [](const auto& a, const auto& b) { return order(a) < order(b); });
    return snapshot;
}

AnimationChange AnimationChange::between(const AnimationSnapshot& before,
                                         const AnimationSnapshot& after, Compare compare)
{
    AnimationChange change;
    change.settingsBefore = before.settings;
    change.settingsAfter = after.settings;
    change.frameBefore = before.frame;
    change.frameAfter = after.frame;
    // Both lists are in (kind, id) order; a component only one side has is not undone.
    auto a = before.components.cbegin();
    auto b = after.components.cbegin();
    while (a != before.components.cend() && b != after.components.cend()) {
        if (order(*a) < order(*b)) {
            ++a;
        } else if (order(*b) < order(*a)) {
            ++b;
        } else {
            if (!a->sameDataAs(*b) ||
                (compare == Compare::DataAndPresent && !a->samePresentAs(*b))) {
                change.before.push_back(*a);
                change.after.push_back(*b);
            }
            ++a;
            ++b;
        }
    }
    return change;
}

bool AnimationChange::settingsChanged() const
{
    return !sameSettings(settingsBefore, settingsAfter);
}

bool AnimationChange::presentOnly() const
{
    if (settingsChanged())
        return false;
    for (std::size_t i = 0; i < before.size(); ++i)
        if (!before[i].sameDataAs(after[i]))
            return false;
    return true;
}

std::size_t AnimationChange::bytes() const
{
    std::size_t total = sizeof(*this);
    for (const auto* side : {&before, &after})
        for (const auto& state : *side)
            total += state.bytes();
    return total;
}

void restoreData(Scene& scene, const std::vector<ComponentState>& states)
{
    for (const ComponentState& state : states)
        visit(scene, state, [&](auto& component) {
            putData(component, state);
            if constexpr (requires { component.sequences(); })
                putSequences(component.sequences(), state);
        });
}

void restorePresent(Scene& scene, const std::vector<ComponentState>& states)
{
    for (const ComponentState& state : states)
        visit(scene, state, [&](auto& component) {
            using Component = std::decay_t<decltype(component)>;
            if constexpr (std::is_same_v<Component, Camera>)
                component.setFieldOfView(state.present[0]);
            else if constexpr (std::is_same_v<Component, Operation>)
                component.setAmount(state.present[0]);
            else
                putPresent(component, state.present);
        });
}

} // namespace vellum::sg
