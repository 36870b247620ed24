#include <gtest/gtest.h>

#include <QDir>
#include <QStandardPaths>

#include "editor/shell/CPathSettings.h"
#include "editor/shell/CRecentFileList.h"
#include "platform/sys/Registry.h"

namespace {

TEST(CPathSettings, AnEmptyOrMissingFolderIsTheDocumentsFolderWithTheProjectsFolderName)
{
    Registry registry;
    registry.remove("AppSettings");
    CPathSettings settings(registry);
    const QString expected =
        QDir(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)).filePath(QStringLiteral("VX-Engine Projects"));
    for (const auto key : {CPathSettings::kProjectsPath, CPathSettings::kDownloadsPath, CPathSettings::kImagesPath})
        EXPECT_EQ(QString::fromStdU16String(settings.GetPathSetting(key)), expected);
    settings.SetPathSetting(CPathSettings::kImagesPath, u"");
    EXPECT_EQ(QString::fromStdU16String(settings.GetPathSetting(CPathSettings::kImagesPath)), expected);
    settings.SetPathSetting(CPathSettings::kProjectsPath, u"/srv/panels/Linie 3");
    EXPECT_EQ(CPathSettings(registry).GetPathSetting(CPathSettings::kProjectsPath), u"/srv/panels/Linie 3");
    registry.remove("AppSettings");
}

TEST(CRecentFileList, KeepsTheTenNewestFirstWithoutDoublesAcrossRestarts)
{
    Registry registry;
    registry.remove("Recent File List");
    {
        CRecentFileList list(registry);
        for (int i = 1; i <= 12; ++i)
            list.Add(u"/p/project" + std::u16string(1, char16_t(u'A' + i)) + u".vxp");
        list.Add(u"/p/projectF.vxp");
        ASSERT_EQ(list.Entries().size(), CRecentFileList::kMaxEntries);
        EXPECT_EQ(list.Entries().front(), u"/p/projectF.vxp");
        EXPECT_EQ(list.Entries()[1], u"/p/projectM.vxp");
    }
    CRecentFileList again(registry);
    ASSERT_EQ(again.Entries().size(), CRecentFileList::kMaxEntries);
    EXPECT_EQ(again.Entries().front(), u"/p/projectF.vxp");
    // The two oldest are gone, the re-added one is not kept twice.
    EXPECT_EQ(std::count(again.Entries().begin(), again.Entries().end(), u"/p/projectF.vxp"), 1);
    EXPECT_EQ(std::find(again.Entries().begin(), again.Entries().end(), u"/p/projectB.vxp"), again.Entries().end());
    again.Remove(u"/p/projectF.vxp");
    EXPECT_EQ(CRecentFileList(registry).Entries().size(), CRecentFileList::kMaxEntries - 1);
    registry.remove("Recent File List");
}

} // namespace
