// File and folder names with accented letters: what the file dialogs give, the report saved,
// the exports imported and the PDF printed go by the file system's own names, and a message
// naming such a file shows the name as the analyst knows it.
#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

#include <fstream>

#include "app.h"
#include "import/imports.h"
#include "look.h"
#include "program.h"
#include "report/frmdisplay.h"
#include "report/reportbuffer.h"
#include "support.h"

namespace brasket::gui {
namespace {

// The analyst at the next file dialog: types a name into the dialog's name box and accepts it.
// The folder the dialog opened in is kept.
class DialogHand {
public:
    explicit DialogHand(QString typed) : typed_(std::move(typed)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            for (QWidget* w : QApplication::topLevelWidgets()) {
                auto* dialog = qobject_cast<QFileDialog*>(w);
                if (!dialog || !dialog->isVisible()) continue;
                timer_.stop();
                folder = dialog->directory().absolutePath();
                auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                if (name) name->setText(typed_);
                else dialog->selectFile(typed_);
                answered = true;
                QMetaObject::invokeMethod(dialog, "accept");  // as the Open or Save button does
                return;
            }
        });
        timer_.start(50);
    }
    QString folder;
    bool answered = false;

private:
    QString typed_;
    QTimer timer_;
};

// A fresh folder named with an accented letter, as the file system names it (UTF-8).
std::filesystem::path accentedfolder(const std::string& purpose) { return testing::freshfolder(purpose + "-donn\xC3\xA9" "es"); }

TEST(FileNames, TheSaveDialogGivesTheNameTypedInTheFileSystemsEncoding) {
    const auto dir = accentedfolder("dialog");
    testing::QuietPlatform platform(dir);
    FileDialog d;
    d.InitDir = dir.string();
    d.FileName = "display set.txt";
    d.DefaultExt = ".txt";
    DialogHand hand(QString::fromUtf8("rapport LIGNIT\xC3\x89.txt"));
    const std::string chosen = platform.savefile(d);
    ASSERT_TRUE(hand.answered);
    EXPECT_EQ(hand.folder.toStdString(), dir.string());
    EXPECT_EQ(chosen, (dir / "rapport LIGNIT\xC3\x89.txt").string());
    EXPECT_EQ(d.FileName, chosen);
}

TEST(FileNames, AReportSavedFromTheReportWindowIsMadeUnderTheTypedName) {
    const auto dir = accentedfolder("report");
    testing::QuietPlatform platform(dir);
    Program program(platform);
    App& app = program.app;
    startreport(app, 1, 0);
    reportline(app, std::string_view("Emission report"));
    reportline(app, std::string_view("Alpha Station    12.5"));
    reportline(app, std::string_view("@NEW PAGE"));
    showreport(app);
    program.flush();
    auto* file = qobject_cast<QPushButton*>(program.report.binding().widget(app.display.Command5));
    ASSERT_NE(file, nullptr);
    DialogHand hand(QString::fromUtf8("rapport LIGNIT\xC3\x89.txt"));
    file->click();
    ASSERT_TRUE(hand.answered);
    // The dialog opens in the data folder, and the report is there under the name typed.
    EXPECT_EQ(hand.folder.toStdString(), dir.string());
    EXPECT_TRUE(platform.messages.empty()) << platform.messages.front();
    std::ifstream saved(dir / "rapport LIGNIT\xC3\x89.txt", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(saved)), std::istreambuf_iterator<char>());
    EXPECT_NE(text.find("Alpha Station    12.5"), std::string::npos);
}

TEST(FileNames, AnImportThroughTheDialogFindsItsExportsInAnAccentedFolder) {
    const auto dir = accentedfolder("import");
    testing::QuietPlatform platform(dir);
    App app(platform);
    app.datapath = dir;
    app.importpath = dir;
    // A quarter's export: a heading and one analysis of 22 fields joined by TABs.
    std::vector<std::string> fields(23);
    fields[2] = "1001";
    fields[4] = "3/15/1999";
    fields[10] = "BITUMINOUS";
    fields[17] = "0.12";
    for (int q = 1; q <= 4; ++q) {
        fields[1] = "a" + std::to_string(q);
        std::string line = fields[1];
        for (std::size_t k = 2; k <= 22; ++k) line += "\t" + fields[k];
        std::ofstream(dir / ("hg" + std::to_string(q) + "Qdatashort.txt"), std::ios::binary) << "heading\r\n" << line << "\r\n";
    }
    // The name of the export is given whole, so that a wrong folder does not stop the dialog.
    DialogHand hand(QString::fromUtf8((dir / "hg1Qdatashort.txt").string().c_str()));
    cmdreadhganalysis_Click(app);
    ASSERT_TRUE(hand.answered);
    EXPECT_EQ(hand.folder.toStdString(), dir.string());
    EXPECT_EQ(app.importpath, dir);
    EXPECT_EQ(meascount(app.ws), 4);
    for (const std::string& m : platform.messages) EXPECT_EQ(m.find("cannot be read"), std::string::npos) << m;
}

TEST(FileNames, APrintedReportGoesToAPdfInAnAccentedDataFolderAndTheMessageNamesIt) {
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "this system has a printer";
    const auto dir = accentedfolder("printing");
    testing::QuietPlatform platform(dir);
    platform.printer().Print("a line");
    std::string error;
    ASSERT_TRUE(platform.printer().EndDoc(error)) << error;
    const auto pdf = dir / "printed report 1.pdf";
    EXPECT_EQ(testing::pdfpages(pdf), 1);
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_NE(platform.messages[0].find("\n" + pdf.string()), std::string::npos) << platform.messages[0];
    EXPECT_TRUE(message(platform.messages[0]).endsWith(qpath("\n" + pdf.string())));
}

// A message is record text, single-byte; one that names a file carries the name's UTF-8 bytes.
TEST(Messages, AMessageThatIsUtf8IsShownAsUtf8AndAnyOtherAsTheRecordsCodePage) {
    // Compared as UTF-8, the way the file system and this source file write them.
    auto shown = [](const std::string& m) { return message(m).toStdString(); };
    EXPECT_EQ(shown("The file /data/donn\xC3\xA9" "es/rapport LIGNIT\xC3\x89.txt could not be written."),
              "The file /data/donn\xC3\xA9" "es/rapport LIGNIT\xC3\x89.txt could not be written.");
    EXPECT_EQ(shown("no plant named CAF\xC9 BITUMINOUS"), "no plant named CAF\xC3\x89 BITUMINOUS");
    EXPECT_EQ(shown("plain text 12.5"), "plain text 12.5");
    // A record's letter beside a path: the whole text is not UTF-8 and stays the code page.
    EXPECT_EQ(shown("CAF\xC9 in /data/donn\xC3\xA9" "es"), "CAF\xC3\x89 in /data/donn\xC3\x83\xC2\xA9" "es");
    // Byte runs a UTF-8 decoder must refuse: an over-long slash, a lone surrogate, a cut sequence.
    for (const char* notutf8 : {"a\xC0\xAF" "b", "x\xED\xA0\x80y", "end \xC3"}) {
        SCOPED_TRACE(notutf8);
        EXPECT_EQ(shown(notutf8), qs(notutf8).toStdString());
    }
}

TEST(Messages, TheMessageBoxShowsAnAccentedPathReadably) {
    QtPlatform platform;
    QString shown;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        timer.stop();
        shown = box->text();
        box->button(QMessageBox::Ok)->click();
    });
    timer.start(50);
    platform.msgbox("The file /data/donn\xC3\xA9" "es/display set.txt could not be written.");
    EXPECT_EQ(shown.toStdString(), "The file /data/donn\xC3\xA9" "es/display set.txt could not be written.");
}

}  // namespace
}  // namespace brasket::gui
