#pragma once

#include "VellumCommonExport.h"

#include <QWidget>

namespace vellum::common {

class TrackBarGeometry;

// Horizontal frame slider with a selection range. Value moves in whole steps; a press anywhere
// on the bar moves the thumb to the frame under the mouse and a drag follows it. On a press,
// MouseDown comes before the value changes; MouseUp comes after the last change.
class VELLUMCOMMON_EXPORT TrackBar : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(int Min READ Min WRITE setMin)
    Q_PROPERTY(int Max READ Max WRITE setMax)
    Q_PROPERTY(int Value READ Value WRITE setValue NOTIFY Change)
    Q_PROPERTY(int TickFrequency READ TickFrequency WRITE setTickFrequency)
    Q_PROPERTY(int SmallChange READ SmallChange WRITE setSmallChange)
    Q_PROPERTY(int LargeChange READ LargeChange WRITE setLargeChange)
    Q_PROPERTY(bool SelectRange READ SelectRange WRITE setSelectRange)
    Q_PROPERTY(int SelStart READ SelStart WRITE setSelStart)
    Q_PROPERTY(int SelLength READ SelLength WRITE setSelLength)

public:
    explicit TrackBar(QWidget* parent = nullptr);
    ~TrackBar() override;

    // Every setter refuses a value it cannot take with Error 380 and then changes nothing.
    int Min() const { return m_min; }
    void setMin(int min);
    int Max() const { return m_max; }
    void setMax(int max);
    int Value() const { return m_value; }
    void setValue(int value);
    // 0 draws no ticks.
    int TickFrequency() const { return m_tickFrequency; }
    void setTickFrequency(int frequency);
    int SmallChange() const { return m_smallChange; }
    void setSmallChange(int change);
    int LargeChange() const { return m_largeChange; }
    void setLargeChange(int change);

    bool SelectRange() const { return m_selectRange; }
    void setSelectRange(bool shown);
    // The selection may reach past Max (it is drawn up to Max): callers move its start before
    // they shorten it.
    int SelStart() const { return m_selStart; }
    void setSelStart(int start);
    int SelLength() const { return m_selLength; }
    void setSelLength(int length);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void Change();
    void MouseDown(int button, int shift, float x, float y);
    void MouseUp(int button, int shift, float x, float y);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    TrackBarGeometry trackGeometry() const;
    void moveTo(qint64 value);
    void setHovered(bool hovered);
    void paintTrack(QPainter& painter, const TrackBarGeometry& geometry) const;
    void paintSelection(QPainter& painter, const TrackBarGeometry& geometry) const;
    void paintTicks(QPainter& painter, const TrackBarGeometry& geometry, QRect area) const;
    void paintThumb(QPainter& painter, const TrackBarGeometry& geometry) const;
    QColor color(int role) const;

    int m_min = 0;
    int m_max = 10;
    int m_value = 0;
    int m_tickFrequency = 1;
    int m_smallChange = 1;
    int m_largeChange = 5;
    bool m_selectRange = false;
    int m_selStart = 0;
    int m_selLength = 0;
    bool m_dragging = false;
    bool m_thumbHovered = false;
};

} // namespace vellum::common
