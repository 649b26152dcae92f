#include "SceneGraph.h"

#include "AnimationCommands.h"
#include "AppUtility.h"
#include "ComponentScriptEngine.h"
#include "GraphicsUtility.h"
#include "PictureFactory.h"
#include "PovExporter.h"
#include "RenderUtility.h"
#include "SceneFile.h"
#include "ScriptObjects.h"
#include "SgError.h"
#include "scripting/ScriptEditor.h"

#include <QStandardPaths>

namespace vellum::sg {

SceneGraph::SceneGraph(QObject* parent)
    : QObject(parent), m_state(std::make_shared<sg::ApplicationState>()),
      m_engineFactory(
          std::make_shared<ComponentScriptEngineFactory>(ComponentScriptEngine::factory())),
      m_editorFactory([] { return std::make_shared<ScriptEditor>(); }),
      m_objectFactory(makeScriptObject), m_logPath(AppUtility::defaultLogPath())
{
    setScene(Scene::create());
}

SceneGraph::~SceneGraph() = default;

void SceneGraph::setScene(const std::shared_ptr<sg::Scene>& scene)
{
    if (!scene)
        throw objectRequired();
    scene->setScriptEngineFactory(m_engineFactory);
    m_selection.clearAll();
    m_state->setScene(scene);
    emit sceneReplaced();
}

void SceneGraph::newScene()
{
    setScene(Scene::create());
    m_state->setSceneFile(QString());
}

void SceneGraph::openScene(const QString& path)
{
    SceneDocument document = readSceneFile(path);
    auto settings = m_state->AnimationSettings();
    settings.Keys = document.keys;
    settings.KeysPerSecond = document.keysPerSecond;
    m_state->setAnimationSettings(settings);
    setScene(document.scene);
    m_state->setCurrentFrame(document.currentFrame);
    m_state->setModified(false);
    m_state->setSceneFile(path);
}

void SceneGraph::saveScene(const QString& path) const
{
    const auto settings = m_state->AnimationSettings();
    writeSceneFile(path, SceneDocument{scene(), settings.Keys, settings.KeysPerSecond,
                                       m_state->CurrentFrame()});
    m_state->setSceneFile(path);
}

void SceneGraph::select(int deviceId, const std::shared_ptr<Shape>& shape)
{
    m_selection.select(deviceId, shape);
}

void SceneGraph::addToSelection(int deviceId, const std::shared_ptr<Shape>& shape, bool secondary)
{
    m_selection.add(deviceId, shape, secondary);
}

void SceneGraph::clearSelection(int deviceId)
{
    m_selection.clear(deviceId);
}

QList<std::shared_ptr<Shape>> SceneGraph::selectedItems(int deviceId) const
{
    return m_selection.items(deviceId);
}

void SceneGraph::selectLight(int deviceId, const std::shared_ptr<Light>& light)
{
    if (!light)
        throw objectRequired();
    m_selection.select(deviceId, scene()->lightMarker(light->code()));
}

void SceneGraph::selectCamera(int deviceId, const std::shared_ptr<Camera>& camera)
{
    if (!camera)
        throw objectRequired();
    m_selection.select(deviceId, camera->marker());
}

void SceneGraph::setScriptEngineFactory(ComponentScriptEngineFactory factory)
{
    // Scenes share the holder, so engines made from now on use the new factory.
    *m_engineFactory = std::move(factory);
}

void SceneGraph::setScriptEngineFactory(ScriptEngineFactory factory)
{
    if (!factory) {
        setScriptEngineFactory(ComponentScriptEngineFactory());
        return;
    }
    setScriptEngineFactory([factory = std::move(factory)](const QString& script,
                                                          const std::weak_ptr<outside::Scripted>&) {
        return factory(script);
    });
}

void SceneGraph::setViewCameras(const outside::View* view, const QList<outside::CameraPtr>& cameras)
{
    m_viewCameras.insert(view, cameras);
}

outside::ShapePtr SceneGraph::NewShape()
{
    return std::make_shared<Shape>(ShapeKind::Box, 0, QString());
}

std::int32_t SceneGraph::SelectedCount(std::int32_t sceneDeviceId)
{
    return m_selection.count(sceneDeviceId);
}

outside::ShapePtr SceneGraph::SelectedItem(std::int32_t sceneDeviceId, std::int32_t index)
{
    return m_selection.item(sceneDeviceId, index);
}

std::int32_t SceneGraph::SecondarySelectionCount(std::int32_t sceneDeviceId)
{
    return m_selection.secondaryCount(sceneDeviceId);
}

outside::LightPtr SceneGraph::LightByLink(std::int32_t lightLink)
{
    return scene()->light(lightLink);
}

outside::CameraPtr SceneGraph::CameraByLink(std::int32_t objectLink)
{
    return scene()->camera(objectLink);
}

QList<outside::CameraPtr> SceneGraph::ViewCameras(const outside::ViewPtr& view)
{
    const auto found = m_viewCameras.constFind(view.get());
    if (found != m_viewCameras.cend())
        return *found;
    return {scene()->animationCamera()};
}

void SceneGraph::bind(int binding, int sceneDeviceId)
{
    m_boundDevices[size_t(binding)] = sceneDeviceId;
    emit deviceBound(binding, sceneDeviceId);
}

void SceneGraph::FrameCompleted()
{
    ++m_framesCompleted;
    emit frameCompleted(m_framesCompleted);
}

outside::AppUtilityPtr SceneGraph::CreateAppUtility()
{
    return std::make_shared<AppUtility>(m_logPath, m_saveDialogAnswer, m_state);
}

outside::RenderUtilityPtr SceneGraph::CreateRenderUtility()
{
    return std::make_shared<RenderUtility>(this);
}

outside::GraphicsUtilityPtr SceneGraph::CreateGraphicsUtility()
{
    return std::make_shared<GraphicsUtility>(this);
}

outside::PictureFactoryPtr SceneGraph::CreatePictureFactory()
{
    return std::make_shared<PictureFactory>(this);
}

outside::AnimationCommandsPtr SceneGraph::CreateAnimationCommands()
{
    return std::make_shared<AnimationCommands>();
}

outside::PovExporterPtr SceneGraph::CreatePovExporter()
{
    return std::make_shared<PovExporter>();
}

void SceneGraph::LibraryPaths(QStringList& folders, std::int32_t& count)
{
    folders.clear();
    const auto withSeparator = [](const QString& folder) {
        return folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/');
    };
    for (const QString& folder : m_libraryPaths)
        folders.append(withSeparator(folder));
    const QString media =
        QStandardPaths::locate(QStandardPaths::AppDataLocation, QStringLiteral("Media/Textures"),
                               QStandardPaths::LocateDirectory);
    if (!media.isEmpty())
        folders.append(withSeparator(media));
    count = std::int32_t(folders.size());
}

outside::ScriptEditorPtr SceneGraph::NewScriptEditor()
{
    if (!m_editorFactory)
        throw noScriptSupport(QStringLiteral("script editor"));
    return m_editorFactory();
}

outside::ScriptObjectPtr SceneGraph::NewScriptObject(outside::ScriptObjectClass scriptClass)
{
    if (!m_objectFactory)
        throw noScriptSupport(QStringLiteral("script object"));
    return m_objectFactory(scriptClass);
}

void SceneGraph::AnimationSettingsChanging()
{
    m_settingsBefore = m_state->AnimationSettings();
}

bool SceneGraph::AnimationSettingsChanged()
{
    const outside::AnimationSettings now = m_state->AnimationSettings();
    if (now.Keys == m_settingsBefore.Keys && now.KeysPerSecond == m_settingsBefore.KeysPerSecond)
        return false;
    if (m_state->CurrentFrame() > float(now.Keys))
        m_state->setCurrentFrame(float(now.Keys));
    emit animationSettingsChanged();
    return true;
}

QList<outside::ComponentRecord> SceneGraph::ComponentList()
{
    const auto current = scene();
    QList<outside::ComponentRecord> records;
    for (const auto& group : current->groupList())
        records.append(outside::ComponentRecord{outside::Kind::Group, group->number()});
    records.append(
        outside::ComponentRecord{outside::Kind::Camera, current->animationCamera()->id()});
    for (const auto& light : current->lightList())
        records.append(outside::ComponentRecord{outside::Kind::Light, light->number()});
    for (const auto& shape : current->shapeList())
        if (shape->kind() == ShapeKind::OperationMarker)
            records.append(outside::ComponentRecord{outside::Kind::Operation, shape->number()});
    return records;
}

} // namespace vellum::sg
