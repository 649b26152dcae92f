#include "FlexGridCells.h"

#include "Error.h"

#include <algorithm>
#include <limits>

namespace vellum::common {

static_assert(sizeof(FlexGridCells::Record) == 12, "cells are meant to stay small");

void FlexGridCells::resize(int rows, int cols)
{
    if (cols == m_cols) {
        for (size_t i = size_t(rows) * size_t(cols); i < m_records.size(); ++i)
            releaseText(m_records[i]);
        m_records.resize(size_t(rows) * size_t(cols));
        m_rows = rows;
        return;
    }
    std::vector<Record> resized(size_t(rows) * size_t(cols));
    for (int row = 0; row < m_rows; ++row) {
        for (int col = 0; col < m_cols; ++col) {
            Record& old = recordAt(row, col);
            if (row < rows && col < cols)
                resized[size_t(row) * size_t(cols) + size_t(col)] = old;
            else
                releaseText(old);
        }
    }
    m_records = std::move(resized);
    m_rows = rows;
    m_cols = cols;
}

void FlexGridCells::clear()
{
    std::fill(m_records.begin(), m_records.end(), Record());
    m_texts.clear();
    m_freeTexts.clear();
    m_pictures.resize(1);
    m_pictureByKey.clear();
}

QString FlexGridCells::text(int row, int col) const
{
    const Record& record = at(row, col);
    return record.text < 0 ? QString() : textOf(record);
}

void FlexGridCells::setText(int row, int col, const QString& text)
{
    Record& record = recordAt(row, col);
    if (text.isEmpty()) {
        releaseText(record);
        return;
    }
    if (record.text >= 0) {
        m_texts[size_t(record.text)] = text;
        return;
    }
    if (m_freeTexts.empty()) {
        record.text = qint32(m_texts.size());
        m_texts.push_back(text);
        return;
    }
    record.text = m_freeTexts.back();
    m_freeTexts.pop_back();
    m_texts[size_t(record.text)] = text;
}

void FlexGridCells::releaseText(Record& record)
{
    if (record.text < 0)
        return;
    m_texts[size_t(record.text)].clear();
    m_freeTexts.push_back(record.text);
    record.text = -1;
}

void FlexGridCells::setPicture(int row, int col, const QPixmap& picture)
{
    recordAt(row, col).picture = picture.isNull() ? 0 : pictureIndex(picture);
}

void FlexGridCells::setPictureAlignment(int row, int col, quint8 alignment)
{
    recordAt(row, col).pictureAlignment = alignment;
}

void FlexGridCells::setBackColor(int row, int col, QRgb color)
{
    Record& record = recordAt(row, col);
    record.backColor = color;
    record.hasBackColor = true;
}

quint16 FlexGridCells::pictureIndex(const QPixmap& picture)
{
    const auto known = m_pictureByKey.constFind(picture.cacheKey());
    if (known != m_pictureByKey.cend())
        return *known;
    if (m_pictures.size() > std::numeric_limits<quint16>::max())
        compactPictures();
    if (m_pictures.size() > std::numeric_limits<quint16>::max())
        throw Error(ErrorNumber::OutOfMemory, QStringLiteral("Out of memory"));
    const auto added = quint16(m_pictures.size());
    m_pictures.push_back(picture);
    m_pictureByKey.insert(picture.cacheKey(), added);
    return added;
}

// Drops the pictures that no cell shows any more and renumbers the rest.
void FlexGridCells::compactPictures()
{
    std::vector<quint16> renumbered(m_pictures.size(), 0);
    for (const Record& record : m_records)
        renumbered[record.picture] = 1;
    std::vector<QPixmap> kept{QPixmap()};
    m_pictureByKey.clear();
    for (size_t i = 1; i < m_pictures.size(); ++i) {
        if (!renumbered[i])
            continue;
        renumbered[i] = quint16(kept.size());
        m_pictureByKey.insert(m_pictures[i].cacheKey(), renumbered[i]);
        kept.push_back(m_pictures[i]);
    }
    for (Record& record : m_records)
        record.picture = renumbered[record.picture];
    m_pictures = std::move(kept);
}

} // namespace vellum::common
