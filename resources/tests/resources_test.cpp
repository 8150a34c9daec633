// Checks the bundle of pictures built into Quillomat: each file is reachable
// under the program's resource path, matches the committed file, and has the
// exact format that the window icon and the About window rely on.
#include <gio/gio.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "quillomat_resources.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

const std::array<const char*, 5> BundledFiles = {
    "icons/quillomat-16.png",
    "icons/quillomat-32.png",
    "icons/quillomat-48.png",
    "about.bmp",
    "style.css",
};

std::string ResourcePath(const std::string& name)
{
    return QUILLOMAT_RESOURCE_PREFIX + name;
}

// Reads a bundled file through the process-wide registry, as GTK does.
Bytes Lookup(const std::string& name)
{
    GError* error = nullptr;
    GBytes* bytes =
        g_resources_lookup_data(ResourcePath(name).c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE, &error);
    if (bytes == nullptr) {
        ADD_FAILURE() << "cannot find " << ResourcePath(name) << ": "
                      << (error != nullptr ? error->message : "?");
        g_clear_error(&error);
        return {};
    }
    gsize size = 0;
    const auto* data = static_cast<const std::uint8_t*>(g_bytes_get_data(bytes, &size));
    Bytes out(data, data + size);
    g_bytes_unref(bytes);
    return out;
}

Bytes ReadSourceFile(const std::string& name)
{
    std::ifstream in(std::string(QUILLOMAT_RESOURCES_SOURCE_DIR) + "/" + name, std::ios::binary);
    EXPECT_TRUE(in) << "cannot open " << name << " in the source tree";
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::uint32_t Le16(const Bytes& b, std::size_t at)
{
    return b.at(at) | (b.at(at + 1) << 8);
}
std::uint32_t Le32(const Bytes& b, std::size_t at)
{
    return Le16(b, at) | (Le16(b, at + 2) << 16);
}
std::int32_t Le32Signed(const Bytes& b, std::size_t at)
{
    return static_cast<std::int32_t>(Le32(b, at));
}
std::uint32_t Be32(const Bytes& b, std::size_t at)
{
    return (std::uint32_t{b.at(at)} << 24) | (b.at(at + 1) << 16) | (b.at(at + 2) << 8) |
           b.at(at + 3);
}

std::uint32_t Crc32(const std::uint8_t* data, std::size_t size)
{
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

Bytes Inflate(const Bytes& packed)
{
    GInputStream* raw = g_memory_input_stream_new_from_data(packed.data(), packed.size(), nullptr);
    GZlibDecompressor* zlib = g_zlib_decompressor_new(G_ZLIB_COMPRESSOR_FORMAT_ZLIB);
    GInputStream* stream = g_converter_input_stream_new(raw, G_CONVERTER(zlib));
    Bytes out;
    std::array<std::uint8_t, 4096> chunk{};
    GError* error = nullptr;
    for (;;) {
        gssize got = g_input_stream_read(stream, chunk.data(), chunk.size(), nullptr, &error);
        if (got <= 0)
            break;
        out.insert(out.end(), chunk.begin(), chunk.begin() + got);
    }
    if (error != nullptr) {
        ADD_FAILURE() << "bad zlib data: " << error->message;
        g_error_free(error);
    }
    g_object_unref(stream);
    g_object_unref(zlib);
    g_object_unref(raw);
    return out;
}

struct Rgba {
    std::uint8_t r, g, b, a;
    bool operator==(const Rgba&) const = default;
};

// A palette PNG, read chunk by chunk (CRCs checked) and decoded.
struct PalettePng {
    std::uint32_t width = 0, height = 0;
    int bit_depth = 0, colour_type = 0, interlace = 0;
    std::vector<Rgba> palette;
    std::vector<Rgba> pixels;  // row by row, top first
};

PalettePng ReadPalettePng(const Bytes& file)
{
    PalettePng png;
    static const std::uint8_t PngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (file.size() < 8 || !std::equal(PngSignature, PngSignature + 8, file.begin())) {
        ADD_FAILURE() << "no PNG signature";
        return png;
    }
    Bytes packed;
    bool ended = false;
    std::size_t at = 8;
    bool first = true;
    while (!ended) {
        if (at + 12 > file.size()) {
            ADD_FAILURE() << "PNG cut short, no IEND";
            return png;
        }
        const std::uint32_t length = Be32(file, at);
        if (at + 12 + length > file.size()) {
            ADD_FAILURE() << "PNG chunk runs past the end";
            return png;
        }
        const std::string type(file.begin() + at + 4, file.begin() + at + 8);
        const std::size_t body = at + 8;
        EXPECT_EQ(Crc32(file.data() + at + 4, length + 4), Be32(file, body + length))
            << "bad CRC in chunk " << type;
        if (first) {
            EXPECT_EQ(type, "IHDR");
            EXPECT_EQ(length, 13u);
            first = false;
        }
        if (type == "IHDR") {
            png.width = Be32(file, body);
            png.height = Be32(file, body + 4);
            png.bit_depth = file[body + 8];
            png.colour_type = file[body + 9];
            png.interlace = file[body + 12];
        } else if (type == "PLTE") {
            EXPECT_EQ(length % 3, 0u);
            for (std::size_t i = 0; i + 2 < length; i += 3)
                png.palette.push_back(
                    {file[body + i], file[body + i + 1], file[body + i + 2], 255});
        } else if (type == "tRNS") {
            EXPECT_LE(length, png.palette.size()) << "tRNS longer than the palette";
            for (std::size_t i = 0; i < length && i < png.palette.size(); ++i)
                png.palette[i].a = file[body + i];
        } else if (type == "IDAT") {
            packed.insert(packed.end(), file.begin() + body, file.begin() + body + length);
        } else if (type == "IEND") {
            ended = true;
            EXPECT_EQ(at + 12, file.size()) << "bytes after IEND";
        }
        at += 12 + length;
    }
    if (png.colour_type != 3 || png.bit_depth != 8 || png.interlace != 0)
        return png;

    // Undo the row filters; with one byte per pixel the "previous pixel" is one byte back.
    const Bytes raw = Inflate(packed);
    const std::size_t stride = png.width;
    if (raw.size() != (stride + 1) * png.height) {
        ADD_FAILURE() << "image data holds " << raw.size() << " bytes";
        return png;
    }
    Bytes prior(stride, 0), row(stride);
    for (std::uint32_t y = 0; y < png.height; ++y) {
        const std::uint8_t filter = raw[y * (stride + 1)];
        for (std::size_t x = 0; x < stride; ++x) {
            const int value = raw[y * (stride + 1) + 1 + x];
            const int a = x > 0 ? row[x - 1] : 0, b = prior[x], c = x > 0 ? prior[x - 1] : 0;
            int predicted = 0;
            switch (filter) {
                case 0:
                    predicted = 0;
                    break;
                case 1:
                    predicted = a;
                    break;
                case 2:
                    predicted = b;
                    break;
                case 3:
                    predicted = (a + b) / 2;
                    break;
                case 4: {
                    const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b),
                              pc = std::abs(p - c);
                    predicted = (pa <= pb && pa <= pc) ? a : (pb <= pc ? b : c);
                    break;
                }
                default:
                    ADD_FAILURE() << "unknown PNG filter " << int{filter};
                    return png;
            }
            row[x] = static_cast<std::uint8_t>(value + predicted);
        }
        for (std::uint8_t index : row) {
            if (index >= png.palette.size()) {
                ADD_FAILURE() << "pixel uses palette entry " << int{index} << " of "
                              << png.palette.size();
                return png;
            }
            png.pixels.push_back(png.palette[index]);
        }
        prior = row;
    }
    return png;
}

TEST(Bundle, EveryFileIsRegisteredUnderTheProgramPrefix)
{
    for (const char* name : BundledFiles) {
        gsize size = 0;
        guint32 flags = 0;
        GError* error = nullptr;
        EXPECT_TRUE(g_resources_get_info(ResourcePath(name).c_str(), G_RESOURCE_LOOKUP_FLAGS_NONE,
                                         &size, &flags, &error))
            << ResourcePath(name) << ": " << (error != nullptr ? error->message : "");
        g_clear_error(&error);
    }
}

TEST(Bundle, TheResourceHandleReachesTheSameFiles)
{
    GResource* resource = quillomat_get_resource();
    ASSERT_NE(resource, nullptr);
    for (const char* name : BundledFiles) {
        GError* error = nullptr;
        GBytes* bytes = g_resource_lookup_data(resource, ResourcePath(name).c_str(),
                                               G_RESOURCE_LOOKUP_FLAGS_NONE, &error);
        EXPECT_NE(bytes, nullptr) << name << ": " << (error != nullptr ? error->message : "");
        g_clear_error(&error);
        if (bytes != nullptr)
            g_bytes_unref(bytes);
    }
}

TEST(Bundle, BundledFilesMatchTheCommittedOnes)
{
    for (const char* name : BundledFiles) {
        const Bytes bundled = Lookup(name);
        EXPECT_TRUE(bundled == ReadSourceFile(name)) << name << " is stale in the bundle";
    }
}

TEST(Bundle, PicturesAreNotEmpty)
{
    for (const char* name : BundledFiles) {
        if (std::string(name) == "style.css")
            continue;  // may legitimately be empty
        EXPECT_GT(Lookup(name).size(), 100u) << name;
    }
}

TEST(AboutPicture, IsAnUncompressed24BitBmpOf221By321)
{
    const Bytes bmp = Lookup("about.bmp");
    ASSERT_EQ(bmp.size(), 213198u);
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(Le32(bmp, 2), 213198u);     // file size
    EXPECT_EQ(Le32(bmp, 10), 54u);        // pixels start right after the two headers
    EXPECT_EQ(Le32(bmp, 14), 40u);        // BITMAPINFOHEADER, not V4/V5
    EXPECT_EQ(Le32Signed(bmp, 18), 221);  // width
    EXPECT_EQ(Le32Signed(bmp, 22), 321);  // height, positive: rows stored bottom-up
    EXPECT_EQ(Le16(bmp, 26), 1u);         // planes
    EXPECT_EQ(Le16(bmp, 28), 24u);        // bits per pixel
    EXPECT_EQ(Le32(bmp, 30), 0u);         // BI_RGB
    EXPECT_EQ(Le32(bmp, 46), 0u);         // no colour table
}

TEST(AboutPicture, RowsArePaddedToFourBytesWithZeros)
{
    const Bytes bmp = Lookup("about.bmp");
    ASSERT_EQ(bmp.size(), 213198u);
    constexpr std::size_t RowBytes = 664;  // 221 * 3 = 663 bytes of pixels + 1 byte of padding
    for (std::size_t y = 0; y < 321; ++y)
        EXPECT_EQ(bmp[54 + y * RowBytes + 663], 0) << "row " << y;
}

TEST(AboutPicture, IsAnIllustrationNotAFlatFill)
{
    const Bytes bmp = Lookup("about.bmp");
    ASSERT_EQ(bmp.size(), 213198u);
    std::set<std::uint32_t> colours;
    for (std::size_t y = 0; y < 321; ++y)
        for (std::size_t x = 0; x < 221; ++x) {
            const std::size_t at = 54 + y * 664 + x * 3;
            colours.insert(bmp[at] | (bmp[at + 1] << 8) | (bmp[at + 2] << 16));
        }
    EXPECT_GT(colours.size(), 50u);
}

class SmallIcon : public ::testing::TestWithParam<int> {};

TEST_P(SmallIcon, IsA256ColourPngOfItsSizeWithTransparency)
{
    const int size = GetParam();
    const PalettePng png =
        ReadPalettePng(Lookup("icons/quillomat-" + std::to_string(size) + ".png"));
    EXPECT_EQ(png.width, static_cast<std::uint32_t>(size));
    EXPECT_EQ(png.height, static_cast<std::uint32_t>(size));
    EXPECT_EQ(png.colour_type, 3) << "not a palette PNG";
    EXPECT_EQ(png.bit_depth, 8);
    EXPECT_LE(png.palette.size(), 256u);
    ASSERT_EQ(png.pixels.size(), static_cast<std::size_t>(size * size));
    std::size_t clear = 0, opaque = 0;
    for (const Rgba& p : png.pixels) {
        if (p.a == 0)
            ++clear;
        if (p.a == 255)
            ++opaque;
    }
    EXPECT_GT(clear, 0u) << "no transparent pixel";
    EXPECT_GT(opaque, static_cast<std::size_t>(size * size / 3)) << "the drawing is nearly empty";
}

INSTANTIATE_TEST_SUITE_P(Sizes, SmallIcon, ::testing::Values(16, 32, 48));

}  // namespace
