// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "SystemsCatalogue.h"

#include "TextColumns.h"
#include "TextFile.h"

#include <QFile>
#include <QStringDecoder>

#include <algorithm>

#include <filesystem>
#include <utility>

namespace Orvane
{

static bool holdsSurrogates(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar character) { return character.isSurrogate(); });
}

std::optional<CatalogueEntry> parseCatalogueLine(QStringView line)
{
    // Where every character is one UTF-16 unit (nearly always), columns are indexes.
    if (!holdsSurrogates(line)) {
        if (line.size() < 12)
            return std::nullopt;
        return CatalogueEntry{trimBlanks(line.left(8)), line.mid(11, line.size() - 12).toString()};
    }
    const qsizetype length = characterCount(line);
    if (length < 12)
        return std::nullopt;
    return CatalogueEntry{trimBlanks(leftCharacters(line, 8)), leftCharacters(charactersFrom(line, 12), length - 12)};
}

QStringList SystemsCatalogue::descriptions() const
{
    if (collectedDescriptions.size() == static_cast<qsizetype>(entries.size()))
        return collectedDescriptions;
    QStringList result;
    result.reserve(static_cast<qsizetype>(entries.size()));
    for (const CatalogueEntry& entry : entries)
        result.append(entry.description);
    return result;
}

QStringList SystemsCatalogue::takeDescriptions()
{
    if (collectedDescriptions.size() != static_cast<qsizetype>(entries.size()))
        return descriptions();
    return std::exchange(collectedDescriptions, {});
}

std::optional<QString> SystemsCatalogue::systemNameFor(const QString& description) const
{
    for (auto entry = entries.crbegin(); entry != entries.crend(); ++entry) {
        if (entry->description == description)
            return entry->systemName;
    }
    return std::nullopt;
}

SystemsCatalogue readSystemsCatalogue(const QString& path)
{
    const BytesRead file = readBytes(path);
    if (!file.ok) {
        SystemsCatalogue catalogue;
        catalogue.error = file.error;
        return catalogue;
    }
    return parseSystemsCatalogue(file.bytes);
}

namespace
{

// The catalogue is read straight from its bytes, line by line, never as one decoded text: a catalogue of 45,000
// systems would otherwise be held three times over (bytes, text, lines) for a moment at every start.
class CatalogueParser
{
public:
    explicit CatalogueParser(QByteArrayView bytes) : m_bytes(bytes) {}

    // False as soon as a line is not valid UTF-8: the whole file is then Latin-1, as decodeText reads it.
    bool parse(bool asUtf8)
    {
        m_catalogue = SystemsCatalogue();
        m_catalogue.ok = true;
        m_lineCount = 0;
        if (asUtf8)
            m_decoder = QStringDecoder(QStringDecoder::Utf8,
                                       QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
        const char* const data = m_bytes.data();
        const qsizetype size = m_bytes.size();
        qsizetype start = 0;
        // Lines end at CR LF, LF or CR, as splitLines reads them.
        const qsizetype lineEnds = std::max(std::count(data, data + size, '\n'), std::count(data, data + size, '\r'));
        m_catalogue.entries.reserve(static_cast<std::size_t>(lineEnds) + 1);
        m_catalogue.collectedDescriptions.reserve(lineEnds + 1);
        for (qsizetype index = 0; index < size; ++index) {
            const char character = data[index];
            if (character != '\n' && character != '\r')
                continue;
            qsizetype next = index + 1;
            if (character == '\r' && next < size && data[next] == '\n')
                ++next;
            if (!takeLine(m_bytes.sliced(start, index - start), asUtf8, next >= size))
                return false;
            start = next;
            index = next - 1;
        }
        if (start < size && !takeLine(m_bytes.sliced(start), asUtf8, true))
            return false;
        return true;
    }

    SystemsCatalogue take() { return std::move(m_catalogue); }

private:
    static bool isAscii(QByteArrayView line)
    {
        return std::all_of(line.begin(), line.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    }

    bool takeLine(QByteArrayView line, bool asUtf8, bool last)
    {
        const bool header = m_lineCount++ == 0;
        std::optional<CatalogueEntry> entry;
        if (!asUtf8 || isAscii(line)) {
            // One byte is one character: the columns are byte offsets.
            if (!header)
                entry = parseSingleByteLine(line);
        } else {
            const QString text = m_decoder.decode(line);
            if (m_decoder.hasError())
                return false;
            if (!header)
                entry = parseCatalogueLine(text);
        }
        if (header)
            return true;
        if (entry) {
            m_catalogue.collectedDescriptions.append(entry->description);
            m_catalogue.entries.push_back(std::move(*entry));
        }
        // A blank line at the very end is how some editors leave a file; it is no system and no damage.
        else if (!(last && line.isEmpty()))
            ++m_catalogue.skippedLines;
        return true;
    }

    static std::optional<CatalogueEntry> parseSingleByteLine(QByteArrayView line)
    {
        if (line.size() < 12)
            return std::nullopt;
        QByteArrayView name = line.first(8);
        while (!name.isEmpty() && name.front() == ' ')
            name = name.sliced(1);
        while (!name.isEmpty() && name.back() == ' ')
            name.chop(1);
        return CatalogueEntry{QString::fromLatin1(name), QString::fromLatin1(line.sliced(11, line.size() - 12))};
    }

    QByteArrayView m_bytes;
    QStringDecoder m_decoder;
    SystemsCatalogue m_catalogue;
    qsizetype m_lineCount = 0;
};

} // namespace

SystemsCatalogue parseSystemsCatalogue(QByteArrayView bytes)
{
    CatalogueParser parser(bytes);
    if (!parser.parse(true))
        parser.parse(false);
    return parser.take();
}

std::optional<CatalogueReader::Signature> CatalogueReader::signatureOf(const QString& path)
{
    namespace fs = std::filesystem;
    const fs::path native(QFile::encodeName(path).toStdString());
    std::error_code sizeError;
    std::error_code timeError;
    const std::uintmax_t size = fs::file_size(native, sizeError);
    const auto modified = fs::last_write_time(native, timeError);
    if (sizeError || timeError)
        return std::nullopt;
    return Signature{path, size, static_cast<std::int64_t>(modified.time_since_epoch().count())};
}

SystemsCatalogue& CatalogueReader::read(const QString& path)
{
    const std::optional<Signature> signature = signatureOf(path);
    // Without a signature there is nothing to compare with: read, and so report, whatever is there.
    if (!signature || m_signature != signature) {
        m_catalogue = readSystemsCatalogue(path);
        m_signature = m_catalogue.ok ? signature : std::nullopt;
        ++m_reads;
    }
    return m_catalogue;
}

void CatalogueReader::adopt(const QString& path, SystemsCatalogue catalogue)
{
    m_catalogue = std::move(catalogue);
    m_signature = m_catalogue.ok ? signatureOf(path) : std::nullopt;
    ++m_reads;
}

} // namespace Orvane
