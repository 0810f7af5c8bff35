// The program started over a data folder: the start-up loading fills the windows.
#include <QCoreApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QProcess>
#include <gtest/gtest.h>

#include "app.h"
#include "binding.h"
#include "data/saving.h"
#include "program.h"
#include "support.h"
#include "ui/scripted_platform.h"

namespace brasket::gui {
namespace {

// A small working set of three plants, written the way the program saves a set.
std::filesystem::path smallset() {
    auto dir = testing::freshfolder("smallset");
    ScriptedPlatform scripted;
    App maker(scripted);
    maker.datapath = dir;
    maker.importpath = dir;
    const char* names[] = {"Alpha Station", "Beta Works", "Gamma Point"};
    for (int k = 1; k <= 3; ++k) {
        maker.ws.plant(k).plantno = static_cast<std::int16_t>(k);
        maker.ws.plant(k).plantname = names[k - 1];
    }
    setplantcount(maker.ws, 3);
    cmdsaveallupdate_Click(maker);
    EXPECT_TRUE(std::filesystem::exists(dir / "plant.dat"));
    return dir;
}

// Runs the program in the environment, where its windows cannot start: it ends by itself with
// status 1 (not by an abort); what it told on its standard error.
std::string failedstart(const QProcessEnvironment& env) {
    QProcess program;
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(BRASKET_PROGRAM), {QString::fromStdString(testing::freshfolder("failedstart").string())});
    EXPECT_TRUE(program.waitForFinished(30000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    return program.readAllStandardError().toStdString();
}

// Started where no desktop can be reached (a terminal over ssh, a container), the program says so
// in one line and ends with status 1, not with an abort that leaves a core file.
TEST(ProgramStart, WithoutADisplayTheProgramSaysItNeedsADesktop) {
    for (const char* display : {"", ":64999"}) {
        SCOPED_TRACE(std::string("DISPLAY=") + display);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) env.remove(QLatin1String(name));
        if (*display) env.insert(QStringLiteral("DISPLAY"), QLatin1String(display));
        EXPECT_EQ(failedstart(env), std::string(nodisplaymessage) + "\n");
    }
}

// Where a display is named but Qt's window system plugin fails (here one that does not exist),
// the program tells Qt's own account of what failed, not that there is no display.
TEST(ProgramStart, AWindowSystemThatFailsIsToldInQtsOwnWords) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.insert(QStringLiteral("DISPLAY"), QStringLiteral(":64999"));
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("nosuchwindowsystem"));
    const std::string told = failedstart(env);
    EXPECT_EQ(told.rfind("brasket could not start its windows; the window system told:\n", 0), 0u) << told;
    EXPECT_NE(told.find("nosuchwindowsystem"), std::string::npos) << told;
}

// The X display is taken wherever there is one, a Wayland session's included, unless the user
// named a platform; a display that cannot be reached is told as no desktop.
TEST(ProgramStart, TheWindowSystemIsChosenAndItsFailureToldAsTheAnalystNeedsIt) {
    EXPECT_EQ(preferredplatform("", ":0", "wayland-0"), "xcb;wayland");
    EXPECT_EQ(preferredplatform("", ":0", ""), "xcb");
    EXPECT_EQ(preferredplatform("wayland", ":0", "wayland-0"), "");
    EXPECT_EQ(preferredplatform("", "", "wayland-0"), "");
    EXPECT_EQ(preferredplatform("", "", ""), "");

    EXPECT_EQ(startfailure({"qt.qpa.xcb: could not connect to display :3", "This application failed to start"}, true),
              nodisplaymessage);
    EXPECT_EQ(startfailure({"Failed to create wl_display (No such file or directory)"}, true), nodisplaymessage);
    EXPECT_EQ(startfailure({"This application failed to start"}, false), nodisplaymessage);
    EXPECT_EQ(startfailure({"qt.qpa.plugin: Could not load the Qt platform plugin \"xcb\"", "Aborted"}, true),
              "brasket could not start its windows; the window system told:\n"
              "  qt.qpa.plugin: Could not load the Qt platform plugin \"xcb\"\n  Aborted");
}

TEST(ProgramStart, TheLoadingFillsThePlantListAndShowsTheMainWindow) {
    auto dir = smallset();
    testing::QuietPlatform platform(dir);
    Program program(platform);
    auto* caption = qobject_cast<QLabel*>(program.about.binding().widget(program.app.about.Label6));
    ASSERT_NE(caption, nullptr);
    program.start(dir);

    auto* plants = qobject_cast<QListWidget*>(program.main.binding().widget(program.app.main.List3));
    ASSERT_NE(plants, nullptr);
    ASSERT_EQ(plants->count(), 3);
    EXPECT_TRUE(plants->item(0)->text().startsWith(QStringLiteral("Alpha Station")));
    EXPECT_TRUE(plants->item(2)->text().startsWith(QStringLiteral("Gamma Point")));
    auto* fuels = qobject_cast<QListWidget*>(program.main.binding().widget(program.app.main.List4));
    EXPECT_EQ(fuels->count(), 18);
    EXPECT_TRUE(program.main.isVisible());
    EXPECT_FALSE(program.about.isVisible());
    EXPECT_TRUE(caption->text().isEmpty());
    EXPECT_TRUE(platform.messages.empty());
}

TEST(ProgramStart, TheAboutBoxShowsTheProgressCaptionsWhileLoading) {
    auto dir = smallset();
    testing::QuietPlatform platform(dir);
    Program program(platform);
    auto* caption = qobject_cast<QLabel*>(program.about.binding().widget(program.app.about.Label6));
    std::vector<QString> seen;
    // Every caption set during the loading reaches the label at once.
    struct Spy : Observer {
        Observer* inner = nullptr;
        QLabel* label = nullptr;
        std::vector<QString>* seen = nullptr;
        bool* aboutshown = nullptr;
        QWidget* about = nullptr;
        void changed(Control& c) override {
            inner->changed(c);
            if (!label->text().isEmpty() && (seen->empty() || seen->back() != label->text())) {
                seen->push_back(label->text());
                *aboutshown = *aboutshown || about->isVisible();
            }
        }
    } spy;
    bool aboutshown = false;
    spy.inner = program.app.about.Label6.observer;
    spy.label = caption;
    spy.seen = &seen;
    spy.aboutshown = &aboutshown;
    spy.about = &program.about;
    program.app.about.Label6.observer = &spy;
    program.start(dir);
    program.app.about.Label6.observer = spy.inner;
    ASSERT_GE(seen.size(), 4u);
    EXPECT_EQ(seen.front(), QStringLiteral("Please wait... updating working files...."));
    EXPECT_TRUE(aboutshown);
}

TEST(ProgramStart, TheMenuBarHoldsTheRegisteredMenusOfTheMainWindow) {
    testing::QuietPlatform platform;
    Program program(platform);
    int mainitems = 0;
    for (const Handler& h : program.app.handlers.all())
        if (h.window == "frmplants" && !h.menu.empty()) ++mainitems;
    int actions = 0;
    for (QAction* menu : program.main.menuBar()->actions())
        if (menu->menu()) actions += static_cast<int>(menu->menu()->actions().size());
    EXPECT_EQ(actions, mainitems);
    // Each item follows its model item: hiding the model item hides the action.
    for (const Handler& h : program.app.handlers.all()) {
        if (h.window != "frmplants" || h.menu.empty()) continue;
        std::string item = h.name.substr(0, h.name.size() - 6);
        auto* action = program.main.menuBar()->findChild<QAction*>(QString::fromStdString(item));
        ASSERT_NE(action, nullptr) << item;
        EXPECT_EQ(action->text().toStdString(), h.caption);
        program.app.main.menu(item).Visible = false;
        EXPECT_FALSE(action->isVisible());
        break;
    }
}

TEST(ProgramStart, TheDataFolderIsTheOneGivenElseTheProgramsOwn) {
    char prog[] = "brasket";
    char folder[] = "/tmp";
    char* withfolder[] = {prog, folder, nullptr};
    char* without[] = {prog, nullptr};
    EXPECT_EQ(datafolder(2, withfolder), std::filesystem::path("/tmp"));
    EXPECT_EQ(datafolder(1, without), std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

TEST(ProgramStart, MaintenanceShowsTheItemsTheMainWindowHides) {
    auto dir = smallset();
    const QString item = QStringLiteral("Load and process test data to EF");
    auto action = [](Program& program, const QString& text) -> QAction* {
        for (QAction* a : program.main.findChildren<QAction*>())
            if (a->text() == text) return a;
        return nullptr;
    };
    {
        testing::QuietPlatform platform(dir);
        Program program(platform);
        program.start(dir);
        QAction* a = action(program, item);
        ASSERT_NE(a, nullptr);
        EXPECT_FALSE(a->isVisible());
    }
    testing::QuietPlatform platform(dir);
    Program program(platform);
    program.start(dir, true);
    QAction* a = action(program, item);
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->isVisible());
    QAction* qa = action(program, QStringLiteral("Update concentration data/QA"));
    ASSERT_NE(qa, nullptr);
    EXPECT_TRUE(qa->isVisible());
}

TEST(ProgramStart, TheCommandLineTakesTheMaintenanceOptionAndAFolderInAnyOrder) {
    char prog[] = "brasket", opt[] = "--maintenance", folder[] = "/tmp", odd[] = "--colour";
    char* both[] = {prog, opt, folder};
    CommandLine cl = commandline(3, both);
    EXPECT_TRUE(cl.maintenance);
    EXPECT_EQ(cl.folder, std::filesystem::path("/tmp"));
    char* reversed[] = {prog, folder, opt};
    EXPECT_TRUE(commandline(3, reversed).maintenance);
    char* plain[] = {prog, folder};
    EXPECT_FALSE(commandline(2, plain).maintenance);
    char* unknown[] = {prog, odd};
    EXPECT_EQ(commandline(2, unknown).unknown, "--colour");
    EXPECT_EQ(commandline(2, unknown).folder, std::filesystem::path(QCoreApplication::applicationDirPath().toStdString()));
}

}  // namespace
}  // namespace brasket::gui
