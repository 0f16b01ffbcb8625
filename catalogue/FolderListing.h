// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include "core/Result.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <functional>
#include <optional>

namespace Orvane
{

// A DOS wildcard pattern: '*' any run of characters, '?' one character, letters in any case. "*.*" matches
// every name, with or without a dot, as it always did on DOS.
bool matchesPattern(QStringView name, QStringView pattern);

// Hands each plain, non-hidden file of `folder` whose name matches `pattern` to `takeFile`, in the order the
// file system keeps them. A refusal names the folder and the reason.
Result<void> forEachFile(const QString& folder, const QString& pattern,
                         const std::function<void(const QString&)>& takeFile);

// The plain, non-hidden files of `folder` (links to files count; folders, devices, pipes and sockets do not)
// whose names match `pattern`, sorted as lineLess orders them.
Result<QStringList> listFiles(const QString& folder, const QString& pattern);

} // namespace Orvane
