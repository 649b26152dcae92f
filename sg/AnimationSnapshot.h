#pragma once

#include "SequenceStore.h"
#include "VellumSGExport.h"

#include <array>
#include <cstddef>
#include <outside/AnimationSettings.h>
#include <outside/KeyRecord.h>
#include <vector>

namespace vellum::sg {

class ApplicationState;
class Scene;

// What undo needs of one animated component: its keys, loop mode and sequences (its animation
// data) and where it stands now (a group's pose, a light's state, a field of view or an amount).
struct VELLUMSG_EXPORT ComponentState
{
    int kind = 0; // outside::Kind of groups, lights, cameras and operations
    int id = 0;   // number, light code or camera ID
    std::vector<outside::KeyRecord> keys;
    int loopMode = outside::LoopOpen;
    std::vector<SequenceStore::Sequence> sequences;
    std::array<float, 7> present{};

    bool sameDataAs(const ComponentState& other) const;
    bool samePresentAs(const ComponentState& other) const { return present == other.present; }
    std::size_t bytes() const;
};

// The animation state of a scene: every component's state, the settings record and the frame.
// Components are kept in (kind, id) order.
struct VELLUMSG_EXPORT AnimationSnapshot
{
    std::vector<ComponentState> components;
    outside::AnimationSettings settings;
    float frame = 0.0f;

    static AnimationSnapshot capture(Scene& scene, ApplicationState& state);
};

// The components that differ between two snapshots, as they were and as they became: an undo
// step keeps this instead of two whole snapshots.
struct VELLUMSG_EXPORT AnimationChange
{
    std::vector<ComponentState> before;
    std::vector<ComponentState> after;
    outside::AnimationSettings settingsBefore;
    outside::AnimationSettings settingsAfter;
    float frameBefore = 0.0f;
    float frameAfter = 0.0f;

    enum class Compare
    {
        DataOnly,       // keys, loops, sequences and settings: what only edits change
        DataAndPresent, // also where components stand: what posing changes
    };
    static AnimationChange between(const AnimationSnapshot& before, const AnimationSnapshot& after,
                                   Compare compare);

    bool isEmpty() const { return before.empty() && !settingsChanged(); }
    bool settingsChanged() const;
    // Only where components stand changed, not their animation data.
    bool presentOnly() const;
    std::size_t bytes() const;
};

// Puts the components back as the states say; components the scene no longer has are skipped.
VELLUMSG_EXPORT void restoreData(Scene& scene, const std::vector<ComponentState>& states);
VELLUMSG_EXPORT void restorePresent(Scene& scene, const std::vector<ComponentState>& states);

} // namespace vellum::sg
