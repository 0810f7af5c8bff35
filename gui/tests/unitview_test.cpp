// The unit evaluation window on screen: opened on a unit, its widgets follow the window model.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "app.h"
#include "program.h"
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

TEST(UnitView, ShowsTheEvaluationWindowOfTheChosenUnit) {
    auto dir = testing::freshfolder("unitview");
    testing::QuietPlatform platform(dir);
    Program program(platform);
    program.start(dir);
    App& app = program.app;
    oneunit(app);
    ASSERT_TRUE(selectunit(app, 1));
    EXPECT_FALSE(program.unit.isVisible());
    cmdevaluateunit_Click(app);
    program.flush();
    EXPECT_TRUE(program.unit.isVisible());

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

}  // namespace
}  // namespace brasket::gui
