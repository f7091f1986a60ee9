#pragma once
// Port: the resource library KST.RGF beside the program: pictures and pointer shapes by name.

#include "platform/Canvas.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kst {

class ResourceLibrary {
public:
    virtual ~ResourceLibrary() = default;
    // Loads the library file; false when it is missing or damaged.
    virtual bool load(const std::string& path) = 0;
    virtual void release() = 0;
    virtual bool isLoaded() const = 0;
    // A copy of the named picture; null when the library has no such picture.
    virtual std::unique_ptr<Bitmap> bitmap(const std::string& name) = 0;
    // Every picture name with its size, sorted by name.
    virtual std::vector<std::pair<std::string, Size>> pictures() const = 0;
};

} // namespace kst
