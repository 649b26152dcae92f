#include "UndoHistory.h"

#include "UndoStepName.h"

#include <Animation.h>
#include <Error.h>
#include <QAction>
#include <QThread>
#include <QTimer>
#include <TrackBar.h>
#include <cmath>
#include <sg/SceneGraph.h>

namespace vellum::studio {

namespace {

constexpr int PoseStepId = 1;

// One step: the changed components as they were and as they became.
class AnimationStep : public QUndoCommand
{
public:
    AnimationStep(UndoHistory& history, sg::AnimationChange change, const QString& name)
        : QUndoCommand(name), m_history(history), m_change(std::move(change))
    {}

    void undo() override
    {
        m_history.restore(m_change.before, m_change.settingsBefore, m_change.frameBefore);
    }
    void redo() override
    {
        // Pushing redoes at once, but the change has already happened.
        if (std::exchange(m_pushed, true))
            m_history.restore(m_change.after, m_change.settingsAfter, m_change.frameAfter);
    }
    // Dragging a pose field edits the pose many times: one step for the whole drag.
    int id() const override { return m_change.presentOnly() ? PoseStepId : -1; }
    bool mergeWith(const QUndoCommand* other) override
    {
        const auto& next = static_cast<const AnimationStep*>(other)->m_change;
        if (next.after.size() != 1 || m_change.after.size() != 1 ||
            next.after.front().kind != m_change.after.front().kind ||
            next.after.front().id != m_change.after.front().id)
            return false;
        m_change.after = next.after;
        m_change.frameAfter = next.frameAfter;
        return true;
    }

private:
    UndoHistory& m_history;
    sg::AnimationChange m_change;
    bool m_pushed = false;
};

int loopLevel()
{
    return QThread::currentThread()->loopLevel();
}

} // namespace

UndoHistory::UndoHistory(sg::SceneGraph& graph, animation::Animation& panel, QObject* parent)
    : QObject(parent), m_graph(graph), m_panel(panel), m_baseline(capture())
{
    m_undo = new QAction(tr("&Undo"), this);
    m_undo->setObjectName(QStringLiteral("actUndo"));
    m_undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    m_redo = new QAction(tr("&Redo"), this);
    m_redo->setObjectName(QStringLiteral("actRedo"));
    m_redo->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    connect(m_undo, &QAction::triggered, this, [this] { m_stack.undo(); });
    connect(m_redo, &QAction::triggered, this, [this] { m_stack.redo(); });
    connect(&m_stack, &QUndoStack::indexChanged, this, &UndoHistory::updateActions);
    connect(&m_stack, &QUndoStack::undoTextChanged, this, &UndoHistory::updateActions);
    connect(&m_stack, &QUndoStack::redoTextChanged, this, &UndoHistory::updateActions);
    updateActions();

    using animation::Animation;
    constexpr auto direct = Qt::DirectConnection;
    connect(&panel, &Animation::evtReqPrepareForSceneChanges, this, &UndoHistory::prepare, direct);
    connect(&panel, &Animation::evtReqApplySceneChanges, this, &UndoHistory::apply, direct);
    connect(
        &panel, &Animation::evtreqButtonsEnable, this, [this] { noticeChanges(); }, direct);
    connect(
        &panel, &Animation::evtReqPrepareForAnimation, this, [this](int&) { setRunning(true); },
        direct);
    connect(
        &panel, &Animation::evtReqRestoreFromAnimation, this, [this](int&) { setRunning(false); },
        direct);
}

UndoHistory::~UndoHistory() = default;

sg::AnimationSnapshot UndoHistory::capture() const
{
    return sg::AnimationSnapshot::capture(*m_graph.scene(), *m_graph.applicationState());
}

void UndoHistory::prepare()
{
    if (m_restoring || m_depth++ > 0)
        return;
    m_prepared = capture();
    m_prepareLoopLevel = loopLevel();
    QTimer::singleShot(0, this, &UndoHistory::settleAbandonedBracket);
}

void UndoHistory::apply()
{
    if (m_restoring)
        return;
    if (m_depth == 0) // no prepare to match: compare with the last step
        return noticeChanges();
    if (--m_depth == 0)
        commit(m_prepared, sg::AnimationChange::Compare::DataAndPresent);
}

// A prepare whose apply never came (the change failed half-way): whatever it did is a step.
void UndoHistory::settleAbandonedBracket()
{
    if (m_depth == 0)
        return;
    if (loopLevel() > m_prepareLoopLevel) { // a dialog inside the bracket is still open
        QTimer::singleShot(0, this, &UndoHistory::settleAbandonedBracket);
        return;
    }
    m_depth = 0;
    commit(m_prepared, sg::AnimationChange::Compare::DataAndPresent);
}

void UndoHistory::noticeChanges(bool posesToo)
{
    if (m_restoring || m_depth > 0 || m_running)
        return;
    commit(m_baseline, posesToo ? sg::AnimationChange::Compare::DataAndPresent
                                : sg::AnimationChange::Compare::DataOnly);
}

void UndoHistory::commit(const sg::AnimationSnapshot& before, sg::AnimationChange::Compare compare)
{
    sg::AnimationSnapshot after = capture();
    sg::AnimationChange change = sg::AnimationChange::between(before, after, compare);
    m_baseline = std::move(after);
    if (change.isEmpty())
        return;
    const QString name = undoStepName(change, *m_graph.scene());
    m_stack.push(new AnimationStep(*this, std::move(change), name));
}

void UndoHistory::clear()
{
    m_stack.clear();
    m_depth = 0;
    m_baseline = capture();
}

void UndoHistory::restore(const std::vector<sg::ComponentState>& states,
                          const outside::AnimationSettings& settings, float frame)
{
    const auto state = m_graph.applicationState();
    const auto scene = m_graph.scene();
    m_restoring = true;
    const bool lengthChanged = state->AnimationSettings().Keys != settings.Keys;
    try {
        state->setAnimationSettings(settings);
        sg::restoreData(*scene, states);
        refreshPanel(lengthChanged, frame);
        // Posing at the frame moved the keyed groups; put back where everything stood.
        sg::restorePresent(*scene, states);
        state->setModified(true);
    } catch (const Error&) {
        // The panel passes its failures on; the scene's data is back all the same.
    }
    m_restoring = false;
    m_baseline = capture();
    emit restored();
}

void UndoHistory::refreshPanel(bool lengthChanged, float frame)
{
    if (lengthChanged)
        m_panel.SetupPanel();
    if (auto* slider = m_panel.findChild<common::TrackBar*>(QStringLiteral("sldFrame")))
        slider->setValue(int(std::nearbyint(frame)));
    m_panel.sldFrameChange(true, false);
    if (lengthChanged)
        m_panel.PrepareTimeLine();
    else
        m_panel.ReloadTimelineKeyFrames();
    m_panel.ButtonsEnable();
}

void UndoHistory::setRunning(bool running)
{
    m_running = running;
    updateActions();
}

void UndoHistory::updateActions()
{
    m_undo->setEnabled(m_stack.canUndo() && !m_running);
    m_redo->setEnabled(m_stack.canRedo() && !m_running);
    m_undo->setText(m_stack.canUndo() ? tr("&Undo %1").arg(m_stack.undoText()) : tr("&Undo"));
    m_redo->setText(m_stack.canRedo() ? tr("&Redo %1").arg(m_stack.redoText()) : tr("&Redo"));
}

} // namespace vellum::studio
