#pragma once

#include "AutotestExport.h"
#include "Forward.h"
#include "KeyRecord.h"

#include <QColor>
#include <QHash>
#include <QList>
#include <QPixmap>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <functional>

namespace vellum::animation {

struct PanelWidgets;

// The header label over frame f: whole seconds as minutes ("###", empty for none), ":" and the
// seconds in the minute ("00").
VELLUM_AUTOTEST_EXPORT QString timelineHeaderLabel(std::int32_t frame, std::int32_t keysPerSecond);

// The timeline grid: a row for every animated item of the selected components, a column for every
// frame, a picture in every cell that holds a key, the span between keys tinted and the current
// frame's header marked.
class VELLUM_AUTOTEST_EXPORT TimelineGrid
{
public:
    explicit TimelineGrid(PanelWidgets& widgets);

    void PrepareTimeLine();
    void ReloadTimelineKeyFrames();
    void TimelineActiveStateChange();
    void DisplayRangeOfEffect(std::int32_t lStartColumn, std::int32_t lEndColumn);
    void HighlightTimelineColumn();
    void SelectCurrentFrameColumn();
    void BuildTimelineColumns();

    // The first binding's one-time set-up of the grid.
    void configureOnce();

private:
    void buildColumns();
    void LoadTimelineRows();
    void loadRows();
    void AddGroupRows();
    void addItemRows(outside::Group& group);
    void AddCameraRow(outside::Camera& camera);
    void AddLightRow(outside::Light& light);
    void AddOperationRows(outside::Group& group, int level);
    void listSequences(const std::function<QStringList()>& sequenceNames);
    void describeRow(std::int32_t rowData, const QPixmap& kindPicture, int loopMode);
    void ShowKeyCells(const QList<outside::KeyRecord>& keys);
    void tint(std::int32_t startColumn, std::int32_t endColumn);
    void selectCurrentFrameColumn();
    void highlight();
    void keepInView(std::int32_t column);
    const QPixmap& picture(const QString& key);
    int pixelsToTwips(int pixels) const;

    PanelWidgets& m_widgets;
    QHash<QString, QPixmap> m_pictures;
    QList<std::int32_t> m_groupCodes;
    QList<std::int32_t> m_groupLevels;
    QColor m_headerColour;
    std::int32_t m_lastHighlighted = 3;
    std::int32_t m_selectedFrame = 0;
};

} // namespace vellum::animation
