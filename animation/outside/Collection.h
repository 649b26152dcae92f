#pragma once

#include "Error.h"

#include <QHash>
#include <QList>
#include <QString>
#include <memory>

namespace vellum::outside {

// An ordered collection of components, each optionally reachable by a text key, as the scene
// graph hands them out. Items are numbered from 1; a missing index or key is refused.
template <typename T> class Collection
{
public:
    using Pointer = std::shared_ptr<T>;

    int Count() const { return int(m_items.size()); }

    const Pointer& Item(int oneBasedIndex) const
    {
        if (oneBasedIndex < 1 || oneBasedIndex > Count())
            throw Error::invalidProcedureCall();
        return m_items[oneBasedIndex - 1];
    }

    const Pointer& Item(const QString& key) const
    {
        const auto found = m_indexByKey.constFind(key);
        if (found == m_indexByKey.cend())
            throw Error::invalidProcedureCall();
        return m_items[*found];
    }

    // The item with that key, or nullptr.
    Pointer find(const QString& key) const
    {
        const auto found = m_indexByKey.constFind(key);
        return found == m_indexByKey.cend() ? Pointer() : m_items[*found];
    }

    bool contains(const QString& key) const { return m_indexByKey.contains(key); }

    void Add(Pointer item, const QString& key = {})
    {
        if (!key.isEmpty()) {
            if (m_indexByKey.contains(key))
                throw Error(ErrorNumber::DuplicateKey,
                            QStringLiteral("This key is already associated with "
                                           "an element of this collection"));
            m_indexByKey.insert(key, int(m_items.size()));
            m_keys.append(key);
        } else {
            m_keys.append(QString());
        }
        m_items.append(std::move(item));
    }

    void Remove(const QString& key)
    {
        const int index = m_indexByKey.value(key, -1);
        if (index < 0)
            throw Error::invalidProcedureCall();
        removeAt(index);
    }

    void removeAt(int zeroBasedIndex)
    {
        m_items.removeAt(zeroBasedIndex);
        m_keys.removeAt(zeroBasedIndex);
        reindex();
    }

    void clear()
    {
        m_items.clear();
        m_keys.clear();
        m_indexByKey.clear();
    }

    const QString& keyAt(int zeroBasedIndex) const { return m_keys[zeroBasedIndex]; }

    auto begin() const { return m_items.cbegin(); }
    auto end() const { return m_items.cend(); }

private:
    void reindex()
    {
        m_indexByKey.clear();
        for (int i = 0; i < m_keys.size(); ++i)
            if (!m_keys[i].isEmpty())
                m_indexByKey.insert(m_keys[i], i);
    }

    QList<Pointer> m_items;
    QList<QString> m_keys;
    QHash<QString, int> m_indexByKey;
};

} // namespace vellum::outside
