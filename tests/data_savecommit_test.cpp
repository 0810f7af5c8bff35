// The save as one step: a save stopped at any moment leaves, at the next start, the previous
// set or the new one whole; files that cannot be read or are marked read-only are never
// replaced.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <functional>

#include "app.h"
#include "data/filebytes.h"
#include "data/loading.h"
#include "data/saving.h"
#include "ui/scripted_platform.h"
#include "workset_files.h"

namespace brasket {
namespace {

using namespace brasket::testing;

struct Loaded {
    explicit Loaded(const fs::path& dir) { loadinitial(app, dir); }
    ScriptedPlatform platform;
    App app{platform};
};

// Runs `body` in a child process and returns how it ended: true when it ran to its end,
// false when it was killed.
bool inchild(const std::function<void()>& body) {
    pid_t pid = fork();
    if (pid == 0) {
        body();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

struct StopCounts {
    int killed = 0, endedold = 0, endednew = 0;
};

// Stops a save of `images` into `dir` at each of its steps in turn and starts the program
// after each stop: the folder must then hold the previous files or the new ones, whole.
StopCounts stopateverystep(const fs::path& dir, const std::vector<FileImage>& images) {
    const auto oldset = folderfiles(dir);
    auto newset = oldset;
    for (const auto& f : images) newset[f.name] = f.bytes;
    StopCounts c;
    for (int stopat = 1;; ++stopat) {
        bool finished = inchild([&] {
            int step = 0;
            writefileset(dir, images, [&](const std::string&) {
                if (++step == stopat) raise(SIGKILL);
            });
        });
        // The next start finishes or undoes what the stopped save left.
        Loaded next(dir);
        auto now = folderfiles(dir);
        bool isold = now == oldset, isnew = now == newset;
        EXPECT_TRUE(isold || isnew) << "a mixture after a stop at step " << stopat;
        if (!isold && !isnew) break;
        // What the start said about the save (the files may hold what their loaders warn of).
        std::string told;
        for (const auto& m : next.platform.messages)
            if (told.empty() && m.rfind("The last save", 0) == 0) told = m;
        if (finished) {
            EXPECT_TRUE(isnew);
            EXPECT_EQ(told, "");
            break;
        }
        ++c.killed;
        (isold ? c.endedold : c.endednew)++;
        // The analyst is told what the start did with an interrupted save (a stop before the
        // first step left nothing to do).
        EXPECT_EQ(told.empty(), stopat == 1) << stopat;
        if (stopat > 1) {
            const char* expected = isold ? "the previous set was kept" : "it was finished now";
            EXPECT_NE(told.find(expected), std::string::npos) << told;
        }
        // Back to the previous set for the next stop.
        for (const auto& [name, bytes] : oldset) writefile(dir / name, bytes);
    }
    return c;
}

TEST(SavingAsOneStep, AStopAtEveryStepLeavesTheOldOrTheNewSetWholeAtTheNextStart) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded l(dir.path());
    cmderase_Click(l.app);  // every file of the new set differs from the previous one
    l.app.ws.boilernames(1) = "Cyclone";
    setnamecount(l.app.ws.boilernames, 1);
    StopCounts c = stopateverystep(dir.path(), worksetimages(l.app));
    EXPECT_GT(c.killed, 60);  // every file written, kept aside, renamed and dropped is a step
    EXPECT_GT(c.endedold, 20);
    EXPECT_GT(c.endednew, 20);

    // The files the compound imports write beside the working set, which the start-up does
    // not know by name, are finished or undone all the same.
    const std::vector<FileImage> compoundfiles = {
        {"emisf.dat", "new emission data"}, {"compound.dat", "new compounds"}, {"partfactors1.dat", "new factors"}};
    for (const auto& f : compoundfiles) writefile(dir / f.name, "previous " + f.name);
    c = stopateverystep(dir.path(), compoundfiles);
    EXPECT_GT(c.endedold, 5);
    EXPECT_GT(c.endednew, 3);
}

// A working set in a folder of its own, and the images of the same set erased: every file a
// save of them writes differs from the one in the folder.
struct ErasedSet {
    TempFolder dir;
    std::map<std::string, std::string> oldset;
    std::vector<FileImage> images;
    ErasedSet() {
        writeworkset(dir.path());
        oldset = folderfiles(dir.path());
        Loaded l(dir.path());
        cmderase_Click(l.app);
        images = worksetimages(l.app);
    }
};

TEST(SavingAsOneStep, AFailedRollBackSaysSoAndTheNextStartPutsThePreviousSetBack) {
    ErasedSet set;
    const auto& [dir, oldset, images] = set;
    // Halfway through the renames the fifth file cannot be put in place, and the first,
    // already replaced, cannot be put back either (folders appear on their names).
    const std::string first = images[0].name, fifth = images[4].name;
    SaveOutcome out = writefileset(dir.path(), images, [&](const std::string& step) {
        if (step != "rename " + fifth) return;
        for (const auto& name : {first, fifth}) {
            fs::remove(dir / name);
            fs::create_directories(dir / name / "in the way");
        }
    });
    EXPECT_FALSE(out.saved);
    EXPECT_FALSE(out.restored);
    EXPECT_EQ(out.failedfile, fifth);
    EXPECT_NE(out.reason.find("could not be put back either"), std::string::npos) << out.reason;
    EXPECT_NE(out.reason.find("next start"), std::string::npos) << out.reason;
    EXPECT_TRUE(fs::is_regular_file(dir / (first + ".old")));

    fs::remove_all(dir / first);
    fs::remove_all(dir / fifth);
    Loaded next(dir.path());
    EXPECT_TRUE(folderfiles(dir.path()) == oldset);
    ASSERT_FALSE(next.platform.messages.empty());
    EXPECT_NE(next.platform.messages[0].find("the previous set was kept"), std::string::npos);
}

TEST(SavingAsOneStep, ARenameThatFailsAfterTheCommitPutsThePreviousFilesBack) {
    ErasedSet set;
    const auto& [dir, oldset, images] = set;
    // The third new file vanishes before its rename (another program cleaning the folder).
    const std::string third = images[2].name;
    SaveOutcome out = writefileset(dir.path(), images, [&](const std::string& step) {
        if (step == "rename " + third) fs::remove(dir / (third + ".new"));
    });
    EXPECT_FALSE(out.saved);
    EXPECT_TRUE(out.restored);
    EXPECT_EQ(out.failedfile, third);
    // Every file holds its previous bytes, and no temporary, kept file or marker stays behind.
    EXPECT_TRUE(folderfiles(dir.path()) == oldset);
}

TEST(SavingAsOneStep, AMarkerNamingAFileWithANulIsNotFollowed) {
    TempFolder dir;
    writeworkset(dir.path());
    const auto before = folderfiles(dir.path());
    // A damaged marker whose name, cut at the NUL, would name a working file.
    for (const char* marker : {"saving.commit", "saving.begin"}) {
        writefile(dir / marker, std::string("BRASKET working set save\nmeas.dat\0x\nend\n", 40));
        Loaded l(dir.path());
        auto now = folderfiles(dir.path());
        EXPECT_EQ(now.count(marker), 0u) << marker;  // a marker that is not whole is dropped
        now.erase(marker);
        EXPECT_TRUE(now == before) << marker;
    }
}

TEST(SavingAsOneStep, AReadOnlyWorkingFileIsNotReplacedAndTheMessageNamesIt) {
    TempFolder dir;
    writeworkset(dir.path());
    Loaded l(dir.path());
    cmderase_Click(l.app);
    fs::permissions(dir / "unit.dat", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto before = folderfiles(dir.path());
    cmdsaveallupdate_Click(l.app);
    ASSERT_EQ(l.platform.messages.size(), 1u);
    EXPECT_EQ(l.platform.messages[0],
              "The working set was not saved: unit.dat: the file is marked read-only. The files of the data folder "
              "were left as they were.");
    EXPECT_TRUE(folderfiles(dir.path()) == before);
    // Made writable again, the same save goes through.
    fs::permissions(dir / "unit.dat", fs::perms::owner_write, fs::perm_options::add);
    cmdsaveallupdate_Click(l.app);
    EXPECT_EQ(l.platform.messages.size(), 1u);
    EXPECT_EQ(readfile(dir / "unit.dat"), "");
}

TEST(SavingAsOneStep, TheSaveWritesExactlyTheFilesTheStartFinishesOrUndoes) {
    ScriptedPlatform platform;
    App app(platform);
    std::vector<std::string> names;
    for (const auto& f : worksetimages(app)) names.push_back(f.name);
    EXPECT_EQ(names, savedfilenames());
}

// A working file that exists but cannot be read, as a user without read permission meets
// it: the loader and the save run in a child process under another user when the tests run
// as the superuser (who may read anything). Returns the child's messages, one a line; noreader
// when there is no other user, or when the folder is out of its reach (a temporary folder of
// the superuser's own).
const std::string noreader = "(no other user to read as)";
std::string messagesasreader(const fs::path& dir, const std::function<void(App&)>& after) {
    int fds[2];
    if (pipe(fds) != 0) return "no pipe";
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0 || access(dir.c_str(), X_OK) != 0)) _exit(3);
        ScriptedPlatform platform;
        App app(platform);
        loadinitial(app, dir);
        after(app);
        std::string text;
        for (const auto& m : platform.messages) text += m + "\n";
        if (write(fds[1], text.data(), text.size()) < 0) _exit(4);
        _exit(0);
    }
    close(fds[1]);
    std::string text;
    char buf[4096];
    ssize_t n;
    while ((n = read(fds[0], buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (WIFEXITED(status) && WEXITSTATUS(status) == 3) return noreader;
    return text;
}

TEST(UnreadableWorkingFiles, AreToldAtStartUpAndASaveLeavesThemByteIdentical) {
    TempFolder dir;
    writeworkset(dir.path());
    // Everything open to the other user but unit.dat and nox.dat, which it may write but not read.
    fs::permissions(dir.path(), fs::perms::all);
    for (const auto& e : fs::directory_iterator(dir.path()))
        fs::permissions(e.path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                      fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    const auto writeonly = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    fs::permissions(dir / "unit.dat", writeonly);
    fs::permissions(dir / "nox.dat", writeonly);
    auto bytes = [&] {
        fs::permissions(dir / "unit.dat", fs::perms::owner_read, fs::perm_options::add);
        fs::permissions(dir / "nox.dat", fs::perms::owner_read, fs::perm_options::add);
        auto files = folderfiles(dir.path());
        fs::permissions(dir / "unit.dat", writeonly);
        fs::permissions(dir / "nox.dat", writeonly);
        return files;
    };
    const auto before = bytes();

    std::string told = messagesasreader(dir.path(), [](App& app) { cmdsaveallupdate_Click(app); });
    if (told == noreader) GTEST_SKIP() << "the superuser cannot run as another user here, or that user cannot reach " << dir.path();
    EXPECT_EQ(told,
              "unit.dat exists but could not be read; its table was loaded empty. Saving the working set will not "
              "replace it until the program runs on a readable set or its table is emptied by \"Erase all data\" or "
              "rebuilt from the exports.\n"
              "nox.dat exists but could not be read; its table was loaded empty. Saving the working set will not "
              "replace it until the program runs on a readable set or its table is emptied by \"Erase all data\" or "
              "rebuilt from the exports.\n"
              "The working set was not saved: unit.dat, nox.dat could not be read at start-up, and saving would "
              "replace what it holds with an empty table. The files of the data folder were left as they were.\n");
    EXPECT_TRUE(bytes() == before);

    // "Erase all data" says the analyst means to empty the set: the save then goes through.
    told = messagesasreader(dir.path(), [](App& app) {
        cmderase_Click(app);
        cmdsaveallupdate_Click(app);
    });
    EXPECT_EQ(told.find("not saved"), std::string::npos) << told;
    fs::permissions(dir / "unit.dat", fs::perms::owner_read, fs::perm_options::add);
    EXPECT_EQ(readfile(dir / "unit.dat"), "");
}

TEST(UnreadableWorkingFiles, EraseLiftsTheBlockOnlyForTheTablesItEmpties) {
    ScriptedPlatform platform;
    App app(platform);
    // The erase keeps the suppliers and the tests as loaded (empty): their files stay blocked.
    app.ws.unreadable = {"unit.dat", "coalsupply.dat", "nox.dat", "test.dat", "fueluse.dat"};
    cmderase_Click(app);
    EXPECT_EQ(app.ws.unreadable, (std::vector<std::string>{"coalsupply.dat", "test.dat"}));
}

TEST(UnreadableWorkingFiles, AFolderOnAFilesNameIsToldAndTheSetIsNotSaved) {
    TempFolder dir;
    writeworkset(dir.path());
    fs::remove(dir / "boiler.dat");
    fs::create_directory(dir / "boiler.dat");
    fs::remove(dir / "meas.dat");
    fs::create_directory(dir / "meas.dat");
    const auto before = folderfiles(dir.path());
    Loaded l(dir.path());
    EXPECT_EQ(meascount(l.app.ws), 0);
    EXPECT_EQ(namecount(l.app.ws.boilernames), 0);
    ASSERT_EQ(l.platform.messages.size(), 2u);
    EXPECT_EQ(l.platform.messages[0].rfind("meas.dat exists but could not be read", 0), 0u);
    EXPECT_EQ(l.platform.messages[1].rfind("boiler.dat exists but could not be read", 0), 0u);
    cmdsaveallupdate_Click(l.app);
    ASSERT_EQ(l.platform.messages.size(), 3u);
    EXPECT_EQ(l.platform.messages[2].rfind("The working set was not saved: meas.dat, boiler.dat could not be read", 0),
              0u);
    EXPECT_TRUE(folderfiles(dir.path()) == before);

    // A file the save does not write is told at start-up and does not hold the save back.
    fs::remove_all(dir / "boiler.dat");
    fs::remove_all(dir / "meas.dat");
    fs::remove(dir / "partfactors1.dat");
    fs::create_directory(dir / "partfactors1.dat");
    Loaded again(dir.path());
    ASSERT_EQ(again.platform.messages.size(), 1u);
    EXPECT_EQ(again.platform.messages[0].rfind("partfactors1.dat exists but could not be read", 0), 0u);
    cmdsaveallupdate_Click(again.app);
    EXPECT_EQ(again.platform.messages.size(), 1u);
    EXPECT_TRUE(fs::is_regular_file(dir / "meas.dat"));
}

TEST(UnreadableWorkingFiles, AnIdFileWhoseUnitOrPlantFileIsMissingIsToldAndKeptThroughASave) {
    TempFolder dir;
    writeworkset(dir.path());
    const std::string idunits = readfile(dir / "idunit.dat"), idplants = readfile(dir / "idplant.dat");
    ASSERT_FALSE(idunits.empty());
    fs::remove(dir / "unit.dat");
    fs::remove(dir / "plant.dat");
    {
        Loaded l(dir.path());
        ASSERT_EQ(l.platform.messages.size(), 2u);
        const auto records = [](const std::string& bytes, std::size_t size) { return std::to_string(bytes.size() / size); };
        EXPECT_EQ(l.platform.messages[0],
                  "unit.dat is missing or empty, while idunit.dat holds " + records(idunits, recordsize<idunitrec>()) +
                      " records. Saving the working set will not replace idunit.dat, "
                      "whose names can help to rebuild the set, until its table is emptied by \"Erase all data\" or "
                      "rebuilt from the exports.");
        EXPECT_EQ(l.platform.messages[1].rfind("plant.dat is missing or empty, while idplant.dat holds " +
                                                   records(idplants, recordsize<idplantrec>()) + " records",
                                               0),
                  0u);
        cmdsaveallupdate_Click(l.app);
        ASSERT_EQ(l.platform.messages.size(), 3u);
        EXPECT_EQ(l.platform.messages[2],
                  "The working set was not saved: idunit.dat holds records while unit.dat was missing or empty at "
                  "start-up, and saving would write it empty; idplant.dat holds records while plant.dat was missing "
                  "or empty at start-up, and saving would write it empty. The files of the data folder were left as they were.");
        EXPECT_EQ(l.app.failure, l.platform.messages[2]);
    }
    EXPECT_TRUE(readfile(dir / "idunit.dat") == idunits);
    EXPECT_TRUE(readfile(dir / "idplant.dat") == idplants);
    EXPECT_EQ(readfile(dir / "unit.dat"), "");  // created empty at the start, as always

    // The next start finds unit.dat empty and tells it again; "Erase all data" empties the
    // tables, and the save goes through.
    Loaded again(dir.path());
    EXPECT_EQ(again.platform.messages.size(), 2u);
    cmderase_Click(again.app);
    cmdsaveallupdate_Click(again.app);
    EXPECT_EQ(again.platform.messages.size(), 2u);
    EXPECT_EQ(readfile(dir / "idunit.dat"), "");
}

}  // namespace
}  // namespace brasket
