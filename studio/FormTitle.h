#pragma once

#include <QFormLayout>
#include <QLabel>

namespace vellum::studio {

// The bold line naming what a property page edits, as its first row.
inline QLabel* addTitleRow(QFormLayout& layout, QWidget* page, const QString& objectName)
{
    auto* title = new QLabel(page);
    title->setObjectName(objectName);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    layout.addRow(title);
    return title;
}

} // namespace vellum::studio
