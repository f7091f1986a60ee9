#include "platform/test/TestPorts.h"

#include <algorithm>
#include <cstring>

namespace kst::test {

// ---- message boxes --------------------------------------------------------------------------

std::vector<std::string> ScriptedMessageBoxes::texts() const
{
    std::vector<std::string> out;
    for (const ShownBox& b : m_shown)
        out.push_back(b.text);
    return out;
}

Answer ScriptedMessageBoxes::nextAnswer(Answer fallback)
{
    if (m_answers.empty())
        return fallback;
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

void ScriptedMessageBoxes::information(std::string_view text, std::string_view caption)
{
    m_shown.push_back({"information", std::string(caption), std::string(text)});
}

bool ScriptedMessageBoxes::warningYesNo(std::string_view text, std::string_view caption)
{
    m_shown.push_back({"warningYesNo", std::string(caption), std::string(text)});
    return nextAnswer(Answer::No) == Answer::Yes;
}

bool ScriptedMessageBoxes::questionYesNo(std::string_view text, std::string_view caption)
{
    m_shown.push_back({"questionYesNo", std::string(caption), std::string(text)});
    return nextAnswer(Answer::No) == Answer::Yes;
}

Answer ScriptedMessageBoxes::question(std::string_view text, std::string_view caption)
{
    m_shown.push_back({"question", std::string(caption), std::string(text)});
    return nextAnswer(Answer::Cancel);
}

bool ScriptedMessageBoxes::confirmOkCancel(std::string_view text, std::string_view caption)
{
    m_shown.push_back({"confirmOkCancel", std::string(caption), std::string(text)});
    return nextAnswer(Answer::Cancel) == Answer::Ok;
}

void ScriptedMessageBoxes::error(std::string_view text, std::string_view caption)
{
    m_shown.push_back({"error", std::string(caption), std::string(text)});
}

bool ScriptedMessageBoxes::advice(std::string_view text, int picturePage)
{
    m_shown.push_back({"advice", "Information", std::string(text), picturePage});
    if (m_adviceTicks.empty())
        return false;
    const bool ticked = m_adviceTicks.front();
    m_adviceTicks.pop_front();
    return ticked;
}

// ---- clock, pump, random ---------------------------------------------------------------------

std::uint64_t FakeClock::tickMs()
{
    const std::uint64_t t = m_ticks;
    m_ticks += m_step;
    return t;
}

void CountingEventPump::processPendingEvents(int maxWaitMs)
{
    ++m_calls;
    if (m_clock)
        m_clock->advance(std::uint64_t(std::max(maxWaitMs, 1)));
}

std::uint32_t ScriptedRandom::below(std::uint32_t n)
{
    if (n == 0)
        return 0;
    if (!m_values.empty()) {
        const std::uint32_t v = m_values.front();
        m_values.pop_front();
        return v % n;
    }
    m_state = m_state * 1103515245u + 12345u;
    return (m_state >> 8) % n;
}

// ---- bitmaps ---------------------------------------------------------------------------------

MemoryBitmap::MemoryBitmap(int width, int height)
{
    resize(width, height);
}

void MemoryBitmap::resize(int width, int height)
{
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(std::size_t(m_width) * std::size_t(m_height), Pixel{});
}

void MemoryBitmap::fillRect(const Rect& r, Colour c)
{
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.right(), m_width), y1 = std::min(r.bottom(), m_height);
    for (int y = y0; y < y1; ++y)
        std::fill(m_pixels.begin() + std::ptrdiff_t(y) * m_width + x0,
                  m_pixels.begin() + std::ptrdiff_t(y) * m_width + x1, Pixel{c, 255});
}

template <class Put>
void MemoryBitmap::eachSourcePixel(const Bitmap& source, const Rect& src, Point dst, Put put)
{
    const ClippedBlock block = clipBlock(src, dst, {source.width(), source.height()}, {m_width, m_height});
    const Rect& s = block.source;
    const std::vector<Pixel> read = readBlock(source, s);
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            put(m_pixels[std::size_t(block.destination.y + y) * m_width + block.destination.x + x],
                read[std::size_t(y) * s.width + x]);
}

void MemoryBitmap::copyFrom(const Bitmap& source, const Rect& src, Point dst)
{
    // A block copy: opaque afterwards, whatever the source's transparency.
    eachSourcePixel(source, src, dst, [](Pixel& to, Pixel from) { to = {from.colour, 255}; });
}

void MemoryBitmap::blendFrom(const Bitmap& source, const Rect& src, Point dst)
{
    eachSourcePixel(source, src, dst, [](Pixel& to, Pixel from) { to = blendOver(from, to); });
}

void MemoryBitmap::copyTransparent(const Bitmap& source, const Rect& src, Point dst, Colour key)
{
    eachSourcePixel(source, src, dst, [key](Pixel& to, Pixel from) {
        if (from.colour != key)
            to = {from.colour, 255};
    });
}

void MemoryBitmap::invertRect(const Rect& r)
{
    const int x0 = std::max(r.x, 0), y0 = std::max(r.y, 0);
    const int x1 = std::min(r.right(), m_width), y1 = std::min(r.bottom(), m_height);
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            Pixel& p = m_pixels[std::size_t(y) * m_width + x];
            p.colour ^= 0xffffffu;
        }
}

void MemoryBitmap::drawText(Point topLeft, std::string_view text, const TextStyle& style, Colour colour)
{
    m_texts.push_back({topLeft, std::string(text), style, colour});
}

int MemoryBitmap::textWidth(std::string_view text, const TextStyle& style) const
{
    return int(text.size()) * (style.bold ? 7 : 6);
}

Colour MemoryBitmap::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[std::size_t(y) * m_width + x].colour;
}

int MemoryBitmap::alpha(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[std::size_t(y) * m_width + x].alpha;
}

void MemoryBitmap::setPixel(int x, int y, Colour c)
{
    setPixel(x, y, Pixel{c, 255});
}

void MemoryBitmap::setPixel(int x, int y, Pixel p)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[std::size_t(y) * m_width + x] = p;
}

// ---- card pictures ---------------------------------------------------------------------------

namespace {

std::unique_ptr<MemoryBitmap> plainPicture(Size size, Colour colour)
{
    auto picture = std::make_unique<MemoryBitmap>(size.width, size.height);
    picture->fillRect({0, 0, size.width, size.height}, colour);
    return picture;
}

bool isPictureSize(Size size)
{
    return size.width > 0 && size.height > 0;
}

} // namespace

int MemoryCardArt::callsOf(std::string_view kind, const ArtSize& size) const
{
    return int(std::count_if(m_calls.begin(), m_calls.end(),
                             [&](const ArtCall& call) { return call.kind == kind && call.size == size; }));
}

std::vector<std::unique_ptr<Bitmap>> MemoryCardArt::faces(const std::string& themeFile, const std::string& jokerFile,
                                                          const ArtSize& size)
{
    m_calls.push_back({"faces", themeFile, size});
    const Size device = size.device();
    if (m_unreadable.count(themeFile) || m_unreadable.count(jokerFile) || !isPictureSize(device))
        return {};
    constexpr int faceCount = 53; // the 52 faces and the joker
    std::vector<std::unique_ptr<Bitmap>> faces;
    for (int face = 0; face < faceCount; ++face) {
        auto picture = plainPicture(device, faceColour(face));
        for (const Point corner : {Point{0, 0}, Point{device.width - 1, 0}, Point{0, device.height - 1},
                                   Point{device.width - 1, device.height - 1}})
            picture->setPixel(corner.x, corner.y, Pixel{0, 0});
        faces.push_back(std::move(picture));
    }
    return faces;
}

std::unique_ptr<Bitmap> MemoryCardArt::mark(std::string_view code, const ArtSize& size)
{
    m_calls.push_back({"mark", std::string(code), size});
    if (!isPictureSize(size.device()))
        return nullptr;
    auto picture = std::make_unique<MemoryBitmap>(size.device().width, size.device().height);
    for (int y = 0; y < picture->height(); ++y)
        for (int x = 0; x < picture->width(); ++x)
            picture->setPixel(x, y, Pixel{rgb(64, 64, 64), 128});
    return picture;
}

std::unique_ptr<Bitmap> MemoryCardArt::shadow(int which, const ArtSize& size, int shadowWidth)
{
    m_calls.push_back({"shadow", std::to_string(which), size});
    const Size device = size.device();
    const Size strip = which == 1 ? Size{shadowWidth, device.height} : Size{device.width, shadowWidth};
    if ((which != 1 && which != 2) || !isPictureSize(strip))
        return nullptr;
    return plainPicture(strip, rgb(0, 0, 0));
}

std::unique_ptr<Bitmap> MemoryCardArt::border(int which, const ArtSize& size)
{
    m_calls.push_back({"border", std::to_string(which), size});
    const Size device = size.device();
    if ((which != 1 && which != 2) || !isPictureSize(device))
        return nullptr;
    auto picture = plainPicture(device, rgb(128, 128, 128));
    picture->fillRect({1, 1, device.width - 2, device.height - 2}, rgb(0, 0, 255));
    return picture;
}

std::unique_ptr<Bitmap> MemoryCardArt::scaled(const Bitmap& picture, Size size)
{
    m_calls.push_back({"scaled", "", ArtSize{size, 1}});
    if (!isPictureSize(size))
        return nullptr;
    return plainPicture(size, picture.pixel(0, 0));
}

// ---- graphics --------------------------------------------------------------------------------

void MemoryGraphics::addImageFile(const std::string& path, Size size, Colour colour)
{
    m_files[path] = {size, colour};
}

std::unique_ptr<Bitmap> MemoryGraphics::createBitmap(int width, int height)
{
    return std::make_unique<MemoryBitmap>(width, height);
}

std::unique_ptr<Bitmap> MemoryGraphics::loadImageFile(const std::string& path)
{
    const auto it = m_files.find(path);
    if (it == m_files.end())
        return nullptr;
    m_loaded.push_back(path);
    auto b = std::make_unique<MemoryBitmap>(it->second.size.width, it->second.size.height);
    b->fillRect({0, 0, b->width(), b->height()}, it->second.colour);
    return b;
}

// ---- resource library ------------------------------------------------------------------------

void FakeResourceLibrary::addPicture(const std::string& name, Size size, Colour colour)
{
    m_pictures[name] = {size, colour};
}

bool FakeResourceLibrary::load(const std::string& path)
{
    m_path = path;
    m_loaded = m_loadable;
    return m_loaded;
}

std::unique_ptr<Bitmap> FakeResourceLibrary::bitmap(const std::string& name)
{
    const auto it = m_pictures.find(name);
    if (!m_loaded || it == m_pictures.end())
        return nullptr;
    auto b = std::make_unique<MemoryBitmap>(it->second.size.width, it->second.size.height);
    b->fillRect({0, 0, b->width(), b->height()}, it->second.colour);
    return b;
}

std::vector<std::pair<std::string, Size>> FakeResourceLibrary::pictures() const
{
    std::vector<std::pair<std::string, Size>> out;
    for (const auto& [name, p] : m_pictures)
        out.emplace_back(name, p.size);
    return out;
}

// ---- common dialogs --------------------------------------------------------------------------

std::optional<std::string> ScriptedFileDialogs::nextFile()
{
    if (m_files.empty())
        return std::nullopt;
    auto f = m_files.front();
    m_files.pop_front();
    return f;
}

std::optional<std::string> ScriptedFileDialogs::openFile(const std::string& title, const std::string& directory,
                                                         const FileFilter&)
{
    m_opened.push_back(title + "|" + directory);
    return nextFile();
}

std::optional<std::string> ScriptedFileDialogs::saveFile(const std::string& title, const std::string& directory,
                                                         const FileFilter&)
{
    m_opened.push_back(title + "|" + directory);
    return nextFile();
}

std::optional<std::string> ScriptedFileDialogs::openPicture(const std::string& directory)
{
    m_opened.push_back("picture|" + directory);
    return nextFile();
}

std::optional<Colour> ScriptedFileDialogs::chooseColour(Colour)
{
    m_opened.push_back("colour|");
    if (m_colours.empty())
        return std::nullopt;
    auto c = m_colours.front();
    m_colours.pop_front();
    return c;
}

} // namespace kst::test
