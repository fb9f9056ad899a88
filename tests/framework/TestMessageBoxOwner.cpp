// Where message boxes open: over the window the user works in, whoever raises them.
#include "MessageBoxQt.h"

#include <QDialog>
#include <gtest/gtest.h>

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
}
