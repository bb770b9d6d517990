// Checks the generated data directory against what the saver relies on:
// the aircraft pictures (names, sizes, room to hide off-screen, alpha, soft
// edges, facing), the background, the logo, the preview picture, the engine
// sound (format, length, a seamless loop) and the help page.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#ifndef SKYVAULT_ASSETS_DIR
#define SKYVAULT_ASSETS_DIR "assets"
#endif

namespace {

const std::string kAssets = SKYVAULT_ASSETS_DIR;
const std::string kData = kAssets + "/data/";

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

uint32_t U32(const std::vector<uint8_t>& b, size_t at) {
    return b.at(at) | b.at(at + 1) << 8 | b.at(at + 2) << 16 | uint32_t(b.at(at + 3)) << 24;
}
uint16_t U16(const std::vector<uint8_t>& b, size_t at) { return uint16_t(b.at(at) | b.at(at + 1) << 8); }

// ---------------------------------------------------------------- BMP reader
struct Rgba {
    uint8_t r, g, b, a;
};

struct Bitmap {
    bool ok = false;
    std::string error;
    uint32_t header_size = 0;
    int width = 0, height = 0;
    int bpp = 0;
    uint32_t compression = 0;
    uint32_t alpha_mask = 0;
    int palette_size = 0;
    std::vector<Rgba> pixels;  // top row first

    const Rgba& At(int x, int y) const { return pixels[size_t(y) * width + x]; }
};

int Shift(uint32_t mask) {
    int s = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++s;
    }
    return s;
}

uint8_t Channel(uint32_t v, uint32_t mask) {
    if (!mask) return 255;
    uint32_t bits = (v & mask) >> Shift(mask);
    uint32_t max = mask >> Shift(mask);
    return uint8_t(bits * 255 / max);
}

Bitmap ReadBmp(const std::string& path) {
    Bitmap bmp;
    auto b = ReadFile(path);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        bmp.error = "not a BMP: " + path;
        return bmp;
    }
    uint32_t offset = U32(b, 10);
    bmp.header_size = U32(b, 14);
    bmp.width = int32_t(U32(b, 18));
    int32_t h = int32_t(U32(b, 22));
    bool top_down = h < 0;
    bmp.height = std::abs(h);
    bmp.bpp = U16(b, 28);
    bmp.compression = U32(b, 30);
    uint32_t rmask = 0x00ff0000, gmask = 0x0000ff00, bmask = 0x000000ff;
    if (bmp.compression == 3 /* BI_BITFIELDS */) {
        rmask = U32(b, 54);
        gmask = U32(b, 58);
        bmask = U32(b, 62);
        if (bmp.header_size >= 56) bmp.alpha_mask = U32(b, 66);
    } else if (bmp.compression != 0) {
        bmp.error = "compressed BMP";
        return bmp;
    }
    std::vector<Rgba> palette;
    if (bmp.bpp <= 8) {
        bmp.palette_size = int(U32(b, 46));
        if (bmp.palette_size == 0) bmp.palette_size = 1 << bmp.bpp;
        size_t at = 14 + bmp.header_size;
        for (int i = 0; i < bmp.palette_size; ++i, at += 4) palette.push_back({b.at(at + 2), b.at(at + 1), b.at(at), 255});
    }
    size_t stride = (size_t(bmp.width) * bmp.bpp + 31) / 32 * 4;
    if (offset + stride * bmp.height > b.size()) {
        bmp.error = "truncated pixel data";
        return bmp;
    }
    bmp.pixels.resize(size_t(bmp.width) * bmp.height);
    for (int row = 0; row < bmp.height; ++row) {
        int y = top_down ? row : bmp.height - 1 - row;
        const uint8_t* p = b.data() + offset + stride * row;
        for (int x = 0; x < bmp.width; ++x) {
            Rgba c{};
            if (bmp.bpp == 32) {
                uint32_t v = p[4 * x] | p[4 * x + 1] << 8 | p[4 * x + 2] << 16 | uint32_t(p[4 * x + 3]) << 24;
                c = {Channel(v, rmask), Channel(v, gmask), Channel(v, bmask), Channel(v, bmp.alpha_mask)};
            } else if (bmp.bpp == 24) {
                c = {p[3 * x + 2], p[3 * x + 1], p[3 * x], 255};
            } else if (bmp.bpp == 8) {
                c = palette.at(p[x]);
            } else {
                bmp.error = "unsupported depth";
                return bmp;
            }
            bmp.pixels[size_t(y) * bmp.width + x] = c;
        }
    }
    bmp.ok = true;
    return bmp;
}

// ---------------------------------------------------------------- WAV reader
struct Wave {
    bool ok = false;
    std::string error;
    uint16_t format = 0, channels = 0, bits = 0;
    uint32_t rate = 0;
    std::vector<int16_t> samples;
};

Wave ReadWav(const std::string& path) {
    Wave w;
    auto b = ReadFile(path);
    if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
        std::string(b.begin() + 8, b.begin() + 12) != "WAVE") {
        w.error = "not RIFF/WAVE";
        return w;
    }
    bool have_fmt = false, have_data = false;
    for (size_t at = 12; at + 8 <= b.size();) {
        std::string id(b.begin() + at, b.begin() + at + 4);
        uint32_t size = U32(b, at + 4);
        size_t body = at + 8;
        if (body + size > b.size()) break;
        if (id == "fmt ") {
            w.format = U16(b, body);
            w.channels = U16(b, body + 2);
            w.rate = U32(b, body + 4);
            w.bits = U16(b, body + 14);
            have_fmt = true;
        } else if (id == "data") {
            for (size_t i = 0; i + 1 < size; i += 2) w.samples.push_back(int16_t(U16(b, body + i)));
            have_data = true;
        }
        at = body + size + (size & 1);
    }
    w.ok = have_fmt && have_data;
    if (!w.ok) w.error = "missing fmt or data chunk";
    return w;
}

// ---------------------------------------------------------------- the saver's aircraft
// Start x of each aircraft, and for those that fly leftwards the distance
// beyond the left edge at which they count as gone (their leave test).
struct Slot {
    std::string file;
    int start_x;
    int leave_distance;  // leftward aircraft only
};

const std::vector<Slot> kSlots = {
    {"Plane24.bmp", -320, 0}, {"Plane03.bmp", 805, 350}, {"Plane04.bmp", 805, 325}, {"Plane06.bmp", -251, 0},
    {"Plane02.bmp", -292, 0}, {"Plane05.bmp", -276, 0},  {"Plane07.bmp", 805, 326}, {"Plane08.bmp", -266, 0},
    {"Plane01.bmp", 805, 366}, {"Plane11.bmp", 805, 350}, {"Plane16.bmp", -276, 0}, {"Plane14.bmp", -271, 0},
    {"Plane17.bmp", 805, 351}, {"Plane25.bmp", 805, 350}, {"Plane23.bmp", -272, 0}, {"Plane21.bmp", -279, 0},
};
const std::string kBackgroundAircraft = "Plane24.bmp";
constexpr int kBackgroundAircraftMaxWidth = 300;  // it waits at x = -300

std::string FlightDirection(const Slot& s) { return s.start_x > 0 ? "left" : "right"; }

struct ManifestRow {
    std::string file, slot, type, facing, description;
};

std::vector<ManifestRow> ReadManifest() {
    std::vector<ManifestRow> rows;
    std::ifstream in(kAssets + "/src/aircraft.tsv");
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::vector<std::string> f;
        std::stringstream ss(line);
        std::string cell;
        while (std::getline(ss, cell, '\t')) f.push_back(cell);
        if (f.size() == 5) rows.push_back({f[0], f[1], f[2], f[3], f[4]});
    }
    return rows;
}

std::map<std::string, ManifestRow> ManifestByFile() {
    std::map<std::string, ManifestRow> m;
    for (auto& r : ReadManifest()) m[r.file] = r;
    return m;
}

bool Partial(const Rgba& c) { return c.a > 0 && c.a < 255; }

// ---------------------------------------------------------------- tests: aircraft
TEST(AircraftPictures, ManifestListsEverySlotOnceWithADistinctType) {
    auto rows = ReadManifest();
    ASSERT_EQ(rows.size(), kSlots.size());
    std::set<std::string> files, types;
    for (auto& r : rows) {
        files.insert(r.file);
        types.insert(r.type);
    }
    EXPECT_EQ(files.size(), kSlots.size()) << "a file is listed twice";
    EXPECT_EQ(types.size(), kSlots.size()) << "two slots share one aircraft type";
    for (auto& s : kSlots) EXPECT_TRUE(files.count(s.file)) << s.file << " missing from the manifest";
}

TEST(AircraftPictures, EveryFileIsA32BitBitmapWithAnAlphaChannel) {
    for (auto& s : kSlots) {
        SCOPED_TRACE(s.file);
        Bitmap bmp = ReadBmp(kData + s.file);
        ASSERT_TRUE(bmp.ok) << bmp.error;
        EXPECT_EQ(bmp.bpp, 32);
        EXPECT_GE(bmp.header_size, 56u) << "needs a V4/V5 header to carry an alpha mask";
        EXPECT_EQ(bmp.compression, 3u);
        EXPECT_NE(bmp.alpha_mask, 0u);
    }
}

TEST(AircraftPictures, EachFitsWhereItWaitsOffScreen) {
    for (auto& s : kSlots) {
        SCOPED_TRACE(s.file);
        Bitmap bmp = ReadBmp(kData + s.file);
        ASSERT_TRUE(bmp.ok) << bmp.error;
        if (s.file == kBackgroundAircraft)
            EXPECT_LE(bmp.width, kBackgroundAircraftMaxWidth);
        else if (FlightDirection(s) == "right")
            EXPECT_LE(bmp.width, -s.start_x) << "would show at its start position";
        else
            EXPECT_LE(bmp.width, s.leave_distance) << "would still show when it counts as gone";
        EXPECT_GE(bmp.height, 60);
        EXPECT_LE(bmp.height, 130);
        EXPECT_GE(bmp.width, 150) << "too small to read as an aircraft";
    }
}

TEST(AircraftPictures, SurroundingsAreTransparentAndEdgesSoft) {
    for (auto& s : kSlots) {
        SCOPED_TRACE(s.file);
        Bitmap bmp = ReadBmp(kData + s.file);
        ASSERT_TRUE(bmp.ok) << bmp.error;
        int w = bmp.width, h = bmp.height;
        for (auto [x, y] : {std::pair{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}})
            EXPECT_EQ(bmp.At(x, y).a, 0) << "corner " << x << "," << y;
        for (int x = 0; x < w; ++x) EXPECT_EQ(bmp.At(x, 0).a, 0) << "top row touches the aircraft at x=" << x;
        size_t opaque = 0, partial = 0, clear = 0, black_visible = 0;
        for (auto& c : bmp.pixels) {
            if (c.a == 255) ++opaque;
            if (Partial(c)) ++partial;
            if (c.a == 0) ++clear;
            if (c.a > 0 && c.r == 0 && c.g == 0 && c.b == 0) ++black_visible;
        }
        EXPECT_GT(opaque, bmp.pixels.size() / 5) << "mostly empty picture";
        EXPECT_GT(clear, bmp.pixels.size() / 5) << "no room around the aircraft";
        EXPECT_GT(partial, size_t(w + h)) << "hard, aliased edges";
        EXPECT_EQ(black_visible, 0u) << "pure black is reserved for the transparent surroundings";
    }
}

// The propeller disc is drawn translucent: the column with the most
// translucent pixels is the disc (of the nose, or of the engines on a
// bomber's wing), which sits in the forward half of the picture.
int PropellerColumn(const Bitmap& bmp) {
    int best = -1, best_count = -1;
    for (int x = 0; x < bmp.width; ++x) {
        int count = 0;
        for (int y = 0; y < bmp.height; ++y) count += Partial(bmp.At(x, y));
        if (count > best_count) best = x, best_count = count;
    }
    return best;
}

// The fin is the highest solid part of every type here (higher than any
// canopy or turret), and it is at the tail.
int FinTipColumn(const Bitmap& bmp) {
    for (int y = 0; y < bmp.height; ++y)
        for (int x = 0; x < bmp.width; ++x)
            if (bmp.At(x, y).a == 255) return x;
    return -1;
}

TEST(AircraftPictures, DeclaredFacingIsTheDirectionOfFlight) {
    auto manifest = ManifestByFile();
    for (auto& s : kSlots) {
        SCOPED_TRACE(s.file);
        ASSERT_TRUE(manifest.count(s.file));
        EXPECT_EQ(manifest[s.file].facing, FlightDirection(s));
    }
}

TEST(AircraftPictures, NoseIsOnTheDeclaredSide) {
    auto manifest = ManifestByFile();
    for (auto& s : kSlots) {
        SCOPED_TRACE(s.file);
        Bitmap bmp = ReadBmp(kData + s.file);
        ASSERT_TRUE(bmp.ok) << bmp.error;
        bool faces_right = manifest[s.file].facing == "right";
        int prop = PropellerColumn(bmp);
        int fin = FinTipColumn(bmp);
        int half = bmp.width / 2;
        EXPECT_EQ(prop > half, faces_right) << "propeller at column " << prop << " of " << bmp.width;
        EXPECT_EQ(fin < half, faces_right) << "fin tip at column " << fin << " of " << bmp.width;
    }
}

TEST(AircraftPictures, FacingFollowsTheDirectionRuleForEverySlot) {
    // The rule itself: a start beyond the right edge means leftward flight.
    int left = 0, right = 0;
    for (auto& s : kSlots) {
        if (s.start_x == 805) {
            EXPECT_EQ(FlightDirection(s), "left");
            EXPECT_GT(s.leave_distance, 0);
            ++left;
        } else {
            EXPECT_LT(s.start_x, 0);
            EXPECT_EQ(FlightDirection(s), "right");
            ++right;
        }
    }
    EXPECT_EQ(left, 7);
    EXPECT_EQ(right, 9);
}

// ---------------------------------------------------------------- tests: other pictures
size_t DistinctColours(const Bitmap& bmp) {
    std::set<uint32_t> seen;
    for (auto& c : bmp.pixels) seen.insert(uint32_t(c.r) << 16 | c.g << 8 | c.b);
    return seen.size();
}

TEST(Background, BridgeFillsTheScreenAndIsNotFlat) {
    Bitmap bmp = ReadBmp(kData + "Bridge.bmp");
    ASSERT_TRUE(bmp.ok) << bmp.error;
    EXPECT_EQ(bmp.width, 800);
    EXPECT_EQ(bmp.height, 600);
    EXPECT_TRUE(bmp.bpp == 24 || bmp.bpp == 32);
    EXPECT_GT(DistinctColours(bmp), 2000u);
    // sky above, darker water below
    auto mean = [&](int y0, int y1) {
        double sum = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = 0; x < 800; ++x) sum += bmp.At(x, y).b;
        return sum / ((y1 - y0) * 800.0);
    };
    EXPECT_GT(mean(150, 250), mean(500, 600));
}

TEST(Logo, SizeAndOpaque) {
    Bitmap bmp = ReadBmp(kData + "Tarnwing1.bmp");
    ASSERT_TRUE(bmp.ok) << bmp.error;
    EXPECT_NEAR(bmp.width, 200, 20);
    EXPECT_NEAR(bmp.height, 70, 10);
    // drawn at (1, 20): it must fit on the screen there
    EXPECT_LE(1 + bmp.width, 800);
    EXPECT_LE(20 + bmp.height, 600);
    for (auto& c : bmp.pixels) ASSERT_EQ(c.a, 255);
    EXPECT_GT(DistinctColours(bmp), 50u);
}

TEST(Preview, Is153By115With256Colours) {
    Bitmap bmp = ReadBmp(kAssets + "/resources/preview.bmp");
    ASSERT_TRUE(bmp.ok) << bmp.error;
    EXPECT_EQ(bmp.width, 153);
    EXPECT_EQ(bmp.height, 115);
    EXPECT_EQ(bmp.bpp, 8);
    EXPECT_LE(bmp.palette_size, 256);
    EXPECT_GT(DistinctColours(bmp), 64u) << "a scene, not a flat placeholder";
}

// ---------------------------------------------------------------- tests: sound
TEST(EngineSound, FormatAndLength) {
    Wave w = ReadWav(kData + "Prop.wav");
    ASSERT_TRUE(w.ok) << w.error;
    EXPECT_EQ(w.format, 1) << "PCM";
    EXPECT_EQ(w.channels, 1);
    EXPECT_EQ(w.bits, 16);
    EXPECT_TRUE(w.rate == 22050 || w.rate == 44100) << w.rate;
    double seconds = double(w.samples.size()) / w.rate;
    EXPECT_GE(seconds, 2.0);
    EXPECT_LE(seconds, 4.0);
}

TEST(EngineSound, LoopSeamIsNoLargerThanAnyStepInside) {
    Wave w = ReadWav(kData + "Prop.wav");
    ASSERT_TRUE(w.ok) << w.error;
    ASSERT_GT(w.samples.size(), 2u);
    int max_step = 0;
    for (size_t i = 1; i < w.samples.size(); ++i)
        max_step = std::max(max_step, std::abs(int(w.samples[i]) - int(w.samples[i - 1])));
    int seam = std::abs(int(w.samples.front()) - int(w.samples.back()));
    EXPECT_LE(seam, max_step);
    // not even an unusual step: no bigger than 99 in 100 of the steps inside
    std::vector<int> steps;
    for (size_t i = 1; i < w.samples.size(); ++i) steps.push_back(std::abs(int(w.samples[i]) - int(w.samples[i - 1])));
    std::sort(steps.begin(), steps.end());
    EXPECT_LE(seam, steps[steps.size() * 99 / 100]);
    // and the level around the seam matches the level inside the loop
    auto rms = [&](size_t from, size_t n) {
        double s = 0;
        for (size_t i = 0; i < n; ++i) {
            double v = w.samples[(from + i) % w.samples.size()];
            s += v * v;
        }
        return std::sqrt(s / n);
    };
    size_t n = w.rate / 20;
    double around_seam = rms(w.samples.size() - n / 2, n);
    double inside = rms(w.samples.size() / 2, n);
    EXPECT_NEAR(around_seam / inside, 1.0, 0.35);
}

TEST(EngineSound, IsALoudEnoughEngineNotAPureTone) {
    Wave w = ReadWav(kData + "Prop.wav");
    ASSERT_TRUE(w.ok) << w.error;
    double sum = 0, sum_sq = 0;
    int peak = 0;
    for (int16_t s : w.samples) {
        sum += s;
        sum_sq += double(s) * s;
        peak = std::max(peak, std::abs(int(s)));
    }
    double n = double(w.samples.size());
    double rms = std::sqrt(sum_sq / n);
    EXPECT_LT(std::abs(sum / n), 200.0) << "DC offset";
    EXPECT_GT(rms, 3000.0) << "too quiet";
    EXPECT_LT(peak, 32767) << "clipped";
    // a sine has a crest factor of 1.41; firing pulses and noise give more
    EXPECT_GT(peak / rms, 2.0);
    // zero crossings of a pure tone are evenly spaced; an engine's are not
    std::vector<int> gaps;
    int last = -1;
    for (size_t i = 1; i < w.samples.size(); ++i)
        if ((w.samples[i - 1] < 0) != (w.samples[i] < 0)) {
            if (last >= 0) gaps.push_back(int(i) - last);
            last = int(i);
        }
    ASSERT_GT(gaps.size(), 100u);
    double mean = 0;
    for (int g : gaps) mean += g;
    mean /= gaps.size();
    double var = 0;
    for (int g : gaps) var += (g - mean) * (g - mean);
    EXPECT_GT(std::sqrt(var / gaps.size()) / mean, 0.3);
}

// ---------------------------------------------------------------- tests: help page
TEST(HelpPage, AnswersTheDialogsQuestions) {
    auto b = ReadFile(kData + "help.html");
    std::string html(b.begin(), b.end());
    ASSERT_FALSE(html.empty());
    for (const char* q : {"How do I load a custom background?", "How do I load a custom logo?",
                          "Why is it slow loading the settings screen?", "Skyvault-Setup.exe",
                          "HKEY_CURRENT_USER\\Software\\Skyvault\\Startup", "800 &times; 600"})
        EXPECT_NE(html.find(q), std::string::npos) << q;
    EXPECT_EQ(html.find("http://"), std::string::npos) << "the page must work offline";
    EXPECT_EQ(html.find("https://"), std::string::npos) << "the page must work offline";
}

}  // namespace
