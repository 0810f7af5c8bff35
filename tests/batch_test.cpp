#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>

#include "workset_files.h"

namespace brasket {
namespace {

using namespace brasket::testing;

struct BatchRun {
    int status = -1;
    std::string err;
};

// Runs the built driver with the given arguments, its standard error kept.
BatchRun batch(const std::string& arguments, const TempFolder& scratch) {
    fs::path errfile = scratch / "stderr.txt";
    std::string cmd = std::string("'") + BRASKET_TOOLS_DIR + "/brasket-batch' " + arguments + " 2>'" +
                      errfile.string() + "' >/dev/null";
    int raw = std::system(cmd.c_str());
    BatchRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.err = readfile(errfile);
    return r;
}

std::string quoted(const fs::path& p) { return "'" + p.string() + "'"; }

TEST(HeadlessDriver, SavesTheSetOfADataFolder) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    writefile(dir / "idunit.dat", noisebytes(17 * 9, 50));  // longer than the unit count
    auto before = folderfiles(dir.path());
    BatchRun r = batch("--data " + quoted(dir.path()) + " cmdsaveallupdate_Click", scratch);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "");
    auto after = folderfiles(dir.path());
    EXPECT_EQ(after["idunit.dat"], before["idunit.dat"].substr(0, 6 * 17));
    EXPECT_TRUE(after["plant.dat"] == before["plant.dat"]);
    EXPECT_TRUE(after["fueluse.dat"] == before["fueluse.dat"]);
}

TEST(HeadlessDriver, RunsHandlersInOrderAndWritesTheReportBuffer) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    BatchRun r = batch("--data " + quoted(dir.path()) + " --report " + quoted(scratch / "report.txt") +
                      " cmderase_Click cmdsaveallupdate_Click",
                  scratch);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(readfile(dir / "unit.dat"), "");
    EXPECT_EQ(readfile(dir / "boiler.dat"), "");
    EXPECT_TRUE(fs::exists(scratch / "report.txt"));
}

TEST(HeadlessDriver, RefusesWithOneLineAndTouchesNothing) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    auto before = folderfiles(dir.path());

    BatchRun unknown =
        batch("--data " + quoted(dir.path()) + " cmderase_Click nosuchhandler_Click cmdsaveallupdate_Click", scratch);
    EXPECT_NE(unknown.status, 0);
    EXPECT_EQ(unknown.err, "brasket-batch: unknown handler: nosuchhandler_Click\n");
    EXPECT_TRUE(folderfiles(dir.path()) == before);

    BatchRun missing = batch("--data " + quoted(dir / "absent") + " cmdsaveallupdate_Click", scratch);
    EXPECT_NE(missing.status, 0);
    EXPECT_EQ(missing.err, "brasket-batch: data folder not found: " + (dir / "absent").string() + "\n");

    // A handler whose file dialog finds no --answer left: it sees a cancel, and the run fails.
    BatchRun unanswered = batch("--data " + quoted(dir.path()) + " cmdupdateplant_Click", scratch);
    EXPECT_NE(unanswered.status, 0);
    EXPECT_EQ(unanswered.err, "brasket-batch: cmdupdateplant_Click asked for a file and no --answer was left\n");

    BatchRun nodata = batch("cmdsaveallupdate_Click", scratch);
    EXPECT_NE(nodata.status, 0);
    EXPECT_EQ(std::count(nodata.err.begin(), nodata.err.end(), '\n'), 1);
}

TEST(HeadlessDriver, MessageBoxesGoToStandardError) {
    TempFolder dir, scratch;
    writefile(dir / "meas.dat", std::string(40, 'x'));
    BatchRun r = batch("--data " + quoted(dir.path()), scratch);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "meas.dat ends in an incomplete record of 8 bytes; 1 whole record was loaded and the incomplete tail was left out.\n");
}

}  // namespace
}  // namespace brasket
