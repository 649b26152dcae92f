#include "SequenceStore.h"

#include "KeyTrack.h"

#include <Error.h>
#include <algorithm>

namespace vellum::sg {

QStringList SequenceStore::names() const
{
    QStringList result;
    result.reserve(qsizetype(m_sequences.size()));
    for (const auto& sequence : m_sequences)
        result.append(sequence.name);
    return result;
}

void SequenceStore::add(const QString& name, const KeyTrack& track, float fromFrame, float toFrame,
                        float originFrame)
{
    Sequence sequence{name, {}};
    for (const auto& key : track.keys()) {
        if (key.frame < fromFrame || key.frame > toFrame)
            continue;
        outside::KeyRecord kept = key;
        kept.frame -= originFrame;
        sequence.keys.push_back(kept);
    }
    add(std::move(sequence));
}

void SequenceStore::add(Sequence sequence)
{
    const auto existing = find(sequence.name);
    if (existing != m_sequences.end())
        *existing = std::move(sequence);
    else
        m_sequences.push_back(std::move(sequence));
}

void SequenceStore::rename(const QString& oldName, const QString& newName)
{
    const auto found = find(oldName);
    if (found == m_sequences.end() || oldName == newName)
        return;
    // Taking a name that is in use replaces the sequence that had it.
    found->name = newName;
    const auto clash = std::find_if(m_sequences.begin(), m_sequences.end(), [&](const auto& s) {
        return s.name == newName && &s != &*found;
    });
    if (clash != m_sequences.end())
        m_sequences.erase(clash);
}

void SequenceStore::remove(const QString& name)
{
    const auto found = find(name);
    if (found != m_sequences.end())
        m_sequences.erase(found);
}

QList<outside::KeyRecord> SequenceStore::placed(const QString& name, float originFrame) const
{
    QList<outside::KeyRecord> result;
    const auto found = find(name);
    if (found == m_sequences.end())
        return result;
    for (outside::KeyRecord key : found->keys) {
        key.frame += originFrame;
        if (key.frame < 0.0f)
            throw Error::invalidProcedureCall();
        result.append(key);
    }
    return result;
}

std::vector<SequenceStore::Sequence>::iterator SequenceStore::find(const QString& name)
{
    return std::find_if(m_sequences.begin(), m_sequences.end(),
                        [&name](const Sequence& s) { return s.name == name; });
}

std::vector<SequenceStore::Sequence>::const_iterator SequenceStore::find(const QString& name) const
{
    return std::find_if(m_sequences.cbegin(), m_sequences.cend(),
                        [&name](const Sequence& s) { return s.name == name; });
}

} // namespace vellum::sg
