#pragma once

namespace quorix {

struct PhonebookSession;
class Clock;
class PhoneConnection;
class Shell;
class TP2KAPI;

// What the P2K step of a reading takes the phone over with: the P2K link, and the serial link
// that gives way to it.
struct PhoneFileLinks {
  TP2KAPI& p2k;
  PhoneConnection& phone;
  Clock& clock;
};

// How the P2K step went. The tables of the reading stay as read whatever it says.
struct PhoneFileOutcome {
  bool Listed = false;  // the phone's whole file list came
  bool Back = false;    // the phone is on its serial link again
};

// ReadPhoneFileList, the P2K step of a reading: takes the phone to P2K mode, lists its files into
// PhoneFileList, builds the melody and picture choices from them, deletes MyToneDB.db when the
// settings say so (after asking) or else sends the phone back to AT mode, reopens the serial link
// and rewrites the file melody labels. A list that cannot be counted is reported and leaves the
// choices as they were; a list cut short gives the choices of what came. Files beyond the
// table's rows are counted and reported once.
PhoneFileOutcome ReadPhoneFileList(PhonebookSession& app, Shell& shell,
                                   const PhoneFileLinks& links);

}  // namespace quorix
