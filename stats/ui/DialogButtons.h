#pragma once
// The buttons of the program's dialogs, made in one way: push buttons added to a layout, the help
// button, and the radio buttons of a group of choices.

#include <QString>

#include <functional>
#include <initializer_list>
#include <utility>

class QBoxLayout;
class QButtonGroup;
class QGroupBox;
class QPushButton;
class QWidget;

namespace kst {

struct StatsContext;

// A push button of the dialog at the end of the layout, running `run` when clicked; the default
// button answers Enter, no other does.
QPushButton* addDialogButton(QWidget* dialog, QBoxLayout* layout, const char* caption, const char* name,
                             std::function<void()> run, bool isDefault = false);

// The "&?" button, opening the help at the dialog's context; nothing when the window has no help.
void addHelpButton(StatsContext& context, QWidget* dialog, QBoxLayout* buttons, int helpContext);

// A radio button a choice in the group, one below the other, the first checked; a button's id is
// its choice's value.
QButtonGroup* addChoices(QGroupBox* group, std::initializer_list<std::pair<const char*, int>> choices);

} // namespace kst
