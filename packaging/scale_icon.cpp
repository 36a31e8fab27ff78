// SPDX-License-Identifier: MIT
// tavo-scale-icon: writes a square picture, enlarged to SIZE pixels, as a PNG file. Every
// output pixel takes the colour of the source pixel it falls in (nearest neighbour, no
// smoothing), so that pixel art stays crisp at the larger sizes a desktop asks for; at a
// whole factor each source pixel becomes an even block, at 48 from 32 the blocks are 2 and
// 1 pixels wide in turn. Runs at build time; it is not installed.
//
// Usage: tavo-scale-icon SOURCE OUTPUT.png SIZE
#include <QImage>
#include <QString>
#include <cstdio>

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitMisuse = 2;

int Fail(int status, const QString& message) {
    std::fprintf(stderr, "tavo-scale-icon: %s\n", qPrintable(message));
    return status;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 4) {
        return Fail(kExitMisuse, QStringLiteral("usage: tavo-scale-icon SOURCE OUTPUT.png SIZE"));
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);

    bool isNumber = false;
    const int size = QString::fromLocal8Bit(argv[3]).toInt(&isNumber);
    if (!isNumber || size <= 0) {
        return Fail(kExitMisuse, QStringLiteral("SIZE must be a positive whole number, not '%1'")
                                     .arg(QString::fromLocal8Bit(argv[3])));
    }

    const QImage source(sourcePath);
    if (source.isNull()) return Fail(kExitFailure, QStringLiteral("cannot read ") + sourcePath);
    if (source.width() != source.height()) {
        return Fail(kExitFailure, sourcePath + QStringLiteral(" is not square"));
    }
    if (size < source.width()) {
        return Fail(kExitFailure,
                    QStringLiteral("%1 is smaller than %2's %3 pixels: the icon would lose pixels")
                        .arg(size)
                        .arg(sourcePath)
                        .arg(source.width()));
    }

    // Output pixel x lies in source pixel x * width / size.
    const QImage pixels = source.convertToFormat(QImage::Format_ARGB32);
    QImage scaled(size, size, QImage::Format_ARGB32);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            scaled.setPixel(x, y,
                            pixels.pixel(x * pixels.width() / size, y * pixels.height() / size));
        }
    }
    if (!scaled.save(outputPath, "PNG")) {
        return Fail(kExitFailure, QStringLiteral("cannot write ") + outputPath);
    }
    return 0;
}
