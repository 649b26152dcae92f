#include "TimelineSequences.h"

#include "Animation.h"
#include "AnimationCommands.h"
#include "AnimationPrivate.h"
#include "ApplicationState.h"
#include "ErrorRule.h"
#include "FlexGrid.h"
#include "ModuleState.h"
#include "Platform.h"
#include "XPButton.h"

#include <QComboBox>

namespace vellum::animation {

using namespace outside;

TimelineSequences::TimelineSequences(AnimationPrivate& panel) : m_panel(panel)
{
    connectWidgets();
}

void TimelineSequences::connectWidgets()
{
    const PanelWidgets& w = m_panel.widgets;
    Animation* q = &m_panel.q;
    QObject::connect(w.cboSequence, &QComboBox::activated, q, [this] { onSequenceChosen(); });
    QObject::connect(w.cmdSequenceAdd, &common::XPButton::Click, q, [this] { onAdd(); });
    QObject::connect(w.cmdSequenceRename, &common::XPButton::Click, q, [this] { onRename(); });
    QObject::connect(w.cmdSequenceDelete, &common::XPButton::Click, q, [this] { onDelete(); });
    QObject::connect(w.cmdSequenceRetrieve, &common::XPButton::Click, q, [this] { onRetrieve(); });
}

void TimelineSequences::enableNamedCommands(bool enabled)
{
    const PanelWidgets& w = m_panel.widgets;
    setAllEnabled({w.cmdSequenceDelete, w.cmdSequenceRename, w.cmdSequenceRetrieve}, enabled);
}

void TimelineSequences::onSequenceChosen()
{
    endQuietly([&] { enableNamedCommands(!m_panel.widgets.cboSequence->currentText().isEmpty()); });
}

bool TimelineSequences::acceptable(const QString& name) const
{
    if (name.isEmpty())
        return false;
    if (name.startsWith(QLatin1Char(' '))) {
        platform().MsgBox(QStringLiteral("A sequence name may not begin with a space."),
                          MsgBoxButtons::OK, MsgBoxIcon::Exclamation, messageTitle());
        return false;
    }
    return true;
}

void TimelineSequences::forEachSelectedItem(
    const std::function<void(std::int32_t kind, std::int32_t number)>& work)
{
    common::FlexGrid& grid = *m_panel.widgets.msgTimeline;
    const TimelineInteraction::Block& block = m_panel.gridWork.selection();
    m_panel.gridWork.RestoreGridSelection(); // refuses rows that are gone, before any change
    emit m_panel.q.evtReqPrepareForSceneChanges();
    for (std::int32_t row = block.top; row <= block.bottom; ++row) {
        grid.setRow(row);
        const std::int32_t code = grid.RowData(row);
        work(code % 100, code / 100);
    }
    emit m_panel.q.evtReqApplySceneChanges();
}

void TimelineSequences::onAdd()
{
    endQuietly([&] {
        const QString name =
            platform().InputBox(QStringLiteral("Please enter a title for the animation sequence:"),
                                QStringLiteral("Sequence Title"), QString());
        if (!acceptable(name))
            return;
        const ScenePtr scene = applicationState()->Scene();
        const TimelineInteraction::Block& block = m_panel.gridWork.selection();
        const std::int32_t fixedCols = m_panel.widgets.msgTimeline->FixedCols();
        forEachSelectedItem([&](std::int32_t kind, std::int32_t number) {
            animationCommands().AddSequence(scene, name, kind, number, block.left, block.right,
                                            fixedCols, block.left - fixedCols);
        });
        applicationState()->setModified(true);
        emit m_panel.q.evtreqButtonsEnable();
    });
}

void TimelineSequences::onRename()
{
    endQuietly([&] {
        QComboBox& combo = *m_panel.widgets.cboSequence;
        const QString oldName = combo.currentText();
        const QString name = platform().InputBox(
            QStringLiteral("Please enter a new name for the animation sequence:"),
            QStringLiteral("Sequence Name"), oldName);
        if (!acceptable(name))
            return;
        const ScenePtr scene = applicationState()->Scene();
        forEachSelectedItem([&](std::int32_t kind, std::int32_t number) {
            animationCommands().RenameSequence(scene, kind, number, oldName, name);
        });
        combo.setItemText(combo.currentIndex(), name);
        applicationState()->setModified(true);
    });
}

void TimelineSequences::onDelete()
{
    endQuietly([&] {
        if (!confirmed(QStringLiteral("This function can not be undone. Continue?")))
            return;
        QComboBox& combo = *m_panel.widgets.cboSequence;
        const QString name = combo.currentText();
        const ScenePtr scene = applicationState()->Scene();
        if (!name.isEmpty())
            forEachSelectedItem([&](std::int32_t kind, std::int32_t number) {
                animationCommands().DeleteSequence(scene, kind, number, name);
            });
        combo.removeItem(combo.currentIndex());
        combo.setCurrentIndex(-1);
        enableNamedCommands(false);
        applicationState()->setModified(true);
    });
}

void TimelineSequences::onRetrieve()
{
    endQuietly([&] {
        const QString name = m_panel.widgets.cboSequence->currentText();
        if (name.isEmpty())
            return;
        const ScenePtr scene = applicationState()->Scene();
        const std::int32_t firstFrame =
            m_panel.gridWork.selection().left - m_panel.widgets.msgTimeline->FixedCols();
        forEachSelectedItem([&](std::int32_t kind, std::int32_t number) {
            animationCommands().RetrieveSequence(scene, kind, number, name, firstFrame);
        });
        m_panel.timeline.ReloadTimelineKeyFrames();
        m_panel.navigation->sldFrameChange(true, true);
        applicationState()->setModified(true);
    });
}

} // namespace vellum::animation
