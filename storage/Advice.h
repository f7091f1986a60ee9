#pragma once
// The advisory message the user can turn off for good: CFG.DAT [Show_Messages] holds "N" for
// every message key whose box was ticked.

#include <string_view>

namespace kst {

class Application;
class MessageBoxes;
class ProfileFile;

// Shows the advisory dialog with the text and the picture page unless the key is switched off;
// a ticked box switches it off. The main window is repainted once the dialog has closed.
void fnAdvice(ProfileFile& cfg, MessageBoxes& boxes, Application& app, std::string_view text,
              std::string_view messageKey, int picturePage);

} // namespace kst
