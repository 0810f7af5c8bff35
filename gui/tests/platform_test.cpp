// The Qt platform: the printer writes real pages, dialog filters and key codes translate.
#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>
#include <unistd.h>

#include "app.h"
#include "qtplatform.h"
#include "report/printexport.h"
#include "report/reportbuffer.h"
#include "reportview.h"
#include "support.h"

namespace brasket::gui {
namespace {

TEST(QtPrinterPages, PageBreaksAndOrientationGiveTheExpectedPdfPages) {
    auto dir = testing::freshfolder("printer");
    testing::QuietPlatform platform(dir);
    auto& printer = platform.qtprinter();
    printer.pdffile = QString::fromStdString((dir / "three.pdf").string());
    Printer& p = platform.printer();
    double portraitwidth = p.ScaleWidth(), portraitheight = p.ScaleHeight();
    EXPECT_GT(portraitheight, portraitwidth);
    EXPECT_GT(p.TextHeight(), 100);  // Courier New 8 is about 9 points a line: 180 twips
    EXPECT_LT(p.TextHeight(), 300);

    p.CurrentY = 0.07 * p.ScaleHeight();
    p.CurrentX = 0.05 * p.ScaleWidth();
    p.Print("Emission report          page 1");
    double y = p.CurrentY;
    EXPECT_EQ(p.CurrentX, 0);
    EXPECT_NEAR(y, 0.07 * portraitheight + p.TextHeight(), 1);
    p.NewPage();
    p.setOrientation(2);
    EXPECT_GT(p.ScaleWidth(), p.ScaleHeight());  // the fresh page is landscape
    p.Print("page 2");
    p.NewPage();
    p.setOrientation(1);
    p.Print("page 3");
    std::string error;
    ASSERT_TRUE(p.EndDoc(error)) << error;
    EXPECT_EQ(testing::pdfpages(dir / "three.pdf"), 3);
    EXPECT_TRUE(platform.messages.empty());  // a file asked for is not announced
}

TEST(QtPrinterPages, TheOrientationChosenInPrintSetupShapesThePageBeforePrinting) {
    testing::QuietPlatform platform;
    Printer& p = platform.printer();
    double width = p.ScaleWidth(), height = p.ScaleHeight();
    p.Orientation = 2;  // as print setup leaves it
    EXPECT_EQ(p.ScaleWidth(), height);
    EXPECT_EQ(p.ScaleHeight(), width);
}

TEST(QtPrinterPages, APageBreakAtTheEndGivesAPageOfItsOwn) {
    auto dir = testing::freshfolder("printer-end");
    testing::QuietPlatform platform(dir);
    platform.qtprinter().pdffile = QString::fromStdString((dir / "two.pdf").string());
    Printer& p = platform.printer();
    p.Print("only line");
    p.NewPage();
    std::string error;
    ASSERT_TRUE(p.EndDoc(error));
    EXPECT_EQ(testing::pdfpages(dir / "two.pdf"), 2);
}

TEST(QtPrinterPages, WithoutAPrinterTheDocumentGoesToANamedPdfInTheDataFolder) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this system has a printer";
    auto dir = testing::freshfolder("printer-none");
    testing::QuietPlatform platform(dir);
    std::string error;
    for (int run = 1; run <= 2; ++run) {
        platform.printer().Print("a line");
        ASSERT_TRUE(platform.printer().EndDoc(error)) << error;
    }
    // Each document keeps its own file: a later print does not overwrite an earlier one.
    EXPECT_EQ(testing::pdfpages(dir / "printed report 1.pdf"), 1);
    EXPECT_EQ(testing::pdfpages(dir / "printed report 2.pdf"), 1);
    ASSERT_EQ(platform.messages.size(), 2u);
    // The path stands whole on a line of its own.
    EXPECT_NE(platform.messages[1].find("\n" + (dir / "printed report 2.pdf").string()), std::string::npos);
}

// Messages Qt writes to the console while a test runs.
int consolemessages = 0;
void countmessage(QtMsgType, const QMessageLogContext&, const QString&) { ++consolemessages; }

// A report printed into a folder that cannot be written: the message names the PDF file, Qt
// writes nothing to the console, and the next document is tried afresh.
TEST(QtPrinterPages, APdfThatCannotBeWrittenIsToldByItsPath) {
    auto dir = testing::freshfolder("printer-unwritable");
    std::vector<std::filesystem::path> folders{dir / "a file"};  // a "folder" that is a file
    std::ofstream(folders[0]) << "not a folder";
    if (geteuid() != 0) {  // the super-user writes into a read-only folder all the same
        folders.push_back(dir / "read-only");
        std::filesystem::create_directory(folders.back());
        std::filesystem::permissions(folders.back(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    testing::QuietPlatform platform(dir);
    App app(platform);
    startreport(app, 2, 0);
    for (int i = 1; i <= 80; ++i) reportline(app, "line " + std::to_string(i));
    for (const auto& folder : folders) {
        const std::string pdf = (folder / "report.pdf").string();
        platform.qtprinter().pdffile = QString::fromStdString(pdf);
        platform.messages.clear();
        consolemessages = 0;
        QtMessageHandler previous = qInstallMessageHandler(countmessage);
        printreport(app);
        qInstallMessageHandler(previous);
        EXPECT_EQ(consolemessages, 0);
        ASSERT_EQ(platform.messages.size(), 1u);
        EXPECT_EQ(platform.messages[0], "The report could not be printed: the PDF file " + pdf + " could not be written");
    }
    platform.qtprinter().pdffile = QString::fromStdString((dir / "good.pdf").string());
    platform.messages.clear();
    printreport(app);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_GE(testing::pdfpages(dir / "good.pdf"), 1);
    if (folders.size() > 1) std::filesystem::permissions(folders[1], std::filesystem::perms::owner_all);
}

TEST(MessageBoxes, ALongPathStaysWholeOnItsLine) {
    const QString path = QStringLiteral("/home/analyst/work/emission inventory 2026/data folder of the fleet/"
                                        "printed report 12.pdf");
    QMessageBox box;
    box.setText(QStringLiteral("No printer is set up on this system. The report was written to the PDF file\n") + path);
    box.setTextFormat(Qt::PlainText);
    keeplineswhole(box);
    auto* label = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    ASSERT_NE(label, nullptr);
    EXPECT_GE(label->minimumWidth(), label->fontMetrics().horizontalAdvance(path));
    box.show();
    QCoreApplication::processEvents();
    EXPECT_GE(label->width(), label->fontMetrics().horizontalAdvance(path));
}

TEST(FileDialogs, AnswersGivenBeforehandAreTakenInOrderWithoutADialog) {
    testing::QuietPlatform platform;
    platform.answers = {"/data/imports/partIIexport.txt", "*.txt"};
    FileDialog d;
    d.FileName = "*.txt";
    EXPECT_EQ(platform.openfile(d), "/data/imports/partIIexport.txt");
    EXPECT_EQ(d.FileName, "/data/imports/partIIexport.txt");
    EXPECT_EQ(platform.savefile(d), "*.txt");
    EXPECT_TRUE(platform.answers.empty());
}

TEST(DialogFilters, PipeSeparatedPairsBecomeQtNameFilters) {
    EXPECT_EQ(namefilters("Data set files (*.txt)|*.txt"), QStringLiteral("Data set files (*.txt)"));
    EXPECT_EQ(namefilters("Text|*.txt;*.prn|All files|*.*"), QStringLiteral("Text (*.txt *.prn);;All files (*.*)"));
    EXPECT_EQ(namefilters(""), QString());
}

TEST(KeyCodes, KeysTranslateToTheCodesTheWindowsTake) {
    EXPECT_EQ(ReportView::keycode(Qt::Key_PageUp, Qt::NoModifier), 33);
    EXPECT_EQ(ReportView::keycode(Qt::Key_PageDown, Qt::NoModifier), 34);
    EXPECT_EQ(ReportView::keycode(Qt::Key_Plus, Qt::KeypadModifier), 107);
    EXPECT_EQ(ReportView::keycode(Qt::Key_Minus, Qt::KeypadModifier), 109);
    EXPECT_EQ(ReportView::keycode(Qt::Key_Minus, Qt::NoModifier), 189);  // the main keyboard's minus differs
    EXPECT_EQ(ReportView::keycode(Qt::Key_A, Qt::ShiftModifier), 65);
    EXPECT_EQ(ReportView::keycode(Qt::Key_F1, Qt::NoModifier), 112);
}

TEST(PumpingEvents, TimersAndRepaintsRunDuringAPump) {
    testing::QuietPlatform platform;
    int ticks = 0;
    QTimer::singleShot(0, [&] { ++ticks; });
    platform.pumpevents();
    EXPECT_EQ(ticks, 1);
}

}  // namespace
}  // namespace brasket::gui

