#include "ErrorRule.h"

#include <QLoggingCategory>
#include <new>

namespace vellum::outside {

// Refusals end handlers all the time (an empty timeline row, a typed letter): debug only.
Q_LOGGING_CATEGORY(lcErrors, "vellum.animation.errors", QtInfoMsg)

const QString& animationPanelSource()
{
    static const QString source = QStringLiteral("AnimationPanel");
    return source;
}

Error toError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const Error& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return Error(ErrorNumber::Internal, QString::fromUtf8(e.what()));
    } catch (...) {
        return Error(ErrorNumber::Internal, QStringLiteral("Internal error"));
    }
}

bool isFault(const Error& error)
{
    return error.number() == ErrorNumber::Internal || error.number() == ErrorNumber::OutOfMemory;
}

void logQuietEnd(const Error& error)
{
    if (isFault(error))
        qCWarning(lcErrors) << "handler ended:" << error.number() << error.description()
                            << error.source();
    else
        qCDebug(lcErrors) << "handler ended:" << error.number() << error.description()
                          << error.source();
}

} // namespace vellum::outside
