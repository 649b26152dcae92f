#pragma once

#include <memory>

namespace vellum::outside {

class Applier;
class AnimationCommands;
class AppUtility;
class ApplicationState;
class Camera;
class GraphicsUtility;
class Group;
class Keyframed;
class Light;
class Operation;
class PictureFactory;
class PovExporter;
class RenderUtility;
class Scene;
class SceneGraph;
class ScriptEditor;
class ScriptEngine;
class ScriptObject;
class Scripted;
class Shape;
class View;
class Viewport;

using AnimationCommandsPtr = std::shared_ptr<AnimationCommands>;
using ApplierPtr = std::shared_ptr<Applier>;
using AppUtilityPtr = std::shared_ptr<AppUtility>;
using ApplicationStatePtr = std::shared_ptr<ApplicationState>;
using CameraPtr = std::shared_ptr<Camera>;
using GraphicsUtilityPtr = std::shared_ptr<GraphicsUtility>;
using GroupPtr = std::shared_ptr<Group>;
using LightPtr = std::shared_ptr<Light>;
using OperationPtr = std::shared_ptr<Operation>;
using PictureFactoryPtr = std::shared_ptr<PictureFactory>;
using PovExporterPtr = std::shared_ptr<PovExporter>;
using RenderUtilityPtr = std::shared_ptr<RenderUtility>;
using ScenePtr = std::shared_ptr<Scene>;
using SceneGraphPtr = std::shared_ptr<SceneGraph>;
using ScriptEditorPtr = std::shared_ptr<ScriptEditor>;
using ScriptEnginePtr = std::shared_ptr<ScriptEngine>;
using ScriptObjectPtr = std::shared_ptr<ScriptObject>;
using ScriptedPtr = std::shared_ptr<Scripted>;
using ShapePtr = std::shared_ptr<Shape>;
using ViewPtr = std::shared_ptr<View>;

} // namespace vellum::outside
