#pragma once

#include <vector>

#include "link/p2k/TP2KAPI.h"
#include "support/TestClocks.h"

namespace quorix::test {

// The presence states delivered on this thread until at least `count` have come: the search
// thread posts each one just after it has changed the device.
inline std::vector<int> DeliverStates(TP2KAPI& p2k, size_t count) {
  std::vector<int> states;
  p2k.OnDeviceChange = [&](int state) { states.push_back(state); };
  WaitUntil([&] {
    p2k.DeliverStateMessages();
    return states.size() >= count;
  });
  p2k.OnDeviceChange = nullptr;
  return states;
}

}  // namespace quorix::test
