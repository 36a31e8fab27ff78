// SPDX-License-Identifier: MIT
#include <gtest/gtest.h>

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QStringList>

#include <memory>

namespace {

// Qt's own texts come in Japanese whatever the locale says (this test runs with LANG=C): the
// context menu of an entry box reads 元に戻す, 切り取り, コピー, ... and no English.
TEST(QtTranslation, EntryBoxContextMenuIsJapanese) {
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) texts << action->text();
    }
    ASSERT_FALSE(texts.isEmpty());
    for (const char* japanese : {"元に戻す", "切り取り", "コピー", "貼り付け", "削除"}) {
        EXPECT_FALSE(texts.filter(QString::fromUtf8(japanese)).isEmpty())
            << japanese << " missing from: " << texts.join(QStringLiteral(", ")).toStdString();
    }
    for (const char* english : {"Undo", "Cut", "Copy", "Paste", "Delete", "Select All"}) {
        EXPECT_TRUE(texts.filter(QString::fromLatin1(english)).isEmpty())
            << english << " left in English: " << texts.join(QStringLiteral(", ")).toStdString();
    }
}

}  // namespace
