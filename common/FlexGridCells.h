#pragma once

#include <QColor>
#include <QHash>
#include <QPixmap>
#include <QString>
#include <vector>

namespace vellum::common {

// Cell contents of a grid, row-major in one contiguous vector of small records. Texts and
// pictures live in side tables that the records index, so that blank cells cost twelve bytes
// and thousands of cells showing the same picture share one pixmap.
class FlexGridCells
{
public:
    struct Record
    {
        qint32 text = -1; // index into the text table, -1 for none
        QRgb backColor = 0;
        quint16 picture = 0; // index into the picture table, 0 for none
        quint8 pictureAlignment = DefaultPictureAlignment;
        bool hasBackColor = false;
    };
    static constexpr quint8 DefaultPictureAlignment = 4;

    int rows() const { return m_rows; }
    int cols() const { return m_cols; }
    // Keeps every cell that still fits.
    void resize(int rows, int cols);
    // Blank records everywhere; the size stays.
    void clear();

    const Record& at(int row, int col) const { return m_records[index(row, col)]; }

    QString text(int row, int col) const;
    void setText(int row, int col, const QString& text);
    QPixmap picture(int row, int col) const { return m_pictures[at(row, col).picture]; }
    const QPixmap& pictureOf(const Record& record) const { return m_pictures[record.picture]; }
    const QString& textOf(const Record& record) const { return m_texts[size_t(record.text)]; }
    // A null pixmap removes the picture.
    void setPicture(int row, int col, const QPixmap& picture);
    void setPictureAlignment(int row, int col, quint8 alignment);
    void setBackColor(int row, int col, QRgb color);

private:
    size_t index(int row, int col) const { return size_t(row) * size_t(m_cols) + size_t(col); }
    Record& recordAt(int row, int col) { return m_records[index(row, col)]; }
    void releaseText(Record& record);
    quint16 pictureIndex(const QPixmap& picture);
    void compactPictures();

    int m_rows = 0;
    int m_cols = 0;
    std::vector<Record> m_records;
    std::vector<QString> m_texts;
    std::vector<qint32> m_freeTexts;
    std::vector<QPixmap> m_pictures{QPixmap()};
    QHash<qint64, quint16> m_pictureByKey;
};

} // namespace vellum::common
