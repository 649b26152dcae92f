#pragma once

#include "SceneRenderAdapter.h"

#include <QMainWindow>
#include <memory>
#include <viewport/RenderCamera.h>

class QAction;
class QDockWidget;
class QLabel;
class QMenu;

namespace vellum::animation {
class Animation;
}
namespace vellum::sg {
class SceneGraph;
}
namespace vellum::viewport {
class ViewportWidget;
}

namespace vellum::studio {

class ActiveView;
enum class Addition;
class GhostTrail;
class Outliner;
class PropertyEditor;
class StudioApplier;
class UndoHistory;

// The studio's window: a perspective and a top view over the scene, the outliner and the property
// editor beside them, and the animation panel below, bound to the studio's scene graph.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // Starts on the demo scene.
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    sg::SceneGraph& sceneGraph() const { return *m_graph; }
    animation::Animation* panel() const { return m_panel; }
    viewport::ViewportWidget* perspectiveView() const { return m_perspective; }
    viewport::ViewportWidget* topView() const { return m_top; }
    Outliner* outliner() const { return m_outliner; }
    PropertyEditor* propertyEditor() const { return m_properties; }
    QAction* lookThroughAction() const { return m_lookThrough; }
    UndoHistory* undoHistory() const { return m_history; }
    QString currentFile() const { return m_filePath; }
    // Full redraws of both views so far.
    int redrawCount() const { return m_redraws; }
    const GhostTrail& ghostTrail() const { return *m_ghosts; }
    // Where the views lie on the screen: the area that full-screen playback covers.
    QRect viewsArea() const;
    // The last text the panel put at the right of the status bar that was not empty.
    QString lastStatusMiscText() const { return m_lastStatusMisc; }

    // On failure the present scene stays and the reason is shown.
    bool openSceneFile(const QString& path);
    bool saveSceneFile(const QString& path);
    void newScene();
    // Rebuilds what the views show from the present poses and draws both.
    void renderAllViews();
    // Selects as the outliner does: an Outliner item type and the component's number or code.
    void selectComponent(int type, int id);
    // Selects every shape of the groups; the first is the one posed.
    void selectGroups(const QList<int>& numbers);

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildViews();
    void buildDocks();
    void buildMenus();
    void buildStatusBar();
    void createPanel();
    void connectPanel();
    void sceneReplaced();
    void panelChangedScene();
    void prepareSceneChange();
    void addComponent(Addition what);
    void unbindPanel();
    void connectSceneGraph();
    void panelRenderRequested();
    void renderViews(bool addGhostSet);
    void paceViewsFor(int mode);
    void normalDisplayRequested(bool normal);
    void updateRenderingRectangle();
    void showStatus(const QString& position, const QString& misc);
    bool maybeSave();
    void updateTitle();
    void updateCameraPositions();
    void lookThroughToggled(bool on);
    void viewClicked(viewport::ViewportWidget* view, QPoint position);
    void propertiesEdited();
    void refreshPanelSelection();
    void showWarning(const QString& applicationKey, const QString& text, const QString& entry);
    void openTriggered();
    void saveTriggered();
    void saveAsTriggered();
    QSet<const sg::Shape*> highlightedShapes() const;

    std::shared_ptr<sg::SceneGraph> m_graph;
    std::shared_ptr<StudioApplier> m_applier;
    std::shared_ptr<ActiveView> m_activeView;
    SceneRenderAdapter m_adapter;
    viewport::ViewportWidget* m_perspective = nullptr;
    viewport::ViewportWidget* m_top = nullptr;
    QLabel* m_timeOverlay = nullptr;
    animation::Animation* m_panel = nullptr;
    QDockWidget* m_panelDock = nullptr;
    Outliner* m_outliner = nullptr;
    PropertyEditor* m_properties = nullptr;
    QLabel* m_statusPosition = nullptr;
    QLabel* m_statusMisc = nullptr;
    QAction* m_lookThrough = nullptr;
    QMenu* m_editMenu = nullptr;
    UndoHistory* m_history = nullptr;
    GhostTrail* m_ghosts = nullptr;
    QString m_lastStatusMisc;
    viewport::RenderCamera m_freeCamera;
    QString m_filePath;
    QString m_unsavedName = tr("Demo scene"); // what the title says before the first save
    int m_redraws = 0;
    bool m_bound = false;
    bool m_topFitted = true;
    // False while the animation window covers the views: drawing them would only cost time.
    bool m_normalDisplay = true;
    bool m_running = false;
    bool m_closeAfterRun = false;
};

} // namespace vellum::studio
