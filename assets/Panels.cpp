#include "assets/Generators.h"

namespace kst::assets {

bool drawPanelPicture(QImage&, const std::string&)
{
    return false;
}

} // namespace kst::assets
