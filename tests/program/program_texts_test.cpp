// What program management shows: the outcome of every operation, the list lines, the
// printed layout, the choosers' buttons and the padded name and information.

#include "core/program_table.h"
#include "link/reply_check.h"
#include "program/flag_chooser.h"
#include "program/program_list_text.h"
#include "program/program_outcome.h"
#include "program/program_text_procedure.h"

#include <gtest/gtest.h>

#include <cstring>

namespace mqx {
namespace {

TEST(ProgramOutcome, EveryOperationSuccessFailureAndUnitError) {
    const ReplyCheck match = ReplyCheck::match();
    const ReplyCheck protectedSlot = ReplyCheck::unitError(13);
    const ReplyCheck garbled = ReplyCheck::garbled();
    const ReplyCheck zero = ReplyCheck::unitError(0); // "ID_No differs.", not a success
    using A = ProgramAction;
    const auto I = PromptIcon::Information;
    const auto X = PromptIcon::Exclamation;
    struct Case {
        A action;
        bool succeeded;
        ReplyCheck check;
        int program;
        bool success;
        const char* title;
        const char* text;
        PromptIcon icon;
    };
    const Case cases[] = {
        {A::Delete, true, match, 7, true, "List Delete", "The program was deleted.\nProgramNo = 07",
         I},
        {A::Delete, false, match, 7, false, "List Delete",
         "The deletion of the program failed.\nProgramNo = 07", X},
        {A::Delete, true, protectedSlot, 3, false, "List Delete",
         "The program is protected.\nProgramNo = 03", X},
        {A::Recall, true, match, 12, true, "Program Recall",
         "The program was recalled.\nProgramNo = 12", I},
        {A::Recall, false, garbled, 12, false, "Program Recall",
         "The recall of the program failed.\nProgramNo = 12", X},
        {A::Recall, true, garbled, 12, false, "Program Recall", "Non Err Code.\nProgramNo = 12", X},
        {A::Recall, true, zero, 12, false, "Program Recall", "ID_No differs.\nProgramNo = 12", X},
        {A::Download, true, match, 5, true, "ProgramDownLoad", "", I},
        {A::Download, false, match, 5, false, "ProgramDownLoad",
         "Program Download Err !!\nProgramNo = 05", X},
        {A::ProtectionSet, true, match, 1, true, "Program Protection",
         "The program was done protection.\nProgramNo = 01", I},
        {A::ProtectionClear, true, match, 50, true, "Program Protection",
         "The program removed protection.\nProgramNo = 50", I},
        {A::ProtectionClear, false, match, 50, false, "Program Protection",
         "The protection of the program failed.\nProgramNo = 50", X},
        {A::RecallLockSet, true, match, 2, true, "RecallLock",
         "The program was locked and was recall.\nProgramNo = 02", I},
        {A::RecallLockClear, true, match, 2, true, "RecallLock",
         "The program was removed recall lock.\nProgramNo = 02", I},
        {A::RecallLockSet, false, match, 2, false, "RecallLock",
         "The recall lock of the program failed\nProgramNo = 02", X},
        {A::Store, true, match, 9, true, "Program Store", "Program store OK!\nProgramNo = 09", I},
        {A::Store, false, match, 9, false, "Program Store", "Program store Err!", X},
        {A::Store, true, ReplyCheck::unitError(12), 0, false, "Program Store",
         "There is not the space of new preservation.\nProgramNo = 00", X},
        {A::Name, true, match, 0, true, "Program Name", "Program name was renewed.", I},
        {A::Name, false, match, 0, false, "Program Name", "Can not renew the Program name.", X},
        {A::Information, true, match, 0, true, "Program Information",
         "Program information was renewed.", I},
        {A::Information, false, match, 0, false, "Program Information",
         "Can not renew the Program information.", X},
        {A::Information, true, ReplyCheck::unitError(10), 0, false, "Program Information",
         "The program number that I sent is wrong.  \nProgramNo = 00", X},
    };
    for (const Case& c : cases) {
        const ProgramMessage m = ProgramOutcome(c.action, c.succeeded, c.check, c.program);
        const ProgramMessage expected{c.success, QString::fromLatin1(c.title),
                                      QString::fromLatin1(c.text), c.icon};
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
    struct Case {
        ProgramRecord record;
        int n;
        const char* screen;
        const char* paper;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        EXPECT_EQ(ProgramListLine(c.record, c.n), QString::fromLatin1(c.screen));
        table.Record(c.n) = c.record;
    }
    const std::vector<PrintedText> page = PrintedProgramList(table, 7);
    ASSERT_EQ(page.size(), 53u);
    EXPECT_EQ(page[0], (PrintedText{400, 300, QStringLiteral("MQX-T410 <ID=07>   Program List")}));
    EXPECT_EQ(
        page[1],
        (PrintedText{600, 500,
                     QStringLiteral("Number : Name              : Recall Lock : Protection")}));
    EXPECT_EQ(page[2], (PrintedText{600, 590, QString(53, u'-')}));
    for (const Case& c : cases)
        EXPECT_EQ(page[static_cast<std::size_t>(c.n) + 2],
                  (PrintedText{600, 580 + 110 * c.n, QString::fromLatin1(c.paper)}));
    EXPECT_LE(page.back().y + 110, kPrintedPageHeight) << "the last line fits the page";
}

TEST(FlagChooser, OpeningChoiceOkAndReturnedValue) {
    struct Case {
        FlagKind kind;
        std::uint8_t value;
        bool setAtOpening;
        std::uint8_t setValue, clearValue;
    };
    const Case cases[] = {
        {FlagKind::Protection, 0, true, 0, 255}, // protected
        {FlagKind::Protection, 255, false, 0, 255},
        {FlagKind::Protection, 7, false, 0, 255}, // anything but 0 is writable
        {FlagKind::RecallLock, 255, true, 255, 0},
        {FlagKind::RecallLock, 1, true, 255, 0}, // anything but 0 is locked
        {FlagKind::RecallLock, 0, false, 255, 0},
    };
    for (const Case& c : cases) {
        FlagChooser chooser(c.kind, c.value);
        EXPECT_EQ(chooser.setSelected(), c.setAtOpening);
        EXPECT_FALSE(chooser.okEnabled()) << "OK starts disabled";
        chooser.select(!c.setAtOpening);
        EXPECT_TRUE(chooser.okEnabled());
        EXPECT_EQ(chooser.value(), c.setAtOpening ? c.clearValue : c.setValue);
        chooser.select(c.setAtOpening);
        EXPECT_FALSE(chooser.okEnabled()) << "back to the opening choice";
    }
}

TEST(ProgramText, PaddedWithDotsToTheField) {
    EXPECT_EQ(PadProgramText(QStringLiteral("Hall1"), 21), "Hall1" + QByteArray(16, '.'));
    EXPECT_EQ(PadProgramText(QStringLiteral("a(b"), 21), "ab" + QByteArray(19, '.'));
    EXPECT_EQ(PadProgramText(QString(30, u'x'), 21), QByteArray(21, 'x'));
    EXPECT_EQ(PadProgramText(QString(), 256), QByteArray(256, '.'));
}

} // namespace
} // namespace mqx
