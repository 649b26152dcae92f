#pragma once

#include <QString>
#include <cstdint>
#include <functional>

namespace vellum::animation {

class AnimationPrivate;

// Named sequences cut from the timeline selection: its rows name the items, its columns the
// frames. The scene graph keeps them; the panel only lists their names.
class TimelineSequences
{
public:
    explicit TimelineSequences(AnimationPrivate& panel);

private:
    void connectWidgets();
    void onSequenceChosen();
    void onAdd();
    void onRename();
    void onDelete();
    void onRetrieve();
    // Refuses an empty name quietly and one that begins with a space with a message.
    bool acceptable(const QString& name) const;
    // The item kind and number of every selected row, top to bottom, inside the scene-change
    // bracket.
    void
    forEachSelectedItem(const std::function<void(std::int32_t kind, std::int32_t number)>& work);
    void enableNamedCommands(bool enabled);

    AnimationPrivate& m_panel;
};

} // namespace vellum::animation
