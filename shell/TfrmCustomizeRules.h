#pragma once
// Customize rules: a new game made from the running one by changing how many cards a click on the
// stock deals, how many redeals the stock allows and what may fill an empty tableau pile. The
// result always gets a name of its own (asked by TfrmCustomizeRules2), so that its statistics stay
// apart. A customized game on the table can be deleted from here too.

#include "storage/CustomRules.h"

#include <QAbstractSpinBox>
#include <QDialog>

#include <functional>
#include <string>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace kst {

struct StatsContext;

// A box for a number with arrows that step it within a range. While typing it takes any text: a
// text that is no number is refused when the dialog's OK judges it.
class NumberBox : public QAbstractSpinBox
{
    Q_OBJECT

public:
    NumberBox(int minimum, int maximum, QWidget* parent = nullptr);
    QString text() const;
    void setText(const QString& text);

    QValidator::State validate(QString& input, int& pos) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }
    void stepBy(int steps) override;

signals:
    void textEdited();

protected:
    StepEnabled stepEnabled() const override;

private:
    int m_minimum;
    int m_maximum;
};

// The name of the new game.
class TfrmCustomizeRules2 : public QDialog
{
    Q_OBJECT

public:
    // check: why a name is refused, empty when it is taken.
    TfrmCustomizeRules2(StatsContext& context, const QString& caption, const QString& gameName,
                        std::function<std::string(const QString&)> check, QWidget* parent = nullptr);
    QString name() const;
    void accept() override;

private:
    StatsContext& m_context;
    std::function<std::string(const QString&)> m_check;
    QLineEdit* m_edtName;
};

// What the dialog asks of the main window.
struct CustomizeCommands {
    // Stores the new game: its code, or -1 when it was not stored (the player was told why).
    std::function<int(const std::string& name, const Customization& values)> save;
    // Deletes the customized game on the table after the player agrees; true when deleted.
    std::function<bool()> deleteGame;
};

class TfrmCustomizeRules : public QDialog
{
    Q_OBJECT

public:
    TfrmCustomizeRules(StatsContext& context, CustomizeCommands commands, QWidget* parent = nullptr);

    // The name dialog as it is about to open, for tests to fill and close; by default it is shown.
    std::function<int(TfrmCustomizeRules2&)> runNameDialog = [](TfrmCustomizeRules2& d) { return d.exec(); };

    // The three values as the controls stand.
    Customization values() const;
    // True once the game on the table was deleted from here.
    bool deleted() const { return m_deleted; }
    // The game stored by OK: its code (-1 when none) and name. Whether to start it is asked once
    // the dialog is closed.
    int newGameCode() const { return m_newGameCode; }
    const std::string& newGameName() const { return m_newGameName; }

    void accept() override;
    void deleteGame();

private:
    QWidget* stockPage();
    QWidget* tableauPage();
    void loadControls();
    void refresh();
    // False, with the message and the box focused, when a box holds more than digits.
    bool numbersOnly(NumberBox* box);

    StatsContext& m_context;
    CustomizeCommands m_commands;
    int m_gameId;
    QString m_gameName;
    CustomizeOffer m_offer;
    Customization m_running; // the values the game on the table plays by
    Customization m_shown;   // the values the controls showed first
    bool m_deleted = false;
    int m_newGameCode = -1;
    std::string m_newGameName;

    QTabWidget* m_pages;
    QLabel* m_lblCardsShuffeled;
    NumberBox* m_edtCardsShuffeled;
    QGroupBox* m_grbRedeals;
    QRadioButton* m_rbtRedealsUnlimited;
    QRadioButton* m_rbtRedealsSpecified;
    QRadioButton* m_rbtRedealsNone;
    NumberBox* m_edtRedealsNumber;
    QLabel* m_lblTotDeals;
    QGroupBox* m_grbTableauFirst;
    QButtonGroup* m_fill;
    QRadioButton* m_rbAnyCard;
    QRadioButton* m_rbKingOnly;
    QRadioButton* m_rbNone;
    QPushButton* m_btnOK;
    QPushButton* m_btnDelete;
};

} // namespace kst
