#pragma once

#include "JsScriptObject.h"

#include <QObject>

namespace vellum::sg::testing {

// What a script sees of a group in these tests: a position and a method.
class TestFacade : public QObject
{
    Q_OBJECT
    Q_PROPERTY(double position MEMBER m_position)
public:
    Q_INVOKABLE void moveBy(double delta) { m_position += delta; }

    double position() const { return m_position; }

private:
    double m_position = 0;
};

class TestScriptObject : public JsScriptObject
{
public:
    QObject* facade() override { return &m_facade; }
    TestFacade& testFacade() { return m_facade; }

private:
    TestFacade m_facade;
};

} // namespace vellum::sg::testing
