#pragma once

#include <QObject>
#include <QUndoStack>
#include <memory>
#include <sg/AnimationSnapshot.h>

class QAction;
class QMenu;

namespace vellum::animation {
class Animation;
}
namespace vellum::sg {
class SceneGraph;
}

namespace vellum::studio {

// Undo and redo of the animation: every change the panel brackets with its prepare and apply
// requests becomes one step, and so does any other change of the animation data that shows up
// when the panel asks for its buttons again (key copies, the animation options) or that the
// studio itself makes (poses). A step keeps only the components that changed, before and after.
class UndoHistory : public QObject
{
    Q_OBJECT

public:
    UndoHistory(sg::SceneGraph& graph, animation::Animation& panel, QObject* parent = nullptr);
    ~UndoHistory() override;

    QUndoStack& stack() { return m_stack; }
    QAction* undoAction() const { return m_undo; }
    QAction* redoAction() const { return m_redo; }

    // The panel's bracket around a change; brackets may nest, and one left open by a failure
    // is closed when control gets back to the event loop.
    void prepare();
    void apply();
    // Records what changed since the last step, if anything did. Poses count only when asked:
    // playing or moving to another frame moves things without editing anything.
    void noticeChanges(bool posesToo = false);
    // A new scene: what was done to the old one cannot be undone on it.
    void clear();

    // Puts the scene into the given state and brings the panel and the views along.
    void restore(const std::vector<sg::ComponentState>& states,
                 const outside::AnimationSettings& settings, float frame);

signals:
    // After an undo or redo: the views and the title should follow.
    void restored();

private:
    sg::AnimationSnapshot capture() const;
    void commit(const sg::AnimationSnapshot& before, sg::AnimationChange::Compare compare);
    void settleAbandonedBracket();
    void setRunning(bool running);
    void updateActions();
    void refreshPanel(bool lengthChanged, float frame);

    sg::SceneGraph& m_graph;
    animation::Animation& m_panel;
    QUndoStack m_stack;
    QAction* m_undo = nullptr;
    QAction* m_redo = nullptr;
    sg::AnimationSnapshot m_baseline;
    sg::AnimationSnapshot m_prepared;
    int m_depth = 0;
    int m_prepareLoopLevel = 0;
    bool m_restoring = false;
    bool m_running = false;
};

} // namespace vellum::studio
