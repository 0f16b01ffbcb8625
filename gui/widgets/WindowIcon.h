// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <QIcon>
#include <QImage>

namespace Orvane
{

QIcon makeWindowIcon();
// The drawing itself, 32 by 32 pixels in 16 colours; needs no running application.
QImage windowIconImage();

} // namespace Orvane
