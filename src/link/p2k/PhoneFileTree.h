#pragma once

#include <string>
#include <vector>

#include "link/p2k/P2KFileCommands.h"

namespace quorix {

// One step of the phone's file tree: a folder with what lies in it, or a file.
struct PhoneFileNode {
  std::string name;                     // the last step of the path, UTF-8
  std::string path;                     // the whole phone path, UTF-8; a folder's ends in "/"
  int file = -1;                        // the index of the listed file, -1 for a folder
  std::vector<PhoneFileNode> children;  // folders first, each kind by name
};

// The folders and files of the listing as a tree, one root per volume ("/a"); folders that hold
// no file yet (made in this session) are given in extraFolders ("/a/new/"). A file outside
// every volume gets a root of its own first step.
std::vector<PhoneFileNode> PhoneFileTree(const std::vector<p2k::ListedFile>& files,
                                         const std::vector<std::string>& volumes,
                                         const std::vector<std::string>& extraFolders);

// The files of the chosen paths: a file itself, a folder every file below it; each once, in the
// listing's order.
std::vector<p2k::ListedFile> FilesUnder(const std::vector<p2k::ListedFile>& files,
                                        const std::vector<std::string>& chosenPaths);

// The deepest folder ("/a/mobile/") holding every chosen path: a download keeps the tree below
// it, so a folder arrives whole and two files of one name from two folders do not collide.
std::string CommonFolder(const std::vector<std::string>& chosenPaths);

}  // namespace quorix
