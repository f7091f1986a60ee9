#include "storage/ImageFiles.h"

#include "storage/FileLookup.h"
#include "storage/Routines.h"

#include <algorithm>
#include <memory>

namespace kst {

namespace {

std::unique_ptr<Bitmap> loadPicture(Graphics& graphics, MessageBoxes& messages, std::string_view programDir,
                                    std::string_view name)
{
    const std::string path = imageFilePath(programDir, name);
    if (!fnRequireImageFile(messages, path))
        return nullptr;
    std::unique_ptr<Bitmap> picture = graphics.loadImageFile(path);
    if (!picture)
        showMissingImageFile(messages, path);
    return picture;
}

void copyWhole(Bitmap& target, const Bitmap& source)
{
    target.resize(source.width(), source.height());
    target.copyFrom(source, {0, 0, source.width(), source.height()}, {0, 0});
}

// Step 0..255 of the gradient for the row r counted from the bottom of h rows.
int gradientStep(int r, int h)
{
    if (h >= 256)
        return int((long long)r * 256 / h);
    // Fewer rows than steps: spread the steps so that the bottom and top rows keep the ends.
    return h == 1 ? 255 : int((long long)r * 255 / (h - 1));
}

Colour gradientColour(Colour first, Colour second, int step)
{
    const auto channel = [step](int top, int bottom) { return bottom + (top - bottom) * step / 256; };
    return rgb(channel(red(first), red(second)), channel(green(first), green(second)),
               channel(blue(first), blue(second)));
}

} // namespace

std::string imageFilePath(std::string_view programDir, std::string_view name)
{
    if (name.find_first_of("/\\") == std::string_view::npos)
        return findFile(programDir, "Images\\" + std::string(name) + ".bmp");
    if (name.starts_with('/'))
        return std::string(name);
    return findFile(programDir, name);
}

bool fnLoadImageFile(Graphics& graphics, MessageBoxes& messages, std::string_view programDir, Bitmap& target,
                     std::string_view name)
{
    const std::unique_ptr<Bitmap> picture = loadPicture(graphics, messages, programDir, name);
    if (!picture)
        return false;
    copyWhole(target, *picture);
    return true;
}

bool drawImageFile(Graphics& graphics, MessageBoxes& messages, std::string_view programDir, Bitmap& canvas,
                   std::string_view name)
{
    const std::unique_ptr<Bitmap> picture = loadPicture(graphics, messages, programDir, name);
    if (!picture)
        return false;
    canvas.copyFrom(*picture, {0, 0, picture->width(), picture->height()}, {0, 0});
    return true;
}

void tile(Bitmap& canvas, const Bitmap& picture, int width, int height)
{
    const int pw = picture.width();
    const int ph = picture.height();
    if (pw <= 0 || ph <= 0 || width <= 0 || height <= 0)
        return;
    const int band = std::min(ph, height);
    for (int x = 0; x < width; x += pw)
        canvas.copyFrom(picture, {0, 0, std::min(pw, width - x), band}, {x, 0});
    for (int y = band; y < height; y += band)
        canvas.copyFrom(canvas, {0, 0, width, std::min(band, height - y)}, {0, y});
}

bool tile(Graphics& graphics, MessageBoxes& messages, std::string_view programDir, Bitmap& canvas,
          std::string_view name, int width, int height)
{
    const std::unique_ptr<Bitmap> picture = loadPicture(graphics, messages, programDir, name);
    if (!picture)
        return false;
    tile(canvas, *picture, width, height);
    return true;
}

bool loadResourceBitmap(ResourceLibrary& resources, Bitmap& target, std::string_view name)
{
    const std::unique_ptr<Bitmap> picture = resources.bitmap(std::string(name));
    if (!picture)
        return false;
    copyWhole(target, *picture);
    return true;
}

void fillGradient(Bitmap& canvas, const Rect& area, Colour first, Colour second)
{
    if (area.isEmpty())
        return;
    const int h = area.height;
    // Rows of one step are filled together, from the bottom edge up.
    int runStart = 0;
    for (int r = 1; r <= h; ++r) {
        const int step = gradientStep(runStart, h);
        if (r < h && gradientStep(r, h) == step)
            continue;
        const int top = area.bottom() - r;
        canvas.fillRect({area.x, top, area.width, r - runStart}, gradientColour(first, second, step));
        runStart = r;
    }
}

} // namespace kst
