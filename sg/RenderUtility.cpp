#include "RenderUtility.h"

#include "AppUtility.h"
#include "CommandLineProcess.h"
#include "PictureBlend.h"
#include "SceneGraph.h"
#include "SgError.h"
#include "Shape.h"

#include <QProcess>
#include <algorithm>

namespace vellum::sg {

RenderUtility::RenderUtility(SceneGraph* sceneGraph) : m_sceneGraph(sceneGraph) {}

void RenderUtility::KindCategory(std::int32_t kind, std::int32_t& category)
{
    category = kind >= outside::Kind::Light && kind <= outside::Kind::LightLast
                   ? outside::Kind::Light
                   : kind;
}

void RenderUtility::AnalyseSelection(std::int32_t sceneDeviceId, std::int32_t& kindCode,
                                     bool& single)
{
    if (!m_sceneGraph)
        throw objectRequired();
    const auto items = m_sceneGraph->selection().items(sceneDeviceId);
    kindCode = items.isEmpty() ? 0 : items.first()->kind();
    single = std::count_if(items.cbegin(), items.cend(), [](const auto& shape) {
                 return shape->kind() == outside::Kind::Operation;
             }) == 1;
}

std::int32_t RenderUtility::SetDrawColour(float red, float green, float blue, float alpha)
{
    const auto unit = [](float v) { return std::clamp(v, 0.0f, 1.0f); };
    m_drawColour = QColor::fromRgbF(unit(red), unit(green), unit(blue), unit(alpha));
    return 0;
}

std::int32_t RenderUtility::ConvertSettingValue(std::int32_t value)
{
    switch (value) {
    case 1:
        return ViewportShading::Flat;
    case 2:
        return ViewportShading::Wireframe;
    default:
        return ViewportShading::Smooth;
    }
}

void RenderUtility::BlendPictures(const std::array<QImage, 8>& pictures, QImage& target)
{
    if (target.isNull())
        throw objectRequired();
    if (target.depth() != 32)
        throw Error::invalidPropertyValue();
    std::array<const std::uint8_t*, 8> sources{};
    for (std::size_t i = 0; i < pictures.size(); ++i) {
        const QImage& picture = pictures[i];
        if (picture.isNull())
            throw objectRequired();
        if (picture.size() != target.size() || picture.format() != target.format())
            throw Error::invalidPropertyValue();
        sources[i] = picture.constBits();
    }
    std::uint8_t* bits = target.bits(); // detaches a shared target before writing
    blendEightEqually(sources, bits, std::size_t(target.sizeInBytes()));
}

namespace {

RenderUtility::ProcessRunner& processRunner()
{
    static RenderUtility::ProcessRunner runner;
    return runner;
}

} // namespace

void RenderUtility::runProcessesWith(ProcessRunner runner)
{
    processRunner() = std::move(runner);
}

std::int64_t RenderUtility::ShellAndWait(const QString& commandLine, bool wait)
{
    const QStringList words = splitCommandLine(commandLine);
    if (!wait) {
        if (!QProcess::startDetached(words.first(), words.mid(1)))
            throw Error(ErrorNumber::FileNotFound,
                        QStringLiteral("File not found: %1").arg(words.first()));
        return 0;
    }
    ProcessOutcome outcome = processRunner() ? processRunner()(words, m_processTimeoutMs)
                                             : runAndWait(words, m_processTimeoutMs);
    m_lastOutput = std::move(outcome.output);
    if (outcome.exitCode != 0 && m_sceneGraph) {
        AppUtility log(m_sceneGraph->logPath());
        log.WriteLine(
            QStringLiteral("%1 ended with exit code %2:").arg(commandLine).arg(outcome.exitCode));
        log.WriteLine(QString::fromLocal8Bit(m_lastOutput.right(4000)));
    }
    return outcome.exitCode;
}

} // namespace vellum::sg
