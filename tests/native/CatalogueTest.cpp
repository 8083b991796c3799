// The variant catalogue, the identification of the current BGruppen.dat, the folder scan and
// the state of the Activate button.
#include "Fakes.h"
#include "core/Marker.h"

#include <gtest/gtest.h>

using namespace varnholt;
using namespace varnholt::test;

namespace {

const std::string ORIGINAL = "The original BGruppen.dat file";
const std::string CLASSIC = "BGruppen.dat for 1503 Classic version v1.xx";
const std::string ADDON = "BGruppen.dat for 1503 AddOn version v2.xx";
const std::string KE = "BGruppen.dat for 1503 'K\xC3\xB6nigs-Edition' v3.xx";
const std::string KZA = "BGruppen.dat for 1503 with Ferrand's KZA MODifications";
const std::string FITS =
    "This is the appropriated BGruppen.dat file\r\n for your 1503 installation...";
const std::string NOT_FITS =
    "This is probably NOT the appropriated BGruppen.dat file\r\n for your 1503 installation...";
const std::uint32_t YELLOW = Rgb(255, 255, 0);
const std::uint32_t CYAN = Rgb(0, 255, 255);

struct Catalogue : ::testing::Test {
    Harness h;
    TempFolder data;
    void SetUp() override { h.Installed(data); }
    // Starts with the given first line in BGruppen.dat and the given version.
    void Start(const std::string& currentFirstLine, const std::string& version) {
        data.Write("BGruppen.dat", currentFirstLine + "\r\n;rest of the groups\r\n");
        h.registry.values["VERSION"] = version;
        ASSERT_TRUE(h.logic.InitProg());
    }
    std::string Selected() const { return h.ui.ListText(h.ui.index); }
};

} // namespace

TEST(Marker, DropsTheLeadInCharacterAfterTrimmingSpaces) {
    EXPECT_EQ(MarkerOf(";Classic"), "Classic");
    EXPECT_EQ(MarkerOf("   ;AddOn  "), "AddOn");
    EXPECT_EQ(MarkerOf(";"), "");
    EXPECT_EQ(MarkerOf("    "), "");
    EXPECT_EQ(MarkerOf("\t;KE"), ";KE");       // only the space character is trimmed
    EXPECT_EQ(MarkerOf("\xC3\xA4KZA"), "KZA"); // a whole character is dropped
    EXPECT_EQ(MarkerOf("; Classic"), " Classic");
}

TEST_F(Catalogue, ListsTheFiveCatalogueEntriesEvenWithoutTheirFiles) {
    Start(";Classic", "1.04");
    EXPECT_EQ(h.ui.items, (std::vector<std::string>{ORIGINAL, CLASSIC, ADDON, KE, KZA}));
    EXPECT_EQ(
        h.logic.aDATFiles(),
        (std::vector<std::string>{"BGruppen_Original.dat", "BGruppen_Classic.dat",
                                  "BGruppen_AddOn.dat", "BGruppen_KE.dat", "BGruppen_KZA.dat"}));
}

TEST_F(Catalogue, FittingVariantSelectsTheModificationInYellow) {
    Start("#Classic", "1.04");
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), CLASSIC);
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), FITS);
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], YELLOW);
    EXPECT_EQ(h.ui.index, 4);
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate), "Activate " + KZA);
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
}

TEST_F(Catalogue, VariantOfAnotherEditionSelectsTheInstalledOneInCyan) {
    Start("#Classic", "2.01");
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), NOT_FITS);
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], CYAN);
    EXPECT_EQ(h.ui.index, 2);
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate), "Activate " + ADDON);
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
}

TEST_F(Catalogue, IdentificationTableForEveryMarkerAndMode) {
    struct Row {
        std::string line;
        std::string identification;
        int fittingMode; // 0: never fits, -1: the original (always fits)
    };
    const Row rows[] = {
        {"", "The original BGruppen.dat", -1},
        {";Classic", CLASSIC, 1},
        {";AddOn", ADDON, 2},
        {";KE", KE, 3},
        {";KZA", KZA, 0},
        {";classic", "Another BGruppen.dat file", 0},
        {";Classic ", CLASSIC, 1},
        {"; Classic", "Another BGruppen.dat file", 0},
        {"  ;AddOn", ADDON, 2},
        {"xKE", KE, 3},
    };
    const char* versions[] = {"", "1.0", "2.0", "3.0", "4.0"};
    for (const Row& row : rows) {
        for (int mode = 0; mode <= 4; ++mode) {
            SCOPED_TRACE(row.line + " in mode " + std::to_string(mode));
            h.registry.values["LANGUAGE"] = mode == 0 ? "" : "Deutsch";
            Start(row.line, versions[mode]);
            ASSERT_EQ(h.logic.intANNOMode(), mode);
            EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), row.identification);
            const bool fits =
                row.fittingMode == -1 || (row.fittingMode > 0 && row.fittingMode == mode);
            EXPECT_EQ(h.ui.Caption(Ctl::lblHint), fits ? FITS : NOT_FITS);
            EXPECT_EQ(h.ui.colours[Ctl::lblHint], fits ? YELLOW : CYAN);
            EXPECT_EQ(h.ui.index, fits ? 4 : mode);
        }
    }
}

TEST_F(Catalogue, CurrentOriginalDisablesTheButtonOnItsEntry) {
    Start(";", "1.0");
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "The original BGruppen.dat");
    h.ui.index = 0;
    h.logic.lstDATs_Click();
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate), "Activate " + ORIGINAL);
    EXPECT_FALSE(h.ui.Enabled(Ctl::btnActivate));
}

TEST_F(Catalogue, CurrentModificationDisablesTheButtonOnItsEntry) {
    Start(";KZA", "5.4"); // mode 5 lies outside the list: nothing is preselected
    EXPECT_EQ(h.ui.index, -1);
    EXPECT_EQ(h.ui.Caption(Ctl::btnActivate), "Activate ");
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));
    h.ui.index = 4;
    h.logic.lstDATs_Click();
    EXPECT_FALSE(h.ui.Enabled(Ctl::btnActivate));
}

TEST_F(Catalogue, MissingCurrentFileIsNamedAsMissing) {
    h.registry.values["VERSION"] = "2.0";
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "No BGruppen.dat in the data folder");
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), NOT_FITS);
    EXPECT_EQ(h.ui.colours[Ctl::lblHint], CYAN);
    EXPECT_EQ(h.ui.index, 2); // the preselection stays, as for an unknown file
    EXPECT_TRUE(h.ui.Enabled(Ctl::btnActivate));

    // A BGruppen.dat that is there but empty still counts as the original.
    data.Write("BGruppen.dat", "");
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "The original BGruppen.dat");
    EXPECT_EQ(h.ui.Caption(Ctl::lblHint), FITS);
    EXPECT_EQ(h.ui.index, 4);
}

TEST_F(Catalogue, FurtherFilesFollowWithTheirDescriptions) {
    data.Write("BGruppen_Mine.dat", ";My own groups\r\nrest");
    data.Write("BGruppen_Empty.dat", "");
    data.Write("BGruppen_Blank.dat", "     \r\n;x");
    data.Write("BGruppen_One.dat", " ;  \r\n");
    data.Write("BGruppen_Lf.dat", ";first\nsecond\r\nthird");
    data.Write("BGruppen_Bin.dat", std::string(";a\0b\xff\x01", 6) + "\r\n");
    data.Write("BGRUPPEN.DAT", ";AddOn\r\n");             // the current file in other case
    data.Write("bgruppen_kza.dat", ";KZA\r\n");           // a catalogue name in other case
    data.Write("BGruppen_Other.txt", ";not a data file"); // does not match the pattern
    std::filesystem::create_directory(data.path() / "BGruppen_Folder.dat");
    Start(";Classic", "1.0");
    const std::vector<std::string> expected = {
        ORIGINAL,
        CLASSIC,
        ADDON,
        KE,
        KZA,
        "BGruppen_Bin.dat (a" + std::string("\0b\xc3\xbf\x01", 5) + ")",
        "BGruppen_Blank.dat (No description)",
        "BGruppen_Empty.dat (No description)",
        "BGruppen_Lf.dat (first\nsecond)",
        "BGruppen_Mine.dat (My own groups)",
        "BGruppen_One.dat ()",
    };
    EXPECT_EQ(h.ui.items, expected);
    ASSERT_EQ(h.logic.aDATFiles().size(), expected.size());
    EXPECT_EQ(h.logic.aDATFiles()[9], "BGruppen_Mine.dat");
    EXPECT_EQ(h.logic.aDATDescr(), expected);
    EXPECT_EQ(h.ui.index, 4); // the scan does not change the selection

    // A second run rebuilds exactly the same list.
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.items, expected);
}

TEST_F(Catalogue, FurtherFileContainingTheIdentificationDisablesTheButton) {
    data.Write("BGruppen_Copy.dat", ";BGruppen.dat for 1503 Classic version v1.xx (copy)\r\n");
    Start(";Classic", "1.0");
    h.ui.index = 5;
    h.logic.lstDATs_Click();
    EXPECT_FALSE(h.ui.Enabled(Ctl::btnActivate));
}

TEST_F(Catalogue, FirstLinesAreReadOnlyUpToTheBound) {
    data.Write("BGruppen_Huge.dat", ";" + std::string(100000, 'x'));
    Start(";Classic", "1.0");
    EXPECT_EQ(h.files.largestFirstLineRequest, FIRST_LINE_LIMIT);
    EXPECT_EQ(h.ui.items.back(),
              "BGruppen_Huge.dat (" + std::string(FIRST_LINE_LIMIT - 1, 'x') + ")");
}

TEST_F(Catalogue, MissingDataFolderStillShowsTheCatalogue) {
    h.settings.values["DATPath"] = data.shown() + "missing\\";
    h.registry.values["VERSION"] = "1.0";
    ASSERT_TRUE(h.logic.InitProg());
    EXPECT_EQ(h.ui.items.size(), 5u);
    EXPECT_EQ(h.ui.Caption(Ctl::lblCurrDAT), "No BGruppen.dat in the data folder");
}

TEST_F(Catalogue, FailedListingEndsTheScanOnce) {
    data.Write("BGruppen_Mine.dat", ";Mine\r\n");
    h.files.failAt = FsStep::List;
    Start(";Classic", "1.0");
    EXPECT_EQ(h.ui.items.size(), 5u);
}

TEST_F(Catalogue, ManyFurtherFilesAreAllListedOnce) {
    for (int i = 0; i < 2000; ++i) {
        data.Write("BGruppen_" + std::to_string(i) + ".dat", ";n" + std::to_string(i) + "\r\n");
    }
    Start(";Classic", "1.0");
    EXPECT_EQ(h.ui.items.size(), 2005u);
    EXPECT_EQ(h.logic.aDATFiles().size(), 2005u);
    EXPECT_EQ(h.files.firstLineReads, 2001);
    // The list is refilled with its drawing switched off, and drawn again afterwards.
    EXPECT_EQ(h.ui.addsWhileDrawn, 0);
    EXPECT_TRUE(h.ui.listRedraw);
}
