// The wave files of the built SOUNDS folder: each one is there, in the plain format the player
// reads, of a length that suits its use, at a sensible level, and free of clicks.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

namespace {

const std::string soundsFolder = KST_PROGRAM_DIR "/SOUNDS/";

struct Sound {
    const char* name;
    double minSeconds;
    double maxSeconds;
    bool loops; // played over and over: the end must run straight into the start
};

void PrintTo(const Sound& sound, std::ostream* out)
{
    *out << sound.name;
}

// Card moves are quick; the ones played while the user waits on them stay short.
const Sound sounds[] = {
    {"Foundation", 0.15, 0.5, false},
    {"Autoplay", 0.08, 0.35, false},
    {"Eddy", 0.08, 0.4, false},
    {"Tableau", 0.03, 0.3, false},
    {"Shuffle", 0.6, 1.0, true},
    {"Stock", 0.04, 0.3, false},
    {"Redeal", 0.5, 1.5, true},
    {"Red_no_a", 0.3, 0.5, false},
    {"Pairing", 0.3, 1.0, false},
    {"Reorder", 0.2, 0.7, false},
    {"Face_up", 0.04, 0.3, false},
    {"card_up", 0.02, 0.2, false},
    {"card_down", 0.02, 0.2, false},
    {"Won", 1.0, 3.0, false},
    {"New", 0.3, 0.8, false},
    {"Restart", 0.3, 1.0, false},
    {"Undo", 0.06, 0.3, false},
    {"Redo", 0.06, 0.3, false},
    {"Hi-Scor", 0.5, 1.6, false},
    {"Scores", 0.8, 2.0, false},
    {"About", 0.6, 2.0, false},
    {"Splash", 0.8, 2.0, false},
};

struct Wave {
    std::string error;
    int channels = 0;
    int rate = 0;
    std::vector<int16_t> samples; // interleaved
    double seconds() const { return double(samples.size()) / channels / rate; }
};

uint32_t le32(const std::string& s, std::size_t at)
{
    return uint32_t(uint8_t(s[at])) | uint32_t(uint8_t(s[at + 1])) << 8 | uint32_t(uint8_t(s[at + 2])) << 16
        | uint32_t(uint8_t(s[at + 3])) << 24;
}

uint16_t le16(const std::string& s, std::size_t at)
{
    return uint16_t(uint8_t(s[at]) | uint8_t(s[at + 1]) << 8);
}

// Accepts only the plain layout: RIFF, WAVE, a 16-byte "fmt " chunk of 16-bit PCM, then "data".
Wave readWave(const std::string& path)
{
    Wave wave;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        wave.error = "cannot open " + path;
        return wave;
    }
    const std::string file(std::istreambuf_iterator<char>(in), {});
    if (file.size() < 44 || file.compare(0, 4, "RIFF") != 0 || file.compare(8, 4, "WAVE") != 0) {
        wave.error = "not a RIFF/WAVE file";
        return wave;
    }
    if (le32(file, 4) != file.size() - 8) {
        wave.error = "RIFF size does not match the file size";
        return wave;
    }
    if (file.compare(12, 4, "fmt ") != 0 || le32(file, 16) != 16) {
        wave.error = "the first chunk is not a 16-byte fmt chunk";
        return wave;
    }
    const int format = le16(file, 20);
    wave.channels = le16(file, 22);
    wave.rate = int(le32(file, 24));
    const uint32_t byteRate = le32(file, 28);
    const int blockAlign = le16(file, 32);
    const int bits = le16(file, 34);
    if (format != 1 || bits != 16 || (wave.channels != 1 && wave.channels != 2)
        || (wave.rate != 22050 && wave.rate != 44100) || blockAlign != 2 * wave.channels
        || byteRate != uint32_t(wave.rate * blockAlign)) {
        wave.error = "not 16-bit PCM mono or stereo at 22050 or 44100 Hz";
        return wave;
    }
    if (file.compare(36, 4, "data") != 0 || le32(file, 40) != file.size() - 44 || (file.size() - 44) % blockAlign) {
        wave.error = "the data chunk does not follow the fmt chunk or does not fill the file";
        return wave;
    }
    for (std::size_t at = 44; at < file.size(); at += 2)
        wave.samples.push_back(int16_t(le16(file, at)));
    return wave;
}

double dbfs(double level)
{
    return 20 * std::log10(std::max(level, 1.0) / 32768);
}

// The loudest sample among `frames` frames starting at frame `first`.
double peakOf(const Wave& wave, std::size_t first, std::size_t frames)
{
    int peak = 0;
    for (std::size_t i = first * wave.channels; i < (first + frames) * wave.channels; ++i)
        peak = std::max(peak, std::abs(int(wave.samples[i])));
    return peak;
}

double rmsOf(const Wave& wave, std::size_t first, std::size_t frames)
{
    double sum = 0;
    for (std::size_t i = first * wave.channels; i < (first + frames) * wave.channels; ++i)
        sum += double(wave.samples[i]) * wave.samples[i];
    return std::sqrt(sum / double(frames * wave.channels));
}

class SoundsFolderTest : public ::testing::TestWithParam<Sound> {};

TEST_P(SoundsFolderTest, IsAPlainWaveOfTheRightLengthAndLevelWithoutClicks)
{
    const Sound& sound = GetParam();
    const Wave wave = readWave(soundsFolder + sound.name + ".wav");
    ASSERT_EQ(wave.error, "");

    EXPECT_GE(wave.seconds(), sound.minSeconds);
    EXPECT_LE(wave.seconds(), sound.maxSeconds);

    const std::size_t frames = wave.samples.size() / wave.channels;
    const double peak = dbfs(peakOf(wave, 0, frames));
    EXPECT_GE(peak, -6.0) << "too quiet";
    EXPECT_LE(peak, -1.0) << "too loud, or clipped";
    EXPECT_GE(dbfs(rmsOf(wave, 0, frames)), -36.0) << "hardly more than a click";

    const std::size_t halfMs = wave.rate / 2000;
    const std::size_t fiveMs = wave.rate / 200;
    if (!sound.loops) {
        EXPECT_LE(dbfs(peakOf(wave, 0, halfMs)), -30.0) << "starts with a click";
        EXPECT_LE(dbfs(peakOf(wave, frames - fiveMs, fiveMs)), -40.0) << "stops abruptly";
        return;
    }

    // Across the join, the step from the last frame to the first must look like any step inside
    // the sound.
    std::vector<int> steps;
    for (std::size_t i = wave.channels; i < wave.samples.size(); ++i)
        steps.push_back(std::abs(wave.samples[i] - wave.samples[i - wave.channels]));
    std::sort(steps.begin(), steps.end());
    const int usualStep = steps[steps.size() * 99 / 100];
    for (int c = 0; c < wave.channels; ++c) {
        const int join = std::abs(wave.samples[c] - wave.samples[wave.samples.size() - wave.channels + c]);
        EXPECT_LE(join, usualStep) << "the loop jumps at its join, channel " << c;
    }

    // Nor may it pause at the join longer than it pauses anywhere inside: count the quiet
    // milliseconds on either side of the join and in every quiet stretch between.
    const std::size_t ms = wave.rate / 1000;
    std::vector<bool> quiet;
    for (std::size_t first = 0; first + ms <= frames; first += ms)
        quiet.push_back(dbfs(peakOf(wave, first, ms)) < -40.0);
    const auto leading = std::size_t(std::find(quiet.begin(), quiet.end(), false) - quiet.begin());
    const auto trailing = std::size_t(std::find(quiet.rbegin(), quiet.rend(), false) - quiet.rbegin());
    ASSERT_LT(leading, quiet.size()) << "silent";
    std::size_t longestInside = 0;
    for (std::size_t i = leading, run = 0; i < quiet.size() - trailing; ++i) {
        run = quiet[i] ? run + 1 : 0;
        longestInside = std::max(longestInside, run);
    }
    EXPECT_LE(leading + trailing, longestInside + 1) << "the loop pauses at its join";
}

INSTANTIATE_TEST_SUITE_P(Sounds, SoundsFolderTest, ::testing::ValuesIn(sounds),
    [](const ::testing::TestParamInfo<Sound>& info) {
        std::string name = info.param.name;
        std::replace(name.begin(), name.end(), '-', '_');
        return name;
    });

} // namespace
