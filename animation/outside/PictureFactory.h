#pragma once

#include <QImage>
#include <cstdint>

namespace vellum::outside {

class PictureFactory
{
public:
    virtual ~PictureFactory() = default;
    // The host's rendering rectangle on the screen, in pixels.
    virtual void MaximumDimensions(std::int32_t& left, std::int32_t& top, std::int32_t& width,
                                   std::int32_t& height) = 0;
    // The picture of that screen rectangle (0, 0 with a size: a blank picture of that size).
    virtual QImage CreateOffscreenPicture(std::int32_t x, std::int32_t y, std::int32_t width,
                                          std::int32_t height, std::int32_t flags) = 0;
};

} // namespace vellum::outside
