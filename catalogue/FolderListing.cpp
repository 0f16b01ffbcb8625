// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "FolderListing.h"

#include "LineOrder.h"

#include <QDir>
#include <QFile>

#include <filesystem>
#include <system_error>

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

FolderListing listFiles(const QString& folder, const QString& pattern)
{
    namespace fs = std::filesystem;
    FolderListing listing;
    std::error_code error;
    const fs::path path(QFile::encodeName(folder).toStdString());
    fs::directory_iterator entry(path, error);
    if (error) {
        listing.error = QDir::toNativeSeparators(folder) + u": " + QString::fromLocal8Bit(error.message());
        return listing;
    }
    for (const fs::directory_iterator end; entry != end; entry.increment(error)) {
        if (error)
            break;
        const std::string fileName = entry->path().filename().string();
        if (fileName.empty() || fileName.front() == '.')
            continue;
        std::error_code statusError;
        if (!entry->is_regular_file(statusError)) // follows links; a broken link or a loop is no file
            continue;
        const QString name = QFile::decodeName(QByteArray::fromStdString(fileName));
        if (matchesPattern(name, pattern))
            listing.names.append(name);
    }
    if (error) {
        listing.error = QDir::toNativeSeparators(folder) + u": " + QString::fromLocal8Bit(error.message());
        return listing;
    }
    sortLines(listing.names);
    listing.ok = true;
    return listing;
}

} // namespace Orvane
