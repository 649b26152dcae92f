#pragma once

#include <QtGlobal>
#include <vector>

namespace vellum::common {

// The rows or the columns of a grid: sizes in twips, and the pixel offsets derived from them,
// kept as prefix sums so that the line under a pixel is a binary search however many there are.
class FlexGridAxis
{
public:
    explicit FlexGridAxis(int defaultTwips) : m_defaultTwips(defaultTwips) {}

    int count() const { return int(m_twips.size()); }
    // New lines take the default size; existing ones keep theirs.
    void resize(int count);

    int sizeTwips(int index) const { return m_twips[size_t(index)]; }
    void setSizeTwips(int index, int twips);
    // Every line, and every line added later.
    void setAllTwips(int twips);

    // Pixel geometry at the given logical DPI; rebuilt only after a size or the DPI changed.
    void ensurePixels(double logicalDpi) const;
    // Whether a size changed since the pixels were last built.
    bool sizesChanged() const { return m_dirty; }
    qint64 offset(int index) const { return m_offsets[size_t(index)]; }
    int pixels(int index) const { return int(offset(index + 1) - offset(index)); }
    qint64 total() const { return m_offsets.back(); }
    // The line holding the pixel offset; offsets past the end give the last line.
    int indexAt(qint64 pixel) const;
    // The smallest first line at which the lines from there to the end fit in `available`
    // pixels, but never before `first`.
    int lastScrollStart(int first, qint64 available) const;

private:
    std::vector<int> m_twips;
    int m_defaultTwips;
    mutable std::vector<qint64> m_offsets{0};
    mutable double m_pixelDpi = 0;
    mutable bool m_dirty = true;
};

} // namespace vellum::common
