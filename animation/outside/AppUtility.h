#pragma once

#include <QString>

namespace vellum::outside {

// Logging, file dialogs and paths.
class AppUtility
{
public:
    virtual ~AppUtility() = default;
    // Appends a line to the application log.
    virtual void WriteLine(const QString& line) = 0;
};

} // namespace vellum::outside
