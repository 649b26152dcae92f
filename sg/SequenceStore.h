#pragma once

#include "VellumSGExport.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <outside/KeyRecord.h>
#include <vector>

namespace vellum::sg {

class KeyTrack;

// Named runs of keys cut from an animated component, to be put back elsewhere on its time
// line. Frames are kept relative to the frame the run was taken from.
class VELLUMSG_EXPORT SequenceStore
{
public:
    struct Sequence
    {
        QString name;
        std::vector<outside::KeyRecord> keys;
    };

    const std::vector<Sequence>& sequences() const { return m_sequences; }
    QStringList names() const;

    // Keeps the track's keys in [fromFrame, toFrame], relative to originFrame; a sequence of
    // the same name is replaced in place.
    void add(const QString& name, const KeyTrack& track, float fromFrame, float toFrame,
             float originFrame);
    // As read from a file: keys already relative, in frame order.
    void add(Sequence sequence);
    // A missing name does nothing.
    void rename(const QString& oldName, const QString& newName);
    void remove(const QString& name);
    // The kept keys moved to start from originFrame; none for a missing name. Refuses a run
    // that would land before frame 0, before anything is returned.
    QList<outside::KeyRecord> placed(const QString& name, float originFrame) const;

private:
    std::vector<Sequence>::iterator find(const QString& name);
    std::vector<Sequence>::const_iterator find(const QString& name) const;

    std::vector<Sequence> m_sequences;
};

} // namespace vellum::sg
