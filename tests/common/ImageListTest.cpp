#include "ImageList.h"

#include "ErrorNumber.h"

#include <QPixmap>
#include <gmock/gmock.h>

using namespace vellum;
using namespace vellum::common;
using vellum::testing::errorNumberOf;

namespace {
QPixmap filled(Qt::GlobalColor color)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(color);
    return pixmap;
}
} // namespace

TEST(ImageList, KeyedPicturesAndRefusals)
{
    ImageList list;
    list.add(QStringLiteral("KeyFrame"), filled(Qt::red));
    list.add(QStringLiteral("Group"), filled(Qt::blue));
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.keys(), (QStringList{QStringLiteral("KeyFrame"), QStringLiteral("Group")}));
    EXPECT_TRUE(list.contains(QStringLiteral("Group")));
    EXPECT_FALSE(list.contains(QStringLiteral("group")));
    const QImage picked = list.pixmap(QStringLiteral("Group"), QSize(16, 16)).toImage();
    EXPECT_EQ(picked.pixelColor(8, 8), QColor(Qt::blue));

    EXPECT_EQ(errorNumberOf([&] { list.picture(QStringLiteral("Camera")); }),
              ErrorNumber::ElementNotFound);
    EXPECT_EQ(errorNumberOf([&] { list.add(QStringLiteral("Group"), filled(Qt::green)); }),
              ErrorNumber::DuplicateKey);
    EXPECT_EQ(errorNumberOf([&] { list.add(QString(), filled(Qt::green)); }),
              ErrorNumber::InvalidProcedureCall);
    EXPECT_EQ(errorNumberOf([&] { list.add(QStringLiteral("Null"), QPixmap()); }),
              ErrorNumber::InvalidProcedureCall);
    EXPECT_EQ(list.count(), 2);

    list.remove(QStringLiteral("KeyFrame"));
    EXPECT_EQ(list.keys(), QStringList{QStringLiteral("Group")});
    EXPECT_EQ(errorNumberOf([&] { list.remove(QStringLiteral("KeyFrame")); }),
              ErrorNumber::ElementNotFound);
}
