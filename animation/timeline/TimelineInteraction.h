#pragma once

#include <cstdint>

namespace vellum::animation {

class AnimationPrivate;

// Mouse work on the timeline grid: selecting a block of rows and frames, moving the current
// frame to a clicked column, dragging the block to move or copy its keys, dragging its right
// edge to stretch their timing, and deleting the keys in it.
class TimelineInteraction
{
public:
    explicit TimelineInteraction(AnimationPrivate& panel);

    // The block as last seen, rows and columns of the grid.
    struct Block
    {
        std::int32_t top = 1;
        std::int32_t bottom = 1;
        std::int32_t left = 3;
        std::int32_t right = 3;
    };
    const Block& selection() const { return m_block; }
    void SaveGridSelection();
    void RestoreGridSelection();

private:
    enum HitResult
    {
        HitOutside = 0,
        HitInside = 1,
        HitRightEdge = 2
    };
    enum DragMode
    {
        DragMove = 0,
        DragStretch = 1
    };

    void connectWidgets();
    int HitTestSelection(int shift);
    void ClearSelectionPictures();
    std::int32_t GetDeleteStart(std::int32_t row);
    void beginDrag(DragMode mode);
    void onMouseDown(int button, int shift);
    void onMouseMove(int shift);
    void onMouseUp();
    void onDragOver(int state);
    void showDraggedBlock();
    void onDragDrop();
    bool dropChangesNothing(std::int32_t newLeft, std::int32_t newRight) const;
    void editRows(std::int32_t newLeft, std::int32_t newRight);
    void selectDroppedBlock(std::int32_t newLeft, std::int32_t newRight);
    void onKeyframeDelete();
    void restoreScroll();
    void moveSliderToColumn(std::int32_t column);

    AnimationPrivate& m_panel;
    Block m_block;
    std::int32_t m_savedTopRow = 1;
    std::int32_t m_savedLeftCol = 3;
    std::int32_t m_dragStartColumn = 0;
    std::int32_t m_lastDragColumn = -1;
    DragMode m_dragMode = DragMove;
    int m_dragButton = 1;
    bool m_copy = false;
    bool m_selecting = false;
};

} // namespace vellum::animation
