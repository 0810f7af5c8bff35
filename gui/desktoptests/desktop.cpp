#include "desktop.h"

#include <QApplication>
#include <QGuiApplication>
#include <qguiapplication_platform.h>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QScreen>
#include <QThread>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstdlib>
#include <fstream>
#include <string>
#include <unistd.h>
#include <xcb/xcb.h>

#include "mainwindow/frmplants.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "unitwindow/form1.h"
#include "xframes.h"

namespace brasket::gui::desktop {

QString windowmanager() {
    const QString wm = qEnvironmentVariable("BRASKET_WM");
    return wm.isEmpty() ? QStringLiteral("openbox") : wm;
}

namespace {
// How long a process has waited on a run queue for a processor, in ns (the second figure of
// /proc/PID/schedstat); 0 where the kernel does not tell it or the process has gone.
qint64 runqueuewait(long pid) {
    std::ifstream stats("/proc/" + std::to_string(pid) + "/schedstat");
    long long ran = 0, waited = 0;
    if (!(stats >> ran >> waited)) return 0;
    return waited;
}
}  // namespace

WorkClock::WorkClock(bool withprogram) : withprogram_(withprogram) { start(); }

std::vector<long> WorkClock::pids() const {
    std::vector<long> pids;
    if (withprogram_) pids.push_back(static_cast<long>(getpid()));
    for (const char* name : {"BRASKET_XSERVER_PID", "BRASKET_WM_PID"})
        if (const long pid = qEnvironmentVariableIntValue(name); pid > 0) pids.push_back(pid);
    return pids;
}

void WorkClock::start() {
    waited_.clear();
    for (long pid : pids()) waited_[pid] = runqueuewait(pid);
    wall_.start();
}

qint64 WorkClock::elapsed() const {
    qint64 longest = 0;
    for (long pid : pids()) {
        // A window manager started since has waited since its start.
        const qint64 before = waited_.emplace(pid, 0).first->second;
        longest = std::max(longest, runqueuewait(pid) - before);
    }
    return std::max<qint64>(0, wall_.elapsed() - longest / 1000000);
}

void settle(int ms) {
    const WorkClock t;
    while (t.elapsed() < ms) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

bool waitfor(const std::function<bool()>& done, int ms) {
    const WorkClock t;
    while (!done()) {
        if (t.elapsed() > ms) return false;
        settle(20);
    }
    return true;
}

void waitplaced(QWidget& window, FormBinding& binding) {
    ASSERT_TRUE(waitfor([&] { return window.isVisible() && !binding.placing(); })) << "never placed";
    settle(100);
}

::testing::AssertionResult framebecomes(const QWidget& window, const QRect& awaited) {
    if (waitfor([&] { return windowframe(window) == awaited; })) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << window.windowTitle().toStdString() << " framed at "
                                         << ::testing::PrintToString(windowframe(window)) << ", awaited "
                                         << ::testing::PrintToString(awaited);
}

::testing::AssertionResult toldbecomes(FrameWatch& watch, const QWidget& window, const QRect& awaited, int ms) {
    if (waitfor([&] { return watch.toldframe(window) == awaited; }, ms)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << window.windowTitle().toStdString() << " told framed at "
                                         << ::testing::PrintToString(watch.toldframe(window)) << ", awaited "
                                         << ::testing::PrintToString(awaited);
}

::testing::AssertionResult holds(const QRect& outer, const QRect& inner) {
    if (outer.contains(inner)) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ::testing::PrintToString(inner) << " is not inside "
                                         << ::testing::PrintToString(outer);
}

QString x11(const QString& program, const QStringList& arguments) {
    QProcess p;
    // The texts are handed over in UTF-8, whatever locale the tests run in (none, in a fresh
    // container): xdotool reads the text it types by the locale's character set.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("LANG"));
    environment.remove(QStringLiteral("LC_CTYPE"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    p.setProcessEnvironment(environment);
    p.start(program, arguments);
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        p.waitForFinished(5);
    }
    EXPECT_TRUE(p.state() == QProcess::NotRunning || p.waitForFinished(1000)) << program.toStdString() << " did not end";
    EXPECT_EQ(p.exitCode(), 0) << program.toStdString() << " " << arguments.join(QLatin1Char(' ')).toStdString() << ": "
                               << p.readAllStandardError().toStdString();
    return QString::fromLocal8Bit(p.readAllStandardOutput());
}

void hand(const QStringList& step) {
    x11(QStringLiteral("xdotool"), step);
    settle(60);
}

void clickat(const QWidget& widget, QPoint point) {
    const QPoint at = widget.mapToGlobal(point);
    hand({QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())});
    hand({QStringLiteral("click"), QStringLiteral("1")});
}

void doubleclicktitle(const QWidget& window) {
    const QRect frame = windowframe(window);
    const QPoint title(frame.center().x(), frame.top() + (window.geometry().top() - frame.top()) / 2);
    hand({QStringLiteral("mousemove"), QString::number(title.x()), QString::number(title.y())});
    hand({QStringLiteral("click"), QStringLiteral("--repeat"), QStringLiteral("2"), QStringLiteral("--delay"),
          QStringLiteral("80"), QStringLiteral("1")});
}

void maximize(QWidget& window) {
    doubleclicktitle(window);
    ASSERT_TRUE(waitfor([&] { return window.isMaximized(); })) << "the title bar's double click did not maximize";
    settle(400);
}

void restore(QWidget& window) {
    doubleclicktitle(window);
    ASSERT_TRUE(waitfor([&] { return !window.isMaximized(); })) << "the title bar's double click did not restore";
    settle(400);
}

QRect restoredframe(const QRect& normal) {
    const QRect work = workarea();
    if (windowmanager() != QLatin1String("mutter") ||
        double(normal.width()) * normal.height() <= 0.8 * work.width() * work.height())
        return normal;
    // Its own reckoning, in single precision, with the fractions dropped.
    const float proportion = float(normal.height()) / float(normal.width());
    const int width = static_cast<int>(float(work.width()) * std::sqrt(0.8f));
    return {normal.topLeft(), QSize(width, static_cast<int>(float(width) * proportion))};
}

void minimize(QWidget& window) {
    hand({QStringLiteral("windowminimize"), QString::number(window.winId())});
    ASSERT_TRUE(waitfor([&] { return window.isMinimized(); })) << "the window manager did not minimize the window";
    settle(200);
}

void closebykeyboard(QWidget& window) {
    // GNOME's window manager takes its keys afresh after xdotool has changed the keyboard's map
    // for a key it types, and lets a key through meanwhile: the analyst presses it again.
    for (int press = 0; press < 3 && window.isVisible(); ++press) {
        hand({QStringLiteral("windowactivate"), QStringLiteral("--sync"), QString::number(window.winId())});
        hand({QStringLiteral("key"), QStringLiteral("alt+F4")});
        waitfor([&] { return !window.isVisible(); }, 3000);
    }
    ASSERT_FALSE(window.isVisible()) << "alt+F4 did not close the window";
}

void closebywindowmanager(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr) << "not on an X display";
    xcb_connection_t* connection = x11->connection();
    const xcb_atom_t close = xatom(connection, "_NET_CLOSE_WINDOW");
    ASSERT_NE(close, static_cast<xcb_atom_t>(XCB_ATOM_NONE));
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = close;
    message.data.data32[0] = XCB_CURRENT_TIME;
    message.data.data32[1] = 2;  // asked by the analyst's desktop (a task bar, a pager)
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection);
    ASSERT_TRUE(waitfor([&] { return !window.isVisible(); })) << "the window manager did not close the window";
}

namespace {
// A figure of xwininfo's report ("  Width: 310", "  Parent window id: 0x200019 ..."), or -1.
long xwininfofigure(const QString& report, const QString& name) {
    const auto m = QRegularExpression(QStringLiteral("^\\s*") + QRegularExpression::escape(name) +
                                      QStringLiteral(":\\s*(-?0x[0-9a-fA-F]+|-?\\d+)"),
                                      QRegularExpression::MultilineOption)
                       .match(report);
    return m.hasMatch() ? static_cast<long>(m.captured(1).toLongLong(nullptr, 0)) : -1;
}
}  // namespace

QRect framewindow(const QWidget& window) {
    long id = static_cast<long>(window.winId());
    // The window manager may put windows of its own between the frame and the program's window.
    for (int depth = 0; depth < 8; ++depth) {
        const QString tree = x11(QStringLiteral("xwininfo"), {QStringLiteral("-children"), QStringLiteral("-id"),
                                                              QString::number(id)});
        const long parent = xwininfofigure(tree, QStringLiteral("Parent window id"));
        if (parent < 0 || parent == xwininfofigure(tree, QStringLiteral("Root window id"))) break;
        id = parent;
    }
    const QString info = x11(QStringLiteral("xwininfo"), {QStringLiteral("-id"), QString::number(id)});
    return {static_cast<int>(xwininfofigure(info, QStringLiteral("Absolute upper-left X"))),
            static_cast<int>(xwininfofigure(info, QStringLiteral("Absolute upper-left Y"))),
            static_cast<int>(xwininfofigure(info, QStringLiteral("Width"))),
            static_cast<int>(xwininfofigure(info, QStringLiteral("Height")))};
}

QPoint bottomedge(const QWidget& window) {
    const QRect frame = framewindow(window);
    const int below = window.geometry().bottom() + 1;
    EXPECT_GE(frame.bottom(), below) << "the frame window " << ::testing::PrintToString(frame)
                                     << " has no border below the window " << ::testing::PrintToString(window.geometry());
    // Two rows into the border: a drawn border is a few rows high, all of them edge; a composited
    // frame's invisible border begins with the edge and holds the shadow further down.
    return {window.geometry().center().x(), std::min(below + 2, frame.bottom())};
}

void typekeys(const QString& text) {
    hand({QStringLiteral("type"), QStringLiteral("--delay"), QStringLiteral("40"), text});
    settle(100);
}

void picture(const char* name) {
    const QString folder = qEnvironmentVariable("BRASKET_SCREENSHOTS");
    if (folder.isEmpty()) return;
    settle(200);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        screen->grabWindow(0).save(folder + QLatin1Char('/') + windowmanager() + QLatin1Char('-') + QLatin1String(name) +
                                   QStringLiteral(".png"));
}

namespace {
std::vector<long> rootnumbers(const char* property) {
    std::vector<long> numbers;
    const QString out = x11(QStringLiteral("xprop"), {QStringLiteral("-root"), QLatin1String(property)});
    // "NAME(TYPE) = 0, 0, 1024, 768" or "NAME(TYPE): window id # 0x40000d, 0x400012"
    const int type = out.indexOf(QLatin1Char(')'));
    if (type < 0) return numbers;
    auto it = QRegularExpression(QStringLiteral("0x[0-9a-fA-F]+|\\d+")).globalMatch(out.mid(type + 1));
    while (it.hasNext()) numbers.push_back(static_cast<long>(it.next().captured(0).toULongLong(nullptr, 0)));
    return numbers;
}
}  // namespace

std::vector<WId> stacking() {
    std::vector<WId> ids;
    for (long id : rootnumbers("_NET_CLIENT_LIST_STACKING")) ids.push_back(static_cast<WId>(id));
    return ids;
}

long stackplace(const std::vector<WId>& ids, const QWidget& w) {
    for (std::size_t k = 0; k < ids.size(); ++k)
        if (ids[k] == w.winId()) return static_cast<long>(k);
    return -1;
}

bool infront(const QWidget& w, const std::vector<const QWidget*>& others) {
    if (!w.isVisible() || w.isMinimized() || QApplication::activeWindow() != &w) return false;
    const auto ids = stacking();
    const long place = stackplace(ids, w);
    if (place < 0) return false;
    for (const QWidget* other : others)
        if (other->isVisible() && stackplace(ids, *other) > place) return false;
    return true;
}

QRect workarea() {
    const auto n = rootnumbers("_NET_WORKAREA");
    if (n.size() < 4) return screenarea;
    return {static_cast<int>(n[0]), static_cast<int>(n[1]), static_cast<int>(n[2]), static_cast<int>(n[3])};
}

WindowManagerPause::WindowManagerPause(int ms) : ms_(ms), pid_(qEnvironmentVariableIntValue("BRASKET_WM_PID")) {
    if (ms_ > 0 && pid_ > 0) kill(static_cast<pid_t>(pid_), SIGSTOP);
}

WindowManagerPause::~WindowManagerPause() {
    if (ms_ <= 0 || pid_ <= 0) return;
    QThread::msleep(static_cast<unsigned long>(ms_));
    kill(static_cast<pid_t>(pid_), SIGCONT);
}

namespace {
// Whether a window manager has the screen: it names its check window on the root window.
bool managerhasscreen() {
    return x11(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_SUPPORTING_WM_CHECK")})
        .contains(QStringLiteral("window id"));
}
}  // namespace

bool windowmanagerruns() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11) return false;
    xcb_connection_t* connection = x11->connection();
    bool owned = false;
    const xcb_atom_t selection = xatom(connection, "WM_S0");
    if (auto* reply = xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, selection), nullptr)) {
        owned = reply->owner != XCB_WINDOW_NONE;
        std::free(reply);
    }
    return owned;
}

bool endwindowmanager() { return endwindowmanager(SIGTERM); }

bool endwindowmanager(int signal) {
    const long pid = qEnvironmentVariableIntValue("BRASKET_WM_PID");
    if (pid <= 0 || kill(static_cast<pid_t>(pid), signal) != 0) return false;
    return waitfor([] { return !windowmanagerruns(); });
}

bool stopwindowmanager() {
    const long pid = qEnvironmentVariableIntValue("BRASKET_WM_PID");
    return pid > 0 && kill(static_cast<pid_t>(pid), SIGSTOP) == 0;
}

void resumewindowmanager() {
    const long pid = qEnvironmentVariableIntValue("BRASKET_WM_PID");
    if (pid > 0) kill(static_cast<pid_t>(pid), SIGCONT);
}

bool startwindowmanager() {
    const QStringList command = qEnvironmentVariable("BRASKET_WM_COMMAND").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (command.isEmpty()) return false;
    QProcess manager;
    manager.setProgram(command.front());
    manager.setArguments(command.mid(1));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    const QString bus = qEnvironmentVariable("BRASKET_WM_BUS");
    if (!bus.isEmpty()) environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus);
    manager.setProcessEnvironment(environment);
    const QString log = qEnvironmentVariable("BRASKET_DESKTOP_WORK") + QStringLiteral("/wm-again.log");
    manager.setStandardOutputFile(log, QIODevice::Append);
    manager.setStandardErrorFile(log, QIODevice::Append);
    // It outlives the test that starts it, as the screen's script's own does: the script's end
    // of the X server ends it.
    qint64 pid = 0;
    if (!manager.startDetached(&pid)) return false;
    qputenv("BRASKET_WM_PID", QByteArray::number(pid));
    return waitfor([] { return windowmanagerruns() && managerhasscreen(); });
}

void writereport(App& app, const std::string& title) {
    startreport(app, 2, 0);
    reportline(app, title);
    reportline(app, std::string_view("Plant          Coal      Oil"));
    for (int p = 1; p <= 3; ++p) {
        for (int j = 1; j <= 30; ++j) reportline(app, "p" + std::to_string(p) + " line " + std::to_string(j) + "   12.5   3");
        reportline(app, std::string_view("@NEW PAGE"));
    }
}

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

void Desktop::SetUp() {
    program->start(dir);
    waitplaced(program->main, program->main.binding());
}

void Desktop::expectallonscreen() {
    for (QWidget* w : {static_cast<QWidget*>(&program->main), static_cast<QWidget*>(&program->unit),
                       static_cast<QWidget*>(&program->report), static_cast<QWidget*>(&program->about)}) {
        if (!w->isVisible() || w->isMinimized()) continue;
        EXPECT_TRUE(holds(screenarea, windowframe(*w))) << w->windowTitle().toStdString();
        EXPECT_NE(windowframe(*w), w->geometry()) << w->windowTitle().toStdString() << " has no frame";
    }
}

void Desktop::showplacedreport(const std::string& title) {
    writereport(app, title);
    showreport(app);
    waitplaced(program->report, program->report.binding());
}

void Desktop::showplacedunit(int count, int unit) {
    plantsofoneunit(app, count);
    ASSERT_TRUE(selectunit(app, unit));
    cmdevaluateunit_Click(app);
    waitplaced(program->unit, program->unit.binding());
}

}  // namespace brasket::gui::desktop
