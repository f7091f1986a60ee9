#include "assets/Generators.h"

namespace kst::assets {

bool drawIconPicture(QImage&, const std::string&)
{
    return false;
}

} // namespace kst::assets
