#include "Twips.h"

#include <QWidget>
#include <QtMath>

namespace vellum::common {

int twipsToPixels(int twips, double logicalDpi)
{
    return qRound(twips * logicalDpi / TwipsPerInch);
}

int pixelsToTwips(int pixels, double logicalDpi)
{
    return logicalDpi > 0 ? qRound(pixels * TwipsPerInch / logicalDpi) : 0;
}

int twipsToPixelsX(int twips, const QWidget* widget)
{
    return twipsToPixels(twips, widget->logicalDpiX());
}

int twipsToPixelsY(int twips, const QWidget* widget)
{
    return twipsToPixels(twips, widget->logicalDpiY());
}

} // namespace vellum::common
