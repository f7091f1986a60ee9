#include "storage/Routines.h"

#include "storage/Encoding.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <thread>

namespace fs = std::filesystem;

namespace kst {

namespace {

bool fileExists(std::string_view path)
{
    std::error_code ec;
    const fs::file_status status = fs::status(fs::path(std::string(path)), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

// Paths come from the file system as UTF-8, while the boxes take Windows-1252 text.
constexpr std::string_view kReinstallAdvice =
    "Copy the file into the directory that above is specified\ror reinstall the program.";

} // namespace

void fnInfoBox(MessageBoxes& messages, std::string_view text)
{
    messages.information(text);
}

bool fnAskBox(MessageBoxes& messages, std::string_view text)
{
    return messages.warningYesNo(text);
}

bool fnRequireFile(MessageBoxes& messages, Application& app, std::string_view path)
{
    if (fileExists(path))
        return true;
    messages.error("Cannot find file:\r" + pathForMessage(path) + "\r" + std::string(kReinstallAdvice), "Error");
    app.terminate(1);
    return false;
}

bool fnRequireImageFile(MessageBoxes& messages, std::string_view path)
{
    if (fileExists(path))
        return true;
    // A missing picture leaves a gap on the table, which the player can live with; so unlike a
    // missing data file it does not end the program.
    showMissingImageFile(messages, path);
    return false;
}

void showMissingImageFile(MessageBoxes& messages, std::string_view path)
{
    messages.error("Cannot find images file:\r" + pathForMessage(path)
                       + "\rSome program components cannot be shown correctly.\r" + std::string(kReinstallAdvice),
                   "Error");
}

std::string pathForMessage(std::string_view path)
{
    return utf8ToCp1252(path).value_or(std::string(path));
}

bool fnDirectoryExists(std::string_view path)
{
    std::error_code ec;
    return fs::is_directory(fs::path(std::string(path)), ec);
}

long fnColourCount(int bitsTimesPlanes)
{
    if (bitsTimesPlanes > 24)
        return 999999999;
    return 1L << std::max(bitsTimesPlanes, 0);
}

void fnDelay(Clock& clock, EventPump& events, int ms)
{
    if (ms <= 0)
        return;
    const std::uint64_t wait = std::uint64_t(ms);
    const std::uint64_t start = clock.tickMs();
    for (std::uint64_t elapsed = 0; elapsed < wait; elapsed = clock.tickMs() - start)
        events.processPendingEvents(int(wait - elapsed));
}

void fnDelayNoMessages(Clock& clock, int ms)
{
    if (ms <= 0)
        return;
    const std::uint64_t wait = std::uint64_t(ms);
    const std::uint64_t start = clock.tickMs();
    while (clock.tickMs() - start < wait)
        std::this_thread::yield();
}

} // namespace kst
