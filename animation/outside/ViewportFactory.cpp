#include "Error.h"
#include "Viewport.h"

namespace vellum::outside {

namespace {
ViewportFactory& installedFactory()
{
    static ViewportFactory factory;
    return factory;
}
} // namespace

void setViewportFactory(ViewportFactory factory)
{
    installedFactory() = std::move(factory);
}

std::unique_ptr<Viewport> createViewport(QWidget* parent)
{
    if (!installedFactory())
        throw Error(429, QStringLiteral("No viewport is installed"));
    std::unique_ptr<Viewport> viewport = installedFactory()(parent);
    if (!viewport)
        throw Error(429, QStringLiteral("No viewport is installed"));
    return viewport;
}

} // namespace vellum::outside
