#pragma once
// The common dialogs on QFileDialog and QColorDialog, modal over the active window.

#include "platform/FileDialogs.h"

#include <QString>

namespace kst {

class QtFileDialogs : public FileDialogs {
public:
    std::optional<std::string> openFile(const std::string& title, const std::string& directory,
                                        const FileFilter& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& directory,
                                        const FileFilter& filter) override;
    std::optional<std::string> openPicture(const std::string& directory) override;
    std::optional<Colour> chooseColour(Colour initial) override;
};

// "Game (*.gam *.GAM)": file names on disk come in either case.
QString dialogFilter(const FileFilter& filter);

} // namespace kst
