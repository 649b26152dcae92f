#include "DemoScene.h"

#include <QtMath>
#include <sg/OperationType.h>
#include <sg/SceneGraph.h>
#include <sg/ShapeKind.h>

namespace vellum::studio {

namespace {

struct PathKey
{
    int frame;
    QVector3D position;
    QVector3D eulerDegrees; // pitch, yaw, roll
    bool startsSegment = false;
};

void keyPath(sg::Group& group, const QList<PathKey>& keys)
{
    for (const PathKey& key : keys) {
        group.setPose(
            {key.position, QQuaternion::fromEulerAngles(key.eulerDegrees.x(), key.eulerDegrees.y(),
                                                        key.eulerDegrees.z())});
        group.SetKeyFrame(key.startsSegment, float(key.frame));
    }
}

std::shared_ptr<sg::Shape> addShape(sg::Scene& scene, const std::shared_ptr<sg::Group>& group,
                                    int kind, const QString& name, const QVector3D& dimensions,
                                    const QColor& colour, const QVector3D& offset = {})
{
    auto shape = scene.addShape(kind, name, group);
    shape->setDimensions(dimensions);
    shape->setColour(colour);
    shape->setOffset(offset);
    return shape;
}

void addGround(sg::Scene& scene)
{
    auto ground = scene.addGroup(demo::GroundGroup, QStringLiteral("Ground"));
    // Just below the grid lines, so they stay visible on it.
    addShape(scene, ground, sg::ShapeKind::Plane, QStringLiteral("Floor"), QVector3D(14, 0, 14),
             QColor(104, 122, 110), QVector3D(0, -0.02f, 0));
}

void addHopper(sg::Scene& scene)
{
    auto hopper = scene.addGroup(demo::HopperGroup, QStringLiteral("Hopper"));
    addShape(scene, hopper, sg::ShapeKind::Box, QStringLiteral("Crate"), QVector3D(1, 1, 1),
             QColor(236, 112, 88));
    // Two hops, then a new sub-path at frame 50: the crate turns the corner sharply there.
    keyPath(*hopper, {{0, {-5.0f, 0.5f, 3.5f}, {0, 0, 0}, true},
                      {25, {-2.5f, 2.4f, 3.5f}, {0, 0, -90}},
                      {50, {0.0f, 0.5f, 3.5f}, {0, 0, -180}, true},
                      {75, {1.5f, 0.5f, 0.5f}, {0, 90, -180}},
                      {100, {4.5f, 0.5f, -2.5f}, {0, 135, -180}}});
    // The first hop, kept so that a person finds a sequence to put back elsewhere.
    hopper->sequences().add(QStringLiteral("Hop"), hopper->keyTrack(), 0.0f, 50.0f, 0.0f);
}

struct AmountKey
{
    int frame;
    float amount;
    bool startsSegment = false;
};

void keyAmounts(sg::Operation& operation, const QList<AmountKey>& keys)
{
    for (const AmountKey& key : keys) {
        operation.setAmount(key.amount);
        operation.SetKeyFrame(key.startsSegment, float(key.frame));
    }
}

// The ball swells twice per loop and blushes towards the middle of it.
void addPulse(sg::Scene& scene, const std::shared_ptr<sg::Group>& group,
              const std::shared_ptr<sg::Shape>& ball)
{
    auto pulse = scene.addOperationComponent(QStringLiteral("Pulse"), group);
    // Beside the ball, where its marker stays clear of the spinner's rod.
    pulse->setOffset(QVector3D(0.0f, 0.3f, 1.3f));
    auto swell = scene.addOperation(pulse, sg::OperationType::Scale, QStringLiteral("Swell"), ball,
                                    demo::SwellOperation);
    keyAmounts(*swell, {{0, 1.0f, true}, {25, 1.5f}, {50, 1.0f}, {75, 1.5f}, {100, 1.0f}});
    auto blush = scene.addOperation(pulse, sg::OperationType::Colour, QStringLiteral("Blush"), ball,
                                    demo::BlushOperation);
    blush->setTint(QColor(240, 70, 110));
    keyAmounts(*blush, {{0, 0.0f, true}, {50, 0.9f}, {100, 0.0f}});
}

void addOrbiterWithSpinner(sg::Scene& scene)
{
    auto orbiter = scene.addGroup(demo::OrbiterGroup, QStringLiteral("Orbiter"));
    auto ball = addShape(scene, orbiter, sg::ShapeKind::Sphere, QStringLiteral("Ball"),
                         QVector3D(0.6f, 0, 0), QColor(72, 168, 224));
    QList<PathKey> circle;
    constexpr float radius = 3.5f;
    for (int step = 0; step <= 5; ++step) {
        const float angle = qDegreesToRadians(72.0f * float(step % 5));
        circle.append({step * 20,
                       {radius * std::cos(angle), 1.2f + 0.4f * std::sin(2 * angle),
                        -1.0f + radius * std::sin(angle)},
                       {0, -72.0f * float(step % 5), 0},
                       step == 0});
    }
    keyPath(*orbiter, circle);
    orbiter->setLoopMode(outside::LoopClosed);
    addPulse(scene, orbiter, ball);

    auto spinner = scene.addGroup(demo::SpinnerGroup, QStringLiteral("Spinner"), orbiter);
    addShape(scene, spinner, sg::ShapeKind::Cylinder, QStringLiteral("Rod"),
             QVector3D(0.12f, 1.4f, 0), QColor(246, 196, 72));
    keyPath(*spinner, {{0, {0, 0.9f, 0}, {0, 0, 0}, true},
                       {50, {0, 0.9f, 0}, {0, 0, 90}},
                       {100, {0, 0.9f, 0}, {0, 0, 180}}});
}

void addTowerAndWatcher(sg::Scene& scene)
{
    auto tower = scene.addGroup(demo::TowerGroup, QStringLiteral("Tower"));
    tower->setPosition(QVector3D(4.0f, 0, 3.0f));
    addShape(scene, tower, sg::ShapeKind::Cylinder, QStringLiteral("Column"),
             QVector3D(0.5f, 2.6f, 0), QColor(156, 116, 206), QVector3D(0, 1.3f, 0));

    auto watcher = scene.addGroup(demo::WatcherGroup, QStringLiteral("Watcher"));
    watcher->setPosition(QVector3D(-4.0f, 1.6f, -4.0f));
    addShape(scene, watcher, sg::ShapeKind::Box, QStringLiteral("Head"),
             QVector3D(0.5f, 0.5f, 1.1f), QColor(120, 214, 150));
    addShape(scene, watcher, sg::ShapeKind::Cylinder, QStringLiteral("Post"),
             QVector3D(0.08f, 1.6f, 0), QColor(180, 186, 196), QVector3D(0, -0.8f, 0));
    watcher->setLookAtId(demo::OrbiterGroup);
}

// Played motion that no key describes: the group's script runs once a frame during playback, and
// the lamp's script whenever the scene is evaluated, so scrubbing shows the pulse too.
void addBeacon(sg::Scene& scene)
{
    auto beacon = scene.addGroup(demo::BeaconGroup, QStringLiteral("Beacon"));
    beacon->setPosition(QVector3D(4.0f, 3.2f, 3.0f));
    beacon->setScript(QStringLiteral("// Bobs above the tower and turns once every five seconds.\n"
                                     "function AnimateGroup(frame, group) {\n"
                                     "    group.y = 3.2 + 0.25 * Math.sin(frame / 4);\n"
                                     "    group.yaw = frame * 7.2;\n"
                                     "}\n"));
    auto lamp = addShape(scene, beacon, sg::ShapeKind::Box, QStringLiteral("Lamp"),
                         QVector3D(0.45f, 0.45f, 0.45f), QColor(255, 190, 60));
    lamp->setScript(
        QStringLiteral("// Glows brighter and dimmer with the frame.\n"
                       "function AnimateShape(frame, shape) {\n"
                       "    var glow = 0.5 + 0.5 * Math.sin(frame / 3);\n"
                       "    shape.setColour(1.0, 0.45 + 0.45 * glow, 0.15 + 0.2 * glow);\n"
                       "}\n"));
}

void addLights(sg::Scene& scene)
{
    auto key = scene.addLight(1, QStringLiteral("Sun"));
    key->setPosition(QVector3D(5.0f, 7.0f, 6.0f));
    // Morning white, a warm dusk halfway, a cool night at the end.
    const struct
    {
        int frame;
        QColor colour;
        float intensity;
    } shifts[] = {{0, QColor(255, 246, 228), 1.0f},
                  {50, QColor(255, 150, 90), 0.8f},
                  {100, QColor(150, 176, 255), 0.6f}};
    for (const auto& shift : shifts) {
        key->setColour(shift.colour);
        key->setIntensity(shift.intensity);
        key->SetKeyFrame(false, float(shift.frame));
    }

    auto fill = scene.addLight(2, QStringLiteral("Fill"));
    fill->setPosition(QVector3D(-6.0f, 4.0f, -2.0f));
    fill->setColour(QColor(150, 166, 196));
    fill->setIntensity(0.5f);
}

PathKey cameraKey(int frame, const QVector3D& eye, const QVector3D& target, bool startsSegment)
{
    // The camera looks along its group's -Z.
    const QVector3D euler =
        QQuaternion::fromDirection(eye - target, QVector3D(0, 1, 0)).toEulerAngles();
    return {frame, eye, euler, startsSegment};
}

void addCameraPath(sg::Scene& scene)
{
    auto rig = scene.addGroup(demo::CameraGroup, QStringLiteral("Camera Rig"));
    const auto camera = scene.animationCamera();
    camera->setParentGroup(rig);
    const QVector3D target(0, 0.8f, 0);
    keyPath(*rig, {cameraKey(0, {-2.0f, 3.0f, 11.0f}, target, true),
                   cameraKey(50, {8.0f, 4.5f, 6.0f}, target, false),
                   cameraKey(100, {7.0f, 7.0f, -7.0f}, target, false)});
    const struct
    {
        int frame;
        float degrees;
    } zooms[] = {{0, 50.0f}, {60, 32.0f}, {100, 44.0f}};
    for (const auto& zoom : zooms) {
        camera->setFieldOfView(zoom.degrees);
        camera->SetKeyFrame(false, float(zoom.frame));
    }
}

} // namespace

std::shared_ptr<sg::Scene> createDemoScene()
{
    auto scene = sg::Scene::create();
    addGround(*scene);
    addHopper(*scene);
    addOrbiterWithSpinner(*scene);
    addTowerAndWatcher(*scene);
    addBeacon(*scene);
    addLights(*scene);
    addCameraPath(*scene);
    for (const auto& group : scene->groupList())
        group->ApplyFrame(0.0f);
    for (const auto& light : scene->lightList())
        light->ApplyFrame(0.0f);
    scene->animationCamera()->ApplyFrame(0.0f);
    for (const auto& operation : scene->operationList())
        operation->applyFrame(0.0f);
    scene->rootGroup()->RefreshTree(true);
    return scene;
}

void loadDemoScene(sg::SceneGraph& graph)
{
    const auto state = graph.applicationState();
    auto settings = state->AnimationSettings();
    settings.Keys = demo::Keys;
    settings.KeysPerSecond = demo::KeysPerSecond;
    state->setAnimationSettings(settings);
    graph.setScene(createDemoScene());
    state->setCurrentFrame(0.0f);
    state->setModified(false);
}

} // namespace vellum::studio
