#pragma once

#include <Error.h>

namespace vellum::sg {

// Numbers this library refuses with besides the common ones.
namespace SgErrorNumber {
inline constexpr int CannotCreateObject = 429;
} // namespace SgErrorNumber

inline Error noScriptSupport(const QString& what)
{
    return Error(SgErrorNumber::CannotCreateObject, QStringLiteral("No %1 is installed").arg(what));
}

inline Error subscriptOutOfRange()
{
    return Error(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
}

inline Error objectRequired()
{
    return Error(ErrorNumber::ObjectRequired, QStringLiteral("Object required"));
}

} // namespace vellum::sg
