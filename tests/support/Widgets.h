#pragma once

// The panel's widgets by name, used as a person would use them.

#include "TrackBar.h"
#include "TrackBarGeometry.h"
#include "UpDownText.h"

#include <QTest>
#include <stdexcept>
#include <string>

namespace vellum::testing {

// The named child; a missing one fails the test loudly.
template <typename Widget = QWidget> Widget& child(const QObject& parent, const char* name)
{
    auto* found = parent.findChild<Widget*>(QLatin1String(name));
    if (!found)
        throw std::runtime_error(std::string("no widget ") + name);
    return *found;
}

inline void clickChild(const QObject& parent, const char* name,
                       Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
{
    QTest::mouseClick(&child(parent, name), button, keys);
}

// Where the slider's thumb sits at a frame.
inline QPoint pointOfFrame(const common::TrackBar& slider, int frame)
{
    const common::TrackBarGeometry geometry(slider.size(), slider.Min(), slider.Max());
    return QPoint(qRound(geometry.xOf(frame)), geometry.thumbRect(frame).toRect().center().y());
}

inline void dragSlider(common::TrackBar& slider, int fromFrame, int toFrame,
                       Qt::KeyboardModifiers pressKeys = {}, Qt::KeyboardModifiers releaseKeys = {})
{
    QTest::mousePress(&slider, Qt::LeftButton, pressKeys, pointOfFrame(slider, fromFrame));
    QTest::mouseMove(&slider, pointOfFrame(slider, toFrame));
    QTest::mouseRelease(&slider, Qt::LeftButton, releaseKeys, pointOfFrame(slider, toFrame));
}

// Typed, then Return.
inline void typeInto(common::UpDownText& box, const QString& text)
{
    box.setText(text);
    box.setFocus();
    QTest::keyClick(&box, Qt::Key_Return);
}

} // namespace vellum::testing
