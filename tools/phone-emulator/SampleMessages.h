#pragma once

namespace quorix::emu {

class EmulatedPhone;

// Text messages a phone of 2007 holds: received ones from the sample contacts and from strangers,
// sent ones and a draft, in every coding, a long one in parts and one on the SIM.
void LoadSampleMessages(EmulatedPhone& phone);

}  // namespace quorix::emu
