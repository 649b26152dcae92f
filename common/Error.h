#pragma once

#include "VellumCommonExport.h"

#include <QByteArray>
#include <QString>
#include <exception>
#include <utility>

namespace vellum {

// The runtime numbers that components use when they refuse something.
namespace ErrorNumber {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int Overflow = 6;
inline constexpr int OutOfMemory = 7;
inline constexpr int SubscriptOutOfRange = 9;
inline constexpr int DivisionByZero = 11;
inline constexpr int TypeMismatch = 13;
inline constexpr int Internal = 51;
inline constexpr int ObjectNotSet = 91;
inline constexpr int FileNotFound = 53;
inline constexpr int PathFileAccess = 75;
inline constexpr int PathNotFound = 76;
inline constexpr int InvalidPropertyValue = 380;
inline constexpr int ObjectRequired = 424;
inline constexpr int MemberNotSupported = 438;
inline constexpr int WrongArgumentCount = 450;
inline constexpr int DuplicateKey = 457;
inline constexpr int InvalidPicture = 481;
inline constexpr int ElementNotFound = 35601;
} // namespace ErrorNumber

// The one error type of the panel, its widgets and every component it drives: a number, a
// description and the source that passed it on last.
class VELLUMCOMMON_EXPORT Error : public std::exception
{
public:
    Error(int number, QString description, QString source = {})
        : m_number(number), m_description(std::move(description)), m_source(std::move(source)),
          m_what(m_description.toUtf8())
    {}

    int number() const noexcept { return m_number; }
    const QString& description() const noexcept { return m_description; }
    const QString& source() const noexcept { return m_source; }
    const char* what() const noexcept override { return m_what.constData(); }

    Error withSource(QString source) const
    {
        return Error(m_number, m_description, std::move(source));
    }

    static Error objectNotSet()
    {
        return Error(ErrorNumber::ObjectNotSet,
                     QStringLiteral("Object variable or With block variable not set"));
    }
    static Error invalidPropertyValue()
    {
        return Error(ErrorNumber::InvalidPropertyValue, QStringLiteral("Invalid property value"));
    }
    static Error typeMismatch()
    {
        return Error(ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch"));
    }
    static Error divisionByZero()
    {
        return Error(ErrorNumber::DivisionByZero, QStringLiteral("Division by zero"));
    }
    static Error invalidProcedureCall()
    {
        return Error(ErrorNumber::InvalidProcedureCall,
                     QStringLiteral("Invalid procedure call or argument"));
    }
    static Error duplicateKey()
    {
        return Error(ErrorNumber::DuplicateKey,
                     QStringLiteral("This key is already associated with an element of this "
                                    "collection"));
    }
    static Error elementNotFound()
    {
        return Error(ErrorNumber::ElementNotFound, QStringLiteral("Element not found"));
    }

private:
    int m_number;
    QString m_description;
    QString m_source;
    QByteArray m_what;
};

} // namespace vellum
