#pragma once

#include "VellumAnimationExport.h"

#include <QString>

#include <exception>
#include <utility>

namespace vellum::outside {

// The runtime numbers that components use when they refuse something.
namespace ErrorNumber {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int FileNotFound = 53;
inline constexpr int PathFileAccess = 75;
inline constexpr int ObjectRequired = 424;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int MemberNotSupported = 438;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int Internal = 51;
} // namespace ErrorNumber

// The one error type of the library and of every outside component it drives:
// a number, a description and the source that passed it on last.
class VELLUMANIMATION_EXPORT AnimationError : public std::exception
{
public:
    AnimationError(int number, QString description, QString source = {})
        : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
          m_what(m_description.toUtf8())
    {
    }

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

    AnimationError withSource(QString source) const
    {
        return AnimationError(m_number, m_description, std::move(source));
    }

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

// Turns whatever was thrown into an AnimationError, keeping number and description where known.
VELLUMANIMATION_EXPORT AnimationError toAnimationError(std::exception_ptr error);

VELLUMANIMATION_EXPORT const QString& animationPanelSource();

// Public operations and private procedures: pass the error on unchanged, with our source.
template <typename Work>
decltype(auto) passOn(Work&& work)
{
    try {
        return std::forward<Work>(work)();
    } catch (...) {
        throw toAnimationError(std::current_exception()).withSource(animationPanelSource());
    }
}

VELLUMANIMATION_EXPORT void logQuietEnd(const AnimationError& error);

// Widget handlers have no caller to pass to: end at the first failure, quietly.
template <typename Work>
void endQuietly(Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
    } catch (...) {
        logQuietEnd(toAnimationError(std::current_exception()));
    }
}

// Load sequences that ignore each step's failure.
template <typename Work>
bool ignoreFailure(Work&& work) noexcept
{
    try {
        std::forward<Work>(work)();
        return true;
    } catch (...) {
        return false;
    }
}

} // namespace vellum::outside
