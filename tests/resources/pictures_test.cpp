// The program's icons and bitmaps, loaded from this test program's own module the way the
// device program loads them: present, of the sizes and colour depths the code relies on,
// with the mask colour where an image list takes it, and the level-bar colours where the
// About box stretches them.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

HINSTANCE Module() { return GetModuleHandleW(nullptr); }

struct Rgb {
    int r, g, b;
};

// Pixels of a bitmap, top row first, whatever its own depth.
std::vector<Rgb> ReadPixels(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<std::uint32_t> raw(static_cast<size_t>(width) * height);
    HDC dc = CreateCompatibleDC(nullptr);
    int lines = GetDIBits(dc, bitmap, 0, height, raw.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    std::vector<Rgb> pixels;
    if (lines != height) return pixels;
    for (std::uint32_t v : raw)
        pixels.push_back({static_cast<int>((v >> 16) & 0xFF), static_cast<int>((v >> 8) & 0xFF),
                          static_cast<int>(v & 0xFF)});
    return pixels;
}

bool IsMaskColour(const Rgb& c) { return c.r == 192 && c.g == 192 && c.b == 192; }

// ------------------------------------------------------------------------------- icons

#pragma pack(push, 2)
struct GroupIconHeader {
    WORD reserved, type, count;
};
struct GroupIconEntry {
    BYTE width, height, colourCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

const int kIcons[] = {100, 118, 120, 121, 153, 155, 32515, 32516};

// The sizes of the members of an icon group, as stored in the resource.
std::vector<int> MemberSizes(int id) {
    std::vector<int> sizes;
    HRSRC found = FindResourceW(Module(), MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(14));
    if (!found) return sizes;
    auto* header = static_cast<const GroupIconHeader*>(LockResource(LoadResource(Module(), found)));
    auto* entries = reinterpret_cast<const GroupIconEntry*>(header + 1);
    for (WORD i = 0; i < header->count; ++i) {
        const GroupIconEntry& e = entries[i];
        // Every member the group names must be there as an icon of its own.
        if (!FindResourceW(Module(), MAKEINTRESOURCEW(e.id), MAKEINTRESOURCEW(3))) continue;
        if (e.width == e.height) sizes.push_back(e.width == 0 ? 256 : e.width);
    }
    return sizes;
}

TEST(Icons, EveryGroupHasItsOwn16And32PixelMembers) {
    for (int id : kIcons) {
        SCOPED_TRACE(id);
        std::vector<int> sizes = MemberSizes(id);
        ASSERT_FALSE(sizes.empty()) << "icon group missing";
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), 16), sizes.end());
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), 32), sizes.end());
    }
}

TEST(Icons, LoadAtBothSizesWithTransparentSurroundAndOpaquePicture) {
    for (int id : kIcons) {
        for (int size : {16, 32}) {
            SCOPED_TRACE(testing::Message() << id << " at " << size);
            HICON icon = static_cast<HICON>(
                LoadImageW(Module(), MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ASSERT_NE(icon, nullptr);
            ICONINFO info = {};
            ASSERT_TRUE(GetIconInfo(icon, &info));
            BITMAP colour = {};
            ASSERT_TRUE(GetObjectW(info.hbmColor, sizeof(colour), &colour));
            EXPECT_EQ(colour.bmWidth, size);
            EXPECT_EQ(colour.bmHeight, size);
            // A broken AND mask shows either nothing or a square block with black corners
            // on every background.
            std::vector<Rgb> mask = ReadPixels(info.hbmMask, size, size);
            ASSERT_EQ(mask.size(), static_cast<size_t>(size * size));
            size_t opaque = 0;
            for (const Rgb& m : mask) opaque += m.r == 0 ? 1 : 0;
            EXPECT_NE(mask[0].r, 0) << "top-left corner not transparent";
            EXPECT_GT(opaque, mask.size() / 4);
            DeleteObject(info.hbmColor);
            DeleteObject(info.hbmMask);
            DestroyIcon(icon);
        }
    }
}

// ----------------------------------------------------------------------------- bitmaps

struct BitmapCase {
    int id;
    int width, height, bitsPerPixel;
    int imageWidth;  // 0: not an image strip
};

const BitmapCase kBitmaps[] = {
    {100, 33, 13, 4, 11},     // command-band images
    {102, 35, 64, 24, 0},     // level-bar colour strip
    {105, 192, 16, 8, 16},    // folder tree
    {1001, 112, 16, 8, 16},   // tool bar
};

TEST(Bitmaps, HaveTheSizeAndColourDepthTheCodeUses) {
    for (const BitmapCase& c : kBitmaps) {
        SCOPED_TRACE(c.id);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageW(Module(), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION dib = {};
        ASSERT_EQ(GetObjectW(bitmap, sizeof(dib), &dib), static_cast<int>(sizeof(dib)));
        EXPECT_EQ(dib.dsBm.bmWidth, c.width);
        EXPECT_EQ(dib.dsBm.bmHeight, c.height);
        EXPECT_EQ(dib.dsBm.bmBitsPixel, c.bitsPerPixel);
        DeleteObject(bitmap);
    }
}

// Image lists take the top-left pixel as mask colour (CLR_DEFAULT) and the tool bar maps
// 192 grey to the button face: every strip starts with that grey, and every image has both
// a background and a picture.
TEST(Bitmaps, ImageStripsHaveMaskBackgroundAndAPictureInEveryImage) {
    for (const BitmapCase& c : kBitmaps) {
        if (c.imageWidth == 0) continue;
        SCOPED_TRACE(c.id);
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageW(Module(), MAKEINTRESOURCEW(c.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        std::vector<Rgb> px = ReadPixels(bitmap, c.width, c.height);
        DeleteObject(bitmap);
        ASSERT_EQ(px.size(), static_cast<size_t>(c.width * c.height));
        EXPECT_TRUE(IsMaskColour(px[0]));
        for (int image = 0; image < c.width / c.imageWidth; ++image) {
            SCOPED_TRACE(image);
            int background = 0;
            int picture = 0;
            for (int y = 0; y < c.height; ++y)
                for (int x = image * c.imageWidth; x < (image + 1) * c.imageWidth; ++x)
                    (IsMaskColour(px[static_cast<size_t>(y) * c.width + x]) ? background : picture)++;
            EXPECT_GT(background, 0);
            EXPECT_GT(picture, 2 * c.imageWidth);
        }
    }
}

TEST(Bitmaps, LoadIntoImageListsWithTheImageCountsTheCodeUses) {
    struct ListCase {
        int id, imageWidth, count;
    };
    for (const ListCase& c : {ListCase{100, 11, 3}, ListCase{105, 16, 12}, ListCase{1001, 16, 7}}) {
        SCOPED_TRACE(c.id);
        HIMAGELIST list = ImageList_LoadImageW(Module(), MAKEINTRESOURCEW(c.id), c.imageWidth, 1,
                                               CLR_DEFAULT, IMAGE_BITMAP, 0);
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(ImageList_GetImageCount(list), c.count);
        ImageList_Destroy(list);
    }
}

// ------------------------------------------------------------------------ colour strip

class ColourStrip : public testing::Test {
protected:
    void SetUp() override {
        HBITMAP bitmap = static_cast<HBITMAP>(
            LoadImageW(Module(), MAKEINTRESOURCEW(102), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        pixels = ReadPixels(bitmap, 35, 64);
        DeleteObject(bitmap);
        ASSERT_EQ(pixels.size(), 35u * 64u);
    }
    Rgb At(int column, int row) const { return pixels[static_cast<size_t>(row) * 35 + column]; }

    std::vector<Rgb> pixels;
    static constexpr int kRows[] = {8, 24, 40, 56};
};

constexpr int ColourStrip::kRows[];

TEST_F(ColourStrip, BlueGreenAndRedColumnsAreDominatedByTheirColour) {
    for (int row : kRows) {
        SCOPED_TRACE(row);
        Rgb blue = At(0, row), green = At(1, row), red = At(4, row);
        EXPECT_GT(blue.b, blue.r + 60);
        EXPECT_GT(blue.b, blue.g + 60);
        EXPECT_GT(green.g, green.r + 60);
        EXPECT_GT(green.g, green.b + 60);
        EXPECT_GT(red.r, red.g + 60);
        EXPECT_GT(red.r, red.b + 60);
    }
}

TEST_F(ColourStrip, OrangeColumnIsRedWithHalfAsMuchGreen) {
    for (int row : kRows) {
        SCOPED_TRACE(row);
        Rgb orange = At(3, row);
        EXPECT_GT(orange.r, orange.b + 80);
        EXPECT_GT(orange.g * 10, orange.r * 3);
        EXPECT_LT(orange.g * 10, orange.r * 8);
        EXPECT_GT(orange.g, orange.b);
    }
}

TEST_F(ColourStrip, GreyColumnIsNeutralAndLightEnoughForTheBlackText) {
    for (int row : kRows) {
        SCOPED_TRACE(row);
        Rgb grey = At(8, row);
        EXPECT_LE(std::abs(grey.r - grey.g), 8);
        EXPECT_LE(std::abs(grey.g - grey.b), 8);
        EXPECT_GT(grey.r, 100);
    }
}

TEST_F(ColourStrip, NamedColumnsShadeFromLightAtTheTopToDarkAtTheBottom) {
    for (int column : {0, 1, 3, 4, 8}) {
        SCOPED_TRACE(column);
        Rgb top = At(column, 0), bottom = At(column, 63);
        EXPECT_GT(top.r + top.g + top.b, bottom.r + bottom.g + bottom.b + 100);
    }
}

}  // namespace
