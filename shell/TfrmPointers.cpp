#include "shell/TfrmPointers.h"

#include "platform/qt/QtScreenPictures.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/StatsContext.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kst {

namespace {

constexpr int PointersHelp = 1006;
// The first pointer number; the list's places follow it.
constexpr int FirstPointer = 10;
// The pointer the list shows for the system's own arrow.
constexpr int SystemArrowShownAs = 11;
constexpr int PointerSide = 32;

struct PointerShape {
    const char* caption;
    const char* picture; // in the resource library
};
constexpr PointerShape shapes[] = {
    {"Arrow small", "CUR_ARROW1A"},          {"Arrow large", "CUR_ARROW2A"},
    {"Right-hand 1", "CUR_RIGHT_HAND1A"},    {"Right-hand 2", "CUR_RIGHT_HAND2A"},
    {"Left-hand 1", "CUR_LEFT_HAND1A"},      {"Left-hand 2", "CUR_LEFT_HAND2A"},
};

} // namespace

TfrmPointers::TfrmPointers(StatsContext& context, int current, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmPointers"));
    setWindowTitle(QStringLiteral("Pointers"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("lstPointers"));
    m_list->setIconSize(QSize(PointerSide, PointerSide));
    for (const PointerShape& shape : shapes) {
        auto* item = new QListWidgetItem(QString::fromLatin1(shape.caption), m_list);
        if (const QPixmap picture = screenPicture(context.resources, shape.picture, m_list->devicePixelRatioF());
            !picture.isNull())
            item->setIcon(QIcon(picture));
    }
    m_list->setMinimumHeight(int(std::size(shapes)) * (PointerSide + 6));
    select(current);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addHelpButton(context, this, buttons, PointersHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Select the mouse pointer you prefer:"), this));
    layout->addWidget(m_list);
    layout->addLayout(buttons);
}

int TfrmPointers::pointer() const
{
    const int row = m_list->currentRow();
    return row < 0 || !m_list->currentItem()->isSelected() ? 0 : FirstPointer + row;
}

void TfrmPointers::select(int pointer)
{
    if (pointer == 0)
        pointer = SystemArrowShownAs;
    const int row = pointer - FirstPointer;
    if (row >= 0 && row < m_list->count())
        m_list->setCurrentRow(row);
    else
        m_list->clearSelection();
}

} // namespace kst
