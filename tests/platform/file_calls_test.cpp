// The platform's file calls on real files: the copy in pieces, the atomic replace, and
// links told from plain entries (the links are made by CTest with `ln -s`, see CMakeLists).
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <utility>

#include "platform/file_copy.h"
#include "platform/file_system.h"
#include "process.h"
#include "temp_tree.h"

namespace {

// Hears every piece; says stop at piece `stopAt` (0: never).
struct Pieces : CopyProgress {
    explicit Pieces(int stop = 0) : stopAt(stop) {}
    bool Continue(ULONGLONG d, ULONGLONG t) override {
        done = d;
        total = t;
        return ++heard != stopAt;
    }
    int stopAt, heard = 0;
    ULONGLONG done = 0, total = 0;
};

// A file's size and its last bytes, read through one handle.
std::pair<ULONGLONG, std::string> SizeAndTail(const std::wstring& path, DWORD bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    LARGE_INTEGER size{}, at{};
    std::string tail(bytes, '\0');
    DWORD got = 0;
    if (GetFileSizeEx(file, &size) && size.QuadPart >= bytes) {
        at.QuadPart = size.QuadPart - bytes;
        if (SetFilePointerEx(file, at, nullptr, FILE_BEGIN)) ReadFile(file, tail.data(), bytes, &got, nullptr);
    }
    CloseHandle(file);
    tail.resize(got);
    return {static_cast<ULONGLONG>(size.QuadPart), tail};
}

constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;

}  // namespace

// Three pieces: a stop at the second removes the partial copy; failIfExists keeps a file that
// is there; otherwise it is written over, whole, with the source's attributes.
TEST(CopyFileInPieces, StopsAtAPieceKeepsAnExistingTargetAndCarriesAttributes) {
    TempTree tree;
    const std::string data = std::string(kCopyPieceBytes, 'a') + std::string(kCopyPieceBytes, 'b') + "end";
    tree.Write(L"src", data);
    tree.SetAttributes(L"src", kKept);
    const std::wstring src = tree.Path(L"src"), copy = tree.Path(L"copy"), theirs = tree.Path(L"theirs");

    Pieces stop(2);
    EXPECT_FALSE(CopyFileInPieces(src.c_str(), copy.c_str(), false, &stop));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_REQUEST_ABORTED));
    EXPECT_EQ(stop.heard, 2);
    EXPECT_EQ(stop.done, 2ull * kCopyPieceBytes);
    EXPECT_EQ(stop.total, data.size());
    EXPECT_FALSE(tree.Exists(L"copy"));

    tree.Write(L"theirs", "theirs");
    EXPECT_FALSE(CopyFileInPieces(src.c_str(), theirs.c_str(), true, nullptr));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_EXISTS));
    EXPECT_EQ(tree.Read(L"theirs"), "theirs");

    Pieces all;
    EXPECT_TRUE(CopyFileInPieces(src.c_str(), theirs.c_str(), false, &all));
    EXPECT_EQ(all.heard, 3);
    EXPECT_EQ(all.done, data.size());
    EXPECT_EQ(tree.Read(L"theirs"), data);
    EXPECT_EQ(tree.Attributes(L"theirs") & kKept, kKept);
    EXPECT_TRUE(CopyFileInPieces(src.c_str(), copy.c_str(), true, nullptr));  // a new name: made
    EXPECT_EQ(tree.Read(L"copy"), data);
    EXPECT_EQ(tree.Attributes(L"copy") & kKept, kKept);
}

// The checksum does not depend on how the bytes came in pieces (a copy reads in other pieces
// than its read-back may); the copy's and the read-back's agree, and a byte or a length differs.
TEST(Checksum, TheSameBytesInAnyPiecesAndTheCopysReadBackAgree) {
    std::string data(100003, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i * 7919 >> 3);
    Checksum whole, pieces;
    whole.Add(data.data(), static_cast<DWORD>(data.size()));
    for (size_t at = 0, step = 1; at < data.size(); at += step, step = step * 3 % 97 + 1) {
        pieces.Add(data.data() + at, static_cast<DWORD>(std::min(step, data.size() - at)));
    }
    EXPECT_EQ(pieces.Value(), whole.Value());
    Checksum longer = whole, changed;
    longer.Add("", 1);
    std::string other = data;
    other[5000] ^= 0x40;
    changed.Add(other.data(), static_cast<DWORD>(other.size()));
    EXPECT_NE(longer.Value(), whole.Value());
    EXPECT_NE(changed.Value(), whole.Value());

    TempTree tree;
    tree.Write(L"src", data);
    ULONGLONG copied = 0, readBack = 0;
    ASSERT_TRUE(CopyFileInPieces(tree.Path(L"src").c_str(), tree.Path(L"copy").c_str(), true, nullptr, nullptr, &copied));
    ASSERT_TRUE(ReadBackChecksum(tree.Path(L"copy").c_str(), &readBack));
    EXPECT_EQ(copied, whole.Value());
    EXPECT_EQ(readBack, whole.Value());
}

// 0xFFFFFFFF bytes: the low half of the size reads as INVALID_FILE_SIZE, and is a size.
TEST(CopyFileInPieces, CopiesASizeWhoseLowHalfIsAllOnes) {
    TempTree tree;
    const std::wstring src = tree.Path(L"sparse"), copy = tree.Path(L"copy");
    HANDLE file = CreateFileW(src.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    LARGE_INTEGER at;
    at.QuadPart = 0xFFFFFFFFll - 4;  // nothing written before: sparse
    DWORD written = 0;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    WriteFile(file, "tail", 4, &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(SizeAndTail(src, 4).first, 0xFFFFFFFFull);
    Pieces all;
    EXPECT_TRUE(CopyFileInPieces(src.c_str(), copy.c_str(), true, &all)) << GetLastError();
    EXPECT_EQ(all.total, 0xFFFFFFFFull);
    EXPECT_EQ(all.done, 0xFFFFFFFFull);
    EXPECT_EQ(SizeAndTail(copy, 8), std::make_pair(0xFFFFFFFFull, std::string(4, '\0') + "tail"));
}

// A read-only copy takes the destination's place with its times; a replace that cannot be
// done leaves both files as they were.
TEST(ReplaceFileAtomically, PutsAReadOnlyCopyInPlaceAndKeepsTheOldFileWhenItFails) {
    TempTree tree;
    tree.Write(L"dst", "old");
    tree.Write(L"copy", "new");
    tree.SetAttributes(L"copy", FILE_ATTRIBUTE_READONLY);
    const FILETIME when = MakeTime(2020, 2, 3, 4, 5, 6);
    EXPECT_TRUE(ReplaceFileAtomically(tree.Path(L"copy").c_str(), tree.Path(L"dst").c_str(), &when, &when, &when));
    EXPECT_EQ(tree.Read(L"dst"), "new");
    EXPECT_FALSE(tree.Exists(L"copy"));
    const FILETIME written = tree.WriteTime(L"dst");
    EXPECT_EQ(CompareFileTime(&when, &written), 0);
    EXPECT_NE(tree.Attributes(L"dst") & FILE_ATTRIBUTE_READONLY, 0u);

    tree.Write(L"copy", "newer");
    tree.SetAttributes(L"dst", FILE_ATTRIBUTE_NORMAL);
    // Another program holds the destination open.
    HANDLE held = CreateFileW(tree.Path(L"dst").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_FALSE(ReplaceFileAtomically(tree.Path(L"copy").c_str(), tree.Path(L"dst").c_str(), &when, &when, &when));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    CloseHandle(held);
    EXPECT_EQ(tree.Read(L"dst"), "new");
    EXPECT_EQ(tree.Read(L"copy"), "newer");
}

// The links CTest made: file_link -> folder/file.txt, folder_link -> folder, beside plain.txt.
TEST(ClassifyLink, ToldFromWhereThePathLeads) {
    const std::wstring links = WinePath(ZOLV_LINKS_DIR);
    wchar_t resolved[kResolvedPathChars];
    ASSERT_TRUE(ResolveFolderPath(links.c_str(), resolved, kResolvedPathChars));
    for (auto [name, kind] : {std::pair{L"plain.txt", LinkKind::Entry}, std::pair{L"folder", LinkKind::Entry},
                              std::pair{L"file_link", LinkKind::Link}, std::pair{L"folder_link", LinkKind::Link}}) {
        const std::wstring path = links + L"\\" + name;
        EXPECT_EQ(ClassifyLink(path.c_str()), kind) << Utf8(name);
        EXPECT_EQ(ClassifyLinkIn(resolved, path.c_str()), kind) << Utf8(name);
    }
    EXPECT_EQ(ClassifyLink((links + L"\\missing").c_str()), LinkKind::Unknown);
}
