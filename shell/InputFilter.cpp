#include "shell/InputFilter.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>

namespace kst {

InputFilter::InputFilter(Kind kind, std::function<void()> onInput, QObject* parent)
    : QObject(parent), m_kind(kind), m_onInput(std::move(onInput))
{
    qApp->installEventFilter(this);
}

InputFilter::~InputFilter()
{
    qApp->removeEventFilter(this);
}

bool InputFilter::consumes(const QEvent* event) const
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        // Paused, Alt combinations still reach the menus.
        return !(m_kind == Kind::Pause && key->modifiers().testFlag(Qt::AltModifier));
    }
    case QEvent::ShortcutOverride:
        // Taken and accepted, a command's key comes on as a plain key press, which stops the
        // solution or the animation instead of running its command.
        return m_kind == Kind::Solution || m_kind == Kind::Animation;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress: {
        const auto* mouse = static_cast<const QMouseEvent*>(event);
        const Qt::MouseButton button = mouse->button();
        if (event->type() == QEvent::NonClientAreaMouseButtonPress)
            return m_kind != Kind::AutomaticMoves && button == Qt::LeftButton;
        if (m_kind == Kind::AutomaticMoves)
            return button == Qt::LeftButton || button == Qt::RightButton;
        return button == Qt::LeftButton || button == Qt::RightButton || button == Qt::MiddleButton;
    }
    default: return false;
    }
}

bool InputFilter::eventFilter(QObject*, QEvent* event)
{
    if (!consumes(event))
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // the key press follows and acts then
        return true;
    }
    // Taken here, the event goes no further, so each input acts once.
    if (m_onInput)
        m_onInput();
    return true;
}

} // namespace kst
