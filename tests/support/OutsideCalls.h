#pragma once

// Every call of the outside interfaces the panel's doubles implement, one list per interface,
// so that the mocks and the fault layer cannot drift apart: X(result, name, (parameter types)).

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

#include <array>

namespace vellum::testing {
using namespace vellum::outside;
using EightPictures = std::array<QImage, 8>;
} // namespace vellum::testing

#define VELLUM_APPLICATION_STATE_CALLS(X)                                                          \
    X(QString, RegistryKey, ())                                                                    \
    X(std::int32_t, Mode, ())                                                                      \
    X(void, setMode, (std::int32_t))                                                               \
    X(float, CurrentFrame, ())                                                                     \
    X(void, setCurrentFrame, (float))                                                              \
    X(bool, AnimationRunning, ())                                                                  \
    X(void, setAnimationRunning, (bool))                                                           \
    X(outside::AnimationSettings, AnimationSettings, ())                                           \
    X(void, setAnimationSettings, (const outside::AnimationSettings&))                             \
    X(bool, Modified, ())                                                                          \
    X(void, setModified, (bool))                                                                   \
    X(std::int32_t, SceneDeviceID, ())                                                             \
    X(ScenePtr, Scene, ())                                                                         \
    X(ViewPtr, ActiveView, ())                                                                     \
    X(bool, RenderingSuspended, ())                                                                \
    X(bool, PanelActive, ())                                                                       \
    X(std::int32_t, GhostState, ())                                                                \
    X(void, setGhostState, (std::int32_t))                                                         \
    X(QString, BackgroundTexture, ())                                                              \
    X(bool, UseBackgroundTexture, ())                                                              \
    X(bool, ViewportOption, ())                                                                    \
    X(QWidget*, MainWindowHandle, ())                                                              \
    X(bool, AntiAliasFlag, ())                                                                     \
    X(QString, RaytracerSetting, ())                                                               \
    X(QString, ScenePath, ())                                                                      \
    X(bool, RaytraceFailed, ())                                                                    \
    X(void, setRaytraceFailed, (bool))

// The scene's collections: X(item, name).
#define VELLUM_SCENE_COLLECTIONS(X)                                                                \
    X(Shape, Shapes) X(Light, Lights) X(Camera, Cameras) X(Group, Groups) X(Operation, Operations)

#define VELLUM_SCENE_CALLS(X)                                                                      \
    X(GroupPtr, RootGroup, ())                                                                     \
    X(std::int32_t, OperationIndex, (std::int32_t))                                                \
    X(OperationTableSet, OperationTables, (std::int32_t))                                          \
    X(void, UpdateShape, (const ShapePtr&, const GroupPtr&, bool, bool, bool, bool))               \
    X(void, ShapeChanged, (const ShapePtr&))                                                       \
    X(void, GroupChanged, (const GroupPtr&))                                                       \
    X(void, OperationDataChanged, (const ShapePtr&, const OperationTableSet&))                     \
    X(void, CameraScriptChanged, (const CameraPtr&))                                               \
    X(void, LightScriptChanged, (const LightPtr&))                                                 \
    X(void, ShapeScriptChanged, (std::int32_t, const ShapePtr&))                                   \
    X(void, AnimationFinished, ())                                                                 \
    X(void, ClearAnimatedComponents, ())                                                           \
    X(void, AddAnimatedCamera, (const CameraPtr&))                                                 \
    X(void, AddAnimatedLight, (const LightPtr&))                                                   \
    X(void, AddAnimatedOperation, (const ShapePtr&))                                               \
    X(void, AddAnimatedGroup, (const GroupPtr&))

#define VELLUM_KEYFRAMED_CALLS(X)                                                                  \
    X(QList<KeyRecord>, GetKeyFrames, (float, float))                                              \
    X(QList<KeyRecord>, AnimationData, ())                                                         \
    X(void, SetKeyFrame, (bool, float))                                                            \
    X(void, RemoveKeyFrame, (float))                                                               \
    X(void, AddKeyFrame, (const KeyRecord&))                                                       \
    X(int, LoopMode, ())                                                                           \
    X(void, setLoopMode, (int))

#define VELLUM_SCRIPTED_CALLS(X) X(QString, Script, ()) X(ScriptEnginePtr, ScriptEngine, ())

#define VELLUM_OPERATION_CALLS(X)                                                                  \
    VELLUM_KEYFRAMED_CALLS(X) X(std::int32_t, Number, ()) X(QString, Name, ())

#define VELLUM_GROUP_CALLS(X)                                                                      \
    VELLUM_KEYFRAMED_CALLS(X)                                                                      \
    VELLUM_SCRIPTED_CALLS(X)                                                                       \
    X(std::int32_t, Code, ())                                                                      \
    X(std::int32_t, Number, ())                                                                    \
    X(QString, Name, ())                                                                           \
    X(QList<ShapePtr>, Shapes, ())                                                                 \
    X(void, ApplyFrame, (float))                                                                   \
    X(void, RefreshTree, (bool))                                                                   \
    X(void, RefreshAnimation, (bool))                                                              \
    X(void, ResetAnimation, (float))                                                               \
    X(std::int32_t, LookAtID, ())                                                                  \
    X(void, LookAt, (const GroupPtr&, std::int32_t))                                               \
    X(void, ViewPosition, (const ViewPtr&, float, Vector3&))                                       \
    X(void, ViewOrientation, (const ViewPtr&, float, Vector3&, Vector3&))

// What a light and a camera share besides their keys and scripts.
#define VELLUM_ANIMATION_STATE_CALLS(X)                                                            \
    X(QString, Name, ())                                                                           \
    X(void, SaveAnimationState, ())                                                                \
    X(void, RestoreAnimationState, ())                                                             \
    X(void, ApplyFrame, (float))

#define VELLUM_LIGHT_CALLS(X)                                                                      \
    VELLUM_KEYFRAMED_CALLS(X)                                                                      \
    VELLUM_SCRIPTED_CALLS(X) VELLUM_ANIMATION_STATE_CALLS(X) X(std::int32_t, Code, ())

#define VELLUM_CAMERA_CALLS(X)                                                                     \
    VELLUM_KEYFRAMED_CALLS(X)                                                                      \
    VELLUM_SCRIPTED_CALLS(X)                                                                       \
    VELLUM_ANIMATION_STATE_CALLS(X)                                                                \
    X(std::int32_t, ID, ()) X(GroupPtr, ParentGroup, ()) X(float, FieldOfView, (float))

#define VELLUM_SHAPE_CALLS(X)                                                                      \
    VELLUM_SCRIPTED_CALLS(X)                                                                       \
    X(std::int32_t, Kind, ())                                                                      \
    X(QString, Name, ())                                                                           \
    X(std::int32_t, Code, ())                                                                      \
    X(GroupPtr, ParentGroup, ())                                                                   \
    X(std::int32_t, LightLink, ())                                                                 \
    X(std::int32_t, ObjectLink, ())                                                                \
    X(bool, RefreshAlways, ())                                                                     \
    X(ShapePtr, AnimationBackup, ())                                                               \
    X(void, setAnimationBackup, (const ShapePtr&))                                                 \
    X(void, CopyFrom, (const ShapePtr&))                                                           \
    X(void, PrepareRestore, ())

#define VELLUM_VIEW_CALLS(X) X(void, SetAnimationTime, (float))

#define VELLUM_APP_UTILITY_CALLS(X)                                                                \
    X(void, WriteLine, (const QString&))                                                           \
    X(void, LoadDialogState, (const QString&))                                                     \
    X(void, SaveDialogState, (const QString&))                                                     \
    X(void, ShowSaveDialog,                                                                        \
      (QWidget*, QString&, const QString&, const QString&, bool, std::int32_t&))                   \
    X(void, SplitPath, (const QString&, QString&, QString&, QString&))                             \
    X(QString, RaytracerPath, ())                                                                  \
    X(QString, ShortPath, (const QString&))

#define VELLUM_RENDER_UTILITY_CALLS(X)                                                             \
    X(void, KindCategory, (std::int32_t, std::int32_t&))                                           \
    X(void, AnalyseSelection, (std::int32_t, std::int32_t&, bool&))                                \
    X(std::int32_t, SetDrawColour, (float, float, float, float))                                   \
    X(std::int32_t, ConvertSettingValue, (std::int32_t))                                           \
    X(void, BlendPictures, (const EightPictures&, QImage&))                                        \
    X(std::int64_t, ShellAndWait, (const QString&, bool))

#define VELLUM_GRAPHICS_UTILITY_CALLS(X)                                                           \
    X(std::int32_t, TickCount, ())                                                                 \
    X(void, SetNormalDisplay, (bool))                                                              \
    X(void, GhostDelay, (std::int32_t))                                                            \
    X(void, ScreenPosition, (QWidget*, std::int32_t&, std::int32_t&))                              \
    X(void, AviOpen, (const QString&, const QImage&, std::int32_t))                                \
    X(void, AviAddFrame, (const QImage&, std::int32_t))                                            \
    X(void, AviClose, ())                                                                          \
    X(QImage, PictureFromBitmap, (QImage, std::int32_t))

#define VELLUM_PICTURE_FACTORY_CALLS(X)                                                            \
    X(void, MaximumDimensions, (std::int32_t&, std::int32_t&, std::int32_t&, std::int32_t&))       \
    X(QImage, CreateOffscreenPicture,                                                              \
      (std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t))

#define VELLUM_POV_EXPORTER_CALLS(X)                                                               \
    X(void, ExportScene,                                                                           \
      (const QString&, const ScenePtr&, float, float, bool&, const PovRenderSettings&))

#define VELLUM_SCENE_GRAPH_CALLS(X)                                                                \
    X(ApplicationStatePtr, ApplicationState, ())                                                   \
    X(ShapePtr, NewShape, ())                                                                      \
    X(void, AnimationSettingsChanging, ())                                                         \
    X(bool, AnimationSettingsChanged, ())                                                          \
    X(QList<ComponentRecord>, ComponentList, ())                                                   \
    X(std::int32_t, SelectedCount, (std::int32_t))                                                 \
    X(ShapePtr, SelectedItem, (std::int32_t, std::int32_t))                                        \
    X(std::int32_t, SecondarySelectionCount, (std::int32_t))                                       \
    X(LightPtr, LightByLink, (std::int32_t))                                                       \
    X(CameraPtr, CameraByLink, (std::int32_t))                                                     \
    X(QList<CameraPtr>, ViewCameras, (const ViewPtr&))                                             \
    X(void, BindDeviceA, (std::int32_t))                                                           \
    X(void, BindDeviceB, (std::int32_t))                                                           \
    X(void, BindDeviceC, (std::int32_t))                                                           \
    X(void, BindDeviceD, (std::int32_t))                                                           \
    X(void, BindDeviceE, (std::int32_t))                                                           \
    X(void, FrameCompleted, ())                                                                    \
    X(AppUtilityPtr, CreateAppUtility, ())                                                         \
    X(RenderUtilityPtr, CreateRenderUtility, ())                                                   \
    X(GraphicsUtilityPtr, CreateGraphicsUtility, ())                                               \
    X(PictureFactoryPtr, CreatePictureFactory, ())                                                 \
    X(AnimationCommandsPtr, CreateAnimationCommands, ())                                           \
    X(void, LibraryPaths, (QStringList&, std::int32_t&))                                           \
    X(PovExporterPtr, CreatePovExporter, ())                                                       \
    X(ScriptEditorPtr, NewScriptEditor, ())                                                        \
    X(ScriptObjectPtr, NewScriptObject, (ScriptObjectClass))

#define VELLUM_APPLIER_CALLS(X)                                                                    \
    X(bool, OperationCheck1, (const OperationEntry&))                                              \
    X(bool, OperationCheck2, (const OperationEntry&))                                              \
    X(bool, OperationCheck3, (const OperationEntry&))                                              \
    X(bool, OperationCheck4, (const OperationEntry&))                                              \
    X(QImage, OperationPicture, (std::int32_t))

#define VELLUM_ANIMATION_COMMANDS_CALLS(X)                                                         \
    X(QList<std::int32_t>, ShapeOperations, (const ScenePtr&, const ShapePtr&))                    \
    X(QString, OperationName, (const ScenePtr&, std::int32_t))                                     \
    X(QList<KeyRecord>, OperationKeys, (const ScenePtr&, std::int32_t))                            \
    X(std::int32_t, OperationLoopMode, (const ScenePtr&, std::int32_t))                            \
    X(void, SetOperationLoopMode, (const ScenePtr&, std::int32_t, std::int32_t))                   \
    X(void, OperationKeyAtFrame, (const ScenePtr&, std::int32_t, float, bool&, bool&))             \
    X(std::int32_t, OperationKeysBefore, (const ScenePtr&, std::int32_t, float))                   \
    X(void, OperationFirstKey, (const ScenePtr&, std::int32_t, std::int32_t&, float&))             \
    X(void, MoveKeyFrames,                                                                         \
      (const ScenePtr&, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t,      \
       bool))                                                                                      \
    X(void, ScaleKeyFrames,                                                                        \
      (const ScenePtr&, std::int32_t, std::int32_t, std::int32_t, std::int32_t, double))           \
    X(void, DeleteKeyFrames,                                                                       \
      (const ScenePtr&, std::int32_t, std::int32_t, std::int32_t, std::int32_t))                   \
    X(QStringList, GroupSequenceNames, (const ScenePtr&, std::int32_t))                            \
    X(QStringList, OperationSequenceNames, (const ScenePtr&, std::int32_t))                        \
    X(void, AddSequence,                                                                           \
      (const ScenePtr&, const QString&, std::int32_t, std::int32_t, std::int32_t, std::int32_t,    \
       std::int32_t, std::int32_t))                                                                \
    X(void, RenameSequence,                                                                        \
      (const ScenePtr&, std::int32_t, std::int32_t, const QString&, const QString&))               \
    X(void, DeleteSequence, (const ScenePtr&, std::int32_t, std::int32_t, const QString&))         \
    X(void, RetrieveSequence,                                                                      \
      (const ScenePtr&, std::int32_t, std::int32_t, const QString&, std::int32_t))
