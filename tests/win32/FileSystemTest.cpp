// The file operations of the variant management on real files in a temporary folder.
#include "Win32TestSupport.h"
#include "platform/Win32FileSystem.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <utility>

using namespace varnholt;
using namespace varnholt::test;

namespace {

struct Files : ::testing::Test {
    TempFolder dir;
    Win32FileSystem fs;

    void SetUp() override { ASSERT_TRUE(dir.created()); }

    // Every byte value, with line breaks of both kinds among them.
    static std::string Binary() {
        std::string bytes = ";AddOn\r\n\n\r";
        for (int round = 0; round < 40; ++round) {
            for (int value = 0; value < 256; ++value) {
                bytes += static_cast<char>(value);
            }
        }
        return bytes;
    }

    void ExpectFailure(const FileError& error, DWORD number) {
        EXPECT_TRUE(error.failed());
        EXPECT_EQ(error.number, number);
        EXPECT_FALSE(error.description.empty());
        EXPECT_EQ(error.description, ErrorText(number));
    }
};

} // namespace

TEST_F(Files, LengthExistenceAndFirstLineAreThoseOfOrdinaryFiles) {
    dir.Write("BGruppen.dat", std::string(9000, 'g'));
    dir.Write("Empty.dat", "");
    dir.MakeFolder("Sub.dat");

    std::uint64_t length = 7;
    EXPECT_TRUE(fs.FileLength(dir / "BGruppen.dat", length));
    EXPECT_EQ(length, 9000u);
    EXPECT_TRUE(fs.FileLength(dir / "Empty.dat", length));
    EXPECT_EQ(length, 0u);
    EXPECT_TRUE(fs.FileExists(dir / "Empty.dat"));
    EXPECT_FALSE(fs.FileExists(dir.withoutBackslash()));

    // A missing file and a folder have no length and no first line; neither answer is touched.
    for (const char* name : {"Missing.dat", "Sub.dat"}) {
        length = 7;
        std::string line = "previous";
        EXPECT_FALSE(fs.FileLength(dir / name, length)) << name;
        EXPECT_FALSE(fs.FileExists(dir / name)) << name;
        EXPECT_FALSE(fs.ReadFirstLine(dir / name, 4096, line)) << name;
        EXPECT_EQ(length, 7u) << name;
        EXPECT_EQ(line, "previous") << name;
    }
}

TEST_F(Files, FirstLineEndsAtTheCarriageReturnOrTheByteLimit) {
    struct Case {
        std::string content;
        std::size_t limit;
        std::string line;
    };
    const Case cases[] = {
        {";AddOn\r\nGruppe 1\r\n", 4096, ";AddOn"},
        // A lone line feed is no line end for the data files.
        {";KZA\nzweite\r\ndritte", 4096, ";KZA\nzweite"},
        {"0123456789\r\n", 4, "0123"},
        {"", 4096, ""},
        // A carriage return beyond the limit is never seen.
        {std::string(5000, 'x') + "\r\n", 4096, std::string(4096, 'x')},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content.substr(0, 20));
        std::string line = "previous";
        dir.Write("a.dat", c.content);
        EXPECT_TRUE(fs.ReadFirstLine(dir / "a.dat", c.limit, line));
        EXPECT_EQ(line, c.line);
    }
}

TEST_F(Files, FirstLineIsDecodedFromTheAnsiCodePage) {
    if (!AnsiHasUmlauts()) {
        GTEST_SKIP() << "the ANSI code page " << GetACP() << " has no single-byte \u00e4";
    }
    std::string line;
    dir.Write("k.dat", Utf8ToAnsi(";K\u00f6nigs-Edition") + "\r\n");
    EXPECT_TRUE(fs.ReadFirstLine(dir / "k.dat", 4096, line));
    EXPECT_EQ(line, ";K\u00f6nigs-Edition");
}

TEST_F(Files, DeletionAndItsCheckReportWhatStopsTheRemoval) {
    dir.Write("ReadOnly.dat", "r");
    dir.MakeReadOnly("ReadOnly.dat");
    dir.MakeFolder("Sub.dat");
    const std::pair<const char*, DWORD> refusals[] = {{"Missing.dat", ERROR_FILE_NOT_FOUND},
                                                      {"ReadOnly.dat", ERROR_ACCESS_DENIED},
                                                      {"Sub.dat", ERROR_ACCESS_DENIED}};
    for (const auto& [name, number] : refusals) {
        SCOPED_TRACE(name);
        ExpectFailure(fs.CheckDeletable(dir / name), number);
        ExpectFailure(fs.DeleteFileAt(dir / name), number);
    }
    EXPECT_TRUE(dir.Has("ReadOnly.dat"));

    // Held open by another program that does not share deletion.
    const std::string held = dir.Write("Held.dat", "h");
    FileHandle other(CreateFileW(Widen(held).c_str(), GENERIC_READ,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(other);
    const FileError whileHeld = fs.CheckDeletable(held);
    other.reset();
    ExpectFailure(whileHeld, ERROR_SHARING_VIOLATION);
    EXPECT_FALSE(fs.CheckDeletable(held).failed());

    // The check removes nothing; the deletion does.
    dir.Write("BGruppen.dat", "current");
    EXPECT_FALSE(fs.CheckDeletable(dir / "BGruppen.dat").failed());
    EXPECT_EQ(dir.Read("BGruppen.dat"), "current");
    EXPECT_FALSE(fs.DeleteFileAt(dir / "BGruppen.dat").failed());
    EXPECT_FALSE(dir.Has("BGruppen.dat"));
}

TEST_F(Files, CopyIsByteForByteAndReplacesTheTarget) {
    const std::string content = Binary();
    dir.Write("BGruppen_AddOn.dat", content);
    EXPECT_FALSE(fs.CopyFileTo(dir / "BGruppen_AddOn.dat", dir / "BGruppen.dat").failed());
    EXPECT_EQ(dir.Read("BGruppen.dat"), content);

    // A longer target is replaced whole, a read-only one as well.
    dir.Write("Long.dat", std::string(20000, 'L'));
    dir.MakeReadOnly("Long.dat");
    EXPECT_FALSE(fs.CopyFileTo(dir / "BGruppen_AddOn.dat", dir / "Long.dat").failed());
    EXPECT_EQ(dir.Read("Long.dat"), content);
    EXPECT_EQ(dir.Attributes("Long.dat") & FILE_ATTRIBUTE_READONLY, 0u);

    // A read-only variant gives a copy that can be replaced later, whether the target existed
    // or not; the variant stays as it is.
    dir.Write("BGruppen_KZA.dat", ";KZA\r\n");
    dir.MakeReadOnly("BGruppen_KZA.dat");
    for (const char* target : {"New.dat", "BGruppen.dat"}) {
        EXPECT_FALSE(fs.CopyFileTo(dir / "BGruppen_KZA.dat", dir / target).failed()) << target;
        EXPECT_EQ(dir.Read(target), ";KZA\r\n") << target;
        EXPECT_EQ(dir.Attributes(target) & FILE_ATTRIBUTE_READONLY, 0u) << target;
    }
    EXPECT_NE(dir.Attributes("BGruppen_KZA.dat") & FILE_ATTRIBUTE_READONLY, 0u);

    // A failed copy leaves the target alone.
    ExpectFailure(fs.CopyFileTo(dir / "Missing.dat", dir / "BGruppen.dat"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(dir.Read("BGruppen.dat"), ";KZA\r\n");
}

TEST_F(Files, RenameReplacesOnlyWhenAsked) {
    dir.Write("BGruppen.dat.tmp", "new");
    dir.Write("BGruppen.dat", "old");

    ExpectFailure(fs.RenameFile(dir / "BGruppen.dat.tmp", dir / "BGruppen.dat", false),
                  ERROR_ALREADY_EXISTS);
    EXPECT_EQ(dir.Read("BGruppen.dat"), "old");
    EXPECT_EQ(dir.Read("BGruppen.dat.tmp"), "new");

    EXPECT_FALSE(fs.RenameFile(dir / "BGruppen.dat.tmp", dir / "BGruppen.dat", true).failed());
    EXPECT_EQ(dir.Read("BGruppen.dat"), "new");
    EXPECT_FALSE(dir.Has("BGruppen.dat.tmp"));
    // A failed replacement keeps the target.
    ExpectFailure(fs.RenameFile(dir / "Missing.tmp", dir / "BGruppen.dat", true),
                  ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(dir.Read("BGruppen.dat"), "new");

    EXPECT_FALSE(
        fs.RenameFile(dir / "BGruppen.dat", dir / "BGruppen_Original.dat", false).failed());
    EXPECT_EQ(dir.Read("BGruppen_Original.dat"), "new");
    EXPECT_FALSE(dir.Has("BGruppen.dat"));
}

TEST_F(Files, ListingMatchesThePatternWithoutRegardToCaseAndGivesLengths) {
    std::vector<std::string> names;
    std::vector<FileEntry> entries;
    EXPECT_TRUE(fs.ListFiles(dir.path(), "BGruppen*.dat", names));
    EXPECT_TRUE(names.empty());
    for (const char* name : {"bgruppen_addon.DAT", "BGruppen_K\u00f6nigs.dat", "BGruppen.dat.tmp",
                             "Other.dat", "BGruppen_Classic.txt"}) {
        dir.Write(name, "");
    }
    dir.Write("BGruppen.dat", std::string(9000, 'g'));
    dir.MakeFolder("BGruppen_Folder.dat");

    EXPECT_TRUE(fs.ListFiles(dir.path(), "BGruppen*.dat", names));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"BGruppen.dat", "BGruppen_K\u00f6nigs.dat",
                                               "bgruppen_addon.DAT"}));
    EXPECT_TRUE(fs.ListFilesWithLengths(dir.path(), "BGruppen*.dat", entries));
    std::vector<std::pair<std::string, std::uint64_t>> lengths;
    for (const FileEntry& entry : entries) {
        lengths.emplace_back(entry.name, entry.length);
    }
    std::sort(lengths.begin(), lengths.end());
    EXPECT_EQ(lengths,
              (std::vector<std::pair<std::string, std::uint64_t>>{{"BGruppen.dat", 9000},
                                                                  {"BGruppen_K\u00f6nigs.dat", 0},
                                                                  {"bgruppen_addon.DAT", 0}}));

    names.clear();
    EXPECT_FALSE(fs.ListFiles(dir / "Missing\\", "BGruppen*.dat", names));
    EXPECT_TRUE(names.empty());
    EXPECT_FALSE(fs.ListFilesWithLengths(dir / "Missing\\", "BGruppen*.dat", entries));
}

TEST_F(Files, SameContentComparesEveryByte) {
    const std::string big = Binary() + std::string(200000, 'g');
    std::string lastDiffers = big;
    lastDiffers.back() = 'h';
    dir.Write("A.dat", big);
    dir.Write("B.dat", big);
    dir.Write("LastDiffers.dat", lastDiffers);
    dir.Write("Shorter.dat", big.substr(0, big.size() - 1));
    dir.Write("Empty1.dat", "");
    dir.Write("Empty2.dat", "");

    EXPECT_TRUE(fs.SameContent(dir / "A.dat", dir / "B.dat"));
    EXPECT_TRUE(fs.SameContent(dir / "Empty1.dat", dir / "Empty2.dat"));
    EXPECT_FALSE(fs.SameContent(dir / "A.dat", dir / "LastDiffers.dat"));
    EXPECT_FALSE(fs.SameContent(dir / "A.dat", dir / "Shorter.dat"));
    EXPECT_FALSE(fs.SameContent(dir / "A.dat", dir / "Missing.dat"));

    // A file the game holds open for reading is still compared.
    const FileHandle lock(CreateFileW(Widen(dir / "B.dat").c_str(), GENERIC_READ, FILE_SHARE_READ,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    EXPECT_TRUE(fs.SameContent(dir / "A.dat", dir / "B.dat"));
}

TEST_F(Files, WrittenBytesAreTheWholeContentAndReplaceAStaleFile) {
    dir.Write("Added.tmp", std::string(300000, 's'));
    dir.MakeReadOnly("Added.tmp");
    EXPECT_FALSE(fs.WriteBytes(dir / "Added.tmp", Binary()).failed());
    EXPECT_EQ(dir.Read("Added.tmp"), Binary());
    EXPECT_EQ(dir.Attributes("Added.tmp") & FILE_ATTRIBUTE_READONLY, 0u);
    ExpectFailure(fs.WriteBytes(dir / "Missing\\Added.tmp", "x"), ERROR_PATH_NOT_FOUND);
}

TEST_F(Files, IdentityIsTheFilesHoweverThePathSpellsIt) {
    const std::string path = dir.Write("BGruppen_Long Name.dat", "x");
    dir.Write("Other.dat", "x");
    FileId id, other;
    ASSERT_TRUE(fs.FileIdentity(path, id));
    // With a prefix, and by its short name.
    wchar_t shortPath[MAX_PATH] = {};
    ASSERT_GT(GetShortPathNameW(Widen(path).c_str(), shortPath, MAX_PATH), 0u);
    EXPECT_NE(Narrow(shortPath), path);
    for (const std::string& spelling : {"\\\\?\\" + path, Narrow(shortPath)}) {
        FileId same;
        EXPECT_TRUE(fs.FileIdentity(spelling, same)) << spelling;
        EXPECT_TRUE(same == id) << spelling;
    }
    ASSERT_TRUE(fs.FileIdentity(dir / "Other.dat", other));
    EXPECT_FALSE(other == id);

    // A folder, with its backslash or without, and not as any file in it.
    FileId folder, again;
    ASSERT_TRUE(fs.FileIdentity(dir.path(), folder));
    ASSERT_TRUE(fs.FileIdentity("\\\\?\\" + dir.withoutBackslash(), again));
    EXPECT_TRUE(folder == again);
    EXPECT_FALSE(folder == id);
    EXPECT_FALSE(fs.FileIdentity(dir / "Missing.dat", other));
}
