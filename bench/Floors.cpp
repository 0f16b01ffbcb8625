// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT
#include "bench/Floors.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

namespace Orvane::Bench::Floor
{

namespace fs = std::filesystem;

std::vector<CatalogueLine> readCatalogue(const std::string& path)
{
    std::ifstream input(path, std::ios::binary);
    std::stringstream buffer;
    buffer << input.rdbuf();
    const std::string text = buffer.str();
    std::vector<CatalogueLine> lines;
    std::size_t start = text.find('\n');
    start = start == std::string::npos ? text.size() : start + 1;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::size_t length = end - start;
        if (length > 0 && text[start + length - 1] == '\r')
            --length;
        if (length >= 12) {
            std::string name = text.substr(start, 8);
            name.erase(name.find_last_not_of(' ') + 1);
            lines.push_back({std::move(name), text.substr(start + 11, length - 12)});
        }
        start = end + 1;
    }
    return lines;
}

void sortTexts(std::vector<std::string>& texts)
{
    std::sort(texts.begin(), texts.end(), [](const std::string& left, const std::string& right) {
        const int folded = strcasecmp(left.c_str(), right.c_str());
        return folded != 0 ? folded < 0 : left < right;
    });
}

std::vector<std::string> listFolder(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator entry(folder, error), end; !error && entry != end; entry.increment(error)) {
        std::string name = entry->path().filename().string();
        if (name.front() != '.' && entry->is_regular_file(error))
            names.push_back(std::move(name));
    }
    sortTexts(names);
    return names;
}

std::vector<std::string> imageLines(const std::vector<std::string>& names, const std::string& system)
{
    std::vector<std::string> lines;
    lines.reserve(names.size());
    for (const std::string& name : names) {
        std::string line = name;
        if (line.size() < 63)
            line.append(63 - line.size(), ' ');
        line += system + " \"" + name + '"';
        lines.push_back(std::move(line));
    }
    sortTexts(lines);
    return lines;
}

static std::size_t firstSystemImages(const std::string& programFolder, std::vector<CatalogueLine>& catalogue)
{
    std::vector<std::string> descriptions;
    descriptions.reserve(catalogue.size());
    for (const CatalogueLine& line : catalogue)
        descriptions.push_back(line.description);
    sortTexts(descriptions);
    std::string system;
    for (const CatalogueLine& line : catalogue) {
        if (line.description == descriptions.front())
            system = line.name;
    }
    return descriptions.size() + imageLines(listFolder(programFolder + "/ROMS/" + system), system).size();
}

std::size_t startUp(const std::string& programFolder)
{
    const std::size_t recordings = listFolder(programFolder + "/INP").size();
    std::vector<CatalogueLine> catalogue = readCatalogue(programFolder + "/Orvane.sys");
    return recordings + firstSystemImages(programFolder, catalogue);
}

std::size_t systemClick(const std::string& programFolder, const std::string& description)
{
    std::string system;
    for (const CatalogueLine& line : readCatalogue(programFolder + "/Orvane.sys")) {
        if (line.description == description)
            system = line.name;
    }
    return imageLines(listFolder(programFolder + "/ROMS/" + system), system).size();
}

std::size_t updateSystems(const std::string& programFolder)
{
    const std::string catalogue = programFolder + "/Orvane.sys";
    const pid_t child = fork();
    if (child == 0) {
        const int output = open(catalogue.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(output, STDOUT_FILENO);
        if (chdir(programFolder.c_str()) == 0)
            execl((programFolder + "/MESS.EXE").c_str(), "MESS.EXE", "-listfull", static_cast<char*>(nullptr));
        _exit(127);
    }
    waitpid(child, nullptr, 0);
    std::vector<CatalogueLine> lines = readCatalogue(catalogue);
    return firstSystemImages(programFolder, lines);
}

} // namespace Orvane::Bench::Floor
