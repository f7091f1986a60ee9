#pragma once
// Scripted doubles of every port. Tests queue the answers the "user" will give and read back
// what was shown, played or asked; nothing here touches a screen, a speaker or the real clock.

#include "platform/CardArt.h"
#include "platform/Ports.h"

#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace kst::test {

// One box that was shown: which kind, its caption and its text.
struct ShownBox {
    // "information", "warningYesNo", "questionYesNo", "question", "confirmOkCancel", "error", "advice"
    std::string kind;
    std::string caption;
    std::string text;
    int picturePage = -1; // advice only
};

class ScriptedMessageBoxes : public MessageBoxes {
public:
    // Queued answers are consumed in order by the asking boxes; with an empty queue a question
    // is answered with its cancelling answer (No, Cancel, Cancel) and advice is not ticked.
    void queueAnswer(Answer a) { m_answers.push_back(a); }
    void queueAdviceTicked(bool ticked) { m_adviceTicks.push_back(ticked); }

    const std::vector<ShownBox>& shown() const { return m_shown; }
    std::vector<std::string> texts() const;
    int beeps() const { return m_beeps; }
    void clear() { m_shown.clear(); m_beeps = 0; }

    void information(std::string_view text, std::string_view caption = {}) override;
    bool warningYesNo(std::string_view text, std::string_view caption = {}) override;
    bool questionYesNo(std::string_view text, std::string_view caption = {}) override;
    Answer question(std::string_view text, std::string_view caption = {}) override;
    bool confirmOkCancel(std::string_view text, std::string_view caption = {}) override;
    void error(std::string_view text, std::string_view caption) override;
    bool advice(std::string_view text, int picturePage) override;
    void beep() override { ++m_beeps; }

private:
    Answer nextAnswer(Answer fallback);
    std::deque<Answer> m_answers;
    std::deque<bool> m_adviceTicks;
    std::vector<ShownBox> m_shown;
    int m_beeps = 0;
};

// A clock that only moves when told, or by a fixed step on every read of the tick counter
// (so that busy waits end).
class FakeClock : public Clock {
public:
    std::uint64_t tickMs() override;
    DateTime now() override { return m_now; }
    void advance(std::uint64_t ms) { m_ticks += ms; }
    void setStepPerRead(std::uint64_t ms) { m_step = ms; }
    void setNow(const DateTime& t) { m_now = t; }
    std::uint64_t ticks() const { return m_ticks; }

private:
    std::uint64_t m_ticks = 1000;
    std::uint64_t m_step = 1;
    DateTime m_now{2026, 12, 10, 12, 0, 0, 0};
};

// Counts the calls; optionally advances a FakeClock so that a wait with messages ends.
class CountingEventPump : public EventPump {
public:
    explicit CountingEventPump(FakeClock* clock = nullptr) : m_clock(clock) {}
    void processPendingEvents(int maxWaitMs) override;
    int calls() const { return m_calls; }

private:
    FakeClock* m_clock;
    int m_calls = 0;
};

// Returns queued numbers (each taken modulo n), then a fixed linear sequence.
class ScriptedRandom : public RandomSource {
public:
    void queue(std::uint32_t value) { m_values.push_back(value); }
    void seedFromClock() override { ++m_seeds; }
    std::uint32_t below(std::uint32_t n) override;
    int seeds() const { return m_seeds; }

private:
    std::deque<std::uint32_t> m_values;
    std::uint32_t m_state = 12345;
    int m_seeds = 0;
};

struct PlayedSound {
    std::string path;
    PlayMode mode;
};

class RecordingSound : public SoundPlayer {
public:
    void play(const std::string& path, PlayMode mode) override { m_played.push_back({path, mode}); }
    void stop() override { ++m_stops; }
    const std::vector<PlayedSound>& played() const { return m_played; }
    int stops() const { return m_stops; }

private:
    std::vector<PlayedSound> m_played;
    int m_stops = 0;
};

// A plain 32-bit pixel buffer: the reference implementation of the bitmap port.
class MemoryBitmap : public Bitmap {
public:
    MemoryBitmap(int width = 0, int height = 0);
    int width() const override { return m_width; }
    int height() const override { return m_height; }
    void resize(int width, int height) override;
    void fillRect(const Rect& r, Colour c) override;
    void copyFrom(const Bitmap& source, const Rect& src, Point dst) override;
    Colour pixel(int x, int y) const override;
    void setPixel(int x, int y, Colour c) override;
    int alpha(int x, int y) const override;
    void blendFrom(const Bitmap& source, const Rect& src, Point dst) override;
    void copyTransparent(const Bitmap& source, const Rect& src, Point dst, Colour key) override;
    void invertRect(const Rect& r) override;
    // Texts are recorded, not drawn; each character is 6 pixels wide (7 in bold).
    void drawText(Point topLeft, std::string_view text, const TextStyle& style, Colour colour) override;
    int textWidth(std::string_view text, const TextStyle& style) const override;

    struct DrawnText {
        Point topLeft;
        std::string text;
        TextStyle style;
        Colour colour = 0;
    };
    const std::vector<DrawnText>& texts() const { return m_texts; }

    // A pixel with transparency; colour is premultiplied, as pixel() reports it.
    void setPixel(int x, int y, Pixel p);

private:
    // Each source pixel of the clipped block handed to put(destination x, y, source pixel).
    template <class Put>
    void eachSourcePixel(const Bitmap& source, const Rect& src, Point dst, Put put);

    int m_width = 0;
    int m_height = 0;
    std::vector<Pixel> m_pixels;
    std::vector<DrawnText> m_texts;
};

// One call of the card pictures double: what was asked for, and at which size.
struct ArtCall {
    std::string kind;  // "faces", "mark", "shadow", "border" or "scaled"
    std::string what;  // the theme file, the mark's code, the shadow's or border's number; empty for scaled
    ArtSize size;      // for scaled the size asked, at scale 1
    friend bool operator==(const ArtCall&, const ArtCall&) = default;
};

// Card pictures of the sizes asked, plain but each telling what it is: a face in its own colour
// (faceColour) with its corner pixels transparent, a mark half transparent, a shadow black, a border
// a grey frame on blue, a scaled picture the colour of the source's top left pixel. Every call is
// recorded, so tests can see a size drawn once and then reused.
class MemoryCardArt : public CardArt {
public:
    // From now on faces() of that drawing file returns nothing, as for a damaged file.
    void setUnreadable(const std::string& file) { m_unreadable.insert(file); }
    const std::vector<ArtCall>& calls() const { return m_calls; }
    // How many calls of that kind asked for that size.
    int callsOf(std::string_view kind, const ArtSize& size) const;
    void clearCalls() { m_calls.clear(); }
    // The colour of face 0..52 (the joker last).
    static Colour faceColour(int face) { return rgb(40 + face * 4, 255 - face * 4, 100); }

    std::vector<std::unique_ptr<Bitmap>> faces(const std::string& themeFile, const std::string& jokerFile,
                                               const ArtSize& size) override;
    std::unique_ptr<Bitmap> mark(std::string_view code, const ArtSize& size) override;
    std::unique_ptr<Bitmap> shadow(int which, const ArtSize& size, int shadowWidth) override;
    std::unique_ptr<Bitmap> border(int which, const ArtSize& size) override;
    std::unique_ptr<Bitmap> scaled(const Bitmap& picture, Size size) override;

private:
    std::set<std::string> m_unreadable;
    std::vector<ArtCall> m_calls;
};

// Picture files are registered by path with a size and a colour; a path that is not
// registered does not load.
class MemoryGraphics : public Graphics {
public:
    void addImageFile(const std::string& path, Size size, Colour colour);
    std::unique_ptr<Bitmap> createBitmap(int width, int height) override;
    std::unique_ptr<Bitmap> loadImageFile(const std::string& path) override;
    int displayColourBits() override { return m_colourBits; }
    Size screenSize() override { return m_screen; }
    void setDisplayColourBits(int bits) { m_colourBits = bits; }
    void setScreenSize(Size s) { m_screen = s; }
    const std::vector<std::string>& loadedPaths() const { return m_loaded; }
    CardArt* cardArt() override { return &m_cardArt; }
    MemoryCardArt& memoryCardArt() { return m_cardArt; }

private:
    struct ImageFile {
        Size size;
        Colour colour;
    };
    std::map<std::string, ImageFile> m_files;
    std::vector<std::string> m_loaded;
    int m_colourBits = 32;
    Size m_screen{1280, 1024};
    MemoryCardArt m_cardArt;
};

// A library of plain single-colour pictures, registered by name.
class FakeResourceLibrary : public ResourceLibrary {
public:
    void addPicture(const std::string& name, Size size, Colour colour = 0);
    void setLoadable(bool ok) { m_loadable = ok; }
    bool load(const std::string& path) override;
    void release() override { m_loaded = false; }
    bool isLoaded() const override { return m_loaded; }
    std::unique_ptr<Bitmap> bitmap(const std::string& name) override;
    std::vector<std::pair<std::string, Size>> pictures() const override;
    const std::string& loadedPath() const { return m_path; }

private:
    struct Picture {
        Size size;
        Colour colour;
    };
    std::map<std::string, Picture> m_pictures;
    bool m_loadable = true;
    bool m_loaded = false;
    std::string m_path;
};

// Queued answers for the common dialogs; an empty queue cancels.
class ScriptedFileDialogs : public FileDialogs {
public:
    void queueFile(std::optional<std::string> path) { m_files.push_back(std::move(path)); }
    void queueColour(std::optional<Colour> c) { m_colours.push_back(c); }
    std::optional<std::string> openFile(const std::string& title, const std::string& directory,
                                        const FileFilter& filter) override;
    std::optional<std::string> saveFile(const std::string& title, const std::string& directory,
                                        const FileFilter& filter) override;
    std::optional<std::string> openPicture(const std::string& directory) override;
    std::optional<Colour> chooseColour(Colour initial) override;
    // Titles and directories of the dialogs opened so far, "title|directory".
    const std::vector<std::string>& opened() const { return m_opened; }

private:
    std::optional<std::string> nextFile();
    std::deque<std::optional<std::string>> m_files;
    std::deque<std::optional<Colour>> m_colours;
    std::vector<std::string> m_opened;
};

class RecordingPointer : public PointerShapes {
public:
    void showBusy() override { ++m_depth; ++m_busyCount; }
    void restore() override { --m_depth; }
    int depth() const { return m_depth; }
    int busyCount() const { return m_busyCount; }

private:
    int m_depth = 0;
    int m_busyCount = 0;
};

class RecordingApplication : public Application {
public:
    void terminate(int exitCode) override { m_exitCode = exitCode; }
    void repaintMainWindow() override { ++m_repaints; }
    std::optional<int> exitCode() const { return m_exitCode; }
    int repaints() const { return m_repaints; }

private:
    std::optional<int> m_exitCode;
    int m_repaints = 0;
};

// All doubles together; ports() hands them to the code under test.
struct TestPorts {
    ScriptedMessageBoxes messages;
    FakeClock clock;
    CountingEventPump events{&clock};
    ScriptedRandom random;
    RecordingSound sound;
    FakeResourceLibrary resources;
    ScriptedFileDialogs dialogs;
    MemoryGraphics graphics;
    RecordingPointer pointer;
    RecordingApplication app;
    LocaleFormat locale;

    Ports ports()
    {
        return Ports{messages, clock, events, random, sound, resources, dialogs, graphics, pointer, app, locale};
    }
};

} // namespace kst::test
