// The unit evaluation window on screen: opened on a unit, its widgets follow the window model.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTest>
#include <gtest/gtest.h>

#include "app.h"
#include "program.h"
#include "report/reportbuffer.h"
#include "support.h"
#include "unitwindow/form1.h"

namespace brasket::gui {
namespace {

// One plant with one unit burning bituminous coal, made in memory over an empty folder.
void oneunit(App& app) {
    Workset& ws = app.ws;
    for (long k = 1; k <= 13; ++k) ws.idfuel(k).name = k == 2 ? "NONE" : k == 3 ? "BITUMINOUS" : "FUEL";
    ws.plant(1).plantno = 1;
    ws.plant(1).plantname = "Alpha Station";
    setplantcount(ws, 1);
    ws.idplant(1).unitno[1] = 1;
    ws.idunit(1).plantno = 1;
    ws.unitc(1).plantno = 1;
    ws.unitc(1).unitname = "Unit A";
    ws.unitc(1).modelboiler = 3;
    ws.unitc(1).modelpm = 1;
    ws.unitc(1).modelso2 = 0;
    setunitcount(ws, 1);
    for (long m = 1; m <= 12; ++m) {
        ws.unitcoal(1, m).fuelnum[1] = 3;
        ws.unitcoal(1, m).drytons[1] = 10000;
        ws.unitcoal(1, m).hgppm[1] = 2.5f;
    }
    mainwindow(app).List3.AddItem("Alpha Station");
}

// The program started over an empty folder with the evaluation window shown on that unit.
struct UnitView : ::testing::Test {
    std::filesystem::path dir = testing::freshfolder("unitview");
    testing::QuietPlatform platform{dir};
    Program program{platform};
    App& app = program.app;

    void SetUp() override {
        program.start(dir);
        oneunit(app);
        ASSERT_TRUE(selectunit(app, 1));
        EXPECT_FALSE(program.unit.isVisible());
        cmdevaluateunit_Click(app);
        program.flush();
        EXPECT_TRUE(program.unit.isVisible());
    }
};

TEST_F(UnitView, ShowsTheEvaluationWindowOfTheChosenUnit) {

    auto* hgin = qobject_cast<QLabel*>(program.unit.binding().widget(app.form1.Label3[0]));
    ASSERT_NE(hgin, nullptr);
    EXPECT_EQ(hgin->text().toStdString(), "272.154");
    auto* fuel = qobject_cast<QComboBox*>(program.unit.binding().widget(app.form1.Combo2[0]));
    ASSERT_NE(fuel, nullptr);
    EXPECT_EQ(fuel->count(), 18);
    EXPECT_TRUE(fuel->currentText().startsWith(QStringLiteral("BITUMINOUS")));

    // Typing a new tonnage evaluates again and the cell follows.
    auto* tons = qobject_cast<QLineEdit*>(program.unit.binding().widget(app.form1.Text2[0]));
    ASSERT_NE(tons, nullptr);
    tons->selectAll();
    QTest::keyClicks(tons, QStringLiteral("20000"));
    program.flush();
    EXPECT_EQ(app.form1.Label3[0].Caption(), "544.308");
    EXPECT_EQ(hgin->text().toStdString(), "544.308");
    EXPECT_FALSE(program.unit.binding().widget(app.form1.Label12)->isVisible());
}

// Whether the report buffer holds a line.
bool holds(const App& app, const std::string& line) {
    for (long k = 1; k <= app.report.reportlinecount; ++k)
        if (app.report.reportbuffer(k) == line) return true;
    return false;
}

TEST_F(UnitView, APressOnABinLabelExplainsTheBin) {
    // A row without fuel: either button tells the analyst to choose a fuel.
    QWidget* empty = program.unit.binding().widget(app.form1.Label14[1]);
    ASSERT_NE(empty, nullptr);
    app.report.erase();
    app.report.reportlinecount = 0;
    QTest::mouseClick(empty, Qt::RightButton);
    EXPECT_TRUE(holds(app, " You have not identified a fuel for evaluation."));

    // The row with coal: the right button gives the speciation report, the left the bin's
    // factor listing; the middle button does nothing.
    QWidget* bin = program.unit.binding().widget(app.form1.Label14[0]);
    ASSERT_NE(bin, nullptr);
    app.report.erase();
    app.report.reportlinecount = 0;
    QTest::mouseClick(bin, Qt::MiddleButton);
    EXPECT_EQ(app.report.reportlinecount, 0);
    QTest::mouseClick(bin, Qt::RightButton);
    EXPECT_TRUE(holds(app, "This display presents the bin that is assigned for the fuel."));
    const long right = app.report.reportlinecount;
    QTest::mouseClick(bin, Qt::LeftButton);
    EXPECT_TRUE(holds(app, "This display presents the bin that is assigned for the fuel."));
    EXPECT_NE(app.report.reportlinecount, right);
}

}  // namespace
}  // namespace brasket::gui
