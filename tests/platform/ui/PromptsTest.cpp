#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include "platform/ui/Prompts.h"

namespace {

TEST(Prompts, AFileDialogOpensInTheNearestFolderThatExistsAndCreatesNone)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString missing = dir.filePath(QStringLiteral("VX-Engine Projects/older"));
    EXPECT_EQ(Prompts::StartFolder(missing), QDir::cleanPath(dir.path()));
    EXPECT_EQ(Prompts::StartFolder(dir.path()), QDir::cleanPath(dir.path()));
    EXPECT_TRUE(Prompts::StartFolder({}).isEmpty());

    // The real dialog: in that folder, proposing only the name it was given.
    struct Case {
        QString suggested;
        bool save;
    };
    for (const Case& c : {Case{QStringLiteral("Linie 3"), true}, Case{{}, true}, Case{{}, false}}) {
        QString directory, proposed;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            directory = dialog->directory().absolutePath();
            proposed = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
            dialog->reject();
        });
        Prompts::FileRequest request;
        request.folder = missing;
        request.suggestedName = c.suggested;
        const std::optional<QString> chosen = c.save ? Prompts::saveFile(nullptr, request) : Prompts::openFile(nullptr, request);
        EXPECT_FALSE(chosen);
        EXPECT_EQ(directory, QDir::cleanPath(dir.path()));
        EXPECT_EQ(proposed, c.suggested);
    }
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("VX-Engine Projects"))));
}

} // namespace
