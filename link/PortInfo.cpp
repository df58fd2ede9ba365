#include "link/PortInfo.h"

#include "link/PortNames.h"

#include <QSet>

namespace {

const QString Dash = QStringLiteral(" \u2014 ");

QString Hex4(int value) {
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

} // namespace

QString UsbIds(int vendorId, int productId) {
    return Hex4(vendorId) + QLatin1Char(':') + Hex4(productId);
}

QString TPortInfo::Line() const {
    QString line = PortName(Number) + Dash + Device;
    if (Location != Device) line += QStringLiteral(" \u2192 ") + Location;
    QStringList details;
    if (!Maker.isEmpty() && !Product.contains(Maker)) details << Maker;
    if (!Product.isEmpty()) details << Product;
    if (VendorId >= 0) details << QLatin1Char('(') + UsbIds(VendorId, ProductId) + QLatin1Char(')');
    if (!details.isEmpty()) line += Dash + details.join(QLatin1Char(' '));
    return line;
}

int AppearedPort(const std::vector<TPortInfo>& before, const std::vector<TPortInfo>& after) {
    QSet<QString> present;
    for (const TPortInfo& port : before)
        if (port.State != TPortState::Missing) present.insert(port.Location);
    for (const TPortInfo& port : after)
        if (port.State != TPortState::Missing && !present.contains(port.Location))
            return port.Number;
    return 0;
}
