#include "codec/CodePage.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <stdexcept>

namespace quorix {

namespace {

// One descriptor per direction and thread: iconv_t keeps conversion state and is not shareable.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) {
      throw std::runtime_error(std::string("iconv cannot convert from ") + from + " to " + to);
    }
  }
  ~Converter() { iconv_close(cd_); }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  // skip(p, left) gives how many input bytes to drop at an invalid or unmappable sequence.
  template <typename Skip>
  std::string Convert(std::string_view in, Skip skip) {
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    std::string out;
    char buffer[1024];
    char* src = const_cast<char*>(in.data());
    size_t left = in.size();
    while (left > 0) {
      char* dst = buffer;
      size_t room = sizeof buffer;
      const size_t rc = iconv(cd_, &src, &left, &dst, &room);
      out.append(buffer, static_cast<size_t>(dst - buffer));
      if (rc != static_cast<size_t>(-1)) continue;
      if (errno == E2BIG) continue;
      const size_t drop = std::min(left, skip(src, left));
      src += drop;
      left -= drop;
    }
    return out;
  }

 private:
  iconv_t cd_;
};

size_t Utf8SequenceLength(const char* p, size_t left) {
  const auto lead = static_cast<unsigned char>(*p);
  size_t len = 1;
  if (lead >= 0xF0) {
    len = 4;
  } else if (lead >= 0xE0) {
    len = 3;
  } else if (lead >= 0xC0) {
    len = 2;
  }
  // A broken sequence is dropped only up to its first byte that is not a continuation byte.
  for (size_t i = 1; i < len && i < left; ++i) {
    if ((static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
  }
  return len;
}

}  // namespace

std::string Cp1251ToUtf8(std::string_view cp1251) {
  thread_local Converter converter("UTF-8", "CP1251");
  return converter.Convert(cp1251, [](const char*, size_t) { return size_t{1}; });
}

std::string Utf8ToCp1251(std::string_view utf8) {
  thread_local Converter converter("CP1251", "UTF-8");
  return converter.Convert(utf8, Utf8SequenceLength);
}

char LowerCp1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'A' && b <= 'Z') || (b >= 0xC0 && b <= 0xDF)) return static_cast<char>(b + 32);
  return b == 0xA8 ? static_cast<char>(0xB8) : c;
}

char UpperCp1251(char c) {
  const auto b = static_cast<unsigned char>(c);
  if ((b >= 'a' && b <= 'z') || b >= 0xE0) return static_cast<char>(b - 32);
  return b == 0xB8 ? static_cast<char>(0xA8) : c;
}

}  // namespace quorix
