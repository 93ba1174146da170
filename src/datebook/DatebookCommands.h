#pragma once
#include "datebook/DatebookSession.h"

namespace quorix {

class Clock;
class PhoneConnection;
class Shell;

// The datebook's file commands "Сохранить" and "Восстановить"; the reading is ReadDatebook.

// Save: needs a connected phone and asks for the file. A reading with failures does not replace
// an existing file unless the user agrees. Failures are reported under the caption "ERROR".
void Button7Click(DatebookSession app, Shell& shell, Clock& clock);

// Restore: needs a connected phone and asks for the file. A file that cannot be read or is
// malformed is reported under the caption "ERROR" and changes nothing; otherwise its records
// replace DatebookRecords and are written into the phone.
void Button10Click(DatebookSession app, Shell& shell, PhoneConnection& phone, Clock& clock);

}  // namespace quorix
