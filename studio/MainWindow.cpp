#include "MainWindow.h"

#include "ActiveView.h"
#include "AddMenu.h"
#include "DemoScene.h"
#include "GhostTrail.h"
#include "HeadlessPlatform.h"
#include "HelpMenu.h"
#include "KeyboardShortcuts.h"
#include "Outliner.h"
#include "PreferencesDialog.h"
#include "PropertyEditor.h"
#include "StudioApplier.h"
#include "StudioViewport.h"
#include "UndoHistory.h"
#include "ViewCameras.h"

#include <Animation.h>
#include <Error.h>
#include <QAbstractButton>
#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenuBar>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <dialogs/WarnDialog.h>
#include <outside/Enumerations.h>
#include <outside/ErrorRule.h>
#include <outside/Platform.h>
#include <outside/Viewport.h>
#include <sg/SceneFile.h>
#include <sg/SceneGraph.h>
#include <utility>
#include <viewport/ViewportWidget.h>

Q_LOGGING_CATEGORY(lcStudio, "vellum.studio", QtInfoMsg)

namespace vellum::studio {

namespace {

const QString applicationTitle = QStringLiteral("Vellum Studio");
const QString sceneFilter = QStringLiteral("Vellum scenes (*.json);;All files (*)");

// Room for a hundred frames at about two pixels each.
constexpr int MinimumSliderWidth = 240;

// The application state's GhostState while the ghost frames are played.
constexpr std::int32_t GhostFramesPlaying = 1;

// The panel passes its errors on; in an event handler there is nobody left to pass them to.
template <typename Call> void tolerate(const char* what, Call&& call)
{
    try {
        call();
    } catch (const Error& error) {
        if (outside::isFault(error))
            qCWarning(lcStudio) << what << "failed:" << error.number() << error.description();
        else
            qCDebug(lcStudio) << what << "refused:" << error.number() << error.description();
    }
}

QLabel* addOverlay(QWidget* view, const QString& text, Qt::Alignment alignment)
{
    auto* label = new QLabel(text, view);
    label->setStyleSheet(QStringLiteral("color: #e8ecf2; background: rgba(20, 24, 30, 140);"
                                        "padding: 2px 6px; border-radius: 3px;"));
    static_cast<QVBoxLayout*>(view->layout())->addWidget(label, 0, alignment);
    return label;
}

viewport::ViewportWidget* makeView(const QString& name, const QString& caption,
                                   const viewport::RenderCamera& camera)
{
    auto* view = new viewport::ViewportWidget;
    view->setObjectName(name);
    view->setCamera(camera);
    view->setMinimumSize(200, 150);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(6, 6, 6, 6);
    addOverlay(view, caption, Qt::AlignLeft | Qt::AlignTop)
        ->setObjectName(QStringLiteral("viewCaption"));
    layout->addStretch(1);
    return view;
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent), m_graph(std::make_shared<sg::SceneGraph>()),
      m_applier(std::make_shared<StudioApplier>()), m_ghosts(new GhostTrail(this))
{
    // Before the panel exists: its animation window asks for a viewport when first shown.
    outside::setViewportFactory(
        [](QWidget* parent) { return std::make_unique<StudioViewport>(parent); });
    loadDemoScene(*m_graph);
    connectSceneGraph();
    buildViews();
    buildDocks();
    buildMenus();
    buildStatusBar();
    createPanel();
    new KeyboardShortcuts(*this, *m_panel);
    m_outliner->populate(*m_graph->scene());
    updateTitle();
    renderAllViews();
}

MainWindow::~MainWindow()
{
    unbindPanel();
    outside::setViewportFactory(nullptr);
}

void MainWindow::connectSceneGraph()
{
    connect(m_graph.get(), &sg::SceneGraph::normalDisplayRequested, this,
            &MainWindow::normalDisplayRequested);
    connect(m_graph.get(), &sg::SceneGraph::ghostDelayRequested, m_ghosts, &GhostTrail::hold);
    connect(m_ghosts, &GhostTrail::changed, this, &MainWindow::renderAllViews);
}

void MainWindow::buildViews()
{
    m_perspective =
        makeView(QStringLiteral("perspectiveView"), tr("Perspective"), defaultPerspectiveCamera());
    m_top = makeView(QStringLiteral("topView"), tr("Top"), topCamera());
    m_timeOverlay = addOverlay(m_perspective, QString(), Qt::AlignLeft | Qt::AlignBottom);
    m_activeView = std::make_shared<ActiveView>(m_timeOverlay);
    m_activeView->SetAnimationTime(0.0f);
    m_graph->applicationState()->setActiveView(m_activeView);
    // Until the user moves the plan view, it keeps the stage in frame as it is resized.
    m_top->installEventFilter(this);
    connect(m_top, &viewport::ViewportWidget::cameraChanged, this, [this] { m_topFitted = false; });
    for (viewport::ViewportWidget* view : {m_perspective, m_top}) {
        connect(view, &viewport::ViewportWidget::clicked, this,
                [this, view](QPoint position) { viewClicked(view, position); });
    }

    auto* splitter = new QSplitter(Qt::Horizontal);
    splitter->setObjectName(QStringLiteral("viewSplitter"));
    splitter->addWidget(m_perspective);
    splitter->addWidget(m_top);
    splitter->setStretchFactor(0, 1);
    splitter->setStretchFactor(1, 1);
    splitter->setChildrenCollapsible(false);

    setCentralWidget(splitter);
    splitter->installEventFilter(this);
}

void MainWindow::buildDocks()
{
    m_outliner = new Outliner;
    connect(m_outliner, &Outliner::componentChosen, this, &MainWindow::selectComponent);
    connect(m_outliner, &Outliner::groupsChosen, this, &MainWindow::selectGroups);
    auto* outlinerDock = new QDockWidget(tr("Outliner"), this);
    outlinerDock->setObjectName(QStringLiteral("outlinerDock"));
    outlinerDock->setWidget(m_outliner);
    outlinerDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::LeftDockWidgetArea, outlinerDock);

    m_properties = new PropertyEditor;
    connect(m_properties, &PropertyEditor::poseEdited, this, &MainWindow::propertiesEdited);
    connect(m_properties, &PropertyEditor::operationEdited, this, &MainWindow::propertiesEdited);
    // The panel's operation rows mark the active operation's target.
    connect(m_properties, &PropertyEditor::activeOperationChanged, this, [this] {
        refreshPanelSelection();
        renderAllViews();
    });
    auto* propertiesDock = new QDockWidget(tr("Properties"), this);
    propertiesDock->setObjectName(QStringLiteral("propertiesDock"));
    auto* holder = new QWidget;
    auto* holderLayout = new QVBoxLayout(holder);
    holderLayout->setContentsMargins(0, 0, 0, 0);
    holderLayout->addWidget(m_properties);
    holderLayout->addStretch(1);
    // In a small window the editor scrolls rather than pushing the views and the panel aside.
    auto* scroller = new QScrollArea;
    scroller->setWidget(holder);
    scroller->setWidgetResizable(true);
    scroller->setFrameShape(QFrame::NoFrame);
    propertiesDock->setWidget(scroller);
    propertiesDock->setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);
    addDockWidget(Qt::RightDockWidgetArea, propertiesDock);
    resizeDocks({outlinerDock, propertiesDock},
                {m_outliner->sizeHint().width(), propertiesDock->sizeHint().width()},
                Qt::Horizontal);
}

void MainWindow::buildMenus()
{
    QMenu* file = menuBar()->addMenu(tr("&File"));
    file->addAction(tr("&New"), QKeySequence::New, this, &MainWindow::newScene);
    file->addAction(tr("&Open…"), QKeySequence::Open, this, &MainWindow::openTriggered);
    file->addAction(tr("&Save"), QKeySequence::Save, this, &MainWindow::saveTriggered);
    file->addAction(tr("Save &As…"), QKeySequence::SaveAs, this, &MainWindow::saveAsTriggered);
    file->addSeparator();
    file->addAction(tr("&Preferences…"), QKeySequence::Preferences, this, [this] {
        PreferencesDialog(m_graph->applicationState()->RegistryKey(), this).exec();
    });
    file->addSeparator();
    file->addAction(tr("&Quit"), QKeySequence::Quit, this, &QWidget::close);
    m_editMenu = menuBar()->addMenu(tr("&Edit"));

    QMenu* view = menuBar()->addMenu(tr("&View"));
    m_lookThrough = view->addAction(tr("Look Through Animation Camera"));
    m_lookThrough->setObjectName(QStringLiteral("actLookThrough"));
    m_lookThrough->setCheckable(true);
    connect(m_lookThrough, &QAction::toggled, this, &MainWindow::lookThroughToggled);

    addAddMenu(*this, [this](Addition what) { addComponent(what); });

    // The panel's own recording paths, also reachable where its buttons are out of sight.
    QMenu* animation = menuBar()->addMenu(tr("&Animation"));
    QAction* record = animation->addAction(tr("&Record…"), this, [this] {
        if (auto* button = m_panel->findChild<QAbstractButton*>(QStringLiteral("cmdRecord")))
            button->click();
    });
    record->setObjectName(QStringLiteral("actRecord"));
    QAction* snapshot =
        animation->addAction(tr("&Snapshot…"), this, [this] { m_panel->CreateSnapshot(); });
    snapshot->setObjectName(QStringLiteral("actSnapshot"));
    connect(animation, &QMenu::aboutToShow, this, [this, record] {
        auto* button = m_panel->findChild<QAbstractButton*>(QStringLiteral("cmdRecord"));
        record->setEnabled(button && button->isEnabled());
    });

    addHelpMenu(*this);
}

void MainWindow::buildStatusBar()
{
    m_statusPosition = new QLabel;
    m_statusPosition->setObjectName(QStringLiteral("lblStatusPosition"));
    m_statusMisc = new QLabel;
    m_statusMisc->setObjectName(QStringLiteral("lblStatusMisc"));
    statusBar()->addWidget(m_statusPosition, 1);
    statusBar()->addPermanentWidget(m_statusMisc);
}

void MainWindow::createPanel()
{
    m_panel = new animation::Animation;
    m_panel->setObjectName(QStringLiteral("animationPanel"));
    // The panel spans the whole window: its timeline wants every pixel of width it can get.
    m_panelDock = new QDockWidget(tr("Animation"), this);
    m_panelDock->setObjectName(QStringLiteral("animationDock"));
    m_panelDock->setTitleBarWidget(new QWidget(m_panelDock));
    m_panelDock->setFeatures(QDockWidget::NoDockWidgetFeatures);
    m_panelDock->setWidget(m_panel);
    setCorner(Qt::BottomLeftCorner, Qt::BottomDockWidgetArea);
    setCorner(Qt::BottomRightCorner, Qt::BottomDockWidgetArea);
    addDockWidget(Qt::BottomDockWidgetArea, m_panelDock);
    m_history = new UndoHistory(*m_graph, *m_panel, this);
    m_editMenu->addAction(m_history->undoAction());
    m_editMenu->addAction(m_history->redoAction());
    connect(m_history, &UndoHistory::restored, this, [this] {
        updateTitle();
        renderAllViews();
    });
    connectPanel();
    m_panel->SetSceneGraph(m_graph, m_applier);
    m_bound = true;
    // Docked for good: the panel is there to finish every run it starts.
    m_graph->applicationState()->setPanelActive(true);
    m_graph->applicationState()->setMainWindowHandle(this);
    tolerate("SetupPanel", [this] { m_panel->SetupPanel(); });
    tolerate("SetModePrepare", [this] { m_panel->SetModePrepare(outside::ModeAnimation); });
    // The panel's row ends in the frame slider, which must stay wide enough to aim at a frame.
    if (const QWidget* slider = m_panel->findChild<QWidget*>(QStringLiteral("sldFrame")))
        setMinimumWidth(slider->mapTo(m_panel, QPoint(0, 0)).x() + MinimumSliderWidth);
}

void MainWindow::connectPanel()
{
    using animation::Animation;
    constexpr auto direct = Qt::DirectConnection;
    connect(
        m_panel, &Animation::evtreqButtonsEnable, this,
        [this] {
            tolerate("ButtonsEnable", [this] { m_panel->ButtonsEnable(); });
            updateTitle();
        },
        direct);
    connect(m_panel, &Animation::evtreqRenderAllViews, this, &MainWindow::panelRenderRequested,
            direct);
    connect(
        m_panel, &Animation::evtReqApplySceneChanges, this,
        [this] {
            m_graph->applicationState()->setModified(true);
            panelChangedScene();
        },
        direct);
    // Full-screen playback covers the views wherever they are now.
    connect(
        m_panel, &Animation::evtReqPrepareForAnimation, this,
        [this](int& mode) {
            m_running = true;
            // A raytrace failure is reported once per run, not once per session.
            m_graph->applicationState()->setRaytraceFailed(false);
            updateRenderingRectangle();
            paceViewsFor(mode);
        },
        direct);
    connect(
        m_panel, &Animation::evtReqRestoreFromAnimation, this,
        [this](int&) {
            m_running = false;
            paceViewsFor(0);
            if (std::exchange(m_closeAfterRun, false))
                QTimer::singleShot(0, this, &QWidget::close);
        },
        direct);
    // The animation window draws through the camera itself.
    connect(
        m_panel, &Animation::evtreqAnimateCamera, this, [](int&) {}, direct);
    connect(
        m_panel, &Animation::evtReqSetMode, this,
        [this](std::int32_t& mode, bool&) {
            tolerate("SetModePrepare", [this, mode] { m_panel->SetModePrepare(mode); });
            renderAllViews();
        },
        direct);
    connect(
        m_panel, &Animation::evtReqUpdateStatusBar, this,
        [this](QString& position, QString& misc) { showStatus(position, misc); }, direct);
    connect(
        m_panel, &Animation::Resize, this,
        [this] {
            // The panel set its own height; the dock and the views make room for it.
            m_panel->updateGeometry();
            layout()->invalidate();
        },
        direct);
    connect(
        m_panel, &Animation::evtreqUpdateCameraPositions, this,
        [this](std::int16_t&) { updateCameraPositions(); }, direct);
    connect(
        m_panel, &Animation::evtReqWarn, this,
        [this](QString& key, QString& text, QString& entry) { showWarning(key, text, entry); },
        direct);
}

// The panel changed keys: what the current frame shows may differ now, and so may the components.
void MainWindow::panelChangedScene()
{
    tolerate("sldFrameChange", [this] { m_panel->sldFrameChange(false, false); });
    m_outliner->populate(*m_graph->scene());
    updateTitle();
    renderAllViews();
}

// Every change to the scene, the panel's and the studio's own, comes through here first.
void MainWindow::prepareSceneChange()
{
    // The undo history restores the components a scene has; taking one out again is not one
    // of its steps yet, so an addition is not undone.
}

void MainWindow::addComponent(Addition what)
{
    prepareSceneChange();
    const Added added = addToScene(*m_graph->scene(), what);
    m_graph->applicationState()->setModified(true);
    m_outliner->populate(*m_graph->scene());
    m_outliner->showCurrent(added.type, added.id);
    selectComponent(added.type, added.id);
    updateTitle();
}

void MainWindow::unbindPanel()
{
    if (!m_bound)
        return;
    m_bound = false;
    m_graph->applicationState()->setPanelActive(false);
    tolerate("SetSceneGraph", [this] { m_panel->SetSceneGraph(nullptr, nullptr); });
    m_graph->applicationState()->setActiveView(nullptr);
}

void MainWindow::showStatus(const QString& position, const QString& misc)
{
    m_statusPosition->setText(position);
    m_statusMisc->setText(misc);
    if (!misc.isEmpty())
        m_lastStatusMisc = misc;
}

// A recording runs faster than a person can watch, and the animation window shows what it
// records: the views follow it four times a second instead of costing a render every frame.
void MainWindow::paceViewsFor(int mode)
{
    const bool recording = mode == outside::amRecord || mode == outside::amSnapshot;
    for (viewport::ViewportWidget* view : {m_perspective, m_top})
        view->setMinimumRenderInterval(recording ? 250 : 0);
}

void MainWindow::renderAllViews()
{
    renderViews(false);
}

// While ghost frames are played, every frame the panel draws leaves a ghost copy behind.
void MainWindow::panelRenderRequested()
{
    const bool ghosting = m_graph->applicationState()->GhostState() == GhostFramesPlaying;
    if (!ghosting)
        m_ghosts->closeRun();
    renderViews(ghosting);
}

void MainWindow::renderViews(bool addGhostSet)
{
    if (!m_normalDisplay)
        return;
    viewport::RenderScene scene = m_adapter.build(*m_graph->scene(), highlightedShapes());
    if (addGhostSet)
        m_ghosts->addSet(scene, m_adapter);
    m_ghosts->appendTo(scene);
    m_perspective->setScene(scene);
    m_top->setScene(scene);
    if (m_lookThrough->isChecked())
        updateCameraPositions();
    // A run asks for the views up to twice a frame; they are painted once, when it yields.
    m_perspective->scheduleDraw();
    m_top->scheduleDraw();
    m_properties->refresh();
    const auto state = m_graph->applicationState();
    const float keysPerSecond = state->AnimationSettings().KeysPerSecond;
    if (keysPerSecond > 0.0f)
        m_activeView->SetAnimationTime(state->CurrentFrame() / keysPerSecond);
    ++m_redraws;
}

QSet<const sg::Shape*> MainWindow::highlightedShapes() const
{
    QSet<const sg::Shape*> shapes;
    const int device = m_graph->applicationState()->SceneDeviceID();
    for (const auto& shape : m_graph->selectedItems(device))
        shapes.insert(shape.get());
    return shapes;
}

void MainWindow::selectComponent(int type, int id)
{
    const auto scene = m_graph->scene();
    const int device = m_graph->applicationState()->SceneDeviceID();
    std::shared_ptr<sg::Group> posed;
    std::shared_ptr<sg::Shape> operations;
    switch (type) {
    case Outliner::GroupItem:
        if (scene->group(id))
            return selectGroups({id});
        break;
    case Outliner::ShapeItem:
        if (const auto shape = scene->shape(id)) {
            m_graph->select(device, shape);
            posed = shape->parentGroup();
        }
        break;
    case Outliner::LightItem:
        if (const auto light = scene->light(id))
            m_graph->selectLight(device, light);
        break;
    case Outliner::CameraItem:
        if (const auto camera = scene->camera(id)) {
            m_graph->selectCamera(device, camera);
            posed = camera->parentGroup();
        }
        break;
    case Outliner::OperationItem:
        if (const auto component = scene->shape(id);
            component && component->kind() == sg::ShapeKind::OperationMarker) {
            m_graph->select(device, component);
            operations = component;
        }
        break;
    default:
        m_graph->clearSelection(device);
    }
    if (operations)
        m_properties->setOperationComponent(operations);
    else // The root is the scene itself, not something to pose.
        m_properties->setGroup(posed == scene->rootGroup() ? nullptr : posed);
    refreshPanelSelection();
    renderAllViews();
}

void MainWindow::selectGroups(const QList<int>& numbers)
{
    const auto scene = m_graph->scene();
    const int device = m_graph->applicationState()->SceneDeviceID();
    m_graph->clearSelection(device);
    std::shared_ptr<sg::Group> posed;
    for (const int number : numbers)
        if (const auto group = scene->group(number)) {
            for (const auto& shape : group->shapes())
                m_graph->addToSelection(device, shape);
            posed = posed ? posed : group;
        }
    m_properties->setGroup(posed);
    refreshPanelSelection();
    renderAllViews();
}

void MainWindow::refreshPanelSelection()
{
    tolerate("TimelineActiveStateChange", [this] { m_panel->TimelineActiveStateChange(); });
    tolerate("ButtonsEnable", [this] { m_panel->ButtonsEnable(); });
}

void MainWindow::viewClicked(viewport::ViewportWidget* view, QPoint position)
{
    const auto shape = m_adapter.shapeAt(view->pickItem(position));
    int type = 0;
    int id = 0;
    if (shape && shape->isGeometric()) {
        type = Outliner::ShapeItem;
        id = shape->code();
    } else if (shape && shape->kind() == sg::ShapeKind::LightMarker) {
        type = Outliner::LightItem;
        id = shape->LightLink();
    } else if (shape && shape->kind() == sg::ShapeKind::CameraMarker) {
        type = Outliner::CameraItem;
        id = shape->ObjectLink();
    } else if (shape && shape->kind() == sg::ShapeKind::OperationMarker) {
        type = Outliner::OperationItem;
        id = shape->code();
    }
    m_outliner->showCurrent(type, id);
    selectComponent(type, id);
}

void MainWindow::propertiesEdited()
{
    m_history->noticeChanges(true);
    m_graph->applicationState()->setModified(true);
    updateTitle();
    renderAllViews();
}

void MainWindow::updateCameraPositions()
{
    if (!m_lookThrough->isChecked())
        return;
    const auto camera = m_graph->scene()->animationCamera();
    m_perspective->setCamera(throughAnimationCamera(*camera, m_perspective->camera()));
}

void MainWindow::lookThroughToggled(bool on)
{
    // Orbiting would fight the camera's own path, so the free camera waits until the end.
    if (on)
        m_freeCamera = m_perspective->camera();
    else
        m_perspective->setCamera(m_freeCamera);
    m_perspective->setNavigationEnabled(!on);
    m_perspective->findChild<QLabel*>(QStringLiteral("viewCaption"))
        ->setText(on ? tr("Animation camera") : tr("Perspective"));
    renderAllViews();
}

void MainWindow::showWarning(const QString& applicationKey, const QString& text,
                             const QString& entry)
{
    // A hint never switched off counts as on, as the dialog's ticked box suggests.
    tolerate("frmWarn", [&] {
        if (outside::platform().GetSetting(applicationKey, QStringLiteral("Tips"), entry,
                                           QStringLiteral("1")) == QStringLiteral("0"))
            return;
        // Nobody is there to tick the box: the hint is only printed.
        if (headlessPlatform())
            outside::platform().MsgBox(text, outside::MsgBoxButtons::OK,
                                       outside::MsgBoxIcon::Information, QString());
        else
            animation::WarnDialog::Show(this, applicationKey, text, entry);
    });
}

void MainWindow::updateTitle()
{
    const QString name = m_filePath.isEmpty() ? m_unsavedName : QFileInfo(m_filePath).fileName();
    setWindowModified(m_graph->applicationState()->Modified());
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, applicationTitle));
}

bool MainWindow::openSceneFile(const QString& path)
{
    sg::SceneDocument document;
    try {
        document = sg::readSceneFile(path);
    } catch (const Error& refusal) {
        outside::platform().MsgBox(
            tr("Cannot open %1.\n\n%2").arg(QFileInfo(path).fileName(), refusal.description()),
            outside::MsgBoxButtons::OK, outside::MsgBoxIcon::Exclamation, applicationTitle);
        return false;
    }
    const auto state = m_graph->applicationState();
    // The old scene goes: the panel is not to restore it, only to back up the new one.
    state->setMode(outside::ModeAnimationOff);
    auto settings = state->AnimationSettings();
    settings.Keys = document.keys;
    settings.KeysPerSecond = document.keysPerSecond;
    state->setAnimationSettings(settings);
    m_graph->setScene(document.scene);
    state->setCurrentFrame(document.currentFrame);
    state->setModified(false);
    m_filePath = path;
    sceneReplaced();
    return true;
}

bool MainWindow::saveSceneFile(const QString& path)
{
    try {
        m_graph->saveScene(path);
    } catch (const Error& error) {
        outside::platform().MsgBox(
            tr("Cannot save %1.\n\n%2").arg(QFileInfo(path).fileName(), error.description()),
            outside::MsgBoxButtons::OK, outside::MsgBoxIcon::Stop, applicationTitle);
        return false;
    }
    m_graph->applicationState()->setModified(false);
    m_filePath = path;
    updateTitle();
    return true;
}

void MainWindow::newScene()
{
    if (!maybeSave())
        return;
    m_graph->applicationState()->setMode(outside::ModeAnimationOff);
    m_graph->newScene();
    m_graph->applicationState()->setCurrentFrame(0.0f);
    m_graph->applicationState()->setModified(false);
    m_filePath.clear();
    m_unsavedName = tr("Untitled");
    sceneReplaced();
}

void MainWindow::normalDisplayRequested(bool normal)
{
    m_normalDisplay = normal;
    if (normal)
        renderAllViews();
}

QRect MainWindow::viewsArea() const
{
    const QWidget* area = centralWidget();
    if (!area)
        return {};
    return QRect(area->mapToGlobal(QPoint(0, 0)), area->size());
}

void MainWindow::updateRenderingRectangle()
{
    m_graph->setRenderingRectangle(viewsArea());
}

void MainWindow::sceneReplaced()
{
    m_ghosts->clear();
    m_outliner->clear(); // nothing of the old scene stays current
    tolerate("SetupPanel", [this] { m_panel->SetupPanel(); });
    tolerate("SetModePrepare", [this] { m_panel->SetModePrepare(outside::ModeAnimation); });
    m_outliner->populate(*m_graph->scene());
    m_properties->setGroup(nullptr);
    m_history->clear();
    updateTitle();
    renderAllViews();
}

bool MainWindow::maybeSave()
{
    if (!m_graph->applicationState()->Modified())
        return true;
    const auto answer = outside::platform().MsgBox(tr("The scene has changed. Save it first?"),
                                                   outside::MsgBoxButtons::YesNoCancel,
                                                   outside::MsgBoxIcon::Question, applicationTitle);
    if (answer == outside::MsgBoxResult::Cancel)
        return false;
    if (answer == outside::MsgBoxResult::No)
        return true;
    saveTriggered();
    return !m_graph->applicationState()->Modified();
}

void MainWindow::openTriggered()
{
    if (!maybeSave())
        return;
    const QString path =
        QFileDialog::getOpenFileName(this, tr("Open Scene"), QString(), sceneFilter);
    if (!path.isEmpty())
        openSceneFile(path);
}

void MainWindow::saveTriggered()
{
    if (m_filePath.isEmpty())
        saveAsTriggered();
    else
        saveSceneFile(m_filePath);
}

void MainWindow::saveAsTriggered()
{
    const QString path =
        QFileDialog::getSaveFileName(this, tr("Save Scene As"), m_filePath, sceneFilter);
    if (!path.isEmpty())
        saveSceneFile(path);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == centralWidget() &&
        (event->type() == QEvent::Move || event->type() == QEvent::Resize))
        updateRenderingRectangle();
    if (watched == m_top && event->type() == QEvent::Resize && m_topFitted) {
        viewport::RenderCamera camera = m_top->camera();
        fitStage(camera, m_top->size());
        m_top->setCamera(camera);
    }
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::moveEvent(QMoveEvent* event)
{
    QMainWindow::moveEvent(event);
    updateRenderingRectangle();
}

void MainWindow::resizeEvent(QResizeEvent* event)
{
    QMainWindow::resizeEvent(event);
    updateRenderingRectangle();
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    // The run is still on the stack and uses the panel's binding: close once it has returned.
    if (m_running) {
        m_closeAfterRun = true;
        tolerate("HaltAnimation", [this] { m_panel->HaltAnimation(); });
        event->ignore();
        return;
    }
    if (!maybeSave()) {
        event->ignore();
        return;
    }
    unbindPanel();
    event->accept();
}

} // namespace vellum::studio
