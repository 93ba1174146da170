#include "link/p2k/PhoneFileTree.h"

#include <algorithm>
#include <cctype>
#include <cstdint>

namespace quorix {

namespace {

// "" above the root, so that a walk up always ends.
std::string FolderOf(const std::string& path) {
  if (path.size() <= 1) return {};
  const size_t end = path.back() == '/' ? path.size() - 1 : path.size();
  return path.substr(0, path.rfind('/', end - 1) + 1);
}

PhoneFileNode& Child(PhoneFileNode& folder, const std::string& name) {
  for (PhoneFileNode& child : folder.children) {
    if (child.file < 0 && child.name == name) return child;
  }
  folder.children.push_back({name, folder.path + name + "/", -1, {}});
  return folder.children.back();
}

PhoneFileNode& Root(std::vector<PhoneFileNode>& roots, const std::string& volume) {
  for (PhoneFileNode& root : roots) {
    if (root.name == volume) return root;
  }
  roots.push_back({volume, volume + "/", -1, {}});
  return roots.back();
}

// The folder node of a path's folder, made with every folder above it.
PhoneFileNode& FolderNode(std::vector<PhoneFileNode>& roots, const std::string& path) {
  const size_t volumeEnd = path.find('/', 1);
  PhoneFileNode* at = &Root(roots, path.substr(0, volumeEnd));
  size_t from = volumeEnd + 1;
  for (size_t slash = path.find('/', from); slash != std::string::npos;
       from = slash + 1, slash = path.find('/', from)) {
    if (slash > from) at = &Child(*at, path.substr(from, slash - from));
  }
  return *at;
}

void Sort(std::vector<PhoneFileNode>& nodes) {
  std::sort(nodes.begin(), nodes.end(), [](const PhoneFileNode& a, const PhoneFileNode& b) {
    if ((a.file < 0) != (b.file < 0)) return a.file < 0;
    // As file managers show them: "anna.jpg" beside "Anna.jpg", not after every capital.
    return std::lexicographical_compare(
        a.name.begin(), a.name.end(), b.name.begin(), b.name.end(), [](char x, char y) {
          return std::tolower(static_cast<uint8_t>(x)) < std::tolower(static_cast<uint8_t>(y));
        });
  });
  for (PhoneFileNode& node : nodes) Sort(node.children);
}

bool Rooted(const std::string& path) {
  return path.size() > 1 && path[0] == '/' && path.find('/', 1) != std::string::npos;
}

}  // namespace

std::vector<PhoneFileNode> PhoneFileTree(const std::vector<p2k::ListedFile>& files,
                                         const std::vector<std::string>& volumes,
                                         const std::vector<std::string>& extraFolders) {
  std::vector<PhoneFileNode> roots;
  for (const std::string& volume : volumes) Root(roots, volume);
  for (const std::string& folder : extraFolders) {
    if (Rooted(folder)) FolderNode(roots, folder.back() == '/' ? folder : folder + "/");
  }
  for (size_t index = 0; index < files.size(); ++index) {
    const std::string& name = files[index].name;
    // A name the phone gave without a volume still shows, under a root of its own.
    const std::string path = Rooted(name) ? name : "/?/" + name;
    PhoneFileNode& folder = FolderNode(roots, FolderOf(path));
    folder.children.push_back(
        {path.substr(path.rfind('/') + 1), name, static_cast<int>(index), {}});
  }
  for (PhoneFileNode& root : roots) Sort(root.children);
  return roots;
}

std::vector<p2k::ListedFile> FilesUnder(const std::vector<p2k::ListedFile>& files,
                                        const std::vector<std::string>& chosenPaths) {
  std::vector<p2k::ListedFile> under;
  for (const p2k::ListedFile& file : files) {
    const bool chosen = std::any_of(chosenPaths.begin(), chosenPaths.end(), [&](const auto& path) {
      return file.name == path || (path.ends_with('/') && file.name.starts_with(path));
    });
    if (chosen) under.push_back(file);
  }
  return under;
}

std::string CommonFolder(const std::vector<std::string>& chosenPaths) {
  if (chosenPaths.empty()) return "/";
  std::string common = FolderOf(chosenPaths.front());
  for (const std::string& path : chosenPaths) {
    const std::string folder = FolderOf(path);
    // "" is a prefix of every folder.
    while (!folder.starts_with(common)) common = FolderOf(common);
  }
  return common;
}

}  // namespace quorix
