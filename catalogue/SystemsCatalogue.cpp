// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "catalogue/SystemsCatalogue.h"

#include "catalogue/TextFile.h"
#include "core/TextColumns.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QStringDecoder>

#include <algorithm>
#include <cstring>

#include <utility>

namespace Orvane
{

static bool holdsSurrogates(QStringView text)
{
    return std::any_of(text.begin(), text.end(), [](QChar character) { return character.isSurrogate(); });
}

namespace
{

// A line's columns may be cut from UTF-16 text or, where one byte is one character, straight from the bytes.
QString ownText(QStringView text)
{
    return text.toString();
}

QString ownText(QString text)
{
    return text;
}

QString trimmedName(QStringView text)
{
    return trimBlanks(text);
}

QLatin1String trimmedName(QLatin1String bytes)
{
    while (!bytes.isEmpty() && bytes.front() == u' ')
        bytes = bytes.sliced(1);
    while (!bytes.isEmpty() && bytes.back() == u' ')
        bytes.chop(1);
    return bytes;
}

// The catalogue's one column rule, for a line of `length` characters that `cut(first, count)` cuts (0-based, in
// characters): the system name in the first eight, blanks around it dropped; the description from the twelfth
// character up to the last, which (the closing quote) is left out. A shorter line holds no system. Gives `take`
// the name and the description as cut, or false.
template <typename Cut, typename Take> bool takeColumns(qsizetype length, Cut cut, Take take)
{
    if (length < 12)
        return false;
    take(SystemName(trimmedName(cut(0, 8))), cut(11, length - 12));
    return true;
}

// Where every character is one UTF-16 unit (nearly always), columns are indexes.
template <typename Take> bool takeLineColumns(QStringView line, Take take)
{
    if (!holdsSurrogates(line))
        return takeColumns(
            line.size(), [line](qsizetype first, qsizetype count) { return line.mid(first, count); }, take);
    return takeColumns(
        characterCount(line),
        [line](qsizetype first, qsizetype count) { return leftCharacters(charactersFrom(line, first + 1), count); },
        take);
}

} // namespace

SystemName::SystemName(QStringView text) : m_size(static_cast<std::uint8_t>(std::min(text.size(), capacity)))
{
    std::copy_n(text.utf16(), m_size, m_units);
}

SystemName::SystemName(QLatin1String text) : m_size(static_cast<std::uint8_t>(std::min(text.size(), capacity)))
{
    // Each Latin-1 byte is the character of that number.
    std::transform(text.data(), text.data() + m_size, m_units,
                   [](char byte) { return static_cast<char16_t>(static_cast<unsigned char>(byte)); });
}

std::optional<CatalogueEntry> parseCatalogueLine(QStringView line)
{
    std::optional<CatalogueEntry> entry;
    takeLineColumns(line, [&entry](const SystemName& name, const auto& description) {
        entry = CatalogueEntry{name, ownText(description)};
    });
    return entry;
}

SystemsCatalogue::SystemsCatalogue(std::vector<CatalogueEntry> entries, int skippedLines) : m_skippedLines(skippedLines)
{
    m_entries.reserve(entries.size());
    for (const CatalogueEntry& entry : entries)
        add(entry.systemName, entry.description);
}

template <typename Text> void SystemsCatalogue::add(const SystemName& systemName, const Text& description)
{
    const auto start = static_cast<std::int32_t>(m_text.size());
    m_text.append(description);
    m_entries.push_back(CatalogueSystem{systemName, start, static_cast<std::int32_t>(m_text.size() - start)});
}

LineList SystemsCatalogue::descriptions() const
{
    std::vector<LineList::Span> spans;
    spans.reserve(m_entries.size());
    for (const CatalogueSystem& entry : m_entries)
        spans.push_back({entry.start, entry.length});
    return LineList(m_text, std::move(spans));
}

std::optional<QString> SystemsCatalogue::systemNameFor(QStringView description) const
{
    for (auto entry = m_entries.crbegin(); entry != m_entries.crend(); ++entry) {
        if (this->description(*entry) == description)
            return entry->systemName.toString();
    }
    return std::nullopt;
}

// The catalogue is read straight from its bytes, line by line, never as one decoded text: a catalogue of 45,000
// systems would otherwise be held three times over (bytes, text, lines) for a moment at every start. The bytes
// may come in pieces, as a file is read.
class CatalogueParser
{
public:
    // Starts over, reading the lines as UTF-8 or as Latin-1, with room for `lines` lines.
    void begin(bool asUtf8, qsizetype lines)
    {
        m_asUtf8 = asUtf8;
        m_catalogue = SystemsCatalogue();
        m_catalogue.m_entries.reserve(static_cast<std::size_t>(lines));
        // Room for every character the file can hold; pages never written are never taken from the system.
        m_catalogue.m_text.reserve(lines * 12);
        m_lineCount = 0;
        if (asUtf8)
            m_decoder = QStringDecoder(QStringDecoder::Utf8,
                                       QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    }

    // Takes the lines at the front of `bytes` and sets `used` to where the rest begins. Before the end of the
    // file, a line is taken only once a byte follows its end: that byte tells a CR LF from a CR, and the last line
    // of the file from the others. False as soon as a line is not valid UTF-8: the whole file is then Latin-1, as
    // decodeText reads it.
    bool feed(QByteArrayView bytes, bool atEnd, qsizetype& used)
    {
        const char* const data = bytes.data();
        const qsizetype size = bytes.size();
        used = 0;
        while (used < size) {
            const LineEnd line = findLineEnd(data, size, used);
            // A line whose end is not here yet, or a CR that may be the first half of a CR LF, waits for more.
            if (!atEnd && line.next >= size)
                return true;
            if (!takeLine(bytes.sliced(used, line.end - used), line.next >= size))
                return false;
            used = line.next;
        }
        return true;
    }

    SystemsCatalogue take() { return std::move(m_catalogue); }

private:
    static bool isAscii(QByteArrayView line)
    {
        // Eight bytes at a time: every line of a catalogue is looked at.
        qsizetype index = 0;
        for (; index + 8 <= line.size(); index += 8) {
            std::uint64_t word;
            std::memcpy(&word, line.data() + index, sizeof word);
            if (word & 0x8080808080808080u)
                return false;
        }
        return std::all_of(line.begin() + index, line.end(),
                           [](char byte) { return static_cast<unsigned char>(byte) < 0x80; });
    }

    bool takeLine(QByteArrayView line, bool last)
    {
        const bool header = m_lineCount++ == 0;
        const auto add = [this](const SystemName& name, const auto& description) {
            m_catalogue.add(name, description);
        };
        bool taken = false;
        if (!m_asUtf8 || isAscii(line)) {
            // One byte is one character: the columns are byte offsets.
            if (!header)
                taken = takeColumns(
                    line.size(),
                    [line](qsizetype first, qsizetype count) { return QLatin1String(line.sliced(first, count)); }, add);
        } else {
            const QString text = m_decoder.decode(line);
            if (m_decoder.hasError())
                return false;
            if (!header)
                taken = takeLineColumns(text, add);
        }
        if (header || taken)
            return true;
        // A blank line at the very end is how some editors leave a file; it is no system and no damage.
        if (!(last && line.isEmpty()))
            ++m_catalogue.m_skippedLines;
        return true;
    }

    bool m_asUtf8 = true;
    QStringDecoder m_decoder;
    SystemsCatalogue m_catalogue;
    qsizetype m_lineCount = 0;
};

SystemsCatalogue parseSystemsCatalogue(QByteArrayView bytes)
{
    const qsizetype lineEnds =
        std::max(std::count(bytes.begin(), bytes.end(), '\n'), std::count(bytes.begin(), bytes.end(), '\r'));
    CatalogueParser parser;
    qsizetype used = 0;
    parser.begin(true, lineEnds + 1);
    if (!parser.feed(bytes, true, used)) {
        parser.begin(false, lineEnds + 1);
        parser.feed(bytes, true, used);
    }
    return parser.take();
}

Result<SystemsCatalogue> readSystemsCatalogue(const QString& path, qsizetype pieceBytes)
{
    QFile file;
    if (const Result<void> opened = openTextFile(platformPath(path), file); !opened)
        return Failure(opened.error());
    // Read in pieces through one small buffer rather than whole: a fresh 2 MB buffer for a moment is 500 pages of
    // memory to touch for the first time. Room for as many lines as the file can hold costs only address space.
    QByteArray buffer(std::max<qsizetype>(pieceBytes, 1), Qt::Uninitialized);
    CatalogueParser parser;
    for (const bool asUtf8 : {true, false}) {
        if (!file.seek(0))
            return Failure(QDir::toNativeSeparators(path) + u": " + file.errorString());
        parser.begin(asUtf8, file.size() / 12 + 1);
        qsizetype held = 0;
        qint64 total = 0;
        bool valid = true;
        for (;;) {
            // A line longer than the buffer makes it grow.
            if (held == buffer.size())
                buffer.resize(buffer.size() * 2);
            const qint64 got = file.read(buffer.data() + held, buffer.size() - held);
            total += std::max<qint64>(got, 0);
            if (got < 0 || total > largestTextFile)
                return Failure(QDir::toNativeSeparators(path) + u": " +
                               (got < 0 ? file.errorString() : tooLargeText()));
            held += got;
            const bool atEnd = got == 0;
            qsizetype used = 0;
            valid = parser.feed(QByteArrayView(buffer.constData(), held), atEnd, used);
            if (!valid || atEnd)
                break;
            std::memmove(buffer.data(), buffer.constData() + used, static_cast<std::size_t>(held - used));
            held -= used;
        }
        if (valid)
            return parser.take();
    }
    return parser.take();
}

std::optional<CatalogueReader::Signature> CatalogueReader::signatureOf(const QString& path)
{
    QFile file;
    if (!openTextFile(platformPath(path), file))
        return std::nullopt;
    // Read through one small buffer in fixed pieces, so the same bytes always give the same hash.
    QByteArray buffer(64 * 1024, Qt::Uninitialized);
    std::size_t hash = 0;
    qint64 size = 0;
    for (qint64 got; (got = file.read(buffer.data(), buffer.size())) > 0;) {
        hash = qHashBits(buffer.constData(), static_cast<std::size_t>(got), hash);
        size += got;
        if (size > largestTextFile)
            return std::nullopt;
    }
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return Signature{path, size, hash};
}

Result<SystemsCatalogue>& CatalogueReader::read(const QString& path)
{
    const std::optional<Signature> signature = signatureOf(path);
    // Without a signature there is nothing to compare with: read, and so report, whatever is there.
    if (!signature || m_signature != signature) {
        m_catalogue = readSystemsCatalogue(path);
        m_signature = m_catalogue.ok() ? signature : std::nullopt;
        ++m_reads;
    }
    return m_catalogue;
}

void CatalogueReader::adopt(const QString& path, SystemsCatalogue catalogue)
{
    m_catalogue = std::move(catalogue);
    m_signature = signatureOf(path);
    ++m_reads;
}

} // namespace Orvane
