// Writes the part pictures 1.bmp to 9.bmp into the folder given as the only
// argument; the build runs it to put them beside the program.

#include "part_bitmap.h"

#include <QDir>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "cannot create the folder %s\n", argv[1]);
        return 1;
    }
    for (int part = 1; part <= 9; ++part) {
        const QString path = folder.filePath(QString::number(part) + QStringLiteral(".bmp"));
        if (!drawPartBitmap(part).save(path, "BMP")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
