#include "AnimationError.h"

#include <QLoggingCategory>

#include <new>

namespace vellum::outside {

Q_LOGGING_CATEGORY(lcErrors, "vellum.animation.errors")

const QString& animationPanelSource()
{
    static const QString source = QStringLiteral("AnimationPanel");
    return source;
}

AnimationError toAnimationError(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const AnimationError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return AnimationError(7, QStringLiteral("Out of memory"));
    } catch (const std::exception& e) {
        return AnimationError(ErrorNumber::Internal, QString::fromUtf8(e.what()));
    } catch (...) {
        return AnimationError(ErrorNumber::Internal, QStringLiteral("Internal error"));
    }
}

void logQuietEnd(const AnimationError& error)
{
    qCDebug(lcErrors) << "handler ended:" << error.number() << error.description()
                      << error.source();
}

} // namespace vellum::outside
