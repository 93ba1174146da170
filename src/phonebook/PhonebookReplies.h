#pragma once

#include <string>

namespace quorix {

struct AppState;
class Shell;

// The reply to AT+MPGR=1,30: every "+MPGR:" line with an index 1..30 fills its category row and
// adds its LVCat row, its "Назначить категорию" item and its entry editor choice. False when
// AbortRequested stopped the scan. ConversionError for an index that is not a number.
bool ParseCategoryReply(AppState& app, const std::string& reply);

// A reply to AT+MPBR: every "+MPBR:" line with an index 1..1250 fills its entry row (values 1..15,
// or 1..23 when advanced) and adds its LV row; ReadCount and the gauge count it. ConversionError
// for an index, type, category or file melody that is not a number; what was parsed stays.
void ParseEntryReply(AppState& app, Shell& shell, const std::string& reply, bool advanced);

// The record count in the reply to AT+MPBSC=?: the text after the first comma up to the line's
// end. ConversionError when that is not a number.
int ParseCountReply(const std::string& reply);

}  // namespace quorix
