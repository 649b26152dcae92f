#pragma once

#include "AutotestExport.h"

#include <QString>
#include <array>

namespace vellum::animation {

// The settings keys of an options dialog, in the order OK stores them. Frame rate, images and
// motion blur are empty for a dialog without them.
struct OptionsKeys
{
    QString optionsSize, antiAlias, size0, size1, width, height, fps, raytrace, images, motionBlur;
};

// What tells the recording options dialog from the snapshot options dialog; everything else
// about them is one design.
struct OptionsDialogProfile
{
    const char* objectName;
    QString caption;
    const char* sizeOptionName;
    OptionsKeys keys;
    // Frame rate, bitmap series and motion blur are offered.
    bool recordingOptions;
    QString sizeMessage;
    // Raytracing is offered when the raytracer's path is known, or (recording) either the path
    // or its setting.
    bool raytracerSettingSuffices;
    // The value of AntiAliasFlag at which anti-aliasing is refused.
    bool antiAliasRefusedWhen;
};

VELLUM_AUTOTEST_EXPORT const OptionsDialogProfile& recordOptionsProfile();
VELLUM_AUTOTEST_EXPORT const OptionsDialogProfile& snapshotOptionsProfile();

// The size presets of cboSize, in list order; any index past them means the last.
struct SizePreset
{
    int width;
    int height;
};
inline constexpr std::array<SizePreset, 8> SizePresets{{{160, 120},
                                                        {320, 240},
                                                        {640, 480},
                                                        {800, 600},
                                                        {1024, 768},
                                                        {1152, 864},
                                                        {1280, 960},
                                                        {1600, 1200}}};

// The limits the corrections keep the boxes in.
inline constexpr int MinimumSide = 10;
inline constexpr int MaximumWidth = 1600;
inline constexpr int MaximumHeight = 1200;
inline constexpr int MinimumFps = 1;
inline constexpr int MaximumFps = 60;

} // namespace vellum::animation
