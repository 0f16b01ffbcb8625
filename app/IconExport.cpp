// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT

// Writes the window icon as PNG files in the sizes desktops look for, and all of them in one Windows icon file
// for the program's resources: icon-export FOLDER SIZE... (orvane-SIZE.png and orvane.ico).
// Sizes that are whole multiples of the drawing keep its hard pixels; the others are smoothed.

#include "gui/widgets/WindowIcon.h"

#include <QBuffer>
#include <QFile>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <vector>

namespace
{

void appendLittleEndian(QByteArray& bytes, quint32 value, int size)
{
    for (int index = 0; index < size; ++index)
        bytes.append(static_cast<char>((value >> (8 * index)) & 0xFF));
}

// A Windows icon file whose images are PNG data, as Windows reads them since Vista: a directory of the sizes,
// then each image.
QByteArray iconFile(const std::vector<QByteArray>& pngs, const std::vector<int>& sizes)
{
    QByteArray bytes;
    appendLittleEndian(bytes, 0, 2);
    appendLittleEndian(bytes, 1, 2); // an icon, not a cursor
    appendLittleEndian(bytes, static_cast<quint32>(pngs.size()), 2);
    quint32 offset = 6 + 16 * static_cast<quint32>(pngs.size());
    for (std::size_t index = 0; index < pngs.size(); ++index) {
        const int size = sizes[index];
        appendLittleEndian(bytes, size >= 256 ? 0 : static_cast<quint32>(size), 1); // 0 stands for 256
        appendLittleEndian(bytes, size >= 256 ? 0 : static_cast<quint32>(size), 1);
        appendLittleEndian(bytes, 0, 2); // no palette
        appendLittleEndian(bytes, 1, 2); // planes
        appendLittleEndian(bytes, 32, 2);
        appendLittleEndian(bytes, static_cast<quint32>(pngs[index].size()), 4);
        appendLittleEndian(bytes, offset, 4);
        offset += static_cast<quint32>(pngs[index].size());
    }
    for (const QByteArray& png : pngs)
        bytes += png;
    return bytes;
}

} // namespace

int main(int argc, char* argv[])
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s FOLDER SIZE...\n", argv[0]);
        return 2;
    }
    const QImage drawing = Orvane::windowIconImage();
    std::vector<QByteArray> pngs;
    std::vector<int> sizes;
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
        if (size <= 256) {
            QBuffer png;
            png.open(QIODevice::WriteOnly);
            scaled.save(&png, "PNG");
            pngs.push_back(png.data());
            sizes.push_back(size);
        }
    }
    QFile icon(QString::fromLocal8Bit(argv[1]) + u"/orvane.ico");
    const QByteArray bytes = iconFile(pngs, sizes);
    if (!icon.open(QIODevice::WriteOnly) || icon.write(bytes) != bytes.size() || !icon.flush()) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(icon.fileName()));
        return 1;
    }
    return 0;
}
