// SPDX-FileCopyrightText: 2026 Orvane developers
// SPDX-License-Identifier: MIT

// A stand-in for the emulator, installed as MESS.EXE in the demo program folder, so that every use of the
// emulator runs for real without one:
//   MESS.EXE -listfull                         prints a header and the systems kept in listfull.txt beside it
//   MESS.EXE -identify <system> <image>        prints the lines of identify.txt beside it whose size and CRC-32
//                                              are the image's (exit 0), or says it is in no list (exit 1)
//   MESS.EXE <system> <image> [-record NAME | -playback NAME]
//                                              shows a window naming what it would play; -record writes
//                                              INP/NAME.INP, -playback reads it
// With ORVANE_STANDIN_LOG set, every run first appends what it received to that file (and a failed one why it
// failed); a play run then does its work with the recordings but ends at once instead of showing a window, so tests
// can check exactly what Orvane handed over.

#include "platform/Checksums.h"
#include "platform/Files.h"
#include "platform/ProgramRun.h"
#include "platform/ProgramSearch.h"
#include "platform/ThisProgram.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace
{

constexpr char listFileName[] = "listfull.txt";

// Arguments may hold line ends or backslashes; escape them so that one log line is one argument.
std::string escaped(const std::string& text)
{
    std::string result;
    for (const char character : text) {
        if (character == '\\')
            result += "\\\\";
        else if (character == '\n')
            result += "\\n";
        else if (character == '\r')
            result += "\\r";
        else
            result += character;
    }
    return result;
}

void appendLog(const char* logFile, const fs::path& self, const std::vector<std::string>& arguments)
{
    std::ofstream log(logFile, std::ios::app | std::ios::binary);
    std::error_code error;
    log << "run\n";
    log << "cwd=" << escaped(fs::current_path(error).string()) << '\n';
    log << "exe=" << escaped(self.string()) << '\n';
    for (const std::string& argument : arguments)
        log << "arg=" << escaped(argument) << '\n';
    log << "end\n";
}

// The image as a play finds it: in ROMS/<system>/ of the current folder, or by its path.
std::optional<fs::path> imageFor(const std::string& system, const std::string& image)
{
    const fs::path folder = fs::current_path();
    const auto roms = Orvane::findEntryIgnoringCase(folder, "ROMS");
    const auto systemFolder = roms ? Orvane::findEntryIgnoringCase(*roms, system) : std::nullopt;
    auto found = systemFolder ? Orvane::findEntryIgnoringCase(*systemFolder, image) : std::nullopt;
    std::error_code error;
    if (!found && fs::path(image).has_parent_path())
        found = fs::path(image);
    if (!found || !fs::is_regular_file(*found, error))
        return std::nullopt;
    return found;
}

int identify(const fs::path& self, const std::vector<std::string>& arguments)
{
    const std::optional<fs::path> image = arguments.size() == 3 ? imageFor(arguments[1], arguments[2]) : std::nullopt;
    std::ifstream input(image.value_or(fs::path()), std::ios::binary);
    if (!image || !input) {
        std::cerr << "MESS.EXE: cannot read the image " << (arguments.size() == 3 ? arguments[2] : std::string())
                  << '\n';
        return 2;
    }
    const std::string bytes((std::istreambuf_iterator<char>(input)), std::istreambuf_iterator<char>());
    Orvane::Crc32 crc;
    crc.add(bytes);
    const std::string print = std::to_string(bytes.size()) + '\t' + Orvane::hexOf(crc.value()) + '\t';
    std::ifstream list(self.parent_path() / "identify.txt", std::ios::binary);
    std::string answer;
    for (std::string line; std::getline(list, line);) {
        if (line.starts_with(print))
            answer += line.substr(print.size()) + '\n';
    }
    if (answer.empty()) {
        std::cerr << "not in the emulator's lists\n";
        return 1;
    }
    return Orvane::writeStandardOutput(answer) ? 0 : 2;
}

int listFull(const fs::path& self)
{
    const fs::path list = self.parent_path() / listFileName;
    std::ifstream input(list, std::ios::binary);
    if (!input) {
        std::cerr << "MESS.EXE: cannot read " << list.string() << ": " << std::strerror(errno) << '\n';
        return 1;
    }
    std::ostringstream listing;
    listing << "Name:     Description:\r\n" << input.rdbuf();
    // Byte for byte: on Windows a text-mode stream would turn each CR LF of the list into CR CR LF.
    return Orvane::writeStandardOutput(listing.str()) ? 0 : 1;
}

bool canShowWindows()
{
    for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        const char* value = std::getenv(variable);
        if (value && *value)
            return true;
    }
    return false;
}

int fail(int argc, char* argv[], const std::string& message, bool windowless)
{
    std::cerr << "MESS.EXE: " << message << '\n';
    // Tests read why a play failed from the log, since nobody waits for a play.
    if (const char* logFile = std::getenv("ORVANE_STANDIN_LOG"); logFile && *logFile)
        std::ofstream(logFile, std::ios::app | std::ios::binary) << "fail=" << escaped(message) << '\n';
    if (!windowless && canShowWindows()) {
        QApplication application(argc, argv);
        QMessageBox::critical(nullptr, QStringLiteral("MESS stand-in"), QString::fromStdString(message));
    }
    return 1;
}

struct PlayRequest
{
    std::string system;
    std::string image;
    std::string recordName;
    std::string playbackName;
};

std::optional<PlayRequest> parsePlay(const std::vector<std::string>& arguments, std::string& problem)
{
    PlayRequest request;
    std::vector<std::string> positional;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "-record" || argument == "-playback") {
            if (index + 1 >= arguments.size()) {
                problem = argument + " needs a recording name.";
                return std::nullopt;
            }
            (argument == "-record" ? request.recordName : request.playbackName) = arguments[++index];
        } else {
            positional.push_back(argument);
        }
    }
    // Play pressed with no image selected hands over no image: said as the bridge says it.
    if (positional.size() < 2 || positional[1].empty()) {
        problem = "No image was chosen: pick an image in the list, then Play.";
        return std::nullopt;
    }
    if (positional.size() != 2) {
        problem = "Usage: MESS.EXE <system> <image> [-record NAME | -playback NAME], or MESS.EXE -listfull.";
        return std::nullopt;
    }
    request.system = positional[0];
    request.image = positional[1];
    return request;
}

int play(int argc, char* argv[], const std::vector<std::string>& arguments, bool windowless)
{
    const auto fail = [&](const std::string& message) { return ::fail(argc, argv, message, windowless); };
    std::string problem;
    const std::optional<PlayRequest> request = parsePlay(arguments, problem);
    if (!request)
        return fail(problem);

    const fs::path folder = fs::current_path();
    const auto roms = Orvane::findEntryIgnoringCase(folder, "ROMS");
    const auto systemFolder = roms ? Orvane::findEntryIgnoringCase(*roms, request->system) : std::nullopt;
    const auto image = systemFolder ? Orvane::findEntryIgnoringCase(*systemFolder, request->image) : std::nullopt;
    std::error_code error;
    if (!image || !fs::is_regular_file(*image, error))
        return fail("No image \"" + request->image + "\" for the system \"" + request->system + "\" in " +
                    (folder / "ROMS" / request->system).string() + ".");

    std::string recording;
    if (!request->recordName.empty()) {
        const fs::path inp = Orvane::findEntryIgnoringCase(folder, "INP").value_or(folder / "INP");
        fs::create_directories(inp, error);
        const fs::path file = inp / (request->recordName + ".INP");
        // A recording is the emulator's own file: never written through a link put in its place.
        if (const auto written = Orvane::replaceWholeFile(file, request->system + ' ' + request->image + "\r\n",
                                                          Orvane::KeptBy::Program);
            !written)
            return fail("Cannot write the recording: " + written.error());
        recording = "Recording into " + file.string();
    } else if (!request->playbackName.empty()) {
        const auto inp = Orvane::findEntryIgnoringCase(folder, "INP");
        const auto file = inp ? Orvane::findEntryIgnoringCase(*inp, request->playbackName + ".INP") : std::nullopt;
        std::ifstream input(file.value_or(fs::path()), std::ios::binary);
        std::string recorded;
        if (!file || !std::getline(input, recorded))
            return fail("No recording \"" + request->playbackName + "\" in " + (folder / "INP").string() + ".");
        while (!recorded.empty() && recorded.back() == '\r')
            recorded.pop_back();
        recording = "Playing back " + file->string() + " (recorded with " + recorded + ")";
    }
    if (windowless)
        return 0;

    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("MESS stand-in"));
    auto* layout = new QVBoxLayout(&window);
    for (const std::string& text : {"System: " + request->system, "Image: " + image->string(), recording}) {
        if (text.empty())
            continue;
        auto* label = new QLabel(QString::fromStdString(text));
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label);
    }
    auto* close = new QPushButton(QStringLiteral("Close"));
    QObject::connect(close, &QPushButton::clicked, &window, &QWidget::close);
    layout->addWidget(close);
    window.show();
    return application.exec();
}

} // namespace

int main(int argc, char* argv[])
{
    // In UTF-8 on every platform (on Windows from the wide command line, which holds what the code page cannot).
    const std::vector<std::string> arguments = Orvane::programArguments(argc, argv);
    const fs::path self = Orvane::runningProgramPath();
    const bool listing = arguments.size() == 1 && arguments[0] == "-listfull";
    const char* logFile = std::getenv("ORVANE_STANDIN_LOG");
    const bool logging = logFile && *logFile;
    // A question about an image is no play: tests read the plays alone.
    if (logging && !(!arguments.empty() && arguments[0] == "-identify"))
        appendLog(logFile, self, arguments);
    if (listing)
        return listFull(self);
    if (!arguments.empty() && arguments[0] == "-identify")
        return identify(self, arguments);
    return play(argc, argv, arguments, logging);
}
