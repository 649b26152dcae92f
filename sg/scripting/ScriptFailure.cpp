#include "ScriptFailure.h"

#include "Error.h"

#include <QJSValue>
#include <QRegularExpression>

namespace vellum::sg {

// How a thrown value becomes a runtime number, first match wins:
//
//   thrown value                                  number  description
//   -------------------------------------------   ------  -----------------------------------------
//   any value with a nonzero numeric `number`     that    its `message`, `description` or text
//   SyntaxError                                   1002    Syntax error
//   TypeError "... is not a function"              438    Object doesn't support this property or
//                                                         method: 'member'
//   TypeError reading from null or undefined       424    Object required
//   any other TypeError                             13    Type mismatch
//   ReferenceError                                 500    Variable is undefined: 'name'
//   RangeError "Maximum call stack size ..."        28    Out of stack space
//   anything else                                    5    its message or text
//   a run stopped by the watchdog                   17    Script timed out after N ms

namespace {

QString memberNotSupportedText()
{
    return QStringLiteral("Object doesn't support this property or method");
}

QString messageOf(const QJSValue& thrown)
{
    for (const auto* name : {"message", "description"}) {
        const QJSValue text = thrown.property(QLatin1String(name));
        if (text.isString() && !text.toString().isEmpty())
            return text.toString();
    }
    return thrown.toString();
}

// The quoted or leading name in an engine message, to tell the user which member it was.
QString withName(const QString& description, const QString& message)
{
    static const QRegularExpression quoted(QStringLiteral("'([^']+)'"));
    static const QRegularExpression leading(QStringLiteral("^([\\w$.]+) is not"));
    QRegularExpressionMatch match = quoted.match(message);
    if (!match.hasMatch())
        match = leading.match(message);
    if (!match.hasMatch())
        return description;
    return QStringLiteral("%1: '%2'").arg(description, match.captured(1));
}

outside::ScriptError classifyTypeError(const QString& message)
{
    if (message.endsWith(QLatin1String("is not a function")))
        return {ErrorNumber::MemberNotSupported, 0, 0, withName(memberNotSupportedText(), message)};
    static const QRegularExpression noObject(
        QStringLiteral("of (null|undefined)$|^Value is (null|undefined)"));
    if (noObject.match(message).hasMatch())
        return {ErrorNumber::ObjectRequired, 0, 0, QStringLiteral("Object required")};
    return {ErrorNumber::TypeMismatch, 0, 0, QStringLiteral("Type mismatch")};
}

outside::ScriptError classify(const QJSValue& thrown)
{
    const QJSValue number = thrown.property(QStringLiteral("number"));
    if (number.isNumber() && number.toInt() != 0)
        return {number.toInt(), 0, 0, messageOf(thrown)};

    const QString message = messageOf(thrown);
    switch (thrown.errorType()) {
    case QJSValue::SyntaxError:
        return {ScriptErrorNumber::SyntaxError, 0, 0, QStringLiteral("Syntax error")};
    case QJSValue::TypeError:
        return classifyTypeError(message);
    case QJSValue::ReferenceError:
        return {ScriptErrorNumber::VariableUndefined, 0, 0,
                withName(QStringLiteral("Variable is undefined"), message)};
    case QJSValue::RangeError:
        if (message.startsWith(QLatin1String("Maximum call stack size")))
            return {ScriptErrorNumber::OutOfStackSpace, 0, 0, QStringLiteral("Out of stack space")};
        break;
    default:
        break;
    }
    return {ErrorNumber::InvalidProcedureCall, 0, 0, message};
}

} // namespace

ScriptLocation locationInTrace(const QStringList& trace, const QString& scriptFile)
{
    for (const QString& entry : trace) {
        const QString file = entry.section(QLatin1Char(':'), 3);
        if (file != scriptFile && !file.endsWith(QLatin1Char(':') + scriptFile))
            continue;
        const int line = entry.section(QLatin1Char(':'), 1, 1).toInt();
        const int column = entry.section(QLatin1Char(':'), 2, 2).toInt();
        return {qMax(line, 0), qMax(column, 0)};
    }
    return {};
}

outside::ScriptError thrownValueFailure(const QJSValue& thrown, ScriptLocation where)
{
    outside::ScriptError failure = classify(thrown);
    if (where.line == 0 && thrown.isError())
        where.line = qMax(thrown.property(QStringLiteral("lineNumber")).toInt(), 0);
    failure.Line = where.line;
    failure.Column = where.line == 0 ? 0 : where.column;
    return failure;
}

outside::ScriptError memberNotSupportedFailure()
{
    return {ErrorNumber::MemberNotSupported, 0, 0, memberNotSupportedText()};
}

outside::ScriptError wrongArgumentCountFailure()
{
    return {ErrorNumber::WrongArgumentCount, 0, 0,
            QStringLiteral("Wrong number of arguments or invalid property assignment")};
}

outside::ScriptError timedOutFailure(std::chrono::milliseconds bound)
{
    return {ScriptErrorNumber::TimedOut, 0, 0,
            QStringLiteral("Script timed out after %1 ms").arg(bound.count())};
}

} // namespace vellum::sg
