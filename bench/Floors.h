// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#pragma once

#include <string>
#include <vector>

// The least work each measured action needs, in plain C++ with no Qt, no widget and no model: the same file
// reads, folder listing, line building and sorting. The benchmark holds Orvane's figures against these.
namespace Orvane::Bench::Floor
{

struct CatalogueLine
{
    std::string name;
    std::string description;
};

std::vector<CatalogueLine> readCatalogue(const std::string& path);
void sortTexts(std::vector<std::string>& texts);
std::vector<std::string> listFolder(const std::string& folder);
std::vector<std::string> imageLines(const std::vector<std::string>& names, const std::string& system);

// Start-up: the recordings folder, the catalogue read and sorted, the first system's images.
std::size_t startUp(const std::string& programFolder);
// A click: the catalogue read for the system's name, its folder listed, its lines built and sorted.
std::size_t systemClick(const std::string& programFolder, const std::string& description);
// The update: the stand-in run into the catalogue, then the start-up's catalogue and image work again.
std::size_t updateSystems(const std::string& programFolder);

} // namespace Orvane::Bench::Floor
