#include "Quantiser.h"

#include <algorithm>
#include <array>
#include <limits>
#include <map>
#include <vector>

namespace {

struct Entry {
    std::array<int, 3> rgb;
    int count;
};

// Green weighs most and blue least, roughly as the eye does.
int distance(const std::array<int, 3>& a, const std::array<int, 3>& b)
{
    const int dr = a[0] - b[0], dg = a[1] - b[1], db = a[2] - b[2];
    return 3 * dr * dr + 4 * dg * dg + 2 * db * db;
}

std::array<int, 3> mean(const std::vector<Entry>& entries, size_t from, size_t to)
{
    long long sum[3] = {0, 0, 0}, n = 0;
    for (size_t i = from; i < to; ++i) {
        for (int c = 0; c < 3; ++c)
            sum[c] += (long long)entries[i].rgb[c] * entries[i].count;
        n += entries[i].count;
    }
    return {int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n)};
}

std::vector<std::array<int, 3>> medianCut(std::vector<Entry> entries, int colours)
{
    struct Box {
        size_t from, to;
    };
    std::vector<Box> boxes{{0, entries.size()}};
    auto spread = [&](const Box& box, int& channel) {
        int best = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 255, hi = 0;
            for (size_t i = box.from; i < box.to; ++i) {
                lo = std::min(lo, entries[i].rgb[c]);
                hi = std::max(hi, entries[i].rgb[c]);
            }
            const int weight = c == 1 ? 4 : c == 0 ? 3 : 2;
            if ((hi - lo) * weight > best) {
                best = (hi - lo) * weight;
                channel = c;
            }
        }
        return best;
    };
    while (int(boxes.size()) < colours) {
        long long bestScore = -1;
        size_t bestBox = 0;
        int bestChannel = 0;
        for (size_t b = 0; b < boxes.size(); ++b) {
            if (boxes[b].to - boxes[b].from < 2) continue;
            int channel = 0;
            long long pixels = 0;
            for (size_t i = boxes[b].from; i < boxes[b].to; ++i)
                pixels += entries[i].count;
            const long long score = (long long)spread(boxes[b], channel) * pixels;
            if (score > bestScore) {
                bestScore = score;
                bestBox = b;
                bestChannel = channel;
            }
        }
        if (bestScore < 0) break;
        Box box = boxes[bestBox];
        std::sort(entries.begin() + long(box.from), entries.begin() + long(box.to),
                  [&](const Entry& a, const Entry& b) { return a.rgb[bestChannel] < b.rgb[bestChannel]; });
        long long total = 0;
        for (size_t i = box.from; i < box.to; ++i)
            total += entries[i].count;
        long long run = 0;
        size_t cut = box.from + 1;
        for (size_t i = box.from; i < box.to - 1; ++i) {
            run += entries[i].count;
            cut = i + 1;
            if (run * 2 >= total) break;
        }
        boxes[bestBox] = {box.from, cut};
        boxes.push_back({cut, box.to});
    }
    std::vector<std::array<int, 3>> palette;
    for (const Box& box : boxes)
        palette.push_back(mean(entries, box.from, box.to));

    // A few k-means rounds pull the box means towards the colours that really matter.
    for (int round = 0; round < 6; ++round) {
        std::vector<std::array<long long, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const Entry& e : entries) {
            size_t nearest = 0;
            int best = std::numeric_limits<int>::max();
            for (size_t p = 0; p < palette.size(); ++p) {
                const int d = distance(e.rgb, palette[p]);
                if (d < best) {
                    best = d;
                    nearest = p;
                }
            }
            for (int c = 0; c < 3; ++c)
                sums[nearest][c] += (long long)e.rgb[c] * e.count;
            sums[nearest][3] += e.count;
        }
        for (size_t p = 0; p < palette.size(); ++p) {
            const long long n = sums[p][3];
            if (n == 0) continue;
            for (int c = 0; c < 3; ++c)
                palette[p][c] = int((sums[p][c] + n / 2) / n);
        }
    }
    return palette;
}

} // namespace

QImage Quantiser::quantise(const QImage& picture, int colours)
{
    const QImage source = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> histogram;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < source.width(); ++x)
            ++histogram[line[x] | 0xFF000000u];
    }
    std::vector<Entry> entries;
    for (const auto& [rgb, count] : histogram)
        entries.push_back({{qRed(rgb), qGreen(rgb), qBlue(rgb)}, count});

    std::vector<std::array<int, 3>> palette;
    if (int(entries.size()) <= colours) {
        for (const Entry& e : entries)
            palette.push_back(e.rgb);
    } else {
        palette = medianCut(entries, colours);
    }

    QImage out(source.size(), QImage::Format_Indexed8);
    QList<QRgb> table;
    for (const auto& c : palette)
        table.append(qRgb(c[0], c[1], c[2]));
    while (table.size() < colours)
        table.append(qRgb(0, 0, 0));
    out.setColorTable(table);

    std::map<QRgb, int> lookup;
    for (int y = 0; y < source.height(); ++y) {
        const QRgb* line = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        uchar* target = out.scanLine(y);
        for (int x = 0; x < source.width(); ++x) {
            const QRgb rgb = line[x] | 0xFF000000u;
            auto found = lookup.find(rgb);
            if (found == lookup.end()) {
                const std::array<int, 3> c{qRed(rgb), qGreen(rgb), qBlue(rgb)};
                int nearest = 0, best = std::numeric_limits<int>::max();
                for (size_t p = 0; p < palette.size(); ++p) {
                    const int d = distance(c, palette[p]);
                    if (d < best) {
                        best = d;
                        nearest = int(p);
                    }
                }
                found = lookup.emplace(rgb, nearest).first;
            }
            target[x] = uchar(found->second);
        }
    }
    return out;
}
