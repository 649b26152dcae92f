#include "FlexGridAxis.h"

#include "Twips.h"

#include <algorithm>

namespace vellum::common {

void FlexGridAxis::resize(int count)
{
    if (count == this->count())
        return;
    m_twips.resize(size_t(count), m_defaultTwips);
    m_dirty = true;
}

void FlexGridAxis::setSizeTwips(int index, int twips)
{
    m_twips[size_t(index)] = twips;
    m_dirty = true;
}

void FlexGridAxis::setAllTwips(int twips)
{
    std::fill(m_twips.begin(), m_twips.end(), twips);
    m_defaultTwips = twips;
    m_dirty = true;
}

void FlexGridAxis::ensurePixels(double logicalDpi) const
{
    if (!m_dirty && m_pixelDpi == logicalDpi)
        return;
    m_offsets.resize(m_twips.size() + 1);
    qint64 sum = 0;
    for (size_t i = 0; i < m_twips.size(); ++i) {
        m_offsets[i] = sum;
        sum += twipsToPixels(m_twips[i], logicalDpi);
    }
    m_offsets.back() = sum;
    m_pixelDpi = logicalDpi;
    m_dirty = false;
}

int FlexGridAxis::indexAt(qint64 pixel) const
{
    if (m_twips.empty())
        return -1;
    // The last offset not beyond the pixel; zero-sized lines before it are skipped over.
    const auto after = std::upper_bound(m_offsets.begin(), m_offsets.end() - 1, pixel);
    return std::clamp(int(after - m_offsets.begin()) - 1, 0, count() - 1);
}

int FlexGridAxis::lastScrollStart(int first, qint64 available) const
{
    const auto from = std::lower_bound(m_offsets.begin(), m_offsets.end(), total() - available);
    return std::clamp(int(from - m_offsets.begin()), first, std::max(first, count() - 1));
}

} // namespace vellum::common
