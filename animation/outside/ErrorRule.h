#pragma once

#include "Error.h"
#include "VellumAnimationExport.h"

#include <exception>
#include <utility>

namespace vellum::outside {

// Turns whatever was thrown into an Error, keeping number and description where known.
VELLUMANIMATION_EXPORT Error toError(std::exception_ptr error);

VELLUMANIMATION_EXPORT const QString& animationPanelSource();

// Public operations and private procedures: pass the error on unchanged, with our source.
template <typename Work> decltype(auto) passOn(Work&& work)
{
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        throw toError(std::current_exception()).withSource(animationPanelSource());
    }
}

// Any object an outside call hands back may be Nothing: every use that needs one goes through
// here, which refuses Nothing with "Object variable not set".
template <typename Pointer> Pointer required(Pointer object)
{
    if (!object)
        throw Error::objectNotSet();
    return object;
}

// A refusal is how components say no by design; anything else that was thrown is a fault.
VELLUMANIMATION_EXPORT bool isFault(const Error& error);

// Refusals in a debug category that is off by default, faults as warnings.
VELLUMANIMATION_EXPORT void logQuietEnd(const Error& error);

// Widget handlers have no caller to pass to: end at the first failure, quietly.
template <typename Work> void endQuietly(Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
    } catch (...) {
        logQuietEnd(toError(std::current_exception()));
    }
}

// Load sequences that ignore each step's failure; True when the step succeeded.
template <typename Work> bool ignoreFailure(Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace vellum::outside
