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

}  // namespace

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

std::string Cp1251ToUtf8(std::string_view cp1251) {
  thread_local Converter converter("UTF-8", "CP1251");
  return converter.Convert(cp1251, [](const char*, size_t) { return size_t{1}; });
}

std::string Utf8ToCp1251(std::string_view utf8) {
  thread_local Converter converter("CP1251", "UTF-8");
  return converter.Convert(utf8, Utf8SequenceLength);
}

std::optional<std::string> CharsetToUtf8(std::string_view text, const std::string& charset) {
  const bool utf16 = charset.size() >= 6 &&
                     (charset.compare(0, 6, "UTF-16") == 0 || charset.compare(0, 6, "utf-16") == 0);
  try {
    Converter converter("UTF-8", charset.c_str());
    // A broken UTF-16 unit is two bytes; everything else skips a byte at a time.
    return converter.Convert(text,
                             [utf16](const char*, size_t) { return size_t{utf16 ? 2u : 1u}; });
  } catch (const std::runtime_error&) {
    return std::nullopt;
  }
}

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const auto lead = static_cast<unsigned char>(text[i]);
    size_t len = 1;
    if (lead >= 0xF0 && lead <= 0xF4) {
      len = 4;
    } else if (lead >= 0xE0) {
      len = 3;
    } else if (lead >= 0xC2 && lead < 0xE0) {
      len = 2;
    } else if (lead >= 0x80) {
      return false;
    }
    if (lead >= 0xF5 || i + len > text.size()) return false;
    for (size_t k = 1; k < len; ++k) {
      if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return false;
    }
    i += len;
  }
  return true;
}

std::string AsUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  while (!bytes.empty()) {
    const size_t length = Utf8SequenceLength(bytes.data(), bytes.size());
    const std::string_view head = bytes.substr(0, std::min(length, bytes.size()));
    if (head.size() == length && IsUtf8(head)) {
      out += head;
      bytes.remove_prefix(length);
    } else {
      out += Cp1251ToUtf8(bytes.substr(0, 1));
      bytes.remove_prefix(1);
    }
  }
  return out;
}

bool FitsCp1251(std::string_view utf8) {
  return Cp1251ToUtf8(Utf8ToCp1251(utf8)) == utf8;
}

}  // namespace quorix
