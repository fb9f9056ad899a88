// Standard dialogs: property sheets, the real message box and its framework
// values, file dialogs (real and answered through the seam).
#include "CFileDialog.h"
#include "CPropertyPage.h"
#include "CPropertySheet.h"
#include "FileDialogScript.h"
#include "MessageBoxQt.h"
#include "TestEnv.h"
#include "TestWndSupport.h"
#include <QAbstractButton>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

namespace {

// A page that logs its steps under its caption.
class Page : public CPropertyPage {
public:
    Page(const char* caption, std::vector<std::string>* log)
        : CPropertyPage(0, caption)
        , m_name(caption)
        , m_log(log)
    {
    }
    BOOL OnSetActive() override { return m_log->push_back("active " + m_name), TRUE; }
    BOOL OnInitDialog() override { return m_log->push_back("init " + m_name), TRUE; }
    void OnOK() override
    {
        m_log->push_back("ok " + m_name);
        CPropertyPage::OnOK();
    }

private:
    std::string m_name;
    std::vector<std::string>* m_log;
};

QTabWidget* visibleTabs()
{
    auto* w = QApplication::activeModalWidget();
    return w ? w->findChild<QTabWidget*>() : nullptr;
}

void pressBoxButton(QWidget* w, QDialogButtonBox::StandardButton which)
{
    auto* box = w->findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
}

} // namespace

TEST(DialogSheet, OkRunsThePagesOnOkAndTheSheetShowsItsCaptionAndTab)
{
    // The program's sheets hold one page.
    std::vector<std::string> log;
    Page midi("MIDI", &log);
    CPropertySheet sheet("Comms Preferences");
    sheet.AddPage(&midi);
    whenModal([&](QWidget* w) {
        QTabWidget* tabs = visibleTabs();
        ASSERT_NE(tabs, nullptr);
        EXPECT_EQ(tabs->tabText(0), QString("MIDI"));
        EXPECT_EQ(w->windowTitle(), QString("Comms Preferences"));
        pressBoxButton(w, QDialogButtonBox::Ok);
    });
    EXPECT_EQ(sheet.DoModal(), int(IDOK));
    EXPECT_EQ(log, (std::vector<std::string> { "init MIDI", "ok MIDI" }));
}

TEST(DialogMessageBox, RealBoxShowsCaptionAsMainTextAndReturnsFrameworkValues)
{
    QString main, informative;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttonCount = 0;
    whenModal([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        main = box->text();
        informative = box->informativeText();
        icon = box->icon();
        buttonCount = static_cast<int>(box->buttons().size());
        box->button(QMessageBox::No)->click();
    });
    EXPECT_EQ(
        QtMessageBox(nullptr, "message overrun", "ZorvantaMidiProcessor", 0x40 | 2, ""), IDNO);
    EXPECT_EQ(main, QString("ZorvantaMidiProcessor"));
    EXPECT_EQ(informative, QString("message overrun"));
    EXPECT_EQ(icon, QMessageBox::Warning);
    EXPECT_EQ(buttonCount, 2);

    whenModal(
        [](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Cancel)->click(); });
    EXPECT_EQ(QtMessageBox(nullptr, "t", "c", 0x10, ""), 0x400000);
    whenModal([](QWidget* w) { qobject_cast<QMessageBox*>(w)->button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(QtMessageBox(nullptr, "t", "c", 0x20, ""), 1024); // an unknown set gives OK
}

TEST(DialogFile, ScriptSeesTheRequestAndDefaultExtensionIsAppended)
{
    const QString dir = QString::fromStdString(TestEnv::freshDir("filedlg"));
    const QString existing = dir + "/old.bin";
    QFile f(existing);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    FileDialogScript script;
    script.choose(dir + "/dump");
    script.cancel();
    const char* filter = "Binary Files (*.bin) | *.bin | All Files (*.*) | *.* ||";
    CFileDialog save(FALSE, "bin", existing.toLatin1().constData(), 0, filter);
    EXPECT_EQ(save.DoModal(), int(IDOK));
    EXPECT_EQ(save.GetPathName(), CString(dir + "/dump.bin"));
    ASSERT_EQ(script.requests().size(), 1u);
    EXPECT_FALSE(script.requests()[0].open);
    EXPECT_EQ(script.requests()[0].filter, QString(filter));
    EXPECT_EQ(script.requests()[0].startFolder, dir);

    CFileDialog open(TRUE, nullptr, dir.toLatin1().constData());
    EXPECT_EQ(open.DoModal(), int(IDCANCEL));
    EXPECT_EQ(open.GetPathName(), CString(""));
    EXPECT_EQ(script.requests()[1].startFolder, dir);
    EXPECT_TRUE(script.requests()[1].open);
}

TEST(DialogFile, RealOpenDialogIsAnswered)
{
    const QString dir = QString::fromStdString(TestEnv::freshDir("filedlg"));
    QFile f(dir + "/preset.rut");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QString title;
    whenModal([&](QWidget* w) {
        auto* fd = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(fd, nullptr);
        title = fd->windowTitle();
        fd->selectFile(dir + "/preset.rut");
        QMetaObject::invokeMethod(fd, "accept"); // the dialog's own Open button
    });
    CFileDialog dlg(TRUE, nullptr, (dir + "/preset.rut").toLatin1().constData());
    EXPECT_EQ(dlg.DoModal(), int(IDOK));
    EXPECT_EQ(dlg.GetPathName(), CString(dir + "/preset.rut"));
    EXPECT_EQ(title, QString("Open"));

    whenModal([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    CFileDialog again(FALSE, "rut", nullptr);
    EXPECT_EQ(again.DoModal(), int(IDCANCEL));
    EXPECT_EQ(again.GetPathName(), CString(""));
}
