#pragma once

namespace vellum::outside {

struct Vector3
{
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;

    friend bool operator==(const Vector3&, const Vector3&) = default;
};

} // namespace vellum::outside
