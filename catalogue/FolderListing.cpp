// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/FolderListing.h"

#include "catalogue/LineOrder.h"

#include <QDir>
#include <QFile>

#include "core/NativeText.h"
#include "platform/FolderEntries.h"
#include "platform/Utf8Path.h"

#include <filesystem>

namespace Orvane
{

bool matchesPattern(QStringView name, QStringView pattern)
{
    if (pattern == u"*.*" || pattern == u"*")
        return true;
    // Iterative wildcard match: remember the last '*' and retry from one character further on a mismatch.
    qsizetype nameIndex = 0;
    qsizetype patternIndex = 0;
    qsizetype starIndex = -1;
    qsizetype starNameIndex = 0;
    while (nameIndex < name.size()) {
        if (patternIndex < pattern.size() && pattern[patternIndex] == u'*') {
            starIndex = patternIndex++;
            starNameIndex = nameIndex;
        } else if (patternIndex < pattern.size() &&
                   (pattern[patternIndex] == u'?' ||
                    pattern[patternIndex].toCaseFolded() == name[nameIndex].toCaseFolded())) {
            ++patternIndex;
            ++nameIndex;
        } else if (starIndex >= 0) {
            patternIndex = starIndex + 1;
            nameIndex = ++starNameIndex;
        } else {
            return false;
        }
    }
    while (patternIndex < pattern.size() && pattern[patternIndex] == u'*')
        ++patternIndex;
    return patternIndex == pattern.size();
}

Result<void> forEachFile(const QString& folder, const QString& pattern,
                         const std::function<void(const QString&)>& takeFile)
{
    const bool everyName = pattern == u"*.*" || pattern == u"*";
    const PlatformResult<void> listed = forEachFileIn(platformPath(folder), [&](std::string_view name) {
        const QString decoded = fromNativeBytes(name);
        if (everyName || matchesPattern(decoded, pattern))
            takeFile(decoded);
        return true;
    });
    if (!listed)
        return Failure(QDir::toNativeSeparators(folder) + u": " + fromNativeBytes(listed.error()));
    return {};
}

Result<QStringList> listFiles(const QString& folder, const QString& pattern)
{
    QStringList names;
    if (const Result<void> listed = forEachFile(folder, pattern, [&](const QString& name) { names.append(name); });
        !listed)
        return Failure(listed.error());
    sortLines(names);
    return names;
}

} // namespace Orvane
