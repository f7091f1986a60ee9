#pragma once
// The application-wide input filters: while the game is paused, while a winning animation plays,
// while the program moves cards by itself and while it plays a solution, the keys and pointer
// presses that would otherwise reach the windows are taken here instead.

#include <QObject>

#include <functional>

namespace kst {

class InputFilter : public QObject
{
    Q_OBJECT

public:
    enum class Kind {
        Pause,          // ends the pause (keys pressed with Alt still work)
        Animation,      // stops the animation; command keys too, instead of their command
        AutomaticMoves, // input is ignored
        Solution,       // stops the solution being played; command keys too, instead of their command
    };

    // Installs itself on the application; onInput runs for each consumed input.
    InputFilter(Kind kind, std::function<void()> onInput, QObject* parent = nullptr);
    ~InputFilter() override;

    Kind kind() const { return m_kind; }
    // Whether this filter takes the event (it then also runs onInput).
    bool consumes(const QEvent* event) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Kind m_kind;
    std::function<void()> m_onInput;
};

} // namespace kst
