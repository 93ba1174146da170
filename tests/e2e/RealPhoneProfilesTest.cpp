#include <gtest/gtest.h>

#include <string>

#include "app/AppState.h"
#include "codec/Ucs2.h"
#include "datebook/DatebookReader.h"
#include "link/PhoneConnection.h"
#include "phone-emulator/PtyPhoneServer.h"
#include "phonebook/PhonebookFile.h"
#include "phonebook/PhonebookMemory.h"
#include "phonebook/PhonebookReader.h"
#include "phonebook/PhonebookWriter.h"
#include "support/EmulatedPhoneSettings.h"
#include "support/RecordingShell.h"
#include "support/TempDir.h"
#include "support/TestClocks.h"

namespace quorix {
namespace {

using emu::EmulatorOptions;
using emu::PhonebookMemory;

// One emulated phone of a model as real ones behave, connected as the window connects; the
// 200 ms pauses are skipped and counted.
struct ProfilePhone {
  test::TempDir dir;
  emu::PtyPhoneServer server;
  AppState state;
  test::RecordingShell shell;
  test::SkippingClock clock;
  PhoneConnection phone{state.settings, state.link, shell, clock};

  ProfilePhone(const std::string& model, bool sample, PhonebookMemory memory)
      : server([&] {
          EmulatorOptions options;
          options.model = model;
          options.sample = sample;
          return options;
        }()) {
    test::UseEmulatedPhone(state, server.Start());
    state.settings.FromPHONE = memory != PhonebookMemory::Sim;
    state.settings.FromSIM = memory != PhonebookMemory::Phone;
    shell.onProcessEvents = [this](int) { phone.Com().PollTick(); };
    phone.ConnectPhone();
  }

  int Used(PhonebookMemory memory) const {
    int used = 0;
    server.Inspect([&](const emu::EmulatedPhone& p) { used = p.UsedRecords(memory); });
    return used;
  }
};

const char* Name(PhonebookMemory memory) {
  return memory == PhonebookMemory::Phone ? "phone"
         : memory == PhonebookMemory::Sim ? "SIM"
                                          : "both";
}

// Each phone shape, in each memory mode: read whole without a failure, saved, restored into an
// empty phone of the same shape and read back the same; the upload pauses 200 ms after each
// write, as a real phone needs.
TEST(RealPhoneProfilesTest, EveryProfileReadsBacksUpAndWritesBackWholeInEveryMemoryMode) {
  for (const std::string model : {"L6", "L7", "categories-11", "range-from-10", "E398"}) {
    for (const PhonebookMemory memory :
         {PhonebookMemory::Phone, PhonebookMemory::Sim, PhonebookMemory::Both}) {
      SCOPED_TRACE(model + " " + Name(memory));
      ProfilePhone from(model, true, memory);
      ASSERT_TRUE(from.state.link.PhoneConnected);
      const PhonebookReadOutcome read = ReadPhonebook(from.state, from.shell, from.phone);
      EXPECT_TRUE(read.Finished);
      EXPECT_FALSE(read.HadFailures());
      ASSERT_GT(from.Used(memory), 0);
      EXPECT_EQ(read.RecordsRead, from.Used(memory));
      const std::string backup = from.dir.File("book.csv");
      SavePhonebookFile(from.state, from.clock, backup);

      ProfilePhone to(model, false, memory);
      const int64_t before = to.clock.Skipped();
      UploadPhonebook(to.state, to.shell, to.phone, to.clock);
      const int64_t baseline = to.clock.Skipped() - before;
      RestorePhonebookFile(to.state, to.shell, backup);
      const int64_t start = to.clock.Skipped();
      const PhonebookWriteOutcome wrote = UploadPhonebook(to.state, to.shell, to.phone, to.clock);
      EXPECT_FALSE(to.state.UploadHadErrors);
      EXPECT_EQ(wrote.Failed, 0);
      // Beyond the pauses only the short waits for each reply; the baseline's own waits for
      // replies vary with the machine's load, so only the upper bound takes it off.
      const int64_t rows = wrote.Written + wrote.Deleted;
      EXPECT_GE(to.clock.Skipped() - start, 200 * rows);
      EXPECT_LT(to.clock.Skipped() - start - baseline, 300 * rows);

      AppState again;
      again.settings = to.state.settings;
      again.link = to.state.link;
      again.phonebook.NumberTypeNames = to.state.phonebook.NumberTypeNames;
      EXPECT_FALSE(ReadPhonebook(again, to.shell, to.phone).HadFailures());
      for (int i = 1; i <= kEntryRows; ++i) {
        EXPECT_EQ(again.phonebook.PhonebookEntries[i][EntryName],
                  from.state.phonebook.PhonebookEntries[i][EntryName])
            << i;
        EXPECT_EQ(again.phonebook.PhonebookEntries[i][EntryNumber],
                  from.state.phonebook.PhonebookEntries[i][EntryNumber])
            << i;
        EXPECT_EQ(again.phonebook.PhonebookEntries[i][EntryNumberType],
                  from.state.phonebook.PhonebookEntries[i][EntryNumberType])
            << i;
      }
      for (int c = 1; c <= kCategoryRows; ++c) {
        EXPECT_EQ(again.phonebook.Categories[c][CategoryName],
                  from.state.phonebook.Categories[c][CategoryName])
            << c;
      }
    }
  }
}

// What the shapes tell beyond their records: the L6's SIM names hold 15 letters and its SIM
// records are type 8; the 11-category phone is read without a failure and offers 11 numbers; a
// phone that quotes its datebook titles reads as one that does not.
TEST(RealPhoneProfilesTest, LimitsCategoriesAndTitlesAsThePhoneTellsThem) {
  ProfilePhone l6("L6", true, PhonebookMemory::Both);
  ASSERT_FALSE(ReadPhonebook(l6.state, l6.shell, l6.phone).HadFailures());
  const PhonebookState& pb = l6.state.phonebook;
  EXPECT_EQ(pb.FirstIndex, 1);
  EXPECT_EQ(pb.LastIndex, 750);
  EXPECT_EQ(NameLengthOfRow(pb, 501), 15);
  EXPECT_EQ(NameLengthOfRow(pb, 500), 24);
  EXPECT_EQ(DecodeUcs2Hex(pb.PhonebookEntries[501][EntryName]), "Maddy");
  EXPECT_EQ(pb.PhonebookEntries[501][EntryNumberType], "8");

  ProfilePhone eleven("categories-11", true, PhonebookMemory::Phone);
  ASSERT_FALSE(ReadPhonebook(eleven.state, eleven.shell, eleven.phone).HadFailures());
  EXPECT_EQ(eleven.state.phonebook.CategoryCount, 11);
  EXPECT_FALSE(eleven.state.phonebook.LVCat.empty());

  ProfilePhone plain("E398", true, PhonebookMemory::Phone);
  ProfilePhone quoted("quoted-titles", true, PhonebookMemory::Phone);
  ReadDatebook(plain.state, plain.shell, plain.phone);
  ReadDatebook(quoted.state, quoted.shell, quoted.phone);
  EXPECT_EQ(quoted.state.datebook.DatebookRecords, plain.state.datebook.DatebookRecords);
  EXPECT_EQ(DecodeUcs2Hex(quoted.state.datebook.DatebookRecords[0][EventDescription]), "Совещание");
}

}  // namespace
}  // namespace quorix
