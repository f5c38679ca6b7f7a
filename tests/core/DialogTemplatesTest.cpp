#include <set>
#include <string>

#include <gtest/gtest.h>

#include "res/DialogTemplates.h"
#include "res/ResourceIds.h"

TEST(DialogTemplates, ExitComesFirstSoThatItHasTheFocus) {
    ASSERT_FALSE(kAnalyzerDialog.items.empty());
    EXPECT_EQ(kAnalyzerDialog.items.front().id, IDCANCEL);
    EXPECT_STREQ(kAnalyzerDialog.items.front().text, "Exit");
}

TEST(DialogTemplates, EveryControlButStaticsStopsAtTabAndNoneIsDefault) {
    for (const DialogItem& item : kAnalyzerDialog.items) {
        const bool isStatic = item.kind == ControlKind::StaticText;
        EXPECT_EQ((item.style & kStyleTabStop) != 0, !isStatic) << item.id;
        EXPECT_NE(item.kind, ControlKind::DefPushButton) << item.id;
        EXPECT_LE(item.rect.x + item.rect.width, kAnalyzerDialog.width) << item.id;
        EXPECT_LE(item.rect.y + item.rect.height, kAnalyzerDialog.height) << item.id;
    }
}

TEST(DialogTemplates, IdsAndNamesAreUnique) {
    std::set<int> ids;
    std::set<std::string> names;
    for (const DialogItem& item : kAnalyzerDialog.items) {
        if (item.id == IDC_STATIC) {
            EXPECT_EQ(item.name, nullptr);
            continue;
        }
        EXPECT_TRUE(ids.insert(item.id).second) << item.id;
        ASSERT_NE(item.name, nullptr);
        EXPECT_TRUE(names.insert(item.name).second) << item.name;
    }
    EXPECT_EQ(ids.size(), 13u);
}

TEST(DialogTemplates, BothListsShareTheirStyles) {
    const DialogItem* sections = FindDialogItem(kAnalyzerDialog, IDC_SECTIONS);
    const DialogItem* statistics = FindDialogItem(kAnalyzerDialog, IDC_STATISTICS);
    ASSERT_NE(sections, nullptr);
    ASSERT_NE(statistics, nullptr);
    EXPECT_EQ(statistics->style, sections->style);
    EXPECT_NE(sections->style & kStyleMultipleSelect, 0u);
    EXPECT_EQ(FindDialogItem(kAnalyzerDialog, 9999), nullptr);
}

TEST(DialogTemplates, AboutBoxHasADefaultOk) {
    const DialogItem* ok = FindDialogItem(kAboutDialog, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->kind, ControlKind::DefPushButton);
    EXPECT_EQ(kAboutDialog.style & kDialogMinimizeBox, 0u);
}
