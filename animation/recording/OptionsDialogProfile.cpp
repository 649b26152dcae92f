#include "OptionsDialogProfile.h"

namespace vellum::animation {

const OptionsDialogProfile& recordOptionsProfile()
{
    static const OptionsDialogProfile profile{
        "frmRecordOptions",
        QStringLiteral("Recording Options"),
        "optAnimationSize",
        {QStringLiteral("AnimationOptionsSize"), QStringLiteral("AnimationAntiAlias"),
         QStringLiteral("AnimationSize0"), QStringLiteral("AnimationSize1"),
         QStringLiteral("AnimationWidth"), QStringLiteral("AnimationHeight"),
         QStringLiteral("AnimationFPS"), QStringLiteral("AnimationRaytrace"),
         QStringLiteral("AnimationImages"), QStringLiteral("AnimationMotionBlur")},
        true,
        QStringLiteral("The maximum non-raytraced recording dimensions are: "),
        true,
        true,
    };
    return profile;
}

const OptionsDialogProfile& snapshotOptionsProfile()
{
    static const OptionsDialogProfile profile{
        "frmSnapshotOptions",
        QStringLiteral("Snapshot Options"),
        "optSnapshotSize",
        {QStringLiteral("SnapshotOptionsSize"), QStringLiteral("SnapshotAntiAlias"),
         QStringLiteral("SnapshotSize0"), QStringLiteral("SnapshotSize1"),
         QStringLiteral("SnapshotWidth"), QStringLiteral("SnapshotHeight"), QString(),
         QStringLiteral("SnapshotRaytrace"), QString(), QString()},
        false,
        QStringLiteral("The maximum non-raytraced snapshot dimensions are: "),
        false,
        false,
    };
    return profile;
}

} // namespace vellum::animation
