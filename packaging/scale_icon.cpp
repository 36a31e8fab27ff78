// tavo-scale-icon: writes a square picture, enlarged by a whole factor, as a PNG file. Every
// source pixel becomes a block of one colour (no smoothing), so that pixel art stays crisp at
// the larger sizes a desktop asks for. Runs at build time; it is not installed.
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
    // A fractional factor would give some source pixels wider blocks than others.
    if (size % source.width() != 0) {
        return Fail(kExitFailure, QStringLiteral("%1 is not a whole multiple of %2's %3 pixels")
                                      .arg(size)
                                      .arg(sourcePath)
                                      .arg(source.width()));
    }

    const QImage scaled = source.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (!scaled.save(outputPath, "PNG")) {
        return Fail(kExitFailure, QStringLiteral("cannot write ") + outputPath);
    }
    return 0;
}
