#include "ImageList.h"

#include "Error.h"

#include <QPixmap>
#include <algorithm>

namespace vellum::common {

ImageList::ImageList(QObject* parent) : QObject(parent) {}

void ImageList::add(const QString& key, const QIcon& picture)
{
    if (key.isEmpty() || picture.isNull())
        throw Error::invalidProcedureCall();
    if (contains(key))
        throw Error::duplicateKey();
    m_entries.push_back({key, picture});
}

void ImageList::add(const QString& key, const QPixmap& picture)
{
    add(key, picture.isNull() ? QIcon() : QIcon(picture));
}

const ImageList::Entry* ImageList::find(const QString& key) const
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&key](const Entry& entry) { return entry.key == key; });
    return it == m_entries.end() ? nullptr : &*it;
}

QIcon ImageList::picture(const QString& key) const
{
    if (const Entry* entry = find(key))
        return entry->picture;
    throw Error::elementNotFound();
}

QPixmap ImageList::pixmap(const QString& key, QSize size, qreal devicePixelRatio) const
{
    return picture(key).pixmap(size, devicePixelRatio);
}

bool ImageList::contains(const QString& key) const
{
    return find(key) != nullptr;
}

QStringList ImageList::keys() const
{
    QStringList result;
    result.reserve(count());
    for (const Entry& entry : m_entries)
        result.append(entry.key);
    return result;
}

void ImageList::remove(const QString& key)
{
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [&key](const Entry& entry) { return entry.key == key; });
    if (it == m_entries.end())
        throw Error::elementNotFound();
    m_entries.erase(it);
}

} // namespace vellum::common
