#include "platform/qt/QtResourceLibrary.h"

#include "platform/qt/QtGraphics.h"
#include "platform/qt/QtText.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QResource>

#include <algorithm>

namespace kst {

namespace {

constexpr auto pictureSuffix = QLatin1String(".png");

std::uint64_t bigEndian(const QByteArray& data, std::uint64_t at, int bytes)
{
    std::uint64_t v = 0;
    for (int i = 0; i < bytes; ++i)
        v = (v << 8) | std::uint8_t(data[qsizetype(at) + i]);
    return v;
}

} // namespace

QtResourceLibrary::QtResourceLibrary()
    : m_root(QStringLiteral("/kst-%1").arg(quintptr(this), 0, 16))
{
}

QtResourceLibrary::~QtResourceLibrary()
{
    release();
}

bool QtResourceLibrary::isWellFormedResourceData(const QByteArray& data)
{
    // Qt trusts a registered resource file completely, so a damaged one would be read out of
    // bounds; every offset is checked here first. Layout: "qres", version, the offsets of the
    // node tree, the data and the names; nodes of 14 bytes (22 from version 2 on).
    const std::uint64_t size = std::uint64_t(data.size());
    if (size < 20 || !data.startsWith("qres"))
        return false;
    const std::uint64_t version = bigEndian(data, 4, 4);
    if (version < 1 || version > 3)
        return false;
    const std::uint64_t tree = bigEndian(data, 8, 4), payload = bigEndian(data, 12, 4),
                        names = bigEndian(data, 16, 4);
    if (tree >= size || payload >= size || names >= size)
        return false;
    const std::uint64_t nodeSize = version >= 2 ? 22 : 14;
    const std::uint64_t nodeCount = (size - tree) / nodeSize;
    if (nodeCount == 0)
        return false;

    constexpr std::uint64_t directoryFlag = 0x02;
    std::vector<bool> seen(nodeCount, false);
    std::vector<std::uint64_t> pending{0};
    seen[0] = true;
    while (!pending.empty()) {
        const std::uint64_t node = tree + pending.back() * nodeSize;
        const bool isRoot = pending.back() == 0;
        pending.pop_back();
        if (!isRoot) {
            const std::uint64_t name = names + bigEndian(data, node, 4);
            if (name + 6 > size || name + 6 + 2 * bigEndian(data, name, 2) > size)
                return false;
        }
        const std::uint64_t flags = bigEndian(data, node + 4, 2);
        if (flags & directoryFlag) {
            const std::uint64_t count = bigEndian(data, node + 6, 4), first = bigEndian(data, node + 10, 4);
            if (first + count > nodeCount)
                return false;
            for (std::uint64_t child = first; child < first + count; ++child) {
                // Each node belongs to one folder only, which also rules out loops.
                if (seen[child])
                    return false;
                seen[child] = true;
                pending.push_back(child);
            }
        } else {
            if (isRoot)
                return false;
            const std::uint64_t content = payload + bigEndian(data, node + 10, 4);
            if (content + 4 > size || content + 4 + bigEndian(data, content, 4) > size)
                return false;
        }
    }
    return true;
}

bool QtResourceLibrary::load(const std::string& path)
{
    release();
    QFile file(fromPath(path));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    m_data = file.readAll();
    if (!isWellFormedResourceData(m_data)
        || !QResource::registerResource(reinterpret_cast<const uchar*>(m_data.constData()), m_root)) {
        m_data.clear();
        return false;
    }
    m_loaded = true;

    const QDir top(QLatin1Char(':') + m_root);
    for (const QString& file : top.entryList(QDir::Files)) {
        if (!file.endsWith(pictureSuffix))
            continue;
        const std::optional<std::string> name = toProgramText(file.chopped(pictureSuffix.size()));
        const QSize size = QImageReader(top.filePath(file)).size();
        if (!name || !size.isValid()) {
            release();
            return false;
        }
        m_pictures.emplace_back(*name, Size{size.width(), size.height()});
    }
    std::sort(m_pictures.begin(), m_pictures.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    return true;
}

void QtResourceLibrary::release()
{
    if (m_loaded)
        QResource::unregisterResource(reinterpret_cast<const uchar*>(m_data.constData()), m_root);
    m_loaded = false;
    m_data.clear();
    m_pictures.clear();
}

QString QtResourceLibrary::picturePath(const std::string& name) const
{
    return QLatin1Char(':') + m_root + QLatin1Char('/') + fromProgramText(name) + pictureSuffix;
}

std::unique_ptr<Bitmap> QtResourceLibrary::bitmap(const std::string& name)
{
    if (!m_loaded)
        return nullptr;
    const auto it = std::lower_bound(m_pictures.begin(), m_pictures.end(), name,
                                     [](const auto& picture, const std::string& n) { return picture.first < n; });
    if (it == m_pictures.end() || it->first != name)
        return nullptr;
    const QImage image(picturePath(name));
    if (image.isNull())
        return nullptr;
    return std::make_unique<QtBitmap>(image);
}

std::vector<std::pair<std::string, Size>> QtResourceLibrary::pictures() const
{
    return m_pictures;
}

} // namespace kst
