// Build tool: the program's icon as a PNG file of one size, for the desktop's icon theme.
// Usage: qelviewer-iconpng SIZE OUT.png

#include "base/appicon.h"

#include <QString>
#include <cstdio>

int main(int argc, char **argv)
{
    const int side = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt() : 0;
    if (side < 1 || side > 1024) {
        std::fputs("usage: qelviewer-iconpng SIZE OUT.png\n", stderr);
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[2]);
    if (!qel::appIconImage(side).save(out, "PNG")) {
        std::fprintf(stderr, "qelviewer-iconpng: cannot write %s\n", argv[2]);
        return 2;
    }
    return 0;
}
