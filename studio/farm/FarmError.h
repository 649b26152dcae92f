#pragma once

#include <QString>
#include <stdexcept>

namespace vellum::studio {

// A farm recording that cannot go on; the text tells the user why and what to do.
class FarmError : public std::runtime_error
{
public:
    explicit FarmError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString text() const { return QString::fromStdString(what()); }
};

} // namespace vellum::studio
