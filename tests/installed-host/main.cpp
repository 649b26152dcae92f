// The smallest host: one panel, and a scene graph of its own whose every call is refused.
#include <Animation.h>
#include <Error.h>
#include <QAbstractButton>
#include <QApplication>
#include <SceneGraph.h>
#include <cstdio>

namespace {

const QString refusal = QStringLiteral("This host has no scene yet");

[[noreturn]] void refuse()
{
    throw vellum::Error(vellum::ErrorNumber::ObjectNotSet, refusal, QStringLiteral("Host"));
}

class EmptySceneGraph : public vellum::outside::SceneGraph
{
public:
    using Id = std::int32_t;
    vellum::outside::ApplicationStatePtr ApplicationState() override { refuse(); }
    vellum::outside::ShapePtr NewShape() override { refuse(); }
    Id SelectedCount(Id) override { refuse(); }
    vellum::outside::ShapePtr SelectedItem(Id, Id) override { refuse(); }
    Id SecondarySelectionCount(Id) override { refuse(); }
    vellum::outside::LightPtr LightByLink(Id) override { refuse(); }
    vellum::outside::CameraPtr CameraByLink(Id) override { refuse(); }
    QList<vellum::outside::CameraPtr> ViewCameras(const vellum::outside::ViewPtr&) override
    {
        refuse();
    }
    void LibraryPaths(QStringList&, Id&) override { refuse(); }
    void BindDeviceA(Id) override { refuse(); }
    void BindDeviceB(Id) override { refuse(); }
    void BindDeviceC(Id) override { refuse(); }
    void BindDeviceD(Id) override { refuse(); }
    void BindDeviceE(Id) override { refuse(); }
    void FrameCompleted() override { refuse(); }
    vellum::outside::AppUtilityPtr CreateAppUtility() override { refuse(); }
    vellum::outside::RenderUtilityPtr CreateRenderUtility() override { refuse(); }
    vellum::outside::GraphicsUtilityPtr CreateGraphicsUtility() override { refuse(); }
    vellum::outside::PictureFactoryPtr CreatePictureFactory() override { refuse(); }
    vellum::outside::AnimationCommandsPtr CreateAnimationCommands() override { refuse(); }
    vellum::outside::PovExporterPtr CreatePovExporter() override { refuse(); }
    vellum::outside::ScriptEditorPtr NewScriptEditor() override { refuse(); }
    void AnimationSettingsChanging() override { refuse(); }
    bool AnimationSettingsChanged() override { refuse(); }
    QList<vellum::outside::ComponentRecord> ComponentList() override { refuse(); }
    vellum::outside::ScriptObjectPtr NewScriptObject(vellum::outside::ScriptObjectClass) override
    {
        refuse();
    }
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
