#include "Platform.h"

#include "QtPlatform.h"

namespace vellum::outside {

namespace {
std::shared_ptr<Platform>& currentPlatform()
{
    static std::shared_ptr<Platform> current = std::make_shared<QtPlatform>();
    return current;
}
} // namespace

Platform::~Platform() = default;

QString messageTitle()
{
    return QStringLiteral("3D Vellum");
}

bool confirmed(const QString& question)
{
    return platform().MsgBox(question, MsgBoxButtons::YesNo, MsgBoxIcon::Question,
                             messageTitle()) == MsgBoxResult::Yes;
}

Platform& platform()
{
    return *currentPlatform();
}

void setPlatform(std::shared_ptr<Platform> platform)
{
    currentPlatform() = platform ? std::move(platform) : std::make_shared<QtPlatform>();
}

} // namespace vellum::outside
