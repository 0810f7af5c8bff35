// The report window on screen: the page picture painted, paging by keys whatever control has
// the focus, the bottom row following resizes, printing to a PDF file.
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app.h"
#include "look.h"
#include "program.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "support.h"

namespace brasket::gui {
namespace {

class ReportWindow : public ::testing::Test {
protected:
    void SetUp() override {
        faultreporter() = [this](QWidget*, const QString& text) { faults.push_back(text.toStdString()); };
    }
    // A report of three pages of four lines each under two header lines; line j of page p
    // reads "p<p> line <j>", and each page ends with a page mark.
    void writereport() {
        startreport(app, 2, 0);
        reportline(app, std::string_view("Emission report"));
        reportline(app, std::string_view("Plant          Coal      Oil"));
        for (int p = 1; p <= 3; ++p) {
            for (int j = 1; j <= 4; ++j) reportline(app, "p" + std::to_string(p) + " line " + std::to_string(j) + "   12.5   3");
            reportline(app, std::string_view("@NEW PAGE"));
        }
    }
    QImage page() {
        program.flush();
        return program.report.grab().toImage();
    }
    template <class W>
    W* widget(const Control& c) { return qobject_cast<W*>(program.report.binding().widget(c)); }

    testing::QuietPlatform platform{testing::freshfolder("report")};
    Program program{platform};
    App& app = program.app;
    frmDisplay& w = app.display;
    std::vector<std::string> faults;
};

int darkpixels(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 100) ++n;
    return n;
}

TEST_F(ReportWindow, PageOneIsPaintedAndSearchHitsAreRed) {
    writereport();
    showreport(app);
    ASSERT_TRUE(program.report.isVisible());
    EXPECT_EQ(program.report.windowTitle(), QStringLiteral("Data Display"));
    QImage first = page();
    EXPECT_GT(darkpixels(first), 500);  // header and four lines of text
    EXPECT_EQ(testing::redpixels(first), 0);
    EXPECT_EQ(widget<QLabel>(w.Label1)->text(), QStringLiteral("page 1 of 3 pages."));

    // A search text marks its hits when the page is drawn next.
    QTest::keyClicks(widget<QLineEdit>(w.Text1), "");
    w.Text1.setText("LINE 2");
    widget<QPushButton>(w.Command2)->click();  // Page UP redraws page 1
    QImage marked = page();
    EXPECT_GT(testing::redpixels(marked), 20);
    EXPECT_TRUE(faults.empty());
}

TEST_F(ReportWindow, PageKeysReachTheWindowWhateverControlHasTheFocus) {
    writereport();
    showreport(app);
    program.report.activateWindow();
    auto* search = widget<QLineEdit>(w.Text1);
    search->setFocus();
    QImage first = page();

    QTest::keyClick(search, Qt::Key_PageDown);
    EXPECT_EQ(w.currentpage, 2);
    EXPECT_EQ(widget<QLabel>(w.Label1)->text(), QStringLiteral("page 2 of 3 pages."));
    EXPECT_NE(page(), first);
    QTest::keyClick(widget<QPushButton>(w.Command3), Qt::Key_PageDown);
    EXPECT_EQ(w.currentpage, 3);
    QTest::keyClick(search, Qt::Key_PageUp);
    EXPECT_EQ(w.currentpage, 2);

    // Keypad minus slides the search row up and is not typed into the search box.
    long top = w.Text1.Top();
    QTest::keyClick(search, Qt::Key_Minus, Qt::KeypadModifier);
    EXPECT_EQ(w.Text1.Top(), top - 20);
    EXPECT_EQ(search->text(), QStringLiteral("Text here"));
    QTest::keyClick(search, Qt::Key_Plus, Qt::KeypadModifier);
    EXPECT_EQ(w.Text1.Top(), top);
    // Other keys still reach the focused control.
    QTest::keyClick(search, Qt::Key_X);
    EXPECT_EQ(w.Text1.Text(), "Text herex");
}

TEST_F(ReportWindow, TheBottomRowFollowsTheWindowsHeight) {
    writereport();
    showreport(app);
    // The load sizes the window to the screen less 800 twips.
    EXPECT_NEAR(program.report.frameGeometry().height() * 15, platform.screenheight() - 800, 15);
    program.report.resize(700, 400);
    QCoreApplication::processEvents();
    long outer = program.report.frameGeometry().height() * 15;
    EXPECT_EQ(w.Height(), outer);
    EXPECT_EQ(w.Command1.Top(), outer - 800);
    EXPECT_EQ(widget<QPushButton>(w.Command1)->y(), pixels(outer - 800));
    EXPECT_EQ(widget<QPushButton>(w.Command5)->x(), 8040 / 15);
}

TEST_F(ReportWindow, PrintingToAPdfFileGivesOnePageAPageMarkAndOneForTheClosingMark) {
    writereport();
    showreport(app);
    auto pdf = testing::freshfolder("report-pdf") / "report.pdf";
    platform.qtprinter().pdffile = QString::fromStdString(pdf.string());
    widget<QPushButton>(w.Command4)->click();
    // Three pages, and after the last page mark a page holding only the page head.
    EXPECT_EQ(testing::pdfpages(pdf), 4);
    EXPECT_TRUE(faults.empty());
}

TEST_F(ReportWindow, ClosingTheWindowUnloadsItAndKeepsTheReport) {
    writereport();
    showreport(app);
    QTest::keyClick(widget<QLineEdit>(w.Text1), Qt::Key_PageDown);
    program.report.close();
    EXPECT_FALSE(w.loaded);
    EXPECT_FALSE(program.report.isVisible());
    EXPECT_EQ(pagecount(app.report), 3);
    showreport(app);  // loaded afresh: page 1
    EXPECT_TRUE(program.report.isVisible());
    EXPECT_EQ(w.currentpage, 1);
    pagedown(app);
    showreport(app);  // open already: to the front, from page 1
    EXPECT_EQ(w.currentpage, 1);
}

TEST_F(ReportWindow, ExitErasesTheReportAndCloses) {
    writereport();
    showreport(app);
    widget<QPushButton>(w.Command1)->click();
    EXPECT_FALSE(program.report.isVisible());
    EXPECT_EQ(pagecount(app.report), 0);
}

TEST_F(ReportWindow, ThePageLabelShowsItsWholeTextOnOneLineClearOfTheButtons) {
    writereport();
    showreport(app);
    pagedown(app);
    program.flush();
    auto* label = widget<QLabel>(w.Label1);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text().toStdString(), w.Label1.Caption());
    EXPECT_NE(w.Label1.Caption().find("page 2 of 3"), std::string::npos);
    QFontMetrics fm(label->font());
    EXPECT_GE(label->width(), fm.horizontalAdvance(label->text()));
    EXPECT_GE(label->height(), fm.height());
    EXPECT_FALSE(label->wordWrap());
    for (Control* c : w.controls) {
        QWidget* other = program.report.binding().widget(*c);
        if (!other || other == label || !other->isVisible()) continue;
        EXPECT_FALSE(other->geometry().intersects(label->geometry())) << c->name;
    }
    // The model keeps its own position for the label.
    EXPECT_EQ(w.Label1.Left(), 3720);
}

}  // namespace
}  // namespace brasket::gui
