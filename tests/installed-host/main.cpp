// The smallest host: one panel, and a scene graph of its own whose every call is refused.
#include <Animation.h>
#include <Error.h>
#include <QAbstractButton>
#include <QApplication>
#include <SceneGraph.h>
#include <cstdio>

namespace {

namespace out = vellum::outside;

const QString refusal = QStringLiteral("This host has no scene yet");

[[noreturn]] void refuse()
{
    throw vellum::Error(vellum::ErrorNumber::ObjectNotSet, refusal, QStringLiteral("Host"));
}

class EmptySceneGraph : public out::SceneGraph
{
public:
    using Id = std::int32_t;
    out::ApplicationStatePtr ApplicationState() override { refuse(); }
    out::ShapePtr NewShape() override { refuse(); }
    Id SelectedCount(Id) override { refuse(); }
    out::ShapePtr SelectedItem(Id, Id) override { refuse(); }
    Id SecondarySelectionCount(Id) override { refuse(); }
    out::LightPtr LightByLink(Id) override { refuse(); }
    out::CameraPtr CameraByLink(Id) override { refuse(); }
    QList<out::CameraPtr> ViewCameras(const out::ViewPtr&) override { refuse(); }
    void LibraryPaths(QStringList&, Id&) override { refuse(); }
    void BindDeviceA(Id) override { refuse(); }
    void BindDeviceB(Id) override { refuse(); }
    void BindDeviceC(Id) override { refuse(); }
    void BindDeviceD(Id) override { refuse(); }
    void BindDeviceE(Id) override { refuse(); }
    void FrameCompleted() override { refuse(); }
    out::AppUtilityPtr CreateAppUtility() override { refuse(); }
    out::RenderUtilityPtr CreateRenderUtility() override { refuse(); }
    out::GraphicsUtilityPtr CreateGraphicsUtility() override { refuse(); }
    out::PictureFactoryPtr CreatePictureFactory() override { refuse(); }
    out::AnimationCommandsPtr CreateAnimationCommands() override { refuse(); }
    out::PovExporterPtr CreatePovExporter() override { refuse(); }
    out::ScriptEditorPtr NewScriptEditor() override { refuse(); }
    void AnimationSettingsChanging() override { refuse(); }
    bool AnimationSettingsChanged() override { refuse(); }
    QList<out::ComponentRecord> ComponentList() override { refuse(); }
    out::ScriptObjectPtr NewScriptObject(out::ScriptObjectClass) override { refuse(); }
};

int fail(const char* what)
{
    std::fprintf(stderr, "installed-host: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    vellum::animation::Animation panel;
    if (!panel.findChild<QAbstractButton*>(QStringLiteral("cmdPlay")))
        return fail("the panel has no cmdPlay");

    // The first binding loads the settings step by step and shrugs off each refusal.
    panel.SetSceneGraph(std::make_shared<EmptySceneGraph>(), nullptr);
    try {
        panel.HaltAnimation();
    } catch (const vellum::Error& error) {
        if (error.number() != vellum::ErrorNumber::ObjectNotSet || error.description() != refusal ||
            error.source() != QStringLiteral("AnimationPanel"))
            return fail("the host's refusal came back changed");
        std::printf("installed-host: panel built, cmdPlay found, refusal passed on\n");
        return 0;
    }
    return fail("the host's refusal did not come back");
}
