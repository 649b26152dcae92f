#pragma once

#include <QImage>
#include <array>
#include <QString>
#include <cstdint>

namespace vellum::outside {

class RenderUtility
{
public:
    virtual ~RenderUtility() = default;
    // Hands back the category of a kind code (60 for every light marker).
    virtual void KindCategory(std::int32_t kind, std::int32_t& category) = 0;
    // Of the device's selection: the kind code that sums it up and whether it stands for a
    // single keyframe operation.
    virtual void AnalyseSelection(std::int32_t sceneDeviceId, std::int32_t& kindCode,
                                  bool& single) = 0;
    virtual std::int32_t SetDrawColour(float red, float green, float blue, float alpha) = 0;
    virtual std::int32_t ConvertSettingValue(std::int32_t value) = 0;
    // The equal-weight blend of 8 pictures of the target's size, written into the target.
    virtual void BlendPictures(const std::array<QImage, 8>& pictures, QImage& target) = 0;
    // Starts the command line (no shell: the program and its arguments as written, quotes
    // grouping) and, with wait, returns its exit code once it has ended. Raises when it cannot
    // be started or does not end in time.
    virtual std::int64_t ShellAndWait(const QString& commandLine, bool wait) = 0;
};

} // namespace vellum::outside
