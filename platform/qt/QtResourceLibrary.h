#pragma once
// The resource library KST.RGF: a Qt binary resource file (made with "rcc --binary").
//
// Inside the file, every picture is a PNG at the top level named "<NAME>.png", NAME being the
// exact name the program asks for ("CUR_ARROW1A", "BACKGROUND1"); in a .qrc that is
//     <qresource prefix="/"><file alias="CUR_ARROW1A.png">cursors/arrow1a.png</file></qresource>
// Subfolders are kept for other kinds of resource and hold no pictures. While loaded, the
// library is mounted under a root of its own, so several libraries never mix their names.

#include "platform/ResourceLibrary.h"

#include <QByteArray>
#include <QString>

namespace kst {

class QtResourceLibrary : public ResourceLibrary {
public:
    QtResourceLibrary();
    ~QtResourceLibrary() override;
    QtResourceLibrary(const QtResourceLibrary&) = delete;
    QtResourceLibrary& operator=(const QtResourceLibrary&) = delete;

    // Refuses a file that is missing, not a resource file, or damaged (an entry or a picture
    // header that does not lie inside the file); the library is then not loaded.
    bool load(const std::string& path) override;
    void release() override;
    bool isLoaded() const override { return m_loaded; }
    std::unique_ptr<Bitmap> bitmap(const std::string& name) override;
    std::vector<std::pair<std::string, Size>> pictures() const override;

    // The Qt resource path of a picture (":/.../NAME.png"), for widgets that load it themselves.
    QString picturePath(const std::string& name) const;

    // Whether the bytes are a resource file whose every entry lies inside it.
    static bool isWellFormedResourceData(const QByteArray& data);

private:
    QByteArray m_data; // registered with Qt as it is: never changed while loaded
    QString m_root;
    std::vector<std::pair<std::string, Size>> m_pictures;
    bool m_loaded = false;
};

} // namespace kst
