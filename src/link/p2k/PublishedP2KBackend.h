#pragma once

#include <string>

#include "link/p2k/P2KUsb.h"

namespace quorix {

// The P2K endpoints that emulated phones publish beside their modem ports: each is one P2K
// interface, gone when its socket closes. None are taken from a folder that is not the user's own.
class PublishedP2KBackend final : public P2KUsbBackend {
 public:
  explicit PublishedP2KBackend(std::string publishedDir);
  std::optional<std::vector<std::unique_ptr<P2KUsbInterface>>> Interfaces() override;

 private:
  std::string publishedDir_;
  std::string dir_;
};

}  // namespace quorix
