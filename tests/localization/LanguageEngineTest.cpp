#include "localization/LanguageEngine.h"
#include "LocalizationSamples.h"
#include "localization/LocalizationFile.h"
#include "support/TestFiles.h"

#include "support/QtPrinters.h"
#include <QTemporaryDir>
#include <QWidget>

#include <gtest/gtest.h>

namespace vesperon {
namespace {

using test::writeBytes;

using test::languageGroup;

class LanguageEngineTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ProgramValues values;
    LanguageEngine languages{localizationFilePath(dir.path()), values};

    void writeFile(const QByteArray &groups) {
        writeBytes(localizationFilePath(dir.path()),
                   "<?xml version=\"1.0\"?>\r\n<XML_DIZ_INFO>\r\n" + groups + "</XML_DIZ_INFO>\r\n");
    }
};

TEST_F(LanguageEngineTest, MessageLookupReplacesPlaceholdersAndCapitalises) {
    languages.setMessage("MSG_A", "[programname] and [COMPANYNAME] at [Website]");
    languages.setMessage("MSG_EMPTY", "");
    languages.setMessage("MSG_LOWER", "\u00e9t\u00e9 [companyname]");
    EXPECT_EQ(languages.getMessages("msg_a"), "Vesperon and Quillmark at [Website]");
    EXPECT_EQ(languages.getMessages("MSG_EMPTY"), "");
    EXPECT_EQ(languages.getMessages("MSG_LOWER"), QString::fromUtf8("\u00c9t\u00e9 Quillmark"));
    EXPECT_EQ(languages.getMessages("MSG_UNKNOWN"), "");
    // The table keeps the text as registered.
    EXPECT_EQ(languages.messages().row(0).strMessage, "[programname] and [COMPANYNAME] at [Website]");
}

TEST_F(LanguageEngineTest, DuplicatesTakeNewRowsAndTheTableHoldsExactly201) {
    SetDefaultMessages(languages);
    const int defaults = languages.messages().usedRows();
    languages.setMessage("msg_sure", "Second text");
    EXPECT_EQ(languages.messages().usedRows(), defaults + 1);
    EXPECT_EQ(languages.getMessages("MSG_SURE"),
              "Are you sure you want to perform the selected action immediately?");
    for (int i = languages.messages().usedRows(); i < MessageTable::Rows; ++i)
        languages.setMessage(QStringLiteral("MSG_FILL%1").arg(i), QStringLiteral("fill %1").arg(i));
    EXPECT_EQ(languages.messages().usedRows(), 201);
    EXPECT_EQ(languages.getMessages("MSG_FILL200"), "Fill 200");
    languages.setMessage("MSG_EXTRA", "extra");
    EXPECT_EQ(languages.messages().usedRows(), 201);
    EXPECT_EQ(languages.getMessages("MSG_EXTRA"), "");
}

TEST_F(LanguageEngineTest, CaptionsReplaceEveryPlaceholder) {
    EXPECT_EQ(languages.getCaption("K1"), ""); // nothing loaded yet
    values.Website = "http://example.test";
    writeFile(languageGroup(
        "English", {"<K1>visit [website] of [companyNAME]</K1>", "<K2></K2>", "<K3>[ProgramName]</K3>"}));
    languages.ChangeLanguage(nullptr, "English");
    EXPECT_EQ(languages.getCaption("k1"), "Visit http://example.test of Quillmark");
    EXPECT_EQ(languages.getCaption("K2"), "");
    EXPECT_EQ(languages.getCaption("K3"), "Vesperon");
    EXPECT_EQ(languages.getCaption("K4"), "");
}

TEST_F(LanguageEngineTest, TranslatedMessagesComeThroughGetCaption) {
    SetDefaultMessages(languages);
    languages.setMessage("MSG_WEB", "See [Website]");
    writeFile(languageGroup("English", {"<MSG_DELETE>Delete it?</MSG_DELETE>"}) +
              languageGroup("Deutsch",
                            {"<MSG_DELETE>l\u00f6schen?</MSG_DELETE>", "<MSG_WEB>siehe [website]</MSG_WEB>",
                             "<MSG_TITLE>[ProgramName] von [CompanyName]</MSG_TITLE>"}));
    languages.ChangeLanguage(nullptr, "Deutsch");
    EXPECT_EQ(values.CurrentLanguage, "Deutsch");
    EXPECT_EQ(languages.getMessages("MSG_DELETE"), QString::fromUtf8("L\u00f6schen?"));
    EXPECT_EQ(languages.getMessages("MSG_WEB"), "Siehe http://www.quillmark.example");
    // Placeholders are already replaced in the table.
    EXPECT_EQ(languages.messages().row(languages.messages().find("MSG_TITLE")).strMessage,
              "Vesperon von Quillmark");
    // Back to English: only items of the English group restore texts.
    languages.ChangeLanguage(nullptr, "English");
    EXPECT_EQ(languages.getMessages("MSG_DELETE"), "Delete it?");
    EXPECT_EQ(languages.getMessages("MSG_WEB"), "Siehe http://www.quillmark.example");
    EXPECT_EQ(languages.getMessages("MSG_SURE"),
              "Are you sure you want to perform the selected action immediately?");
}

TEST_F(LanguageEngineTest, ItemsOnOneLineFallBackToEnglish) {
    writeFile(
        languageGroup("English", {"<K1>english</K1>"}) +
        "<LANGUAGE_GROUP><LANGUAGE_NAME>Oneline</LANGUAGE_NAME><TRANSLATION_ITEMS><K1>one</K1><K2>two</K2>"
        "</TRANSLATION_ITEMS></LANGUAGE_GROUP>\r\n");
    languages.ChangeLanguage(nullptr, "Oneline");
    EXPECT_EQ(values.CurrentLanguage, "English");
    EXPECT_EQ(languages.getCaption("K1"), "English");
}

TEST_F(LanguageEngineTest, MissingLanguageAtStartUpLoadsEnglish) {
    writeFile(languageGroup("English", {"<K1>english</K1>"}));
    values.CurrentLanguage = "Klingon";
    languages.ChangeLanguage(nullptr, values.CurrentLanguage);
    EXPECT_EQ(values.CurrentLanguage, "English");
    EXPECT_EQ(languages.getCaption("K1"), "English");
}

TEST_F(LanguageEngineTest, MissingLanguageKeepsTheLinesLoadedBefore) {
    writeFile(languageGroup("English", {"<K1>english</K1>"}) +
              languageGroup("Deutsch", {"<K1>deutsch</K1>"}));
    languages.ChangeLanguage(nullptr, "English");
    languages.ChangeLanguage(nullptr, "Klingon");
    EXPECT_EQ(values.CurrentLanguage, "Klingon");
    EXPECT_EQ(languages.getCaption("K1"), "English");
    languages.ChangeLanguage(nullptr, "Deutsch");
    languages.ChangeLanguage(nullptr, "Klingon");
    EXPECT_EQ(languages.getCaption("K1"), "Deutsch");
}

TEST_F(LanguageEngineTest, EmptyGroupIsTakenWithoutFallback) {
    writeFile(languageGroup("English", {"<K1>english</K1>"}) +
              "<LANGUAGE_GROUP><LANGUAGE_NAME>Empty</LANGUAGE_NAME><TRANSLATION_ITEMS></TRANSLATION_ITEMS>"
              "</LANGUAGE_GROUP>\r\n");
    languages.ChangeLanguage(nullptr, "English");
    languages.ChangeLanguage(nullptr, "Empty");
    EXPECT_EQ(values.CurrentLanguage, "Empty");
    ASSERT_TRUE(languages.itemLines().has_value());
    EXPECT_EQ(languages.itemLines()->size(), 0);
    EXPECT_EQ(languages.getCaption("K1"), "");
}

TEST_F(LanguageEngineTest, NoFileTranslatesNothing) {
    SetDefaultMessages(languages);
    QWidget window;
    window.setObjectName("frmMain");
    window.setWindowTitle("built-in");
    languages.ChangeLanguage(&window, "Deutsch");
    EXPECT_EQ(values.CurrentLanguage, "English");
    EXPECT_FALSE(languages.itemLines().has_value());
    EXPECT_EQ(window.windowTitle(), "built-in");
    EXPECT_EQ(languages.getMessages("MSG_TITLE"), "Vesperon by Quillmark");
}

TEST_F(LanguageEngineTest, BrokenFilesNeverStopALoad) {
    SetDefaultMessages(languages);
    QByteArray garbage;
    for (int i = 0; i < 200000; ++i)
        garbage.append(static_cast<char>((i * 7919) % 256));
    const QByteArray broken[] = {
        garbage,
        languageGroup("English", {"<K1>ok</K1>"}).left(60),
        "<LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n<K1>" +
            QByteArray(3 * 1024 * 1024, '<') + "\r\n\xC3\xC3\r\n</TRANSLATION_ITEMS></LANGUAGE_GROUP>",
        "<LANGUAGE_GROUP><LANGUAGE_NAME>English</LANGUAGE_NAME><TRANSLATION_ITEMS>\r\n" +
            QByteArray("\t\t<MSG_X>x</MSG_X>\r\n").repeated(300000) + "</TRANSLATION_ITEMS></LANGUAGE_GROUP>",
    };
    for (const QByteArray &bytes : broken) {
        writeBytes(localizationFilePath(dir.path()), bytes);
        QWidget window;
        window.setObjectName("frmMain");
        languages.ChangeLanguage(&window, "English");
        EXPECT_EQ(languages.getMessages("MSG_DELETE"), "Are you sure you want to delete the selected item?");
    }
}

} // namespace
} // namespace vesperon
