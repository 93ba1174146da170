#include "phonebook/FileChoices.h"

#include <algorithm>
#include <cctype>
#include <optional>

#include "base/Shell.h"
#include "phonebook/FieldText.h"
#include "phonebook/PhonebookLabels.h"
#include "phonebook/PhonebookState.h"

namespace quorix {

namespace {

const std::string kPictureFolder = "mobile/picture/";
const std::string kAudioFolder = "mobile/audio/";
constexpr size_t kDrivePrefix = 3;  // "/a/"

bool InFolder(const std::string& path, const std::string& folder) {
  return path.size() >= kDrivePrefix + folder.size() &&
         path.compare(kDrivePrefix, folder.size(), folder) == 0;
}

std::string UpperTail(const std::string& text, size_t n) {
  std::string tail = text.size() >= n ? text.substr(text.size() - n) : std::string();
  for (char& c : tail) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return tail;
}

bool IsMelodyFile(const std::string& path) {
  if (!InFolder(path, kAudioFolder)) return false;
  const std::string ext = UpperTail(path, 3);
  return ext == "MID" || ext == "BAS" || ext == "MP3" || ext == "AMR" || ext == "IMY" ||
         ext == "WAV" || UpperTail(path, 4) == "MIDI";
}

}  // namespace

void BuildFileChoices(PhonebookState& state, Shell& shell, int fileCount) {
  state.EntryEditorLists.Edit5.clear();
  state.Popup.Melody.resize(kFixedMelodyMenuItems);
  state.Popup.Picture.resize(kFixedPictureMenuItems);

  // Groups indexed from 1, as SortByCollation expects.
  std::vector<FileRecord> flagged(1);
  std::vector<FileRecord> others(1);
  const int n = std::min(fileCount, kPhoneFileRows);
  for (int row = 1; row <= n; ++row) {
    const FileRecord& file = state.PhoneFileList[row];
    if (InFolder(file.FileName, kPictureFolder)) {
      state.EntryEditorLists.Edit5.push_back(file.FileName);
      state.Popup.Picture.push_back(
          {file.FileName.substr(kDrivePrefix + kPictureFolder.size()), row, true, false});
    } else if (IsMelodyFile(file.FileName)) {
      const FileRecord melody{file.FileName.substr(file.FileName.rfind('/') + 1),
                              file.FileAttributes};
      ((file.FileAttributes & 4) != 0 ? flagged : others).push_back(melody);
    }
  }
  SortByCollation(flagged, static_cast<int>(flagged.size()) - 1);
  SortByCollation(others, static_cast<int>(others.size()) - 1);

  for (FileRecord& slot : state.MelodyFiles) slot = FileRecord{};
  int slot = 0;
  for (const auto* group : {&flagged, &others}) {
    for (size_t k = 1; k < group->size() && slot < kMelodySlots; ++k) {
      state.MelodyFiles[++slot] = (*group)[k];
    }
  }

  state.EntryEditorLists.Edit4 = BuiltInMelodyChoices(EntryDefaultMelodyLabel());
  for (int s = 1; s <= slot; ++s) {
    const FileRecord& melody = state.MelodyFiles[s];
    state.EntryEditorLists.Edit4.push_back(FileMelodyLabel(melody.FileName, s + 9));
    state.Popup.Melody.push_back({melody.FileName, s + 9, true, false});
  }
  state.CategoryEditorLists.ComboBox1 = state.EntryEditorLists.Edit4;
  for (int s = 1; s <= slot; ++s) {
    const FileRecord& melody = state.MelodyFiles[s];
    shell.LogLine(melody.FileName + "  " + std::to_string(melody.FileAttributes));
  }
}

namespace {

// "name (id)" for a file melody id 10..254 whose slot holds a file; nothing otherwise.
std::optional<std::string> RefreshedLabel(const PhonebookState& state, const std::string& melody) {
  const auto id = NumberIn(melody);
  if (!id || *id < 10 || *id > 254) return std::nullopt;
  const std::string& name = state.MelodyFiles[*id - 9].FileName;
  if (name.empty()) return std::nullopt;
  return FileMelodyLabel(name, *id);
}

}  // namespace

void RefreshFileMelodyLabels(PhonebookState& state) {
  for (int i = 1; i <= std::min(state.LastIndex, kEntryRows); ++i) {
    const std::string caption = std::to_string(i);
    if (EntryIsUsed(state, i)) {
      if (const auto label = RefreshedLabel(state, state.PhonebookEntries[i][EntryMelody])) {
        const auto row = std::find_if(state.LV.begin(), state.LV.end(),
                                      [&](const ListRow& r) { return r.Caption == caption; });
        if (row != state.LV.end()) row->Cells[MelodyCell] = *label;
      }
    }
    if (i > kCategoryRows) continue;
    const CategoryRow& category = state.Categories[i];
    if (category[CategoryName].empty() || category[CategoryMark] == kMarkRemoved) continue;
    if (const auto label = RefreshedLabel(state, category[CategoryMelody])) {
      const auto row = std::find_if(state.LVCat.begin(), state.LVCat.end(),
                                    [&](const CategoryListRow& r) { return r.Caption == caption; });
      if (row != state.LVCat.end()) row->Cells[1] = *label;
    }
  }
}

}  // namespace quorix
