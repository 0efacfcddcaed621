// relief_make_icons <folder> <size>...: writes the program's icon as
// <folder>/hicolor/<size>x<size>/apps/relief.png for each size, the layout of the desktop's
// icon theme folders.
#include "app/resources/resources.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: relief_make_icons <folder> <size>...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        const int size = std::atoi(argv[i]);
        if (size < 1 || size > 1024) {
            std::fprintf(stderr, "relief_make_icons: %s is not an icon size\n", argv[i]);
            return 2;
        }
        const IconImage icon = ReliefIconImage(size);
        const QImage image(reinterpret_cast<const uchar*>(icon.argb.data()), icon.width, icon.height,
                           QImage::Format_ARGB32);
        const QString folder = QStringLiteral("%1/hicolor/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        if (!QDir().mkpath(folder) || !image.save(folder + QStringLiteral("/relief.png"), "PNG")) {
            std::fprintf(stderr, "relief_make_icons: cannot write %s/relief.png\n", folder.toLocal8Bit().constData());
            return 1;
        }
    }
    return 0;
}
