#pragma once

namespace quorix {

// The flags the long commands share with the window for a whole run.
struct SessionFlags {
  bool AbortRequested = false;    // the progress window was closed; long loops stop
  bool DataModified = false;      // tables changed and not yet written to the phone
  bool RestoredFromFile = false;  // the tables came from a backup file since the last upload
  bool UploadHadErrors = false;
};

}  // namespace quorix
