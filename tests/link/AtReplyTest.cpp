#include "link/AtReply.h"

#include <gtest/gtest.h>

#include <string>

#include "base/Conversion.h"

namespace quorix {
namespace {

// Replies as they reach the program, and where collection must stand.
TEST(AtReplyTest, FinalCodesCountOnlyAsLinesOfTheirOwn) {
  struct Case {
    std::string reply;
    bool complete, error;
  };
  const Case cases[] = {
      {"ATZ\r\r\nOK\r", true, false},
      {"\nATZ\r\r\nOK\r", true, false},
      {"OK", true, false},
      {"OK\r", true, false},
      {"ATZ\r\r\nOK", false, false},  // the CR after it has not come yet
      {"AT+X\r\r\nERROR", true, true},
      {"AT+X\r\r\n+CME ERROR", true, true},
      {"AT+CMGS\r\r\n+CMS ERROR", true, true},
      // E-mail addresses in a record: neither word ends the reply.
      {"AT+MPBR=1,4\r\r\n+MPBR: 1,\"BOOKS@MAIL.RU\"", false, false},
      {"AT+MPBR=1,4\r\r\n+MPBR: 1,\"BOOK", false, false},
      {"AT+MPBR=1,4\r\r\n+MPBR: 2,\"TERROR", false, false},
      {"AT+MPBR=1,4\r\r\n+MPBR: 2,\"TERROR@X.RU\",128,,6\r\n\r\nOK\r", true, false},
      {"AT+MPBR=1,4\r\r\n+MPBR: 3,\"OK\r", false, false},
      {"", false, false},
      {"AT+CGMM\r", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ReplyComplete(c.reply), c.complete) << c.reply;
    EXPECT_EQ(ReplyEndedInError(c.reply), c.error) << c.reply;
  }
}

// What an SLVR L7 sends before its echo and an L6's late banner, as captured.
TEST(AtReplyTest, WhatStandsBeforeTheEchoIsDropped) {
  EXPECT_EQ(FromEcho("\xFF\xFF"
                     "AT+CGMI\r\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n\r\nOK\r",
                     "AT+CGMI"),
            "AT+CGMI\r\r\n+CGMI: \"Motorola CE, Copyright 2000\"\r\n\r\nOK\r");
  EXPECT_EQ(FromEcho("\n+MBAN: Copyright 2000-2002 Motorola, Inc.\r\nATZ\r\r\nOK\r", "ATZ"),
            "ATZ\r\r\nOK\r");
  EXPECT_EQ(FromEcho("\r\nOK\r", "ATZ"), "\r\nOK\r");
}

TEST(AtReplyTest, TaggedIndexes) {
  struct Case {
    std::string reply;
    size_t at;
    int index;
    size_t after;
  };
  const Case cases[] = {
      {"+MPBR: 5,\"123\"", 0, 5, 9},
      {"\r\n+MPGR: 30,0041", 2, 30, 12},
      {"+MPBR: 1250", 0, 1250, 11},  // no comma: the reply ends the index
  };
  for (const Case& c : cases) {
    size_t p = c.at;
    EXPECT_TRUE(TagAt(c.reply, p, c.reply.substr(c.at, 6)));
    EXPECT_EQ(ReadTaggedIndex(c.reply, p), c.index) << c.reply;
    EXPECT_EQ(p, c.after) << c.reply;
  }
  size_t p = 0;
  EXPECT_FALSE(TagAt("+MPBR", 0, "+MPBR:"));
  EXPECT_THROW(ReadTaggedIndex("+MPBR: x,1", p), ConversionError);
}

}  // namespace
}  // namespace quorix
