// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/widgets/WindowIcon.h"

#include <QPixmap>

#include "WindowIcon.xpm"

namespace Orvane
{

QIcon makeWindowIcon()
{
    return QIcon(QPixmap(windowIconXpm));
}

QImage windowIconImage()
{
    return QImage(windowIconXpm);
}

} // namespace Orvane
