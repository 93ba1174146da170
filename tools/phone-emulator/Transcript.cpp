#include "phone-emulator/Transcript.h"

#include <chrono>
#include <cstdio>
#include <ctime>

namespace quorix::emu {

namespace {

std::string Timestamp() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  std::tm local{};
  localtime_r(&seconds, &local);
  char text[64];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900,
                local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                static_cast<int>(millis));
  return text;
}

}  // namespace

std::string EscapeControls(std::string_view bytes) {
  std::string out;
  for (char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

Transcript::Transcript(const std::string& path) {
  if (!path.empty()) out_.open(path, std::ios::binary | std::ios::trunc);
}

void Transcript::Received(std::string_view line) {
  Write("<", EscapeControls(line));
}

void Transcript::Sent(std::string_view bytes) {
  Write(">", EscapeControls(bytes));
}

void Transcript::Note(std::string_view text) {
  Write("#", text);
}

void Transcript::P2K(std::string_view text) {
  Write("P2K", text);
}

void Transcript::Write(std::string_view direction, std::string_view text) {
  if (!out_.is_open()) return;
  out_ << Timestamp() << ' ' << direction << ' ' << text << '\n';
  out_.flush();
}

}  // namespace quorix::emu
