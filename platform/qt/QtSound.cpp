#include "platform/qt/QtSound.h"

#include "platform/qt/QtText.h"

#include <QElapsedTimer>
#include <QSoundEffect>
#include <QUrl>

#include <array>
#include <cstdint>
#include <fstream>

namespace kst {

namespace {

std::uint32_t littleEndian(const unsigned char* b, int bytes)
{
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | b[i];
    return v;
}

} // namespace

std::optional<int> waveDurationMs(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    in.seekg(0, std::ios::end);
    const std::uint64_t fileSize = std::uint64_t(in.tellg());
    in.seekg(0);

    std::array<unsigned char, 12> riff{};
    if (!in.read(reinterpret_cast<char*>(riff.data()), riff.size())
        || std::string_view(reinterpret_cast<const char*>(riff.data()), 4) != "RIFF"
        || std::string_view(reinterpret_cast<const char*>(riff.data()) + 8, 4) != "WAVE")
        return std::nullopt;

    std::uint32_t byteRate = 0;
    std::optional<std::uint64_t> dataBytes;
    std::uint64_t position = riff.size();
    while (position + 8 <= fileSize && (!byteRate || !dataBytes)) {
        std::array<unsigned char, 8> chunk{};
        in.seekg(std::streamoff(position));
        if (!in.read(reinterpret_cast<char*>(chunk.data()), chunk.size()))
            break;
        const std::string_view id(reinterpret_cast<const char*>(chunk.data()), 4);
        const std::uint64_t size = littleEndian(chunk.data() + 4, 4);
        const std::uint64_t body = position + 8;
        if (id == "fmt ") {
            std::array<unsigned char, 12> format{};
            if (size < format.size() || !in.read(reinterpret_cast<char*>(format.data()), format.size()))
                return std::nullopt;
            byteRate = littleEndian(format.data() + 8, 4);
        } else if (id == "data") {
            // A header may promise more sound than the file holds; only what is there plays.
            dataBytes = std::min(size, fileSize - body);
        }
        position = body + size + (size & 1);
    }
    if (!byteRate || !dataBytes)
        return std::nullopt;
    return int(*dataBytes * 1000 / byteRate);
}

bool soundOffByEnvironment()
{
    return qEnvironmentVariableIsSet("KESTRANE_NO_SOUND");
}

QtSound::QtSound(EventPump& events) : m_events(events)
{
}

QtSound::~QtSound() = default;

QSoundEffect& QtSound::effect()
{
    if (!m_effect)
        m_effect = std::make_unique<QSoundEffect>();
    return *m_effect;
}

void QtSound::play(const std::string& path, PlayMode mode)
{
    const std::optional<int> duration = waveDurationMs(path);
    if (!duration)
        return;
    ++m_generation;
    QSoundEffect& e = effect();
    e.stop();
    e.setSource(QUrl::fromLocalFile(fromPath(path)));
    e.setLoopCount(mode == PlayMode::Loop ? int(QSoundEffect::Infinite) : 1);
    e.play();
    if (mode == PlayMode::Sync)
        waitUntilPlayed(*duration);
}

void QtSound::stop()
{
    ++m_generation;
    if (m_effect)
        m_effect->stop();
}

void QtSound::waitUntilPlayed(int durationMs)
{
    // Without an audio device the effect never says it has finished, so the wave's own
    // length decides; with one, the end it reports may come first.
    const unsigned generation = m_generation;
    bool seenPlaying = false;
    QElapsedTimer elapsed;
    elapsed.start();
    while (generation == m_generation && elapsed.elapsed() < durationMs) {
        const bool playing = m_effect->isPlaying();
        if (seenPlaying && !playing)
            break;
        seenPlaying = seenPlaying || playing;
        m_events.processPendingEvents(int(durationMs - elapsed.elapsed()));
    }
}

} // namespace kst
