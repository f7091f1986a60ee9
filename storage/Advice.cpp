#include "storage/Advice.h"

#include "platform/Application.h"
#include "platform/MessageBoxes.h"
#include "storage/ProfileFile.h"

namespace kst {

void fnAdvice(ProfileFile& cfg, MessageBoxes& boxes, Application& app, std::string_view text,
              std::string_view messageKey, int picturePage)
{
    constexpr std::string_view section = "Show_Messages";
    std::string shown = cfg.readText(section, messageKey, "Y");
    // A hand-edited "N " still means no.
    while (!shown.empty() && shown.back() == ' ')
        shown.pop_back();
    if (shown == "N")
        return;
    if (boxes.advice(text, picturePage))
        cfg.writeText(section, messageKey, "N");
    app.repaintMainWindow();
}

} // namespace kst
