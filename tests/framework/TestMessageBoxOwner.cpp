// Where message boxes open: over the window the user works in, whoever raises them.
#include "CDialog.h"
#include "CFileDialog.h"
#include "MessageBoxQt.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>
#include <vector>

TEST(MessageBoxOwner, BoxesBelongToTheWindowTheUserWorksIn)
{
    QDialog editor;
    editor.setWindowModality(Qt::ApplicationModal);
    editor.show();
    QWidget control(&editor);
    QDialog sheet(&editor);
    QWidget page(&sheet);

    EXPECT_EQ(messageBoxOwner(&control), &editor);
    EXPECT_EQ(messageBoxOwner(&page), &editor) << "a page of a sheet not yet shown";
    EXPECT_EQ(messageBoxOwner(nullptr), &editor) << "code without a window";

    sheet.setWindowModality(Qt::ApplicationModal);
    sheet.show();
    EXPECT_EQ(messageBoxOwner(&page), &sheet);
    EXPECT_EQ(messageBoxOwner(nullptr), &sheet);
    EXPECT_EQ(messageBoxOwner(&control), &editor) << "a visible window keeps its own boxes";

    // Dialogs and file dialogs opened without a parent belong there too.
    CDialog dialog(0, nullptr);
    CFileDialog files(TRUE, nullptr, nullptr, 0, nullptr, nullptr);
    for (const std::function<void()>& run : std::vector<std::function<void()>> {
             [&] { dialog.DoModal(); }, [&] { files.DoModal(); } }) {
        QWidget* owner = nullptr;
        QTimer::singleShot(0, [&] {
            if (auto* shown = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                owner = shown->parentWidget();
                shown->reject();
            }
        });
        run();
        EXPECT_EQ(owner, &sheet);
    }
}
