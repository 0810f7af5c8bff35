// The windows on an X screen of 1024x768 whose window manager frames, places and stacks them, as
// on an analyst's desktop (on-desktop.sh starts the screen and the window manager): the report
// window opens whole and stays where the user puts it, a window shown again comes to the front,
// and every window fits the screen with its title bar.
#include <QAction>
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTest>
#include <QThread>
#include <csignal>
#include <functional>
#include <ostream>
#include <gtest/gtest.h>

#include "app.h"
#include "program.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "support.h"
#include "unitwindow/form1.h"

// Places and sizes as the failures tell them.
inline void PrintTo(const QRect& r, std::ostream* os) {
    *os << r.x() << "," << r.y() << " " << r.width() << "x" << r.height();
}

namespace brasket::gui {
namespace {

const QRect screenarea(0, 0, 1024, 768);

// Lets the program and the window manager work for a while.
void settle(int ms) {
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

// Lets them work until `done` holds (true) or ten seconds have gone by (false).
bool waitfor(const std::function<bool()>& done) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > 10000) return false;
        settle(20);
    }
    return true;
}

// Waits until the window manager has framed the window and the binding has placed it.
void waitplaced(QWidget& window, FormBinding& binding) {
    ASSERT_TRUE(waitfor([&] { return window.isVisible() && !binding.placing(); })) << "never placed";
    settle(100);
}

// Runs a command of the X utilities and gives what it wrote.
QString x11(const QString& program, const QStringList& arguments) {
    QProcess p;
    p.start(program, arguments);
    EXPECT_TRUE(p.waitForFinished(10000)) << program.toStdString();
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << ": " << p.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// With BRASKET_SCREENSHOTS naming a folder, the whole screen, frames and title bars included, is
// kept there as NAME.png, for a look at what the test saw.
void picture(const char* name) {
    const QString folder = qEnvironmentVariable("BRASKET_SCREENSHOTS");
    if (folder.isEmpty()) return;
    settle(200);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        screen->grabWindow(0).save(folder + QLatin1Char('/') + QLatin1String(name) + QStringLiteral(".png"));
}

// A step of the mouse, given through the X server as the analyst's hand gives it; the program
// and the window manager then take it in.
void pointer(const QStringList& step) {
    x11(QStringLiteral("xdotool"), step);
    settle(60);
}

// The managed windows from bottom to top, as the window manager stacks them.
std::vector<WId> stacking() {
    std::vector<WId> ids;
    const QString out = x11(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_CLIENT_LIST_STACKING")});
    auto it = QRegularExpression(QStringLiteral("0x[0-9a-fA-F]+")).globalMatch(out);
    while (it.hasNext()) ids.push_back(static_cast<WId>(it.next().captured(0).toULongLong(nullptr, 16)));
    return ids;
}

long stackplace(const std::vector<WId>& ids, const QWidget& w) {
    for (std::size_t k = 0; k < ids.size(); ++k)
        if (ids[k] == w.winId()) return static_cast<long>(k);
    return -1;
}

// A busy machine: the window manager gets no time for a while, so that it frames and sizes a
// window only after the program has asked for the window's size.
class WindowManagerPause {
public:
    explicit WindowManagerPause(int ms) : ms_(ms) {
        if (ms_ > 0 && pid_ > 0) kill(pid_, SIGSTOP);
    }
    ~WindowManagerPause() {
        if (ms_ <= 0 || pid_ <= 0) return;
        QThread::msleep(static_cast<unsigned long>(ms_));
        kill(pid_, SIGCONT);
    }

private:
    int ms_;
    pid_t pid_ = static_cast<pid_t>(qEnvironmentVariableIntValue("BRASKET_WM_PID"));
};

// A report of three pages of thirty lines under two header lines.
void writereport(App& app, const std::string& title) {
    startreport(app, 2, 0);
    reportline(app, title);
    reportline(app, std::string_view("Plant          Coal      Oil"));
    for (int p = 1; p <= 3; ++p) {
        for (int j = 1; j <= 30; ++j) reportline(app, "p" + std::to_string(p) + " line " + std::to_string(j) + "   12.5   3");
        reportline(app, std::string_view("@NEW PAGE"));
    }
}

// Plants of one unit each, burning bituminous coal, made in memory over an empty folder.
void plantsofoneunit(App& app, int count) {
    Workset& ws = app.ws;
    for (long k = 1; k <= 13; ++k) ws.idfuel(k).name = k == 2 ? "NONE" : k == 3 ? "BITUMINOUS" : "FUEL";
    for (int u = 1; u <= count; ++u) {
        ws.plant(u).plantno = static_cast<std::int16_t>(u);
        ws.plant(u).plantname = "Station " + std::to_string(u);
        ws.idplant(u).unitno[1] = static_cast<std::int16_t>(u);
        ws.idunit(u).plantno = static_cast<std::int16_t>(u);
        ws.unitc(u).plantno = static_cast<std::int16_t>(u);
        ws.unitc(u).unitname = std::to_string(u);
        ws.unitc(u).modelboiler = 3;
        ws.unitc(u).modelpm = 1;
        for (long m = 1; m <= 12; ++m) {
            ws.unitcoal(u, m).fuelnum[1] = 3;
            ws.unitcoal(u, m).drytons[1] = 10000.0f * static_cast<float>(u);
            ws.unitcoal(u, m).hgppm[1] = 2.5f;
        }
        mainwindow(app).List3.AddItem("Station " + std::to_string(u));
    }
    setplantcount(ws, count);
    setunitcount(ws, count);
}

// The program started over an empty folder, its main window placed.
struct Desktop : ::testing::Test {
    std::filesystem::path dir = testing::freshfolder("desktop");
    testing::QuietPlatform platform{dir};
    std::unique_ptr<Program> program = std::make_unique<Program>(platform);
    App& app = program->app;

    void SetUp() override {
        program->start(dir);
        waitplaced(program->main, program->main.binding());
    }
    // Every shown window's frame, title bar included, lies on the screen.
    void expectallonscreen() {
        for (QWidget* w : {static_cast<QWidget*>(&program->main), static_cast<QWidget*>(&program->unit),
                           static_cast<QWidget*>(&program->report), static_cast<QWidget*>(&program->about)}) {
            if (!w->isVisible()) continue;
            EXPECT_TRUE(screenarea.contains(w->frameGeometry()))
                << w->windowTitle().toStdString() << " at " << w->frameGeometry().x() << "," << w->frameGeometry().y() << " "
                << w->frameGeometry().width() << "x" << w->frameGeometry().height();
            EXPECT_NE(w->frameGeometry(), w->geometry()) << w->windowTitle().toStdString() << " has no frame";
        }
    }
};

// The report window takes the screen's width and its height less 800 twips (1024x715), frame
// included, at every showing: also when the window manager frames it late, after the program
// has asked for its size, and reports the size the window was mapped with on the way.
TEST(DesktopReportWindow, OpensWholeInEveryNewRunOfTheProgram) {
    const int pauses[] = {0, 100, 200, 300, 0, 100, 200, 300, 0, 150, 250, 50};
    int run = 0;
    for (int pause : pauses) {
        SCOPED_TRACE("run " + std::to_string(++run) + ", window manager paused " + std::to_string(pause) + " ms");
        auto dir = testing::freshfolder("desktop-run");
        testing::QuietPlatform platform(dir);
        Program program(platform);
        program.start(dir);
        waitplaced(program.main, program.main.binding());
        writereport(program.app, "Emission report");
        {
            WindowManagerPause busy(pause);
            showreport(program.app);
            QCoreApplication::processEvents();
        }
        waitplaced(program.report, program.report.binding());
        EXPECT_EQ(program.report.frameGeometry(), QRect(0, 0, 1024, 715));
        EXPECT_EQ(program.app.display.Width(), 1024 * 15);
        EXPECT_EQ(program.app.display.Height(), 768 * 15 - 800);
        EXPECT_EQ(program.app.display.Left(), 0);
        EXPECT_EQ(program.app.display.Top(), 0);
        // The bottom row of buttons is inside the window.
        auto* exitbutton = program.report.binding().widget(program.app.display.Command1);
        EXPECT_LE(exitbutton->geometry().bottom(), program.report.height());
        EXPECT_GE(exitbutton->y(), program.report.height() - 80);
    }
}

// Dragged by its title bar, the report window stays where the user put it through a page turn
// and a new report.
TEST_F(Desktop, TheReportWindowStaysWhereTheUserPutsIt) {
    writereport(app, "First report");
    showreport(app);
    waitplaced(program->report, program->report.binding());
    ASSERT_EQ(program->report.frameGeometry().topLeft(), QPoint(0, 0));
    // A drag of the title bar by 160 to the right and 40 down, in steps, as a hand moves it.
    const QRect title(program->report.frameGeometry().topLeft(), QSize(program->report.frameGeometry().width(),
                                                                        program->report.geometry().top() -
                                                                            program->report.frameGeometry().top()));
    const QPoint grip(title.center().x(), title.center().y());
    pointer({QStringLiteral("mousemove"), QString::number(grip.x()), QString::number(grip.y())});
    pointer({QStringLiteral("mousedown"), QStringLiteral("1")});
    for (int step = 1; step <= 8; ++step)
        pointer({QStringLiteral("mousemove"), QString::number(grip.x() + 20 * step), QString::number(grip.y() + 5 * step)});
    pointer({QStringLiteral("mouseup"), QStringLiteral("1")});
    ASSERT_TRUE(waitfor([&] { return program->report.frameGeometry().topLeft() == QPoint(160, 40); }))
        << "the window manager did not move the window: it is at " << program->report.frameGeometry().x() << ","
        << program->report.frameGeometry().y();
    settle(200);
    EXPECT_EQ(app.display.Left(), 160 * 15);
    EXPECT_EQ(app.display.Top(), 40 * 15);
    const QRect moved = program->report.frameGeometry();

    qobject_cast<QPushButton*>(program->report.binding().widget(app.display.Command3))->click();  // Page DOWN
    settle(300);
    EXPECT_EQ(app.display.currentpage, 2);
    EXPECT_EQ(program->report.frameGeometry(), moved);
    picture("report-moved-page-down");

    writereport(app, "Second report");
    showreport(app);
    settle(300);
    EXPECT_EQ(app.display.currentpage, 1);
    EXPECT_EQ(program->report.frameGeometry(), moved);
    EXPECT_EQ(app.display.Left(), 160 * 15);
}

// With the unit window open behind the main window, "Evaluate unit" on another unit fills the
// unit window and brings it to the front.
TEST_F(Desktop, EvaluateUnitBringsTheOpenUnitWindowToTheFront) {
    plantsofoneunit(app, 2);
    QAction* evaluate = program->main.menuBar()->findChild<QAction*>(QStringLiteral("cmdevaluateunit"));
    ASSERT_NE(evaluate, nullptr);
    ASSERT_TRUE(selectunit(app, 1));
    evaluate->trigger();
    waitplaced(program->unit, program->unit.binding());
    expectallonscreen();

    // The analyst brings the main window forward (from the task bar), over the unit window.
    x11(QStringLiteral("xdotool"), {QStringLiteral("windowactivate"), QString::number(program->main.winId())});
    ASSERT_TRUE(waitfor([&] {
        auto ids = stacking();
        return stackplace(ids, program->main) > stackplace(ids, program->unit);
    })) << "the main window did not come over the unit window";

    ASSERT_TRUE(selectunit(app, 2));
    evaluate->trigger();
    EXPECT_EQ(app.form1.Caption(), "Unit evaluation: 2");
    EXPECT_TRUE(waitfor([&] {
        auto ids = stacking();
        return stackplace(ids, program->unit) > stackplace(ids, program->main);
    })) << "the unit window stayed behind the main window";
    EXPECT_TRUE(waitfor([&] { return QApplication::activeWindow() == &program->unit; }));
    expectallonscreen();
    picture("unit-in-front");
}

// The main window, whose layout asks for more than the screen, fits it with its title bar; the
// unit and report windows too.
TEST_F(Desktop, EveryWindowFitsTheScreenWithItsTitleBar) {
    expectallonscreen();
    EXPECT_EQ(program->main.frameGeometry().size(), QSize(1024, 768));
    picture("main-whole");
    plantsofoneunit(app, 1);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    waitplaced(program->unit, program->unit.binding());
    writereport(app, "Emission report");
    showreport(app);
    waitplaced(program->report, program->report.binding());
    expectallonscreen();
}

// A mercury content that overflows, typed into the unit window, is not evaluated: the window
// says why, and none of its cells shows an infinity.
TEST_F(Desktop, AnOverflowingNumberTypedIntoTheUnitWindowIsNotEvaluated) {
    plantsofoneunit(app, 1);
    ASSERT_TRUE(selectunit(app, 1));
    cmdevaluateunit_Click(app);
    waitplaced(program->unit, program->unit.binding());
    auto* mercury = qobject_cast<QLineEdit*>(program->unit.binding().widget(app.form1.Text1[0]));
    ASSERT_NE(mercury, nullptr);
    mercury->setFocus(Qt::MouseFocusReason);
    mercury->selectAll();
    QTest::keyClicks(mercury, QStringLiteral("1e999"));
    settle(100);
    EXPECT_EQ(app.form1.Text1[0].Text(), "1e999");
    for (const Label& cell : app.form1.Label3) {
        auto* shown = qobject_cast<QLabel*>(program->unit.binding().widget(cell));
        ASSERT_NE(shown, nullptr);
        EXPECT_FALSE(shown->text().contains(QStringLiteral("nfinity"), Qt::CaseInsensitive)) << cell.index;
        EXPECT_FALSE(shown->text().contains(QStringLiteral("NaN"))) << cell.index;
    }
    auto* explanation = qobject_cast<QLabel*>(program->unit.binding().widget(app.form1.Label13));
    EXPECT_TRUE(explanation->text().contains(
        QStringLiteral("Fuel 1 is not evaluated: its mercury content or its dry tons per month is too large to be evaluated.")))
        << explanation->text().toStdString();
    expectallonscreen();
    picture("unit-1e999");
}

}  // namespace
}  // namespace brasket::gui
