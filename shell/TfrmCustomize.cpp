#include "shell/TfrmCustomize.h"

#include "assets/ImageNames.h"
#include "engine/Sounds.h"
#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtText.h"
#include "shell/TfrmOptionsAdvanced.h"
#include "shell/TfrmPointers.h"
#include "stats/ui/DialogButtons.h"
#include "stats/ui/TfrmClearValues.h"
#include "storage/CustomBackgrounds.h"
#include "storage/Encoding.h"
#include "storage/TextUtils.h"
#include "table/ui/C_TBitmapAnimated.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImageReader>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>
#include <QStackedWidget>
#include <QStyle>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <filesystem>
#include <span>

namespace kst {

namespace {

constexpr int CustomizeHelp = 1019;
constexpr std::string_view Preference = "Preference";

// Tree items keep their code here, and a customized background its place in the list.
constexpr int CodeRole = Qt::UserRole;
constexpr int IndexRole = Qt::UserRole + 1;
// Sound events keep whether they are on.
constexpr int SoundOnRole = Qt::UserRole + 2;
constexpr int SoundFolderCode = -1;
constexpr int ClassicsFolderCode = -1; // the back tree's "Classics" folder

// The navy frame around the chosen card set: its width and its distance from the picture.
constexpr int FrameWidth = 4;
constexpr int FrameGap = 5;
const QColor Navy(0, 0, 128);

// Sample areas: the cards page's, the decks page's and the backgrounds page's.
constexpr QSize CardSampleSize(300, 140);
constexpr QSize BackSampleSize(200, 140);
constexpr QSize BackgroundSampleSize(240, 180);
constexpr int SwatchSide = 16;
constexpr int PagesHeight = 400;

// A picture wider or higher than this is refused as a background before it is decoded whole.
constexpr int MaxBackgroundSide = MaxPictureSide;

// The card of each set the Cards page shows as its picture: the King of hearts.
constexpr int SetPictureCard = 13;

// The card sets of the Cards page in their places: control name and code (set + size letter).
struct CardSetChoice {
    const char* name;
    int set;
    char size;
};
constexpr CardSetChoice cardSets[] = {
    {"imgCard01", 1, 'B'}, {"imgCard02", 2, 'B'}, {"imgCard03", 3, 'B'},
    {"imgCard04", 4, 'B'}, {"imgCard05", 5, 'B'}, {"imgCard50", 3, 'M'},
};

std::string cardSetCode(int set, char size)
{
    return zeroPadded(set, 3) + size;
}

// The folders of a tree with the codes of their pictures, in the order the tree shows them.
struct TreeFolder {
    const char* name;
    int code;
    std::initializer_list<int> children;
};

const TreeFolder backFolders[] = {
    {"Animals", 0, {18, 27, 24, 19}},
    {"Children", 0, {4, 5, 3, 13}},
    {"Classics", ClassicsFolderCode, {7, 9, 8, 10}},
    {"Flowers", 0, {15, 14}},
    {"Geometric", 0, {11, 6, 17}},
    {"Nature", 0, {21, 26, 20, 23, 25, 22}},
    {"Paintings", 0, {12, 1, 16, 2}},
};

// The subfolders of "Over 256 colors" and, after them, the one of "Under 256 colors".
const TreeFolder richBackgroundFolders[] = {
    {"Colors fantasy", 0, {279, 271, 283, 275, 316}},
    {"Fractal", 0, {322, 286}},
    {"Geometricals", 0, {273, 278, 276}},
    {"Marbles", 0, {262, 263, 261, 260}},
    {"Metal", 0, {272, 287, 301}},
    {"Nature", 0, {274, 277, 324, 281, 282, 257}},
    {"Others", 0, {265, 285, 284, 307, 299, 310}},
    {"Patterns", 0, {302, 318, 319, 320}},
    {"Surfaces", 0, {297, 264, 293, 291, 290, 292, 288, 295, 306}},
    {"Tissue", 0, {267, 317, 258, 268, 296, 321, 266}},
    {"Paper", 0, {303, 259}},
    {"Walls", 0, {304, 305, 308}},
    {"Wood", 0, {270, 309, 315, 314, 269, 313, 312, 311, 289}},
};
const TreeFolder paletteBackgroundFolder = {"Geometricals", 0, {104, 103, 102, 101, 105}};

// The fixed colours of the "Colors" folder; the code is the stored colour (blue in the low byte).
struct FixedColour {
    const char* name;
    int code;
};
constexpr FixedColour fixedColours[] = {
    {"Blue", 16711680}, {"Green", 32768},     {"Navy", 8388608},
    {"Olive", 32896},   {"Teal", 8421376},    {"White", 16777215},
};

std::string_view nameOf(std::span<const assets::NamedPicture> pictures, int number)
{
    for (const assets::NamedPicture& picture : pictures)
        if (picture.number == number)
            return picture.name;
    return {};
}

QColor qColourOf(long stored)
{
    // A negative value names a system colour; the button face stands for all of them.
    if (stored < 0)
        return QApplication::palette().color(QPalette::Button);
    return QColor(int(stored & 0xff), int((stored >> 8) & 0xff), int((stored >> 16) & 0xff));
}

long storedColourOf(const QColor& colour)
{
    return long(colour.red()) | long(colour.green()) << 8 | long(colour.blue()) << 16;
}

// Texts of the tree came from Windows-1252 and go back to it whole.
std::string programText(const QString& text)
{
    return toProgramText(text).value_or(std::string());
}

QIcon swatch(const QColor& colour)
{
    QPixmap picture(SwatchSide, SwatchSide);
    picture.fill(colour);
    QPainter p(&picture);
    p.setPen(Qt::black);
    p.drawRect(0, 0, SwatchSide - 1, SwatchSide - 1);
    return QIcon(picture);
}

QTreeWidgetItem* addNode(QTreeWidgetItem* parent, QTreeWidget* tree, const QString& caption, int code)
{
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, caption);
    item->setData(0, CodeRole, code);
    return item;
}

QTreeWidget* makeTree(QWidget* parent, const char* name)
{
    auto* tree = new QTreeWidget(parent);
    tree->setObjectName(QLatin1String(name));
    tree->setHeaderHidden(true);
    tree->setMinimumWidth(220);
    return tree;
}

QIcon folderIcon(const QWidget* widget)
{
    QIcon icon = widget->style()->standardIcon(QStyle::SP_DirClosedIcon);
    icon.addPixmap(widget->style()->standardIcon(QStyle::SP_DirOpenIcon).pixmap(SwatchSide), QIcon::Selected);
    return icon;
}

// A folder of a tree with its pictures, named as the list of the IMAGES folder names them.
QTreeWidgetItem* addPictureFolder(QTreeWidget* tree, QTreeWidgetItem* parent, const TreeFolder& folder,
                                  std::span<const assets::NamedPicture> names)
{
    QTreeWidgetItem* node = addNode(parent, tree, QString::fromLatin1(folder.name), folder.code);
    node->setIcon(0, folderIcon(tree));
    const QIcon picture = tree->style()->standardIcon(QStyle::SP_FileIcon);
    for (int number : folder.children)
        addNode(node, tree, fromProgramText(nameOf(names, number)), number)->setIcon(0, picture);
    return node;
}

QLabel* makeSample(QWidget* parent, const char* name, QSize size)
{
    auto* sample = new QLabel(parent);
    sample->setObjectName(QLatin1String(name));
    sample->setFixedSize(size);
    sample->setFrameShape(QFrame::Panel);
    sample->setFrameShadow(QFrame::Sunken);
    return sample;
}

// A sample area with the name of what it shows below it, at the top of a column.
QVBoxLayout* makeSampleColumn(QWidget* page, const char* sampleName, QSize size, QLabel*& sample,
                              const char* captionName, QLabel*& caption)
{
    sample = makeSample(page, sampleName, size);
    caption = new QLabel(page);
    caption->setObjectName(QLatin1String(captionName));
    caption->setAlignment(Qt::AlignCenter);
    caption->setWordWrap(true);
    caption->setMaximumWidth(size.width());
    auto* column = new QVBoxLayout;
    column->addWidget(sample);
    column->addWidget(caption);
    return column;
}

} // namespace

// One picture of the Cards page: the face of a card set, framed in navy when chosen.
class CardSetPicture : public QWidget
{
public:
    CardSetPicture(const CardSetChoice& choice, QWidget* parent) : QWidget(parent), choice(choice)
    {
        setObjectName(QLatin1String(choice.name));
        setCursor(Qt::PointingHandCursor);
    }

    void setPicture(const QImage& picture)
    {
        m_picture = picture;
        const int margin = FrameGap + FrameWidth;
        setFixedSize(picture.width() + 2 * margin, picture.height() + 2 * margin);
        update();
    }
    void setChosen(bool chosen)
    {
        m_chosen = chosen;
        update();
    }

    const CardSetChoice& choice;
    std::function<void()> onClick;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter p(this);
        const int margin = FrameGap + FrameWidth;
        p.drawImage(margin, margin, m_picture);
        if (m_chosen) {
            const int half = FrameWidth / 2;
            p.setPen(QPen(Navy, FrameWidth, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
            p.drawRect(QRect(half, half, width() - FrameWidth, height() - FrameWidth));
        }
    }
    void mousePressEvent(QMouseEvent*) override
    {
        if (onClick)
            onClick();
    }

private:
    QImage m_picture;
    bool m_chosen = false;
};

// ---- building the pages -------------------------------------------------------------------------

TfrmCustomize::TfrmCustomize(CustomizeContext& context, int page, QWidget* parent)
    : QDialog(parent), m_context(context), m_store(context.stats.store), m_config(context.stats.config)
{
    setObjectName(QStringLiteral("frmCustomize"));
    setWindowTitle(QStringLiteral("Customize"));

    m_set = readPreferenceSet(m_store, m_config);
    m_lookAtOpening = currentLook(m_store);

    m_pages = new QTabWidget(this);
    m_pages->setObjectName(QStringLiteral("pgcCustomize"));
    m_pages->setMinimumHeight(PagesHeight); // the trees show a folder or two opened without scrolling
    m_pages->addTab(makeGeneralPage(), QStringLiteral("&General"));
    m_pages->addTab(makeCardsPage(), QStringLiteral("  &Cards  "));
    m_pages->addTab(makeDecksPage(), QStringLiteral(" Dec&ks  "));
    m_pages->addTab(makeBackgroundsPage(), QStringLiteral("&Backgrounds"));
    m_pages->addTab(makeAnimationsPage(), QStringLiteral("Anima&tions"));
    m_pages->addTab(makeSoundsPage(), QStringLiteral(" &Sounds "));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    addDialogButton(this, buttons, "OK", "btnOK", [this] { accept(); }, true);
    addDialogButton(this, buttons, "Cancel", "btnCancel", [this] { reject(); });
    addDialogButton(this, buttons, "Appl&y", "btnApply", [this] { apply(); });
    addHelpButton(context.stats, this, buttons, CustomizeHelp);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addLayout(buttons);

    load(m_set);
    connect(m_pages, &QTabWidget::currentChanged, this, &TfrmCustomize::pageEntered);
    showPage(page);
    refreshSamples();
}

TfrmCustomize::~TfrmCustomize() = default;

QCheckBox* TfrmCustomize::addSwitch(QWidget* page, Switch which, const char* name, const char* caption)
{
    auto* check = new QCheckBox(QString::fromLatin1(caption), page);
    check->setObjectName(QLatin1String(name));
    m_checks[which] = check;
    return check;
}

QWidget* TfrmCustomize::makeGeneralPage()
{
    auto* page = new QWidget;
    auto* window = new QGroupBox(QStringLiteral("Main window "), page);
    auto* windowChecks = new QVBoxLayout(window);
    for (const auto& [which, name, caption] :
         {std::tuple{Switch::ToolBarLarge, "chkTBLargeIcons", "&Large buttons"},
          {Switch::ToolBarFlat, "chkTBFlatBtn", "&Flat buttons"},
          {Switch::ShowTime, "chkShowTime", "Show tim&e"},
          {Switch::ShowScore, "chkShowScore", "S&how score"},
          {Switch::ShowToolTips, "chkShowToolTips", "Sho&w ToolTips"},
          {Switch::VertScrollBar, "chkVertScrollBar", "Vertic&al Scroll bar"},
          {Switch::ShowPilesSize, "chkPilesSize", "P&iles size after the pointer"},
          {Switch::MainPopupMenu, "chkMainPopupMenu", "Popup menu in main play a&rea"}})
        windowChecks->addWidget(addSwitch(window, which, name, caption));

    using SwitchCaptions = std::initializer_list<std::tuple<Switch, const char*, const char*>>;
    const auto clickGroup = [&](const char* title, SwitchCaptions checks) {
        auto* group = new QGroupBox(QString::fromLatin1(title), page);
        auto* column = new QVBoxLayout(group);
        for (const auto& [which, name, caption] : checks)
            column->addWidget(addSwitch(group, which, name, caption));
        return group;
    };
    QGroupBox* right = clickGroup("Right click", {{Switch::RightClickFoundations, "chkRightFoundations",
                                                   "&Move cards to the foundations"},
                                                  {Switch::RightClickTableaus, "chkRightTableaus",
                                                   "M&ove cards to the tableau piles"}});
    QGroupBox* dbl = clickGroup("Double click", {{Switch::DoubleClickFoundations, "chkDoubleFoundations",
                                                  "Move cards to the fou&ndations"},
                                                 {Switch::DoubleClickTableaus, "chkDoubleTableaus",
                                                  "Move cards to the tablea&u piles"}});

    auto* buttons = new QVBoxLayout;
    addDialogButton(page, buttons, "  &Pointers...", "btnPointers", [this] {
        TfrmPointers dialog(m_context.stats, m_set.cursor, this);
        if (dialog.exec() == QDialog::Accepted)
            m_set.cursor = dialog.pointer();
    });
    addDialogButton(page, buttons, "A&dvanced...", "btnAdvanced", [this] {
        TfrmOptionsAdvanced dialog(m_context.stats, m_set, this);
        if (dialog.exec() == QDialog::Accepted)
            dialog.copyTo(m_set);
    });
    addDialogButton(page, buttons, "Clear &values...", "btnClearValues",
                    [this] { fnClearValuesDialog(m_context.stats, this); });
    buttons->addStretch();

    auto* clicks = new QVBoxLayout;
    clicks->addWidget(right);
    clicks->addWidget(dbl);
    clicks->addLayout(buttons);
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(window);
    layout->addLayout(clicks);
    return page;
}

QWidget* TfrmCustomize::makeCardsPage()
{
    auto* page = new QWidget;
    auto* grid = new QGridLayout;
    constexpr int PerRow = 3;
    for (const CardSetChoice& choice : cardSets) {
        auto* picture = new CardSetPicture(choice, page);
        if (const CardPictures* pictures = picturesOf(choice.set, choice.size, SmallSizesBack))
            if (const Bitmap* face = pictures->face(SetPictureCard))
                picture->setPicture(imageOf(*face));
        picture->onClick = [this, &choice] { chooseCardSet(cardSetCode(choice.set, choice.size)); };
        const int place = int(m_cardSetPictures.size());
        grid->addWidget(picture, place / PerRow, place % PerRow, Qt::AlignCenter);
        m_cardSetPictures.push_back(picture);
    }
    m_cardSample = makeSample(page, "imgCardSample", CardSampleSize);
    // The big sets at the size that fits the window, whatever its size.
    m_chkFitCards = new QCheckBox(QStringLiteral("Cards &fit the window"), page);
    m_chkFitCards->setObjectName(QStringLiteral("chkFitCards"));
    connect(m_chkFitCards, &QCheckBox::toggled, this, [this](bool fit) {
        if (fit && m_cardSize == 'M')
            m_cardSet = assets::smallSizesCardSet; // the medium cards' set, now at the fit size
        m_cardSize = fit ? FitCardSize : 'B';
        markChosenCardSet();
        refreshSamples();
    });
    auto* side = new QVBoxLayout;
    side->addWidget(m_cardSample);
    side->addWidget(m_chkFitCards);
    side->addWidget(addSwitch(page, Switch::RandomCard, "chkRandomCard", "&Random cards"));
    side->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addLayout(grid);
    layout->addLayout(side);
    return page;
}

QWidget* TfrmCustomize::makeDecksPage()
{
    auto* page = new QWidget;
    m_trvCardBack = makeTree(page, "trvCardBack");
    for (const TreeFolder& f : backFolders)
        addPictureFolder(m_trvCardBack, nullptr, f, assets::cardBacks);
    connect(m_trvCardBack, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* item) {
        if (item && item->data(0, CodeRole).toInt() > 0) {
            m_back = item->data(0, CodeRole).toInt();
            refreshSamples();
        }
    });
    QVBoxLayout* side =
        makeSampleColumn(page, "imgBackSample", BackSampleSize, m_backSample, "lblBackName", m_backName);
    side->addWidget(addSwitch(page, Switch::RandomDeck, "chkRandomDeck", "Random &decks"));
    side->addStretch();
    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_trvCardBack, 1);
    layout->addLayout(side);
    return page;
}

QWidget* TfrmCustomize::makeBackgroundsPage()
{
    auto* page = new QWidget;
    m_trvBackGround = makeTree(page, "trvBackGround");
    const auto addFolder = [&](const char* caption, int code) {
        return addPictureFolder(m_trvBackGround, nullptr, {caption, code, {}}, {});
    };
    m_customizedFolder = addFolder("Customized", BackgroundCode::CustomizedFolder);
    QTreeWidgetItem* colours = addFolder("Colors", BackgroundCode::Folder);
    m_customColourNode =
        addNode(colours, m_trvBackGround, QStringLiteral("(Custom color)"), BackgroundCode::CustomColour);
    for (const FixedColour& c : fixedColours)
        addNode(colours, m_trvBackGround, QString::fromLatin1(c.name), c.code)->setIcon(0, swatch(qColourOf(c.code)));
    QTreeWidgetItem* rich = addFolder("Over 256 colors", BackgroundCode::Folder);
    for (const TreeFolder& f : richBackgroundFolders)
        addPictureFolder(m_trvBackGround, rich, f, assets::backgrounds);
    QTreeWidgetItem* palette = addFolder("Under 256 colors", BackgroundCode::Folder);
    addPictureFolder(m_trvBackGround, palette, paletteBackgroundFolder, assets::backgrounds);
    fillCustomizedFolder();
    connect(m_trvBackGround, &QTreeWidget::currentItemChanged, this, &TfrmCustomize::backgroundSelected);
    connect(m_trvBackGround, &QTreeWidget::itemDoubleClicked, this, [this](QTreeWidgetItem* item) {
        const int code = item->data(0, CodeRole).toInt();
        if (code == BackgroundCode::CustomizedFolder || code == BackgroundCode::CustomizedPlaceholder)
            addBackground();
    });
    m_trvBackGround->installEventFilter(this);

    auto* popup = new QMenu(m_trvBackGround);
    popup->setObjectName(QStringLiteral("popBackground"));
    popup->addAction(QStringLiteral("Add a customized background..."), this, &TfrmCustomize::addBackground);
    QAction* remove =
        popup->addAction(QStringLiteral("Delete a customized background"), this, &TfrmCustomize::deleteBackground);
    m_trvBackGround->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_trvBackGround, &QWidget::customContextMenuRequested, popup, [this, popup, remove](QPoint at) {
        const QTreeWidgetItem* item = m_trvBackGround->currentItem();
        remove->setEnabled(item && item->data(0, CodeRole).toInt() == BackgroundCode::Customized);
        popup->popup(m_trvBackGround->viewport()->mapToGlobal(at));
    });

    QVBoxLayout* side = makeSampleColumn(page, "imgBackgroundSample", BackgroundSampleSize, m_backgroundSample,
                                         "lblBackgroundName", m_backgroundName);
    auto* buttons = new QHBoxLayout;
    m_btnColors = addDialogButton(page, buttons, "C&olors...", "btnColors", [this] { chooseColour(); });
    addDialogButton(page, buttons, "A&dd a background...", "btnAddBackground", [this] { addBackground(); });
    side->addLayout(buttons);
    side->addWidget(addSwitch(page, Switch::FadeBackground, "chkFadeBackground", "&Fade background"));
    side->addWidget(addSwitch(page, Switch::RandomBackground, "chkRandomBackground", "&Random backgrounds"));
    side->addStretch();
    connect(m_checks.at(Switch::FadeBackground), &QCheckBox::toggled, this, [this] { refreshSamples(); });

    auto* layout = new QHBoxLayout(page);
    layout->addWidget(m_trvBackGround, 1);
    layout->addLayout(side);
    return page;
}

QWidget* TfrmCustomize::makeAnimationsPage()
{
    auto* page = new QWidget;
    auto* speed = new QGroupBox(QStringLiteral("Cards speed"), page);
    m_trbSpeed = new QSlider(Qt::Horizontal, speed);
    m_trbSpeed->setObjectName(QStringLiteral("trbSpeed"));
    m_trbSpeed->setRange(1, int(speedDelays.size()));
    m_trbSpeed->setPageStep(1);
    m_trbSpeed->setTickPosition(QSlider::TicksBelow);
    auto* speedRow = new QHBoxLayout(speed);
    speedRow->addWidget(new QLabel(QStringLiteral("Slow"), speed));
    speedRow->addWidget(m_trbSpeed, 1);
    speedRow->addWidget(new QLabel(QStringLiteral("Fast"), speed));

    auto* motion = new QVBoxLayout;
    motion->addWidget(speed);
    motion->addWidget(
        addSwitch(page, Switch::AutomaticFaceUp, "chkAutomaticFaceUp", "&Automatic face up tableau cards"));
    motion->addWidget(addSwitch(page, Switch::RedealAnimation, "chkRedealAnimation", "&Redeal animation"));
    motion->addWidget(addSwitch(page, Switch::DealAnimation, "chkDealAnimation", "D&eal animation"));

    auto* effects = new QGroupBox(QStringLiteral("Card effects "), page);
    auto* effectChecks = new QVBoxLayout;
    for (const auto& [which, name, caption] : {std::tuple{Switch::CardsShadowed, "chkShadowed", "S&hadowed"},
                                               {Switch::CardsAnimate, "chkAnimated", "A&nimated"},
                                               {Switch::IrregularPiles, "chkIrregularPiles", "&Irregular piles"}}) {
        QCheckBox* check = addSwitch(effects, which, name, caption);
        connect(check, &QCheckBox::toggled, this, [this, which = which] { showEffect(which); });
        check->installEventFilter(this);
        effectChecks->addWidget(check);
    }
    m_effectPreview = new QStackedWidget(effects);
    m_effectPreview->setObjectName(QStringLiteral("pnlEffectPreview"));
    m_effectPicture = new QLabel(m_effectPreview);
    m_effectPicture->setObjectName(QStringLiteral("imgEffect"));
    m_effectPreview->addWidget(m_effectPicture);
    const auto filmstrip = [&](const char* name, int frames, int interval) {
        auto* control = new C_TBitmapAnimated(m_effectPreview);
        control->setObjectName(QLatin1String(name));
        if (const std::unique_ptr<Bitmap> strip = m_context.stats.resources.bitmap(name))
            control->setBitMap(imageOf(*strip));
        control->setFrameCount(frames);
        control->setInterval(interval);
        control->setTransparentColor(0xff0000);
        auto* holder = new QWidget(m_effectPreview);
        (new QVBoxLayout(holder))->addWidget(control, 0, Qt::AlignCenter);
        m_effectPreview->addWidget(holder);
        return control;
    };
    m_animatedYes = filmstrip("Animated_Yes", 12, 100);
    m_animatedNo = filmstrip("Animated_No", 2, 500);
    m_animatedNo->setPlay(true);
    auto* effectRow = new QHBoxLayout(effects);
    effectRow->addLayout(effectChecks);
    effectRow->addWidget(m_effectPreview);

    auto* winning = new QGroupBox(QStringLiteral("Winning animation "), page);
    m_cboWinningAnim = new QComboBox(winning);
    m_cboWinningAnim->setObjectName(QStringLiteral("cboWinningAnim"));
    for (const std::string_view name : winningAnimations)
        m_cboWinningAnim->addItem(fromProgramText(name));
    connect(m_cboWinningAnim, &QComboBox::currentIndexChanged, this, &TfrmCustomize::winningAnimationChanged);
    m_edtWinningTime = new QSpinBox(winning);
    m_edtWinningTime->setObjectName(QStringLiteral("edtWinningTime"));
    m_edtWinningTime->setRange(0, MaxWinningTime);
    m_edtWinningTime->setSingleStep(WinningTimeStep);
    // Only the arrows change the time.
    m_edtWinningTime->findChild<QLineEdit*>()->setReadOnly(true);
    connect(m_edtWinningTime, &QSpinBox::valueChanged, this, [this](int seconds) {
        if (seconds == 0)
            m_edtWinningTime->setValue(WinningTimeStep);
    });
    auto* timeCaption = new QLabel(QStringLiteral("&Time:"), winning);
    timeCaption->setBuddy(m_edtWinningTime);
    auto* winningRow = new QHBoxLayout(winning);
    winningRow->addWidget(m_cboWinningAnim, 1);
    winningRow->addWidget(timeCaption);
    winningRow->addWidget(m_edtWinningTime);
    winningRow->addWidget(new QLabel(QStringLiteral("seconds"), winning));
    m_btnPreview = addDialogButton(winning, winningRow, "Pre&view", "btnPreview", [this] { requestPreview(); });

    auto* layout = new QVBoxLayout(page);
    auto* top = new QHBoxLayout;
    top->addLayout(motion, 1);
    top->addWidget(effects);
    layout->addLayout(top);
    layout->addWidget(winning);
    layout->addStretch();
    return page;
}

QWidget* TfrmCustomize::makeSoundsPage()
{
    auto* page = new QWidget;
    m_chkSoundsEnabled = new QCheckBox(QStringLiteral("&Disable all sounds"), page);
    m_chkSoundsEnabled->setObjectName(QStringLiteral("chkSoundsEnabled"));
    connect(m_chkSoundsEnabled, &QCheckBox::toggled, this, &TfrmCustomize::allSoundsDisabled);
    m_trvSounds = makeTree(page, "trvSounds");
    const QIcon folder = folderIcon(this);
    std::map<std::string_view, QTreeWidgetItem*> folders;
    for (const std::string_view name : {"Actions", "Cards", "Dialog box", "System"}) {
        folders[name] = addNode(nullptr, m_trvSounds, fromProgramText(name), SoundFolderCode);
        folders[name]->setIcon(0, folder);
    }
    for (const SoundEventChoice& event : soundEventChoices)
        addNode(folders.at(event.folder), m_trvSounds, fromProgramText(event.caption), event.code);
    m_trvSounds->expandAll();
    connect(m_trvSounds, &QTreeWidget::currentItemChanged, this, &TfrmCustomize::soundSelected);

    auto* buttons = new QVBoxLayout;
    const auto current = [this] { return m_trvSounds->currentItem(); };
    m_soundButtons = {
        addDialogButton(page, buttons, "E&nable this sound", "btnEnableSound",
                        [this, current] { setSoundOn(current(), true); }),
        addDialogButton(page, buttons, "D&isable this sound", "btnDisableSound",
                        [this, current] { setSoundOn(current(), false); }),
        addDialogButton(page, buttons, "Play sound", "btnPlaySound",
                        [this, current] {
                            const int code = current()->data(0, CodeRole).toInt();
                            for (const SoundEventChoice& event : soundEventChoices)
                                if (event.code == code)
                                    playSound(m_store, m_context.stats.sound, event.sound, true);
                        }),
        addDialogButton(page, buttons, "Stop sound", "btnStopSound",
                        [this] { playSound(m_store, m_context.stats.sound, SilentSound, true); }),
    };
    buttons->addStretch();
    for (QPushButton* button : m_soundButtons)
        button->setEnabled(false);

    auto* row = new QHBoxLayout;
    row->addWidget(m_trvSounds, 1);
    row->addLayout(buttons);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(m_chkSoundsEnabled);
    layout->addLayout(row);
    return page;
}

// ---- loading and collecting -----------------------------------------------------------------------

void TfrmCustomize::load(const PreferenceSet& set)
{
    for (const auto& [which, check] : m_checks) {
        const QSignalBlocker quiet(check);
        check->setChecked(set[which]);
    }
    m_cardSet = set.cardSet;
    m_cardSize = set.cardSize;
    {
        const QSignalBlocker quiet(m_chkFitCards);
        m_chkFitCards->setChecked(m_cardSize == FitCardSize);
    }
    markChosenCardSet();

    m_back = set.backCard;
    for (QTreeWidgetItemIterator it(m_trvCardBack); *it; ++it)
        if ((*it)->data(0, CodeRole).toInt() == m_back && (*it)->parent()) {
            const QSignalBlocker quiet(m_trvCardBack);
            m_trvCardBack->setCurrentItem(*it);
        }

    m_background = backgroundChoice(set.background, m_customColour);
    if (m_customColour == 0)
        m_customColour = storedColourOf(QApplication::palette().color(QPalette::Button));
    m_customColourNode->setIcon(0, swatch(qColourOf(m_customColour)));
    selectBackgroundNode(m_background);
    // Fading needs more than a palette of colours.
    if (m_context.ports.graphics.displayColourBits() <= 8)
        m_checks.at(Switch::FadeBackground)->setEnabled(false);

    m_trbSpeed->setValue(speedPosition(set.speed));
    m_cboWinningAnim->setCurrentIndex(
        m_cboWinningAnim->findText(fromProgramText(set.winningAnimation), Qt::MatchExactly));
    m_edtWinningTime->setValue(set.winningTime);
    winningAnimationChanged();
    showEffect(Switch::CardsShadowed);

    {
        const QSignalBlocker quiet(m_chkSoundsEnabled);
        m_chkSoundsEnabled->setChecked(!set[Switch::SoundsEnabled]);
    }
    m_trvSounds->setEnabled(set[Switch::SoundsEnabled]);
    for (QTreeWidgetItemIterator it(m_trvSounds); *it; ++it) {
        const int code = (*it)->data(0, CodeRole).toInt();
        for (std::size_t i = 0; i < soundEventChoices.size(); ++i)
            if (soundEventChoices[i].code == code)
                setSoundOn(*it, set.sounds[i]);
    }
}

PreferenceSet TfrmCustomize::choices() const
{
    PreferenceSet set = m_set;
    for (const auto& [which, check] : m_checks)
        set[which] = check->isChecked();
    set.cardSet = m_cardSet;
    set.cardSize = m_cardSize;
    set.backCard = m_back;
    set.background = backgroundSetting(m_background, m_customColour);
    set.speed = speedDelay(m_trbSpeed->value());
    set.winningAnimation = programText(m_cboWinningAnim->currentText());
    set.winningTime = winningTime(std::to_string(m_edtWinningTime->value()));
    set[Switch::SoundsEnabled] = !m_chkSoundsEnabled->isChecked();
    for (QTreeWidgetItemIterator it(m_trvSounds); *it; ++it) {
        const int code = (*it)->data(0, CodeRole).toInt();
        for (std::size_t i = 0; i < soundEventChoices.size(); ++i)
            if (soundEventChoices[i].code == code)
                set.sounds[i] = (*it)->data(0, SoundOnRole).toBool();
    }
    return set;
}

void TfrmCustomize::showPage(int page)
{
    m_pages->setCurrentIndex(std::clamp(page, int(General), int(Sounds)));
}

// ---- samples ------------------------------------------------------------------------------------

void TfrmCustomize::pageEntered(int page)
{
    if (page == Cards || page == Decks || page == Backgrounds)
        refreshSamples();
}

AppearanceContext TfrmCustomize::sampleContext(SessionStore& scratch) const
{
    const Ports& ports = m_context.ports;
    return {scratch, m_config, ports.graphics, ports.messages, m_context.stats.resources, ports.random};
}

const CardPictures* TfrmCustomize::picturesOf(int cardSet, char cardSize, int back) const
{
    // The samples show the fit size's cards at the big size, which the sample boxes are made for.
    if (cardSize == FitCardSize)
        cardSize = 'B';
    const std::string key = cardSetCode(cardSet, cardSize) + zeroPadded(back, 3);
    auto found = m_cardPictures.find(key);
    if (found == m_cardPictures.end()) {
        SessionStore scratch = m_store;
        scratch.fnStoreSet(Fld::Card, zeroPadded(cardSet, 3));
        scratch.fnStoreSet(Fld::Card_Size, std::string(1, cardSize));
        scratch.fnStoreSet(Fld::Back_Card, zeroPadded(back, 3));
        AppearanceContext context = sampleContext(scratch);
        auto pictures = std::make_unique<CardPictures>();
        loadCardPictures(context, *pictures);
        found = m_cardPictures.emplace(key, std::move(pictures)).first;
    }
    return found->second.get();
}

QImage TfrmCustomize::backgroundSample(QSize size) const
{
    QImage sample(size, QImage::Format_RGB32);
    if (m_background.code == BackgroundCode::Customized) {
        QPainter p(&sample);
        p.drawTiledPixmap(sample.rect(), QPixmap(fromPath(cp1252ToUtf8(m_background.customizedPath))));
        return sample;
    }
    SessionStore scratch = m_store;
    PreferenceSet set = choices();
    set.background.customizedPath.clear();
    applyLook(set, scratch);
    AppearanceContext context = sampleContext(scratch);
    const std::unique_ptr<Bitmap> buffer = m_context.ports.graphics.createBitmap(size.width(), size.height());
    paintBackground(context, *buffer, {.fadeHeight = size.height()});
    return imageOf(*buffer);
}

void TfrmCustomize::refreshSamples()
{
    const int back = backForSize(m_cardSize, m_back);
    const CardPictures* pictures = picturesOf(m_cardSet, m_cardSize, back);
    const auto drawCards = [&](QSize size, std::initializer_list<int> cards, bool withBack) {
        QImage sample = backgroundSample(size);
        QPainter p(&sample);
        const int cardWidth = pictures->size().width;
        const int count = int(cards.size()) + (withBack ? 1 : 0);
        const int step = cardWidth / 2;
        int x = (size.width() - cardWidth - step * (count - 1)) / 2;
        const int y = (size.height() - pictures->size().height) / 2;
        for (int card : cards) {
            if (const Bitmap* face = pictures->face(card))
                p.drawImage(x, y, imageOf(*face));
            x += step;
        }
        if (withBack && pictures->back())
            p.drawImage(x, y, imageOf(*pictures->back()));
        return QPixmap::fromImage(sample);
    };
    constexpr int AceOfHearts = 1, KingOfSpades = 52, QueenOfDiamonds = 25;
    m_cardSample->setPixmap(drawCards(CardSampleSize, {AceOfHearts, QueenOfDiamonds, KingOfSpades}, true));
    m_backSample->setPixmap(drawCards(BackSampleSize, {}, true));
    m_backName->setText(fromProgramText(nameOf(assets::cardBacks, back)));
    m_backgroundSample->setPixmap(QPixmap::fromImage(backgroundSample(BackgroundSampleSize)));
    // Folders have no name of a background to show.
    const QTreeWidgetItem* node = m_trvBackGround->currentItem();
    const int code = node ? node->data(0, CodeRole).toInt() : BackgroundCode::Folder;
    m_backgroundName->setText(code > 0 || code == BackgroundCode::Customized ? node->text(0) : QString());
}

// ---- cards and backs ----------------------------------------------------------------------------

void TfrmCustomize::markChosenCardSet()
{
    // The fit size shows the big set's picture.
    const char shown = m_cardSize == FitCardSize ? 'B' : m_cardSize;
    for (CardSetPicture* picture : m_cardSetPictures)
        picture->setChosen(picture->choice.set == m_cardSet && picture->choice.size == shown);
}

bool TfrmCustomize::chooseCardSet(const std::string& code)
{
    for (CardSetPicture* picture : m_cardSetPictures) {
        if (cardSetCode(picture->choice.set, picture->choice.size) != code)
            continue;
        m_cardSet = picture->choice.set;
        // A big set keeps the fit size while it is chosen; the medium set is a size of its own.
        const bool fit = m_chkFitCards->isChecked() && picture->choice.size == 'B';
        m_cardSize = fit ? FitCardSize : picture->choice.size;
        {
            const QSignalBlocker quiet(m_chkFitCards);
            m_chkFitCards->setChecked(fit);
        }
        markChosenCardSet();
        refreshSamples();
        return true;
    }
    return false;
}

bool TfrmCustomize::chooseBack(int back)
{
    for (QTreeWidgetItemIterator it(m_trvCardBack); *it; ++it)
        if ((*it)->parent() && (*it)->data(0, CodeRole).toInt() == back) {
            m_trvCardBack->setCurrentItem(*it);
            return true;
        }
    return false;
}

// ---- backgrounds --------------------------------------------------------------------------------

void TfrmCustomize::fillCustomizedFolder()
{
    qDeleteAll(m_customizedFolder->takeChildren());
    const std::vector<std::string> texts = readCustomBackgrounds(m_config);
    const QIcon picture = style()->standardIcon(QStyle::SP_FileIcon);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        QTreeWidgetItem* node =
            addNode(m_customizedFolder, m_trvBackGround, fromProgramText(texts[i]), BackgroundCode::Customized);
        node->setData(0, IndexRole, int(i));
        node->setIcon(0, picture);
    }
    if (texts.empty())
        addNode(m_customizedFolder, m_trvBackGround, QStringLiteral("(Double click to customize)"),
                BackgroundCode::CustomizedPlaceholder);
    m_customizedFolder->setExpanded(true);
}

void TfrmCustomize::selectBackgroundNode(const BackgroundChoice& choice)
{
    const QSignalBlocker quiet(m_trvBackGround);
    QTreeWidgetItem* found = nullptr;
    for (QTreeWidgetItemIterator it(m_trvBackGround); *it && !found; ++it) {
        const int code = (*it)->data(0, CodeRole).toInt();
        if (code != choice.code)
            continue;
        if (code == BackgroundCode::Customized
            && backgroundPath(programText((*it)->text(0))) != choice.customizedPath)
            continue;
        // The default background shows as the "Colors" folder.
        if (code == BackgroundCode::Folder && (*it)->text(0) != QLatin1String("Colors"))
            continue;
        found = *it;
    }
    m_trvBackGround->setCurrentItem(found);
    if (found)
        m_trvBackGround->scrollToItem(found);
    const bool colour = choice.code == BackgroundCode::CustomColour || choice.code > BackgroundCode::LastPicture;
    m_btnColors->setEnabled(choice.code == BackgroundCode::CustomColour);
    m_checks.at(Switch::FadeBackground)->setEnabled(colour && m_context.ports.graphics.displayColourBits() > 8);
}

void TfrmCustomize::backgroundSelected(QTreeWidgetItem* item, QTreeWidgetItem*)
{
    if (!item)
        return;
    BackgroundChoice choice{item->data(0, CodeRole).toInt(), {}};
    if (choice.code == BackgroundCode::Customized) {
        choice.customizedPath = backgroundPath(programText(item->text(0)));
        if (const std::string problem = pictureProblem(cp1252ToUtf8(choice.customizedPath)); !problem.empty()) {
            // The background chosen before stays chosen.
            m_context.ports.messages.information(problem);
            selectBackgroundNode(m_background);
            return;
        }
    }
    m_background = choice;
    selectBackgroundNode(m_background);
    refreshSamples();
}

bool TfrmCustomize::chooseBackground(int code, int customizedIndex)
{
    for (QTreeWidgetItemIterator it(m_trvBackGround); *it; ++it) {
        const bool customized = code == BackgroundCode::Customized;
        if ((*it)->data(0, CodeRole).toInt() == code
            && (!customized || (*it)->data(0, IndexRole).toInt() == customizedIndex)) {
            m_trvBackGround->setCurrentItem(*it);
            return true;
        }
    }
    return false;
}

std::string TfrmCustomize::pictureProblem(const std::string& utf8Path) const
{
    const QString path = fromPath(utf8Path);
    const QFileInfo file(path);
    const std::string shown = programText(QDir::toNativeSeparators(path));
    if (!file.exists())
        return "Customized background image not found: " + shown;
    if (!file.isFile() || !file.isReadable())
        return "The picture cannot be read: " + shown;
    QImageReader reader(path);
    if (!reader.canRead())
        return "This file is not a picture: " + shown;
    // The reader refuses to measure a picture whose header it distrusts, among them those far too
    // large to be decoded.
    const QSize size = reader.size();
    if (!size.isValid())
        return "This picture is damaged or too large to be shown: " + shown;
    if (size.width() > MaxBackgroundSide || size.height() > MaxBackgroundSide)
        return "This picture is too large for a background (" + std::to_string(size.width()) + " x "
            + std::to_string(size.height()) + " pixels; at most " + std::to_string(MaxBackgroundSide) + " x "
            + std::to_string(MaxBackgroundSide) + "): " + shown;
    return {};
}

void TfrmCustomize::chooseColour()
{
    const QColor shown = qColourOf(m_customColour);
    if (const std::optional<Colour> chosen =
            m_context.ports.dialogs.chooseColour(rgb(shown.red(), shown.green(), shown.blue()))) {
        m_customColour = long(toStoredColour(*chosen));
        m_customColourNode->setIcon(0, swatch(qColourOf(m_customColour)));
        m_background = {BackgroundCode::CustomColour, {}};
        refreshSamples();
    }
}

void TfrmCustomize::addBackground()
{
    const std::string start = m_lastPictureFolder.empty() ? m_context.programDir : m_lastPictureFolder;
    const std::optional<std::string> chosen = m_context.ports.dialogs.openPicture(start);
    if (!chosen)
        return;
    m_lastPictureFolder = std::filesystem::path(*chosen).parent_path().string();
    MessageBoxes& messages = m_context.ports.messages;
    if (const std::string problem = unstorableBackgroundPath(*chosen); !problem.empty()) {
        messages.information(problem + programText(fromPath(*chosen)));
        return;
    }
    if (const std::string problem = pictureProblem(*chosen); !problem.empty()) {
        messages.information(problem);
        return;
    }
    const std::optional<int> index = addCustomBackground(m_config, *utf8ToCp1252(*chosen));
    if (!index) {
        messages.information("The background could not be added to " + m_config.path() + ".");
        return;
    }
    fillCustomizedFolder();
    if (!chooseBackground(BackgroundCode::Customized, *index))
        messages.information("Node not found");
}

void TfrmCustomize::deleteBackground()
{
    const QTreeWidgetItem* item = m_trvBackGround->currentItem();
    if (!item || item->data(0, CodeRole).toInt() != BackgroundCode::Customized)
        return;
    MessageBoxes& messages = m_context.ports.messages;
    if (!messages.warningYesNo("Are you sure you want to delete this background?"))
        return;
    const std::string deleted = backgroundPath(programText(item->text(0)));
    if (!removeCustomBackground(m_config, item->data(0, IndexRole).toInt())) {
        messages.information("The background could not be deleted from " + m_config.path() + ".");
        return;
    }
    // The deleted picture is no longer a choice; the list's first one is, or the default.
    if (m_background.code == BackgroundCode::Customized && m_background.customizedPath == deleted)
        m_background = {BackgroundCode::Folder, {}};
    fillCustomizedFolder();
    if (!chooseBackground(BackgroundCode::Customized, 0))
        selectBackgroundNode(m_background);
    refreshSamples();
}

bool TfrmCustomize::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_trvBackGround && event->type() == QEvent::KeyPress
        && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        deleteBackground();
        return true;
    }
    if (event->type() == QEvent::FocusIn)
        for (const auto& [which, check] : m_checks)
            if (check == watched)
                showEffect(which);
    return QDialog::eventFilter(watched, event);
}

// ---- animations and sounds ----------------------------------------------------------------------

void TfrmCustomize::showEffect(Switch effect)
{
    const bool on = m_checks.at(effect)->isChecked();
    m_animatedYes->setPlay(effect == Switch::CardsAnimate && on);
    if (effect == Switch::CardsAnimate) {
        m_effectPreview->setCurrentIndex(on ? 1 : 2);
        return;
    }
    const char* name = effect == Switch::CardsShadowed ? (on ? "CARD_WITH_SHADOW" : "CARD_WITHOUT_SHADOW")
                                                       : (on ? "CARD_IRR_PILES_YES" : "CARD_IRR_PILES_NO");
    if (const std::unique_ptr<Bitmap> picture = m_context.stats.resources.bitmap(name))
        m_effectPicture->setPixmap(pixmapOf(*picture));
    m_effectPreview->setCurrentIndex(0);
}

void TfrmCustomize::winningAnimationChanged()
{
    const bool none = m_cboWinningAnim->currentText() == fromProgramText(NoWinningAnimation);
    m_edtWinningTime->setEnabled(!none);
    m_btnPreview->setEnabled(!none && m_context.previewWinning);
}

void TfrmCustomize::soundSelected()
{
    const QTreeWidgetItem* item = m_trvSounds->currentItem();
    const bool event = item && item->data(0, CodeRole).toInt() != SoundFolderCode;
    const bool on = event && item->data(0, SoundOnRole).toBool();
    m_soundButtons[0]->setEnabled(event && !on);
    m_soundButtons[1]->setEnabled(event && on);
    m_soundButtons[2]->setEnabled(event);
    m_soundButtons[3]->setEnabled(event);
}

void TfrmCustomize::setSoundOn(QTreeWidgetItem* item, bool on)
{
    if (!item || item->data(0, CodeRole).toInt() == SoundFolderCode)
        return;
    item->setData(0, SoundOnRole, on);
    item->setIcon(0, on ? style()->standardIcon(QStyle::SP_MediaVolume) : QIcon());
    soundSelected();
}

void TfrmCustomize::allSoundsDisabled(bool disabled)
{
    m_trvSounds->setEnabled(!disabled);
    for (QTreeWidgetItemIterator it(m_trvSounds); *it; ++it)
        setSoundOn(*it, !disabled);
    if (disabled)
        for (QPushButton* button : m_soundButtons)
            button->setEnabled(false);
    else
        soundSelected();
}

// ---- closing ------------------------------------------------------------------------------------

void TfrmCustomize::requestPreview()
{
    done(PreviewRequested);
}

void TfrmCustomize::apply()
{
    const PreferenceSet set = choices();
    applyLook(set, m_store);
    // The drawing reads the player's picture from CFG.DAT: it is there while the table is drawn,
    // and what was stored (or that nothing was) is put back afterwards.
    constexpr std::string_view Absent = "\n"; // no stored value holds a line break
    const std::string stored = m_config.readText(Preference, "Customized_Background", Absent);
    m_config.writeText(Preference, "Customized_Background", set.background.customizedPath);
    if (m_context.repaintTable)
        m_context.repaintTable();
    if (stored == Absent)
        m_config.deleteKey(Preference, "Customized_Background");
    else
        m_config.writeText(Preference, "Customized_Background", stored);
    m_applied = true;
}

bool TfrmCustomize::save()
{
    const PreferenceSet set = choices();
    MessageBoxes& messages = m_context.ports.messages;
    if (set.cardSize == 'M' && m_lookAtOpening.cardSize != "M"
        && !messages.confirmOkCancel("You have selected the small sized cards.\rYou will play using a predefined "
                                     "deck set."))
        return false;
    std::string failedKey;
    if (!writePreferenceSet(set, m_config, m_store, failedKey)) {
        messages.information("The preferences could not be written to " + m_config.path() + " (" + failedKey
                             + "). Nothing has been lost: correct the problem and press OK again.");
        return false;
    }
    if (m_context.applyWindow)
        m_context.applyWindow();
    return true;
}

void TfrmCustomize::done(int result)
{
    if (result == Accepted) {
        if (!save())
            return;
        if (m_context.repaintTable)
            m_context.repaintTable();
    } else if (result == Rejected && m_applied) {
        restoreLook(m_lookAtOpening, m_store);
        if (m_context.repaintTable)
            m_context.repaintTable();
    }
    QDialog::done(result);
}

void fnCustomizeDialog(CustomizeContext& context, int page, QWidget* parent)
{
    TfrmCustomize dialog(context, page, parent);
    while (dialog.exec() == TfrmCustomize::PreviewRequested && context.previewWinning) {
        // The animation runs at the speed being chosen; the session's own comes back after it.
        SessionStore& store = context.stats.store;
        const std::string speed = store.fnStoreGet(Fld::Speed_Move_Card);
        const PreferenceSet set = dialog.choices();
        store.fnStoreSet(Fld::Speed_Move_Card, std::to_string(set.speed));
        if (parent)
            parent->repaint();
        const bool goOn = context.previewWinning(set.winningAnimation, set.winningTime);
        store.fnStoreSet(Fld::Speed_Move_Card, speed);
        if (!goOn) {
            dialog.reject();
            return;
        }
    }
}

} // namespace kst
