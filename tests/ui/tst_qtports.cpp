// The Qt implementations of the ports, each against what the core expects of it.

#include "UiTestSupport.h"

#include "platform/qt/QtAdviceDialog.h"
#include "platform/qt/QtPorts.h"
#include "platform/qt/QtScreenPictures.h"
#include "platform/qt/QtSound.h"
#include "platform/qt/QtText.h"
#include "platform/test/TestPorts.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QtEndian>

#include <functional>
#include <set>

using namespace kst;

namespace {

// A pattern in which every pixel differs, so a misplaced copy shows.
template <class B>
void paintPattern(B& bitmap, int seed)
{
    for (int y = 0; y < bitmap.height(); ++y)
        for (int x = 0; x < bitmap.width(); ++x)
            bitmap.setPixel(x, y, rgb(seed * 40 + x * 20, y * 30, x * 7 + y * 11 + seed));
}

QString describeDifference(const Bitmap& actual, const Bitmap& expected)
{
    if (actual.width() != expected.width() || actual.height() != expected.height())
        return QStringLiteral("size %1x%2, expected %3x%4")
            .arg(actual.width()).arg(actual.height()).arg(expected.width()).arg(expected.height());
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return QStringLiteral("pixel %1,%2 is %3, expected %4")
                    .arg(x).arg(y).arg(actual.pixel(x, y), 6, 16).arg(expected.pixel(x, y), 6, 16);
    return {};
}

// Runs onShown on the first modal window that opens while call runs.
void whileModal(const std::function<void(QWidget*)>& onShown, const std::function<void()>& call)
{
    bool handled = false;
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* modal = QApplication::activeModalWidget(); modal && !handled) {
            handled = true;
            onShown(modal);
        }
    });
    poll.start();
    call();
    QVERIFY2(handled, "no modal window was shown");
}

QByteArray waveFile(std::uint32_t byteRate, std::uint32_t promisedBytes, std::uint32_t presentBytes,
                    bool dataFirst = false, bool oddChunk = false)
{
    auto le = [](std::uint32_t v, int bytes) {
        QByteArray b;
        for (int i = 0; i < bytes; ++i)
            b += char((v >> (8 * i)) & 0xff);
        return b;
    };
    const QByteArray fmt = "fmt " + le(16, 4) + le(1, 2) + le(1, 2) + le(byteRate, 4) + le(byteRate, 4)
        + le(1, 2) + le(8, 2);
    const QByteArray data = "data" + le(promisedBytes, 4) + QByteArray(int(presentBytes), '\x80');
    const QByteArray extra = oddChunk ? "LIST" + le(3, 4) + QByteArray("abc\0", 4) : QByteArray();
    const QByteArray body = "WAVE" + extra + (dataFirst ? data + fmt : fmt + data);
    return "RIFF" + le(std::uint32_t(body.size()), 4) + body;
}

} // namespace

class TstQtPorts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { test::filterHarmlessWarnings(); }

    void bitmapDrawsLikeTheReferenceBitmap_data();
    void bitmapDrawsLikeTheReferenceBitmap();
    void bitmapIsTheImageTheShellPaints();
    void bitmapTransparencyMatchesTheReference();
    void graphicsLoadsPictureFiles();
    void resourceLibraryServesPicturesByTheirExactNames();
    void resourceLibraryRefusesMissingAndDamagedFiles();
    void resourceLibrarySurvivesAnyDamagedByte();
    void resourceLibrariesKeepTheirNamesApart();
    void screenPicturesTakeTheTwinOnFinerScreens_data();
    void screenPicturesTakeTheTwinOnFinerScreens();
    void messageBoxesShowProgramTextsAndAnswer_data();
    void messageBoxesShowProgramTextsAndAnswer();
    void adviceDialogTellsWhetherItWasTicked();
    void advicePicturesAreDrawn();
    void waveDurationComesFromTheDataPresent();
    void soundOffMakesASilentPlayer();
    void timeSeparatorIsTakenFromTheTimeFormat();
    void eventPumpRunsPendingWork();
    void busyPointerNestsAndLeavesOtherCursorsAlone();
    void randomNumbersCoverTheirRange();
    void fileFiltersMatchEitherCase();

private:
    QTemporaryDir m_dir;
};

// ---- bitmaps ---------------------------------------------------------------------------------

void TstQtPorts::bitmapDrawsLikeTheReferenceBitmap_data()
{
    QTest::addColumn<int>("sourceKind"); // 0 the same bitmap, 1 another QtBitmap, 2 a MemoryBitmap
    QTest::addColumn<QRect>("source");
    QTest::addColumn<QPoint>("destination");

    QTest::newRow("overlap down and right") << 0 << QRect(1, 1, 4, 3) << QPoint(2, 2);
    QTest::newRow("overlap up and left") << 0 << QRect(2, 2, 4, 3) << QPoint(1, 1);
    QTest::newRow("overlap along a row") << 0 << QRect(0, 0, 5, 2) << QPoint(2, 0);
    QTest::newRow("overlap along a column") << 0 << QRect(0, 0, 3, 4) << QPoint(0, 1);
    QTest::newRow("clipped at the top left") << 0 << QRect(0, 0, 8, 6) << QPoint(-2, -1);
    QTest::newRow("source outside its bitmap") << 0 << QRect(-1, -1, 4, 4) << QPoint(3, 3);
    QTest::newRow("other bitmap, clipped") << 1 << QRect(1, 0, 10, 10) << QPoint(5, 4);
    QTest::newRow("other bitmap, off the edge") << 1 << QRect(0, 0, 3, 3) << QPoint(8, 0);
    QTest::newRow("memory bitmap") << 2 << QRect(0, 0, 3, 3) << QPoint(1, 1);
}

void TstQtPorts::bitmapDrawsLikeTheReferenceBitmap()
{
    QFETCH(int, sourceKind);
    QFETCH(QRect, source);
    QFETCH(QPoint, destination);

    QtBitmap qt(8, 6);
    test::MemoryBitmap reference(8, 6);
    paintPattern(qt, 1);
    paintPattern(reference, 1);
    qt.fillRect({-2, 4, 4, 9}, rgb(9, 8, 7));
    reference.fillRect({-2, 4, 4, 9}, rgb(9, 8, 7));
    qt.setPixel(-1, 0, rgb(1, 1, 1));
    qt.setPixel(8, 0, rgb(1, 1, 1));

    QtBitmap otherQt(6, 5);
    test::MemoryBitmap otherReference(6, 5);
    paintPattern(otherQt, 3);
    paintPattern(otherReference, 3);

    const Rect src{source.x(), source.y(), source.width(), source.height()};
    const Point dst{destination.x(), destination.y()};
    switch (sourceKind) {
    case 0:
        qt.copyFrom(qt, src, dst);
        reference.copyFrom(reference, src, dst);
        break;
    case 1:
        qt.copyFrom(otherQt, src, dst);
        reference.copyFrom(otherReference, src, dst);
        break;
    default:
        qt.copyFrom(otherReference, src, dst);
        reference.copyFrom(otherReference, src, dst);
        break;
    }
    const QString difference = describeDifference(qt, reference);
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
    QCOMPARE(qt.pixel(-1, 0), Colour(0));
    QCOMPARE(qt.pixel(0, 6), Colour(0));
}

void TstQtPorts::bitmapIsTheImageTheShellPaints()
{
    QtBitmap bitmap(4, 3);
    QCOMPARE(bitmap.image().format(), QImage::Format_RGB32);
    QCOMPARE(bitmap.image().pixel(3, 2), qRgb(0, 0, 0));
    bitmap.fillRect({1, 1, 2, 1}, rgb(10, 20, 30));
    QCOMPARE(bitmap.image().pixel(2, 1), qRgb(10, 20, 30));
    bitmap.resize(0, 5);
    QCOMPARE(bitmap.width(), 0);
    bitmap.fillRect({0, 0, 5, 5}, rgb(1, 2, 3)); // nothing to fill, nothing to crash
    QCOMPARE(bitmap.pixel(0, 0), Colour(0));
}

// A picture with an alpha channel (as the marks are) blended, copied, keyed and inverted: the Qt
// bitmap and the reference agree pixel for pixel, and a plain copy never lets transparency in.
void TstQtPorts::bitmapTransparencyMatchesTheReference()
{
    QImage picture(5, 4, QImage::Format_ARGB32_Premultiplied);
    test::MemoryBitmap referencePicture(5, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x) {
            const int a = (x * 4 + y) * 255 / 19; // 0 (transparent) .. 255 (opaque)
            const int r = 200 * a / 255, g = 40 * a / 255, b = (x * 50) * a / 255;
            picture.setPixel(x, y, qRgba(r, g, b, a));
            referencePicture.setPixel(x, y, Pixel{rgb(r, g, b), a});
        }
    picture.setPixel(2, 2, qRgba(0, 0, 255, 255)); // the key colour of the keyed copy
    referencePicture.setPixel(2, 2, rgb(0, 0, 255));
    const QtBitmap qtPicture(picture);
    QCOMPARE(qtPicture.alpha(0, 0), 0);
    QCOMPARE(qtPicture.alpha(4, 3), 255);

    for (int operation = 0; operation < 4; ++operation) {
        QtBitmap qt(8, 6);
        test::MemoryBitmap reference(8, 6);
        paintPattern(qt, 2);
        paintPattern(reference, 2);
        const Rect src{0, 0, 5, 4};
        const Point dst{4, 3}; // partly off the edge
        switch (operation) {
        case 0:
            qt.blendFrom(qtPicture, src, dst);
            reference.blendFrom(referencePicture, src, dst);
            break;
        case 1:
            qt.copyFrom(qtPicture, src, dst);
            reference.copyFrom(referencePicture, src, dst);
            break;
        case 2:
            qt.copyTransparent(qtPicture, src, dst, rgb(0, 0, 255));
            reference.copyTransparent(referencePicture, src, dst, rgb(0, 0, 255));
            break;
        default:
            qt.invertRect({-1, 2, 4, 9});
            reference.invertRect({-1, 2, 4, 9});
            break;
        }
        const QString difference = describeDifference(qt, reference);
        QVERIFY2(difference.isEmpty(), qPrintable(QStringLiteral("operation %1: ").arg(operation) + difference));
        test::MemoryBitmap untouched(8, 6);
        paintPattern(untouched, 2);
        QVERIFY2(!describeDifference(qt, untouched).isEmpty(), "the operation changed nothing");
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x)
                QCOMPARE(qAlpha(qt.image().pixel(x, y)), 255);
    }
}

void TstQtPorts::graphicsLoadsPictureFiles()
{
    QImage picture(4, 3, QImage::Format_RGB32);
    picture.fill(qRgb(200, 100, 50));
    picture.setPixel(3, 2, qRgb(1, 2, 3));
    const QString bmp = m_dir.filePath(QStringLiteral("B001.BMP"));
    const QString png = m_dir.filePath(QStringLiteral("picture.png"));
    const QString text = m_dir.filePath(QStringLiteral("text.bmp"));
    QVERIFY(picture.save(bmp, "BMP"));
    QVERIFY(picture.save(png, "PNG"));
    QFile notAPicture(text);
    QVERIFY(notAPicture.open(QIODevice::WriteOnly) && notAPicture.write("BM but not really a picture") > 0);
    notAPicture.close();

    QtGraphics graphics;
    for (const QString& path : {bmp, png}) {
        const auto loaded = graphics.loadImageFile(toPath(path));
        QVERIFY2(loaded, qPrintable(path));
        QCOMPARE(loaded->width(), 4);
        QCOMPARE(loaded->height(), 3);
        QCOMPARE(loaded->pixel(0, 0), rgb(200, 100, 50));
        QCOMPARE(loaded->pixel(3, 2), rgb(1, 2, 3));
    }
    QVERIFY(!graphics.loadImageFile(toPath(text)));
    QVERIFY(!graphics.loadImageFile(toPath(m_dir.filePath(QStringLiteral("missing.bmp")))));
    QVERIFY(graphics.displayColourBits() > 0);
    QVERIFY(graphics.screenSize().width > 0);
}

// ---- resource library ------------------------------------------------------------------------

void TstQtPorts::resourceLibraryServesPicturesByTheirExactNames()
{
    QtResourceLibrary library;
    QVERIFY(!library.isLoaded());
    QVERIFY(library.load(KST_TEST_LIBRARY));
    QVERIFY(library.isLoaded());

    // Top-level PNGs only: the file of another kind and the subfolder's picture are no pictures.
    const std::vector<std::pair<std::string, Size>> expected{{"ALPHA", {3, 2}}, {"Beta", {5, 4}}};
    QVERIFY(library.pictures() == expected);

    const auto alpha = library.bitmap("ALPHA");
    QVERIFY(alpha);
    QCOMPARE(alpha->width(), 3);
    QCOMPARE(alpha->pixel(0, 0), rgb(255, 0, 0));
    QCOMPARE(alpha->pixel(2, 1), rgb(0, 255, 0));
    for (const char* missing : {"alpha", "ARROW", "cursors/ARROW", "notes", "ALPHA.png", ""})
        QVERIFY2(!library.bitmap(missing), missing);

    library.release();
    QVERIFY(!library.isLoaded());
    QVERIFY(!library.bitmap("ALPHA"));
    QVERIFY(library.pictures().empty());
}

void TstQtPorts::resourceLibraryRefusesMissingAndDamagedFiles()
{
    QFile good(QStringLiteral(KST_TEST_LIBRARY));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();

    std::vector<std::pair<QString, QByteArray>> damaged{
        {QStringLiteral("empty"), QByteArray()},
        {QStringLiteral("text"), QByteArray("[Sect1]\r\nnot a library\r\n")},
        {QStringLiteral("magic"), QByteArray(bytes).replace(0, 4, "qrez")},
        {QStringLiteral("version"), QByteArray(bytes).replace(4, 4, QByteArray("\0\0\0\x09", 4))},
    };
    // Cut anywhere, the file loses part of its tree or of what the tree points to.
    for (qsizetype length = 1; length < bytes.size(); ++length)
        damaged.emplace_back(QStringLiteral("cut at %1").arg(length), bytes.left(length));

    const QString path = m_dir.filePath(QStringLiteral("damaged.rgf"));
    QtResourceLibrary library;
    for (const auto& [name, content] : damaged) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        QVERIFY2(!library.load(toPath(path)), qPrintable(name));
        QVERIFY(!library.isLoaded());
    }
    QVERIFY(!library.load(toPath(m_dir.filePath(QStringLiteral("missing.rgf")))));
    QVERIFY(library.load(KST_TEST_LIBRARY));
}

void TstQtPorts::resourceLibrarySurvivesAnyDamagedByte()
{
    QFile good(QStringLiteral(KST_TEST_LIBRARY));
    QVERIFY(good.open(QIODevice::ReadOnly));
    const QByteArray bytes = good.readAll();
    QVERIFY(bytes.size() > 24);
    auto offset = [&](int at) { return qFromBigEndian<quint32>(bytes.constData() + at); };
    // The pictures' own bytes are the picture decoder's business; the header, the names and
    // the node tree are what the library must check before Qt reads through them.
    const qsizetype picturesStart = offset(12), picturesEnd = offset(16);
    QVERIFY(picturesStart < picturesEnd && picturesEnd < bytes.size());
    const QString path = m_dir.filePath(QStringLiteral("flipped.rgf"));
    QtResourceLibrary library;
    int refused = 0;
    for (qsizetype at = 0; at < bytes.size(); ++at) {
        if (at >= picturesStart + 4 && at < picturesEnd)
            continue;
        QByteArray content = bytes;
        content[at] = char(~content[at]);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
        file.close();
        if (!library.load(toPath(path))) {
            ++refused;
            continue;
        }
        // Whatever still loads must serve what it lists, or say it has nothing.
        for (const auto& [name, size] : library.pictures())
            if (const auto bitmap = library.bitmap(name))
                QVERIFY(bitmap->width() >= 0);
    }
    QVERIFY(refused > 0);
}

void TstQtPorts::resourceLibrariesKeepTheirNamesApart()
{
    QtResourceLibrary first, second;
    QVERIFY(first.load(KST_TEST_LIBRARY));
    QVERIFY(second.load(KST_TEST_LIBRARY));
    QVERIFY(first.picturePath("ALPHA") != second.picturePath("ALPHA"));
    first.release();
    QVERIFY(!first.bitmap("ALPHA"));
    QVERIFY(second.bitmap("ALPHA"));
}

// ---- message boxes ---------------------------------------------------------------------------

void TstQtPorts::messageBoxesShowProgramTextsAndAnswer_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QByteArray>("caption");
    QTest::addColumn<int>("press"); // a StandardButton, or 0 for the Escape key
    QTest::addColumn<QString>("expectedCaption");
    QTest::addColumn<int>("expectedDefault");
    QTest::addColumn<QString>("expectedAnswer");

    const int escape = 0;
    QTest::newRow("information") << "information" << QByteArray() << int(QMessageBox::Ok) << "Kestrane 2000"
                                 << int(QMessageBox::Ok) << "";
    QTest::newRow("warning yes") << "warningYesNo" << QByteArray("Clear") << int(QMessageBox::Yes) << "Clear"
                                 << int(QMessageBox::No) << "yes";
    QTest::newRow("warning escape") << "warningYesNo" << QByteArray() << escape << "Kestrane 2000"
                                    << int(QMessageBox::No) << "no";
    QTest::newRow("question no") << "question" << QByteArray() << int(QMessageBox::No) << "Kestrane 2000"
                                 << int(QMessageBox::Yes) << "no";
    QTest::newRow("question escape") << "question" << QByteArray() << escape << "Kestrane 2000"
                                     << int(QMessageBox::Yes) << "cancel";
    QTest::newRow("confirm ok") << "confirmOkCancel" << QByteArray() << int(QMessageBox::Ok) << "Kestrane 2000"
                                << int(QMessageBox::Ok) << "yes";
    QTest::newRow("confirm escape") << "confirmOkCancel" << QByteArray() << escape << "Kestrane 2000"
                                    << int(QMessageBox::Ok) << "no";
    QTest::newRow("error") << "error" << QByteArray("Error") << int(QMessageBox::Ok) << "Error"
                           << int(QMessageBox::Ok) << "";
    QTest::newRow("caption in Windows-1252") << "error" << QByteArray("Caf\xe9") << int(QMessageBox::Ok)
                                             << QString::fromUtf8("Caf\u00e9") << int(QMessageBox::Ok) << "";
}

void TstQtPorts::messageBoxesShowProgramTextsAndAnswer()
{
    QFETCH(QString, kind);
    QFETCH(QByteArray, caption);
    QFETCH(int, press);
    QFETCH(QString, expectedCaption);
    QFETCH(int, expectedDefault);
    QFETCH(QString, expectedAnswer);

    // Windows-1252 bytes, CR line breaks, and markup that must stay plain text.
    const std::string text = "Cannot find file:\rC:\\Caf\xe9\\<b>GAMES.DAT</b>\r\n\x80 5";
    QtMessageBoxes boxes;
    QString shownCaption, shownText;
    Qt::TextFormat shownFormat = Qt::AutoText;
    int shownDefault = -1;
    QString answer;
    whileModal(
        [&](QWidget* modal) {
            auto* box = qobject_cast<QMessageBox*>(modal);
            QVERIFY(box);
            shownCaption = box->windowTitle();
            shownText = box->text();
            shownFormat = box->textFormat();
            shownDefault = box->defaultButton() ? int(box->standardButton(box->defaultButton())) : 0;
            if (press == 0)
                QTest::keyClick(box, Qt::Key_Escape);
            else
                box->button(QMessageBox::StandardButton(press))->click();
        },
        [&] {
            const std::string_view c(caption.constData(), std::size_t(caption.size()));
            if (kind == QLatin1String("information"))
                boxes.information(text, c);
            else if (kind == QLatin1String("warningYesNo"))
                answer = boxes.warningYesNo(text, c) ? "yes" : "no";
            else if (kind == QLatin1String("question"))
                switch (boxes.question(text, c)) {
                case Answer::Yes: answer = "yes"; break;
                case Answer::No: answer = "no"; break;
                default: answer = "cancel"; break;
                }
            else if (kind == QLatin1String("confirmOkCancel"))
                answer = boxes.confirmOkCancel(text, c) ? "yes" : "no";
            else
                boxes.error(text, c);
        });
    QCOMPARE(shownCaption, expectedCaption);
    QCOMPARE(shownText, QString::fromUtf8("Cannot find file:\nC:\\Caf\u00e9\\<b>GAMES.DAT</b>\n\u20ac 5"));
    QCOMPARE(shownFormat, Qt::PlainText);
    QCOMPARE(shownDefault, expectedDefault);
    QCOMPARE(answer, expectedAnswer);
}

void TstQtPorts::adviceDialogTellsWhetherItWasTicked()
{
    QtMessageBoxes boxes;
    for (const bool tick : {true, false}) {
        QString caption, text, checkText;
        bool result = !tick;
        whileModal(
            [&](QWidget* modal) {
                caption = modal->windowTitle();
                text = modal->findChild<QLabel*>(QStringLiteral("lblAdvice"))->text();
                auto* check = modal->findChild<QCheckBox*>();
                checkText = check->text();
                if (tick) {
                    check->click();
                    modal->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
                } else {
                    QTest::keyClick(modal, Qt::Key_Escape);
                }
            },
            [&] { result = boxes.advice("256 colours \x96 or fewer.\rModify them.", 0); });
        QCOMPARE(result, tick);
        QCOMPARE(caption, QStringLiteral("Information"));
        QCOMPARE(text, QString::fromUtf8("256 colours \u2013 or fewer.\nModify them."));
        QCOMPARE(checkText, QStringLiteral("&Don't show this message box again"));
    }
}

void TstQtPorts::advicePicturesAreDrawn()
{
    const QImage depth = QtAdviceDialog::picture(0).toImage();
    const QImage size = QtAdviceDialog::picture(1).toImage();
    QCOMPARE(depth.size(), size.size());
    QVERIFY(depth != size);
    for (const QImage& picture : {depth, size}) {
        std::set<QRgb> colours;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                colours.insert(picture.pixel(x, y));
        QVERIFY(colours.size() > 8);
    }
}

// ---- sound -----------------------------------------------------------------------------------

void TstQtPorts::waveDurationComesFromTheDataPresent()
{
    const struct {
        const char* name;
        QByteArray content;
        int expectedMs; // -1: not a wave
    } cases[] = {
        {"half a second", waveFile(8000, 4000, 4000), 500},
        {"promises more than it holds", waveFile(8000, 8000, 2000), 250},
        {"data before format", waveFile(8000, 4000, 4000, true), 500},
        {"odd-sized chunk first", waveFile(8000, 800, 800, false, true), 100},
        {"no byte rate", waveFile(0, 4000, 4000), -1},
        {"not a wave", QByteArray("RIFF\x04\0\0\0AVI LIST", 16), -1},
        {"empty", QByteArray(), -1},
    };
    for (const auto& c : cases) {
        const QString path = m_dir.filePath(QStringLiteral("sound.wav"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(c.content);
        file.close();
        QCOMPARE(waveDurationMs(toPath(path)).value_or(-1), c.expectedMs);
    }
    QVERIFY(!waveDurationMs(toPath(m_dir.filePath(QStringLiteral("missing.wav")))));
}

void TstQtPorts::soundOffMakesASilentPlayer()
{
    QVERIFY(QtPorts(true).soundIsOff());
    const QByteArray saved = qgetenv("KESTRANE_NO_SOUND");
    qputenv("KESTRANE_NO_SOUND", "1");
    QtPorts ports;
    QVERIFY(ports.soundIsOff());
    ports.ports().sound.play(toPath(m_dir.filePath(QStringLiteral("missing.wav"))), PlayMode::Sync);
    ports.ports().sound.stop();
    qputenv("KESTRANE_NO_SOUND", saved);
}

// ---- clock, locale, pump, pointer, random, dialogs -------------------------------------------

void TstQtPorts::timeSeparatorIsTakenFromTheTimeFormat()
{
    const struct {
        const char* format;
        const char* separator;
    } cases[] = {
        {"HH:mm", ":"}, {"h:mm AP", ":"}, {"HH.mm", "."}, {"HH 'h' mm", "h"}, {"mm:ss", ":"}, {"", ":"},
    };
    for (const auto& c : cases)
        QCOMPARE(timeSeparatorOf(QString::fromLatin1(c.format)), QString::fromLatin1(c.separator));
    const LocaleFormat locale = systemLocaleFormat();
    QVERIFY(!locale.decimalSeparator.empty());
    QVERIFY(!locale.timeSeparator.empty());
}

void TstQtPorts::eventPumpRunsPendingWork()
{
    QtEventPump pump;
    int runs = 0;
    QMetaObject::invokeMethod(this, [&] { ++runs; }, Qt::QueuedConnection);
    pump.processPendingEvents(0);
    QCOMPARE(runs, 1);
    pump.processPendingEvents(5); // nothing left: a short nap, then back
    QCOMPARE(runs, 1);
}

void TstQtPorts::busyPointerNestsAndLeavesOtherCursorsAlone()
{
    QtPointer pointer;
    auto shape = [] { return QGuiApplication::overrideCursor() ? QGuiApplication::overrideCursor()->shape() : Qt::BitmapCursor; };
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    {
        BusyPointer outer(pointer);
        {
            BusyPointer inner(pointer);
            QCOMPARE(shape(), Qt::WaitCursor);
        }
        QCOMPARE(shape(), Qt::WaitCursor);
    }
    QCOMPARE(shape(), Qt::CrossCursor);
    pointer.restore();
    QCOMPARE(shape(), Qt::CrossCursor);
    QGuiApplication::restoreOverrideCursor();
    QVERIFY(!QGuiApplication::overrideCursor());
}

void TstQtPorts::randomNumbersCoverTheirRange()
{
    QtRandom random;
    random.seedFromClock();
    QCOMPARE(random.below(0), 0u);
    QCOMPARE(random.below(1), 0u);
    std::set<std::uint32_t> seen;
    for (int i = 0; i < 2000; ++i) {
        const std::uint32_t n = random.below(7);
        QVERIFY(n < 7);
        seen.insert(n);
    }
    QCOMPARE(seen.size(), std::size_t(7));
}

void TstQtPorts::fileFiltersMatchEitherCase()
{
    QCOMPARE(dialogFilter({"Game", "*.gam"}), QStringLiteral("Game (*.gam *.GAM)"));
    QCOMPARE(dialogFilter({"Game", "*.GAM"}), QStringLiteral("Game (*.GAM *.gam)"));
    QCOMPARE(dialogFilter({"Pictures", "*.bmp *.Png"}), QStringLiteral("Pictures (*.bmp *.BMP *.Png *.png *.PNG)"));
}

// ---- pictures for the screen ----------------------------------------------------------------------

void TstQtPorts::screenPicturesTakeTheTwinOnFinerScreens_data()
{
    QTest::addColumn<bool>("hasOriginal");
    QTest::addColumn<int>("twinSide"); // 0: no twin
    QTest::addColumn<double>("ratio");
    QTest::addColumn<double>("expectedRatio"); // 0: no picture
    QTest::addColumn<bool>("showsTwin");
    QTest::newRow("plain screen") << true << 32 << 1.0 << 1.0 << false;
    QTest::newRow("twice as fine") << true << 32 << 2.0 << 2.0 << true;
    QTest::newRow("half again as fine") << true << 32 << 1.5 << 2.0 << true;
    QTest::newRow("no twin") << true << 0 << 2.0 << 1.0 << false;
    QTest::newRow("a twin of the wrong size") << true << 24 << 2.0 << 1.0 << false;
    QTest::newRow("a twin without its original") << false << 32 << 2.0 << 0.0 << false;
}

// Whatever it picks, the picture lays out at the original's 16 x 16.
void TstQtPorts::screenPicturesTakeTheTwinOnFinerScreens()
{
    QFETCH(bool, hasOriginal);
    QFETCH(int, twinSide);
    QFETCH(double, ratio);
    QFETCH(double, expectedRatio);
    QFETCH(bool, showsTwin);
    const Colour originalColour = rgb(200, 0, 0), twinColour = rgb(0, 0, 200);
    test::FakeResourceLibrary library;
    QVERIFY(library.load("KST.RGF"));
    if (hasOriginal)
        library.addPicture("TB_NEW", {16, 16}, originalColour);
    if (twinSide)
        library.addPicture("TB_NEW@2", {twinSide, twinSide}, twinColour);
    const QPixmap pixmap = screenPicture(library, "TB_NEW", ratio);
    if (expectedRatio == 0) {
        QVERIFY(pixmap.isNull());
        return;
    }
    QCOMPARE(pixmap.devicePixelRatio(), expectedRatio);
    QCOMPARE(pixmap.deviceIndependentSize(), QSizeF(16, 16));
    const QRgb shown = pixmap.toImage().pixel(0, 0) & RGB_MASK;
    QCOMPARE(shown, QRgb(showsTwin ? twinColour : originalColour) & RGB_MASK);
}

KST_UI_TEST_MAIN(TstQtPorts)
#include "tst_qtports.moc"
