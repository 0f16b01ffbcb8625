// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "gui/mainwindow/Form1.h"

#include "platform/ProgramSearch.h"

#include "catalogue/Favourites.h"
#include "catalogue/ImageList.h"
#include "catalogue/TextFile.h"
#include "gui/mainwindow/MessageBoxes.h"
#include "gui/widgets/SortedListBox.h"
#include "launch/Recordings.h"
#include "settings/OptionStore.h"
#include "settings/SettingsText.h"

#include <QGroupBox>
#include <QLineEdit>

namespace Orvane
{

std::filesystem::path Form1::favouritesPath() const
{
    // Converted once here: below the window a kept file's path is one type.
    const std::filesystem::path folder = platformPath(m_programFolder);
    return findEntryIgnoringCase(folder, favouritesFileName).value_or(folder / favouritesFileName);
}

void Form1::setListMode(ListMode mode)
{
    ui.GamesList->setTag(listModeTag(mode));
    ui.Frame1->setTitle(listModeCaption(mode));
}

ListMode Form1::listMode() const
{
    return listModeOfTag(ui.GamesList->tag());
}

void Form1::GamesList_MouseDown(Qt::MouseButton button, Qt::KeyboardModifiers, QPoint)
{
    const int index = ui.GamesList->selectedIndex();
    const QString line = ui.GamesList->line(index);
    ui.RecText->setText(proposedRecordingName(line));
    // Stored on every press, even when the question that follows is answered with Cancel.
    const bool favourites = listMode() == ListMode::Favourites;
    storeSetting(gamesSection, favourites ? QStringLiteral("LastFav") : QStringLiteral("LastFull"),
                 numberToText(index));
    if (button != Qt::RightButton || index < 0)
        return;
    const QString name = shownFileName(line);
    if (favourites)
        removeFavourite(index, name);
    else
        addFavourite(line, name);
}

void Form1::addFavourite(const QString& line, const QString& name)
{
    if (!m_messages.confirm(this, u"Add " + name))
        return;
    if (const Result<void> added = appendFavourite(favouritesPath(), line); !added) {
        report(added.error());
        return;
    }
    m_messages.inform(this, name + u"\nhas been added in your favourites list !");
}

void Form1::removeFavourite(int row, const QString& name)
{
    if (!m_messages.confirm(this, u"Remove " + name))
        return;
    // The file is written first: when it cannot be, the list keeps the line too, and the two still agree.
    QStringList remaining = ui.GamesList->lines();
    remaining.removeAt(row);
    if (const Result<void> written = rewriteFavourites(favouritesPath(), remaining); !written) {
        report(written.error());
        return;
    }
    ui.GamesList->removeLine(row);
    m_messages.inform(this, name + u"\nhas been removed from your favourites list !");
}

bool Form1::LoadFavouritesList()
{
    const Result<QStringList> favourites = readFavourites(favouritesPath());
    if (!favourites) {
        // Showing an empty list here would let the next removal overwrite the unread file.
        report(u"Cannot read the favourites " + favourites.error() + u'.');
        return false;
    }
    ui.GamesList->setLines(favourites.value());
    const std::optional<qint32> last =
        textToInt32(m_options.read(gamesSection, QStringLiteral("LastFav"), QStringLiteral("0")));
    // A stored position that is not one of the list's selects nothing.
    ui.GamesList->setSelectedIndex(last && *last >= 0 && *last < ui.GamesList->count() ? *last : -1);
    return true;
}

void Form1::SwapListCommand_Click()
{
    if (listMode() == ListMode::Favourites) {
        LoadImageList();
        setListMode(ListMode::Full);
    } else if (LoadFavouritesList()) {
        setListMode(ListMode::Favourites);
    }
}

} // namespace Orvane
