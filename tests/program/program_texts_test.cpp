#include "core/program_table.h"
#include "link/reply_check.h"
#include "program/flag_chooser.h"
#include "program/program_list_text.h"
#include "program/program_outcome.h"
#include "program/program_text_procedure.h"

#include <QStringList>

#include <gtest/gtest.h>

#include <cstring>

namespace mqx {
namespace {

TEST(ProgramOutcome, EveryOperationSuccessFailureAndUnitError) {
    const ReplyCheck ok = ReplyCheck::match();
    const ReplyCheck garbled = ReplyCheck::garbled();
    using A = ProgramAction;
    const QStringList titles = QStringLiteral("List Delete|Program Recall|ProgramDownLoad|"
                                              "Program Protection|Program Protection|RecallLock|"
                                              "RecallLock|Program Store|Program Name|"
                                              "Program Information")
                                   .split(u'|');
    // {action, answered, check, program, success: the Information icon, text}
    const std::tuple<A, bool, ReplyCheck, int, bool, const char*> cases[] = {
        {A::Delete, true, ok, 7, true, "The program was deleted.\nProgramNo = 07"},
        {A::Delete, false, ok, 7, false, "The deletion of the program failed.\nProgramNo = 07"},
        {A::Delete, true, ReplyCheck::unitError(13), 3, false,
         "The program is protected.\nProgramNo = 03"},
        {A::Recall, true, ok, 12, true, "The program was recalled.\nProgramNo = 12"},
        {A::Recall, false, garbled, 12, false, "The recall of the program failed.\nProgramNo = 12"},
        {A::Recall, true, garbled, 12, false, "Non Err Code.\nProgramNo = 12"},
        // Error 0 reads "ID_No differs.", not a success.
        {A::Recall, true, ReplyCheck::unitError(0), 12, false, "ID_No differs.\nProgramNo = 12"},
        {A::Download, true, ok, 5, true, ""},
        {A::Download, false, ok, 5, false, "Program Download Err !!\nProgramNo = 05"},
        {A::ProtectionSet, true, ok, 1, true, "The program was done protection.\nProgramNo = 01"},
        {A::ProtectionClear, true, ok, 50, true, "The program removed protection.\nProgramNo = 50"},
        {A::ProtectionClear, false, ok, 50, false,
         "The protection of the program failed.\nProgramNo = 50"},
        {A::RecallLockSet, true, ok, 2, true,
         "The program was locked and was recall.\nProgramNo = 02"},
        {A::RecallLockClear, true, ok, 2, true,
         "The program was removed recall lock.\nProgramNo = 02"},
        {A::RecallLockSet, false, ok, 2, false,
         "The recall lock of the program failed\nProgramNo = 02"},
        {A::Store, true, ok, 9, true, "Program store OK!\nProgramNo = 09"},
        {A::Store, false, ok, 9, false, "Program store Err!"},
        {A::Store, true, ReplyCheck::unitError(12), 0, false,
         "There is not the space of new preservation.\nProgramNo = 00"},
        {A::Name, true, ok, 0, true, "Program name was renewed."},
        {A::Name, false, ok, 0, false, "Can not renew the Program name."},
        {A::Information, true, ok, 0, true, "Program information was renewed."},
        {A::Information, false, ok, 0, false, "Can not renew the Program information."},
        {A::Information, true, ReplyCheck::unitError(10), 0, false,
         "The program number that I sent is wrong.  \nProgramNo = 00"},
    };
    for (const auto& [action, answered, check, program, success, text] : cases) {
        const ProgramMessage m = ProgramOutcome(action, answered, check, program);
        const ProgramMessage expected{success, titles[static_cast<int>(action)],
                                      QString::fromLatin1(text),
                                      success ? PromptIcon::Information : PromptIcon::Exclamation};
        EXPECT_EQ(m, expected) << m.text.toStdString();
    }
}

ProgramRecord header(const char* name, int lock, int writeEnable, int empty = 0) {
    ProgramRecord r{};
    r.name.fill('.');
    std::memcpy(r.name.data(), name, std::strlen(name));
    r.recall_lock = static_cast<std::uint8_t>(lock);
    r.write_enable = static_cast<std::uint8_t>(writeEnable);
    r.empty_flag = static_cast<std::uint8_t>(empty);
    return r;
}

TEST(ProgramList, LinesOnScreenAndOnPaper) {
    const std::tuple<ProgramRecord, int, const char*, const char*> cases[] = {
        {header("Speech", 0, 255), 1, " 01 :   :   :Speech...............",
         "01 : Speech............... :             :          "},
        {header("Theatre", 0, 0), 3, " 03 :   : P :Theatre..............",
         "03 : Theatre.............. :             : Protected"},
        {header("Pink", 255, 255), 5, " 05 : L :   :Pink.................",
         "05 : Pink................. :  Locked     :          "},
        {header("Both", 1, 0), 49, " 49 : L : P :Both.................",
         "49 : Both................. :  Locked     : Protected"},
        {header("gone", 255, 0, 255), 50, " 50 : ( not used )", "50 :  ( not used ) "},
    };
    ProgramTable table;
    for (const auto& [record, n, screen, paper] : cases) {
        EXPECT_EQ(ProgramListLine(record, n), QString::fromLatin1(screen));
        table.Record(n) = record;
    }
    const std::vector<PrintedText> page = PrintedProgramList(table, 7);
    ASSERT_EQ(page.size(), 53u);
    EXPECT_EQ(page[0], (PrintedText{400, 300, QStringLiteral("MQX-T410 <ID=07>   Program List")}));
    EXPECT_EQ(
        page[1],
        (PrintedText{600, 500,
                     QStringLiteral("Number : Name              : Recall Lock : Protection")}));
    EXPECT_EQ(page[2], (PrintedText{600, 590, QString(53, u'-')}));
    for (const auto& [record, n, screen, paper] : cases)
        EXPECT_EQ(page[static_cast<std::size_t>(n) + 2],
                  (PrintedText{600, 580 + 110 * n, QString::fromLatin1(paper)}));
    EXPECT_LE(page.back().y + 110, kPrintedPageHeight) << "the last line fits the page";
}

// Protection is set at 0, the recall lock at anything but 0; the other value clears each.
TEST(FlagChooser, OpeningChoiceOkAndReturnedValue) {
    const std::tuple<FlagKind, std::uint8_t, bool> cases[] = {
        {FlagKind::Protection, 0, true},  {FlagKind::Protection, 255, false},
        {FlagKind::Protection, 7, false}, {FlagKind::RecallLock, 255, true},
        {FlagKind::RecallLock, 1, true},  {FlagKind::RecallLock, 0, false}};
    for (const auto& [kind, value, setAtOpening] : cases) {
        FlagChooser chooser(kind, value);
        EXPECT_EQ(chooser.setSelected(), setAtOpening);
        EXPECT_FALSE(chooser.okEnabled()) << "OK starts disabled";
        chooser.select(!setAtOpening);
        EXPECT_TRUE(chooser.okEnabled());
        EXPECT_EQ(chooser.value(), (kind == FlagKind::Protection) == setAtOpening ? 255 : 0);
        chooser.select(setAtOpening);
        EXPECT_FALSE(chooser.okEnabled()) << "back to the opening choice";
    }
}

TEST(ProgramText, PaddedWithDotsToTheField) {
    EXPECT_EQ(PadProgramText(QString(30, u'x'), 21), QByteArray(21, 'x'));
    EXPECT_EQ(PadProgramText(QString(), 256), QByteArray(256, '.'));
}

} // namespace
} // namespace mqx
