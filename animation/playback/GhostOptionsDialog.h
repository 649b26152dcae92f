#pragma once

#include <QDialog>

namespace vellum::common {
class UpDownText;
class XPButton;
} // namespace vellum::common

class QPushButton;

namespace vellum::animation {

// How many frames before and after the current frame a ghost playback covers. OK stores both
// counts for the library and in the user's settings; Default only fills in the boxes.
class GhostOptionsDialog : public QDialog
{
public:
    explicit GhostOptionsDialog(QWidget* owner);

    common::UpDownText& preceding() { return *m_preceding; }
    common::UpDownText& following() { return *m_following; }

private:
    void build();
    void load();
    void restoreDefaults();
    void acceptCounts();

    common::UpDownText* m_preceding = nullptr;
    common::UpDownText* m_following = nullptr;
};

} // namespace vellum::animation
