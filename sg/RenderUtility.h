#pragma once

#include "CommandLineProcess.h"
#include "VellumSGExport.h"

#include <QColor>
#include <QPointer>
#include <functional>
#include <outside/RenderUtility.h>

namespace vellum::sg {

class SceneGraph;

// The viewport's shading codes, as ConvertSettingValue hands them out.
namespace ViewportShading {
inline constexpr int Smooth = 0;
inline constexpr int Flat = 1;
inline constexpr int Wireframe = 2;
} // namespace ViewportShading

class VELLUMSG_EXPORT RenderUtility : public outside::RenderUtility
{
public:
    explicit RenderUtility(SceneGraph* sceneGraph);

    QColor drawColour() const { return m_drawColour; }

    void KindCategory(std::int32_t kind, std::int32_t& category) override;
    // kindCode: the first selected component's kind (0 with nothing selected); single: exactly
    // one selected component is a keyframe operation (kind 11).
    void AnalyseSelection(std::int32_t sceneDeviceId, std::int32_t& kindCode,
                          bool& single) override;
    std::int32_t SetDrawColour(float red, float green, float blue, float alpha) override;
    // The stored shading setting (0 smooth, 1 flat, 2 wireframe) to the viewport's code;
    // anything unknown is drawn smooth.
    std::int32_t ConvertSettingValue(std::int32_t value) override;
    // Refuses pictures that are missing, of another size or not of the target's 32-bit format.
    void BlendPictures(const std::array<QImage, 8>& pictures, QImage& target) override;
    // Returns the exit code; a run that fails leaves its output in the application log.
    std::int64_t ShellAndWait(const QString& commandLine, bool wait) override;

    // Who runs the processes the panel waits for. Like the platform, one for the whole process:
    // a host may queue them elsewhere instead; an empty runner runs them here again.
    using ProcessRunner = std::function<ProcessOutcome(const QStringList& words, int timeoutMs)>;
    static void runProcessesWith(ProcessRunner runner);

    // What the last waited-for process wrote.
    const QByteArray& lastOutput() const { return m_lastOutput; }
    void setProcessTimeoutMs(int timeoutMs) { m_processTimeoutMs = timeoutMs; }

private:
    QPointer<SceneGraph> m_sceneGraph;
    QColor m_drawColour = Qt::white;
    QByteArray m_lastOutput;
    // A raytraced frame of a large picture can take minutes.
    int m_processTimeoutMs = 30 * 60 * 1000;
};

} // namespace vellum::sg
