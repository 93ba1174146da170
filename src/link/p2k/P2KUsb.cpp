#include "link/p2k/P2KUsb.h"

#include "link/p2k/LibusbBackend.h"
#include "link/p2k/PublishedP2KBackend.h"

namespace quorix {

std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> P2KUsbBackends::Interfaces() {
  std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> all;
  for (const auto& backend : backends_) {
    auto interfaces = backend->Interfaces();
    if (!interfaces) continue;
    if (!all) all.emplace();
    for (auto& interface : *interfaces) all->push_back(std::move(interface));
  }
  return all;
}

std::unique_ptr<P2KUsbBackend> MakeP2KUsbBackend(Clock& clock, const std::string& publishedDir) {
  auto backends = std::make_unique<P2KUsbBackends>();
  backends->Add(std::make_unique<LibusbBackend>(clock));
  backends->Add(std::make_unique<PublishedP2KBackend>(publishedDir));
  return backends;
}

}  // namespace quorix
