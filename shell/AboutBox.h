#pragma once
// The about box: the program's version line, its licence and the third-party material it ships.

#include <QDialog>

#include <string>

namespace kst {

class AboutBox : public QDialog
{
    Q_OBJECT

public:
    // notices: the text of THIRD-PARTY-NOTICES.md, shown as it is.
    AboutBox(const std::string& notices, QWidget* parent = nullptr);

    static QString versionLine();

signals:
    void activatedFirstTime();

protected:
    bool event(QEvent* event) override;

private:
    bool m_activated = false;
};

} // namespace kst
