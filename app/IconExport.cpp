// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT

// Writes the window icon as PNG files in the sizes desktops look for: icon-export FOLDER SIZE...
// Sizes that are whole multiples of the drawing keep its hard pixels; the others are smoothed.

#include "gui/widgets/WindowIcon.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QImage drawing = Orvane::windowIconImage();
    for (int index = 2; index < argc; ++index) {
        const int size = std::atoi(argv[index]);
        const Qt::TransformationMode mode =
            size % drawing.width() == 0 ? Qt::FastTransformation : Qt::SmoothTransformation;
        const QImage scaled = drawing.scaled(size, size, Qt::IgnoreAspectRatio, mode);
        const QString file = QString::fromLocal8Bit(argv[1]) + u"/orvane-" + QString::number(size) + u".png";
        if (!scaled.save(file, "PNG")) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
