#include "base/twips.h"

#include <QPaintDevice>
#include <QScreen>

namespace qel {

TwipsScale::TwipsScale(const QPaintDevice *device)
    : m_dpiX(device->logicalDpiX()), m_dpiY(device->logicalDpiY())
{
}

TwipsScale TwipsScale::ofScreen(const QScreen *screen)
{
    if (!screen)
        return {};
    return {screen->logicalDotsPerInchX(), screen->logicalDotsPerInchY()};
}

} // namespace qel
