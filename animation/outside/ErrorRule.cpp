#include "ErrorRule.h"

#include <QLoggingCategory>
#include <new>

namespace vellum::outside {

Q_LOGGING_CATEGORY(lcErrors, "vellum.animation.errors")

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

void logQuietEnd(const Error& error)
{
    qCDebug(lcErrors) << "handler ended:" << error.number() << error.description()
                      << error.source();
}

} // namespace vellum::outside
