#pragma once

#include "VellumCommonExport.h"

#include <QIcon>
#include <QObject>
#include <QStringList>
#include <vector>

namespace vellum::common {

// Pictures kept under keys, in the order they were added.
class VELLUMCOMMON_EXPORT ImageList : public QObject
{
    Q_OBJECT

public:
    explicit ImageList(QObject* parent = nullptr);

    // Throws Error 457 for a key already present and Error 5 for an empty key or a null picture.
    void add(const QString& key, const QIcon& picture);
    void add(const QString& key, const QPixmap& picture);
    // Throws Error 35601 "Element not found" for a missing key.
    QIcon picture(const QString& key) const;
    QPixmap pixmap(const QString& key, QSize size, qreal devicePixelRatio = 1.0) const;

    bool contains(const QString& key) const;
    int count() const { return int(m_entries.size()); }
    QStringList keys() const;
    void remove(const QString& key);
    void clear() { m_entries.clear(); }

private:
    struct Entry
    {
        QString key;
        QIcon picture;
    };
    const Entry* find(const QString& key) const;

    std::vector<Entry> m_entries;
};

} // namespace vellum::common
