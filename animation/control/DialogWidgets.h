#pragma once

#include <QLabel>
#include <QPushButton>

namespace vellum::animation {

// Dialog widgets carry their names as object names, so that tests and automation find them.
inline QLabel* namedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* widget = new QLabel(text, parent);
    widget->setObjectName(QLatin1String(name));
    return widget;
}

// Return in a text box commits the text there, not the dialog's default button.
inline QPushButton* namedButton(const char* name, const QString& text, QWidget* parent)
{
    auto* widget = new QPushButton(text, parent);
    widget->setObjectName(QLatin1String(name));
    widget->setAutoDefault(false);
    return widget;
}

} // namespace vellum::animation
