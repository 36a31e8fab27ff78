// SPDX-License-Identifier: MIT
// tavo-icon-check: checks that PNG icons are a source picture enlarged without smoothing.
// Each PNG must be SIZE x SIZE pixels, at least the source's size, and every one of its
// pixels must have exactly the colour of the source pixel it lies in (pixel x in source
// pixel x * width / SIZE), so a blurred, shifted, cropped or differently sized icon fails.
//
// Usage: tavo-icon-check SOURCE PNG SIZE [PNG SIZE ...]
// Prints one line per fault and exits with 1 when there is any, 2 on misuse.
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

// Empty when icon is source enlarged to size by whole blocks, otherwise the first fault.
QString Fault(const QImage& source, const QImage& icon, int size) {
    if (icon.isNull()) return QStringLiteral("cannot be read as an image");
    if (icon.width() != size || icon.height() != size) {
        return QStringLiteral("is %1x%2 pixels, not %3x%3")
            .arg(icon.width())
            .arg(icon.height())
            .arg(size);
    }
    if (size < source.width() || size < source.height()) {
        return QStringLiteral("%1 is smaller than the source's %2x%3")
            .arg(size)
            .arg(source.width())
            .arg(source.height());
    }
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const int sourceX = x * source.width() / size;
            const int sourceY = y * source.height() / size;
            const QRgb want = source.pixel(sourceX, sourceY);
            const QRgb got = icon.pixel(x, y);
            if (got != want) {
                return QStringLiteral("pixel (%1,%2) is #%3, the source pixel (%4,%5) is #%6")
                    .arg(x)
                    .arg(y)
                    .arg(got, 8, 16, QChar(u'0'))
                    .arg(sourceX)
                    .arg(sourceY)
                    .arg(want, 8, 16, QChar(u'0'));
            }
        }
    }
    return {};
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 4 || argc % 2 != 0) {
        std::fputs("usage: tavo-icon-check SOURCE PNG SIZE [PNG SIZE ...]\n", stderr);
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QImage source(sourcePath);
    if (source.isNull()) {
        std::fprintf(stderr, "tavo-icon-check: cannot read %s\n", qPrintable(sourcePath));
        return 2;
    }

    int faults = 0;
    for (int k = 2; k + 1 < argc; k += 2) {
        const QString iconPath = QString::fromLocal8Bit(argv[k]);
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[k + 1]).toInt(&isNumber);
        if (!isNumber || size <= 0) {
            std::fprintf(stderr, "tavo-icon-check: bad size '%s'\n", argv[k + 1]);
            return 2;
        }
        const QString fault = Fault(source, QImage(iconPath, "PNG"), size);
        if (!fault.isEmpty()) {
            std::printf("%s: %s\n", qPrintable(iconPath), qPrintable(fault));
            ++faults;
        }
    }
    return faults == 0 ? 0 : 1;
}
