#pragma once

class QMainWindow;
class QMenu;

namespace vellum::studio {

// Help › Keyboard Shortcuts and Help › About, added to the window's menu bar.
QMenu* addHelpMenu(QMainWindow& window);

} // namespace vellum::studio
