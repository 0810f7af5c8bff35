#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>

#include "app.h"
#include "exampleset.h"
#include "ui/scripted_platform.h"
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
    EXPECT_EQ(unknown.err,
              "brasket-batch: unknown handler: nosuchhandler_Click (brasket-batch --help lists the handlers)\n");
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

TEST(HeadlessDriver, TheClockIsTheMachinesUnlessFixedToAWholeMoment) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    // The total removal report's title carries the run's date.
    auto title = [&](const std::string& clock) {
        BatchRun r = batch("--data " + quoted(dir.path()) + clock + " --report " + quoted(scratch / "r.txt") +
                               " cmdtotalremovalreport_Click",
                           scratch);
        EXPECT_EQ(r.status, 0) << r.err;
        return readfile(scratch / "r.txt");
    };
    EXPECT_NE(title(" --clock '1999-07-14 09:30:15'").find("1999"), std::string::npos);
    EXPECT_EQ(title("").find("1970"), std::string::npos);
    for (const char* bad : {"'1999-02-30 10:00:00'", "'1999-07-14'", "'1999-07-14 24:00:00'", "'1999-07-14 09:30:15x'"}) {
        BatchRun r = batch("--data " + quoted(dir.path()) + " --clock " + bad + " cmdtotalremovalreport_Click", scratch);
        EXPECT_EQ(r.status, 2) << bad;
        EXPECT_NE(r.err.find("--clock needs a moment"), std::string::npos) << r.err;
    }
}

// Runs the driver with its standard output kept instead.
std::string batchoutput(const std::string& arguments, const TempFolder& scratch) {
    fs::path outfile = scratch / "stdout.txt";
    std::string cmd = std::string("'") + BRASKET_TOOLS_DIR + "/brasket-batch' " + arguments + " >'" +
                      outfile.string() + "' 2>/dev/null";
    if (std::system(cmd.c_str()) != 0) return "failed";
    return readfile(outfile);
}

TEST(HeadlessDriver, HelpListsTheUsageAndEveryHandlerWithItsWindowAndCaption) {
    TempFolder scratch;
    std::string help = batchoutput("--help", scratch);
    EXPECT_EQ(help.rfind("usage: brasket-batch --data DIR [--unit N] [--clock \"YYYY-MM-DD HH:MM:SS\"] [--answer TEXT]... "
                         "[--report FILE] HANDLER...\n",
                         0),
              0u);
    ScriptedPlatform platform;
    App app(platform);
    ASSERT_FALSE(app.handlers.all().empty());
    for (const Handler& h : app.handlers.all()) {
        std::size_t at = help.find("  " + h.name + " ");
        ASSERT_NE(at, std::string::npos) << h.name;
        std::string line = help.substr(at, help.find('\n', at) - at);
        EXPECT_NE(line.find(" " + h.window + " "), std::string::npos) << line;
        EXPECT_NE(line.find(h.caption), std::string::npos) << line;
    }
    EXPECT_NE(help.find("cmdsaveallupdate_Click"), std::string::npos);
    EXPECT_NE(help.find("Save update of processed files in set"), std::string::npos);
}

TEST(HeadlessDriver, AFailedSaveOrImportEndsTheRunWithItsMessagesFirstLine) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    fs::permissions(dir / "unit.dat", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    BatchRun save = batch("--data " + quoted(dir.path()) + " cmderase_Click cmdsaveallupdate_Click", scratch);
    EXPECT_EQ(save.status, 1);
    const std::string told = "The working set was not saved: unit.dat: the file is marked read-only. The files of "
                             "the data folder were left as they were.";
    EXPECT_EQ(save.err, told + "\nbrasket-batch: cmdsaveallupdate_Click failed: " + told + "\n");

    // The export is not in the folder answered: the import fails, and the handlers after it
    // do not run.
    fs::permissions(dir / "unit.dat", fs::perms::owner_write, fs::perm_options::add);
    BatchRun import = batch("--data " + quoted(dir.path()) + " --answer " + quoted(scratch / "any.txt") +
                                " cmdfuelusageexport_Click cmderase_Click cmdsaveallupdate_Click",
                            scratch);
    EXPECT_EQ(import.status, 1);
    EXPECT_NE(import.err.find("brasket-batch: cmdfuelusageexport_Click failed: The export file "), std::string::npos)
        << import.err;
    EXPECT_NE(readfile(dir / "unit.dat"), "");
}

// A line of "EMISDATA.prn": device, number, compound, factor and device number by column.
std::string emisline(const std::string& compound, const std::string& factor, const std::string& device = "1") {
    std::string line(98, ' ');
    auto put = [&](std::size_t column, const std::string& text) { line.replace(column - 1, text.size(), text); };
    put(1, "ESP COLD SIDE");
    put(21, "1");
    put(29, compound);
    put(69, factor);
    put(83, device);
    return line + "\r\n";
}

TEST(HeadlessDriver, ARefusedEmissionDataImportEndsTheRunWithStatusOneAndChangesNoFile) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    const std::string heading = "DEVICE              NUMBER  COMPOUND\r\n";
    writefile(dir / "EMISDATA.prn", heading + emisline("ARSENIC", "0.05") + emisline("LEAD", "0.01", "2"));
    ASSERT_EQ(batch("--data " + quoted(dir.path()) + " cmdemisf_Click", scratch).status, 0);
    std::string lines3001, compounds301;
    for (int i = 0; i < 3001; ++i) lines3001 += emisline("NEW", "0.5");
    for (int i = 0; i < 301; ++i) compounds301 += emisline("C" + std::to_string(i), "1");
    const std::vector<std::pair<std::string, std::string>> refusals{
        {lines3001, "EMISDATA.prn holds more than 3000 lines of emission data."},
        {compounds301, "EMISDATA.prn names more than 300 compounds."},
        {emisline("LEAD", "1", "40000"), "EMISDATA.prn line 2: a whole number in columns 21-28, 83-90 or 91-98"},
        {emisline("LEAD", "1e39"), "EMISDATA.prn line 2: a whole number in columns 21-28, 83-90 or 91-98"},
        {"", "EMISDATA.prn holds no lines of emission data after its heading."},
    };
    for (const auto& [data, told] : refusals) {
        writefile(dir / "EMISDATA.prn", heading + data);
        const auto before = folderfiles(dir.path());
        BatchRun r = batch("--data " + quoted(dir.path()) + " cmdemisf_Click cmderase_Click cmdsaveallupdate_Click",
                           scratch);
        EXPECT_EQ(r.status, 1) << told;
        EXPECT_NE(r.err.find("brasket-batch: cmdemisf_Click failed: " + told), std::string::npos) << r.err;
        EXPECT_TRUE(folderfiles(dir.path()) == before) << told;  // the handlers after it did not run
    }
}

TEST(HeadlessDriver, EmissionDataOrPartitionFactorFilesThatCannotBeWrittenEndTheRunWithStatusOne) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    writefile(dir / "EMISDATA.prn", "DEVICE\r\n" + emisline("ARSENIC", "0.05"));
    writefile(dir / "compound.dat", "");
    fs::permissions(dir / "compound.dat", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    BatchRun emission = batch("--data " + quoted(dir.path()) + " cmdemisf_Click", scratch);
    EXPECT_EQ(emission.status, 1);
    EXPECT_NE(emission.err.find("brasket-batch: cmdemisf_Click failed: EMISDATA.prn was read, but compound.dat could "
                                "not be written: the file is marked read-only."),
              std::string::npos)
        << emission.err;
    EXPECT_FALSE(fs::exists(dir / "emisf.dat"));

    fs::create_directories(dir / "database2");
    writefile(dir / "database2" / "partfactors.txt", "h1\r\nh2\r\n1\t2\t3\t4\t\t\t\t\t\t0.1\t0.2\t0.7\r\n");
    const std::string before = readfile(dir / "partfactors1.dat");
    fs::permissions(dir / "partfactors1.dat", fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    BatchRun partition = batch("--data " + quoted(dir.path()) + " cmdloadefacts_Click", scratch);
    EXPECT_EQ(partition.status, 1);
    EXPECT_NE(partition.err.find("brasket-batch: cmdloadefacts_Click failed: The partition factors were read, but "
                                 "partfactors1.dat could not be written: the file is marked read-only."),
              std::string::npos)
        << partition.err;
    EXPECT_TRUE(readfile(dir / "partfactors1.dat") == before);
}

TEST(HeadlessDriver, TellsHowManyWarningLinesTheRunAdded) {
    TempFolder dir, scratch;
    writeworkset(dir.path());
    writefile(scratch / "fuelusageexport.txt", "header\r\nno plant\t\t1\r\n\tno boiler\r\n\r\n");
    BatchRun r = batch("--data " + quoted(dir.path()) + " --answer " + quoted(scratch / "any.txt") +
                           " cmdfuelusageexport_Click",
                       scratch);
    EXPECT_EQ(r.status, 0);
    const std::string log = (dir / "import warnings.txt").string();
    EXPECT_NE(r.err.find("2 lines skipped or changed: see import warnings.txt (" + log + ")\n"), std::string::npos)
        << r.err;
    EXPECT_NE(r.err.find("brasket-batch: 2 warning lines added to " + log + "\n"), std::string::npos) << r.err;
}

// The national report, run twice, over a private copy of the example set, where each run gives
// a warning line: with the warning log writable, and with the log that cannot be written.
struct LostWarnings : ::testing::Test {
    TempFolder scratch;
    TempFolder copy = copyexampleset("lostwarnings");
    fs::path dir = copy.path();
    fs::path log = dir / "import warnings.txt";
    BatchRun national(const std::string& report) {
        return batch("--data " + quoted(dir) + " --clock '1999-07-14 09:30:15' --report " + quoted(scratch / report) +
                         " cmdactslusum_Click cmdactslusum_Click",
                     scratch);
    }
    // The lines each run adds to the writable log; `before` is the log as it was.
    long addedperrun(std::string& before) {
        before = readfile(log);
        BatchRun r = national("written.txt");
        EXPECT_EQ(r.status, 0) << r.err;
        const std::string after = readfile(log);
        EXPECT_EQ(after.substr(0, before.size()), before);
        const long added = std::count(after.begin() + static_cast<long>(before.size()), after.end(), '\n');
        EXPECT_EQ(r.err, "brasket-batch: " + std::to_string(added) + " warning lines added to " + log.string() + "\n");
        EXPECT_EQ(added % 2, 0);
        return added / 2;
    }
    // One message for each handler run, then the driver's line with the count of them all.
    std::string told(long perrun) const {
        auto lost = [&](long count) {
            return std::to_string(count) + (count == 1 ? " warning line" : " warning lines") +
                   " could not be written to " + log.string() + (count == 1 ? " and was lost" : " and were lost");
        };
        return lost(perrun) + ".\n" + lost(perrun) + ".\nbrasket-batch: " + lost(2 * perrun) + "\n";
    }
};

// "import warnings.txt" a folder, which no user can open as a file.
TEST_F(LostWarnings, ALogThatIsAFolderEndsTheRunWithStatusOneAndTheReportIsStillWritten) {
    std::string before;
    const long perrun = addedperrun(before);
    ASSERT_GT(perrun, 0);
    fs::remove(log);
    fs::create_directory(log);
    BatchRun r = national("lost.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, told(perrun));
    EXPECT_EQ(readfile(scratch / "lost.txt"), readfile(scratch / "written.txt"));
}

TEST_F(LostWarnings, ALogInAReadOnlyFolderEndsTheRunWithStatusOneAndIsLeftUnchanged) {
    std::string before;
    const long perrun = addedperrun(before);
    ASSERT_GT(perrun, 0);
    writefile(log, before);
    const auto writable = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(log, writable, fs::perm_options::remove);
    fs::permissions(dir, writable, fs::perm_options::remove);
    if (std::ofstream(dir / "probe").is_open())
        GTEST_SKIP() << "this user writes into a read-only folder anyway (root, say)";
    BatchRun r = national("lost.txt");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, told(perrun));
    EXPECT_EQ(readfile(log), before);
    EXPECT_EQ(readfile(scratch / "lost.txt"), readfile(scratch / "written.txt"));
}

}  // namespace
}  // namespace brasket
