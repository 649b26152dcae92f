#pragma once

// GoogleMock doubles of the outside components, for tests where the order and the arguments of
// the panel's calls matter.

#include "AnimationCommands.h"
#include "AppUtility.h"
#include "ApplicationState.h"
#include "Applier.h"
#include "Camera.h"
#include "GraphicsUtility.h"
#include "Group.h"
#include "Light.h"
#include "Operation.h"
#include "PictureFactory.h"
#include "PovExporter.h"
#include "RenderUtility.h"
#include "Scene.h"
#include "SceneGraph.h"
#include "Shape.h"
#include "View.h"

#include <gmock/gmock.h>

namespace vellum::testing {

using namespace vellum::outside;

class MockApplicationState : public ApplicationState
{
public:
    MOCK_METHOD(QString, RegistryKey, (), (override));
    MOCK_METHOD(std::int32_t, Mode, (), (override));
    MOCK_METHOD(void, setMode, (std::int32_t), (override));
    MOCK_METHOD(float, CurrentFrame, (), (override));
    MOCK_METHOD(void, setCurrentFrame, (float), (override));
    MOCK_METHOD(bool, AnimationRunning, (), (override));
    MOCK_METHOD(void, setAnimationRunning, (bool), (override));
    MOCK_METHOD(outside::AnimationSettings, AnimationSettings, (), (override));
    MOCK_METHOD(void, setAnimationSettings, (const outside::AnimationSettings&), (override));
    MOCK_METHOD(bool, Modified, (), (override));
    MOCK_METHOD(void, setModified, (bool), (override));
    MOCK_METHOD(std::int32_t, SceneDeviceID, (), (override));
    MOCK_METHOD(ScenePtr, Scene, (), (override));
    MOCK_METHOD(ViewPtr, ActiveView, (), (override));
    MOCK_METHOD(bool, RenderingSuspended, (), (override));
    MOCK_METHOD(bool, PanelActive, (), (override));
    MOCK_METHOD(std::int32_t, GhostState, (), (override));
    MOCK_METHOD(void, setGhostState, (std::int32_t), (override));
    MOCK_METHOD(QString, BackgroundTexture, (), (override));
    MOCK_METHOD(bool, UseBackgroundTexture, (), (override));
    MOCK_METHOD(bool, ViewportOption, (), (override));
    MOCK_METHOD(QWidget*, MainWindowHandle, (), (override));
    MOCK_METHOD(bool, AntiAliasFlag, (), (override));
    MOCK_METHOD(QString, RaytracerSetting, (), (override));
    MOCK_METHOD(QString, ScenePath, (), (override));
    MOCK_METHOD(bool, RaytraceFailed, (), (override));
    MOCK_METHOD(void, setRaytraceFailed, (bool), (override));
};

class MockScene : public Scene
{
public:
    MOCK_METHOD(const Collection<Shape>&, Shapes, (), (override));
    MOCK_METHOD(const Collection<Light>&, Lights, (), (override));
    MOCK_METHOD(const Collection<Camera>&, Cameras, (), (override));
    MOCK_METHOD(const Collection<Group>&, Groups, (), (override));
    MOCK_METHOD(GroupPtr, RootGroup, (), (override));
    MOCK_METHOD(const Collection<Operation>&, Operations, (), (override));
    MOCK_METHOD(std::int32_t, OperationIndex, (std::int32_t), (override));
    MOCK_METHOD(OperationTableSet, OperationTables, (std::int32_t), (override));
    MOCK_METHOD(void, UpdateShape, (const ShapePtr&, const GroupPtr&, bool, bool, bool, bool),
                (override));
    MOCK_METHOD(void, ShapeChanged, (const ShapePtr&), (override));
    MOCK_METHOD(void, GroupChanged, (const GroupPtr&), (override));
    MOCK_METHOD(void, OperationDataChanged, (const ShapePtr&, const OperationTableSet&),
                (override));
    MOCK_METHOD(void, CameraScriptChanged, (const CameraPtr&), (override));
    MOCK_METHOD(void, LightScriptChanged, (const LightPtr&), (override));
    MOCK_METHOD(void, ShapeScriptChanged, (std::int32_t, const ShapePtr&), (override));
    MOCK_METHOD(void, AnimationFinished, (), (override));
    MOCK_METHOD(void, ClearAnimatedComponents, (), (override));
    MOCK_METHOD(void, AddAnimatedCamera, (const CameraPtr&), (override));
    MOCK_METHOD(void, AddAnimatedLight, (const LightPtr&), (override));
    MOCK_METHOD(void, AddAnimatedOperation, (const ShapePtr&), (override));
    MOCK_METHOD(void, AddAnimatedGroup, (const GroupPtr&), (override));
};

#define VELLUM_MOCK_KEYFRAMED                                                                      \
    MOCK_METHOD(QList<KeyRecord>, GetKeyFrames, (float, float), (override));                       \
    MOCK_METHOD(QList<KeyRecord>, AnimationData, (), (override));                                  \
    MOCK_METHOD(void, SetKeyFrame, (bool, float), (override));                                     \
    MOCK_METHOD(void, RemoveKeyFrame, (float), (override));                                        \
    MOCK_METHOD(void, AddKeyFrame, (const KeyRecord&), (override));                                \
    MOCK_METHOD(int, LoopMode, (), (override));                                                    \
    MOCK_METHOD(void, setLoopMode, (int), (override));                                             \
    MOCK_METHOD(QString, Script, (), (override));                                                  \
    MOCK_METHOD(ScriptEnginePtr, ScriptEngine, (), (override))

class MockOperation : public Operation
{
public:
    MOCK_METHOD(QList<KeyRecord>, GetKeyFrames, (float, float), (override));
    MOCK_METHOD(QList<KeyRecord>, AnimationData, (), (override));
    MOCK_METHOD(void, SetKeyFrame, (bool, float), (override));
    MOCK_METHOD(void, RemoveKeyFrame, (float), (override));
    MOCK_METHOD(void, AddKeyFrame, (const KeyRecord&), (override));
    MOCK_METHOD(int, LoopMode, (), (override));
    MOCK_METHOD(void, setLoopMode, (int), (override));
    MOCK_METHOD(std::int32_t, Number, (), (override));
    MOCK_METHOD(QString, Name, (), (override));
};

class MockGroup : public Group
{
public:
    VELLUM_MOCK_KEYFRAMED;
    MOCK_METHOD(std::int32_t, Code, (), (override));
    MOCK_METHOD(std::int32_t, Number, (), (override));
    MOCK_METHOD(QString, Name, (), (override));
    MOCK_METHOD(QList<ShapePtr>, Shapes, (), (override));
    MOCK_METHOD(void, ApplyFrame, (float), (override));
    MOCK_METHOD(void, RefreshTree, (bool), (override));
    MOCK_METHOD(void, RefreshAnimation, (bool), (override));
    MOCK_METHOD(void, ResetAnimation, (float), (override));
    MOCK_METHOD(std::int32_t, LookAtID, (), (override));
    MOCK_METHOD(void, LookAt, (const GroupPtr&, std::int32_t), (override));
    MOCK_METHOD(void, ViewPosition, (const ViewPtr&, float, Vector3&), (override));
    MOCK_METHOD(void, ViewOrientation, (const ViewPtr&, float, Vector3&, Vector3&), (override));
};

class MockLight : public Light
{
public:
    VELLUM_MOCK_KEYFRAMED;
    MOCK_METHOD(QString, Name, (), (override));
    MOCK_METHOD(std::int32_t, Code, (), (override));
    MOCK_METHOD(void, SaveAnimationState, (), (override));
    MOCK_METHOD(void, RestoreAnimationState, (), (override));
    MOCK_METHOD(void, ApplyFrame, (float), (override));
};

class MockCamera : public Camera
{
public:
    VELLUM_MOCK_KEYFRAMED;
    MOCK_METHOD(QString, Name, (), (override));
    MOCK_METHOD(std::int32_t, ID, (), (override));
    MOCK_METHOD(GroupPtr, ParentGroup, (), (override));
    MOCK_METHOD(float, FieldOfView, (float), (override));
    MOCK_METHOD(void, SaveAnimationState, (), (override));
    MOCK_METHOD(void, RestoreAnimationState, (), (override));
    MOCK_METHOD(void, ApplyFrame, (float), (override));
};

#undef VELLUM_MOCK_KEYFRAMED

class MockShape : public Shape
{
public:
    MOCK_METHOD(QString, Script, (), (override));
    MOCK_METHOD(ScriptEnginePtr, ScriptEngine, (), (override));
    MOCK_METHOD(std::int32_t, Kind, (), (override));
    MOCK_METHOD(QString, Name, (), (override));
    MOCK_METHOD(std::int32_t, Code, (), (override));
    MOCK_METHOD(GroupPtr, ParentGroup, (), (override));
    MOCK_METHOD(std::int32_t, LightLink, (), (override));
    MOCK_METHOD(std::int32_t, ObjectLink, (), (override));
    MOCK_METHOD(bool, RefreshAlways, (), (override));
    MOCK_METHOD(ShapePtr, AnimationBackup, (), (override));
    MOCK_METHOD(void, setAnimationBackup, (const ShapePtr&), (override));
    MOCK_METHOD(void, CopyFrom, (const ShapePtr&), (override));
    MOCK_METHOD(void, PrepareRestore, (), (override));
};

class MockView : public View
{
public:
    MOCK_METHOD(void, SetAnimationTime, (float), (override));
};

class MockAppUtility : public AppUtility
{
public:
    MOCK_METHOD(void, WriteLine, (const QString&), (override));
    MOCK_METHOD(void, LoadDialogState, (const QString&), (override));
    MOCK_METHOD(void, SaveDialogState, (const QString&), (override));
    MOCK_METHOD(void, ShowSaveDialog,
                (QWidget*, QString&, const QString&, const QString&, bool, std::int32_t&),
                (override));
    MOCK_METHOD(void, SplitPath, (const QString&, QString&, QString&, QString&), (override));
    MOCK_METHOD(QString, RaytracerPath, (), (override));
    MOCK_METHOD(QString, ShortPath, (const QString&), (override));
};

class MockRenderUtility : public RenderUtility
{
public:
    MOCK_METHOD(void, KindCategory, (std::int32_t, std::int32_t&), (override));
    MOCK_METHOD(void, AnalyseSelection, (std::int32_t, std::int32_t&, bool&), (override));
    MOCK_METHOD(std::int32_t, SetDrawColour, (float, float, float, float), (override));
    MOCK_METHOD(std::int32_t, ConvertSettingValue, (std::int32_t), (override));
    MOCK_METHOD(void, BlendPictures, ((const std::array<QImage, 8>&), QImage&), (override));
    MOCK_METHOD(std::int64_t, ShellAndWait, (const QString&, bool), (override));
};

class MockGraphicsUtility : public GraphicsUtility
{
public:
    MOCK_METHOD(std::int32_t, TickCount, (), (override));
    MOCK_METHOD(void, SetNormalDisplay, (bool), (override));
    MOCK_METHOD(void, GhostDelay, (std::int32_t), (override));
    MOCK_METHOD(void, ScreenPosition, (QWidget*, std::int32_t&, std::int32_t&), (override));
    MOCK_METHOD(void, AviOpen, (const QString&, const QImage&, std::int32_t), (override));
    MOCK_METHOD(void, AviAddFrame, (const QImage&, std::int32_t), (override));
    MOCK_METHOD(void, AviClose, (), (override));
    MOCK_METHOD(QImage, PictureFromBitmap, (QImage, std::int32_t), (override));
};

class MockPictureFactory : public PictureFactory
{
public:
    MOCK_METHOD(void, MaximumDimensions,
                (std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&), (override));
    MOCK_METHOD(QImage, CreateOffscreenPicture,
                (std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t), (override));
};

class MockPovExporter : public PovExporter
{
public:
    MOCK_METHOD(void, ExportScene,
                (const QString&, const ScenePtr&, float, float, bool&, const PovRenderSettings&),
                (override));
};

class MockSceneGraph : public SceneGraph
{
public:
    MOCK_METHOD(ApplicationStatePtr, ApplicationState, (), (override));
    MOCK_METHOD(ShapePtr, NewShape, (), (override));
    MOCK_METHOD(std::int32_t, SelectedCount, (std::int32_t), (override));
    MOCK_METHOD(ShapePtr, SelectedItem, (std::int32_t, std::int32_t), (override));
    MOCK_METHOD(std::int32_t, SecondarySelectionCount, (std::int32_t), (override));
    MOCK_METHOD(LightPtr, LightByLink, (std::int32_t), (override));
    MOCK_METHOD(CameraPtr, CameraByLink, (std::int32_t), (override));
    MOCK_METHOD(QList<CameraPtr>, ViewCameras, (const ViewPtr&), (override));
    MOCK_METHOD(void, LibraryPaths, (QStringList&, std::int32_t&), (override));
    MOCK_METHOD(void, BindDeviceA, (std::int32_t), (override));
    MOCK_METHOD(void, BindDeviceB, (std::int32_t), (override));
    MOCK_METHOD(void, BindDeviceC, (std::int32_t), (override));
    MOCK_METHOD(void, BindDeviceD, (std::int32_t), (override));
    MOCK_METHOD(void, BindDeviceE, (std::int32_t), (override));
    MOCK_METHOD(void, FrameCompleted, (), (override));
    MOCK_METHOD(AppUtilityPtr, CreateAppUtility, (), (override));
    MOCK_METHOD(RenderUtilityPtr, CreateRenderUtility, (), (override));
    MOCK_METHOD(GraphicsUtilityPtr, CreateGraphicsUtility, (), (override));
    MOCK_METHOD(PictureFactoryPtr, CreatePictureFactory, (), (override));
    MOCK_METHOD(AnimationCommandsPtr, CreateAnimationCommands, (), (override));
    MOCK_METHOD(PovExporterPtr, CreatePovExporter, (), (override));
    MOCK_METHOD(ScriptEditorPtr, NewScriptEditor, (), (override));
    MOCK_METHOD(ScriptObjectPtr, NewScriptObject, (ScriptObjectClass), (override));
    MOCK_METHOD(void, AnimationSettingsChanging, (), (override));
    MOCK_METHOD(bool, AnimationSettingsChanged, (), (override));
    MOCK_METHOD(QList<ComponentRecord>, ComponentList, (), (override));
};

class MockApplier : public Applier
{
public:
    MOCK_METHOD(bool, OperationCheck1, (const OperationEntry&), (override));
    MOCK_METHOD(bool, OperationCheck2, (const OperationEntry&), (override));
    MOCK_METHOD(bool, OperationCheck3, (const OperationEntry&), (override));
    MOCK_METHOD(bool, OperationCheck4, (const OperationEntry&), (override));
    MOCK_METHOD(QImage, OperationPicture, (std::int32_t), (override));
};

class MockAnimationCommands : public AnimationCommands
{
public:
    MOCK_METHOD(QList<std::int32_t>, ShapeOperations, (const ScenePtr&, const ShapePtr&),
                (override));
    MOCK_METHOD(QString, OperationName, (const ScenePtr&, std::int32_t), (override));
    MOCK_METHOD(QList<KeyRecord>, OperationKeys, (const ScenePtr&, std::int32_t), (override));
    MOCK_METHOD(std::int32_t, OperationLoopMode, (const ScenePtr&, std::int32_t), (override));
    MOCK_METHOD(void, SetOperationLoopMode, (const ScenePtr&, std::int32_t, std::int32_t),
                (override));
    MOCK_METHOD(void, OperationKeyAtFrame, (const ScenePtr&, std::int32_t, float, bool&, bool&),
                (override));
    MOCK_METHOD(std::int32_t, OperationKeysBefore, (const ScenePtr&, std::int32_t, float),
                (override));
    MOCK_METHOD(void, OperationFirstKey, (const ScenePtr&, std::int32_t, std::int32_t&, float&),
                (override));
    MOCK_METHOD(void, MoveKeyFrames,
                (const ScenePtr&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,
                 std::int32_t, bool),
                (override));
    MOCK_METHOD(void, ScaleKeyFrames,
                (const ScenePtr&, std::int32_t, std::int32_t, std::int32_t, std::int32_t, double),
                (override));
    MOCK_METHOD(void, DeleteKeyFrames,
                (const ScenePtr&, std::int32_t, std::int32_t, std::int32_t, std::int32_t),
                (override));
    MOCK_METHOD(QStringList, GroupSequenceNames, (const ScenePtr&, std::int32_t), (override));
    MOCK_METHOD(QStringList, OperationSequenceNames, (const ScenePtr&, std::int32_t), (override));
    MOCK_METHOD(void, AddSequence,
                (const ScenePtr&, const QString&, std::int32_t, std::int32_t, std::int32_t,
                 std::int32_t, std::int32_t, std::int32_t),
                (override));
    MOCK_METHOD(void, RenameSequence,
                (const ScenePtr&, std::int32_t, std::int32_t, const QString&, const QString&),
                (override));
    MOCK_METHOD(void, DeleteSequence, (const ScenePtr&, std::int32_t, std::int32_t, const QString&),
                (override));
    MOCK_METHOD(void, RetrieveSequence,
                (const ScenePtr&, std::int32_t, std::int32_t, const QString&, std::int32_t),
                (override));
};

} // namespace vellum::testing
