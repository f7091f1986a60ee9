#pragma once
// Port: the common dialogs. An empty optional means the user cancelled.

#include "platform/Geometry.h"

#include <optional>
#include <string>

namespace kst {

struct FileFilter {
    std::string name;    // "Game"
    std::string pattern; // "*.gam"
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    virtual std::optional<std::string> openFile(const std::string& title, const std::string& directory,
                                                const FileFilter& filter) = 0;
    // Asking before replacing an existing file is the caller's business, not the dialog's.
    virtual std::optional<std::string> saveFile(const std::string& title, const std::string& directory,
                                                const FileFilter& filter) = 0;
    virtual std::optional<std::string> openPicture(const std::string& directory) = 0;
    virtual std::optional<Colour> chooseColour(Colour initial) = 0;
};

} // namespace kst
