// Draws the eight 15 x 15 number type icons of Quorix as 24-bit BMP files into the directory
// given as the only argument. The bottom-left pixel of each is the transparent colour.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kSize = 15;

struct Rgb {
  std::uint8_t r, g, b;
};

const std::map<char, Rgb> kPalette = {
    {'.', {255, 0, 255}},  // transparent
    {'k', {32, 32, 48}},    {'w', {255, 255, 255}}, {'b', {150, 90, 40}}, {'y', {250, 200, 30}},
    {'r', {200, 50, 40}},   {'s', {110, 170, 230}}, {'d', {120, 80, 50}}, {'g', {170, 175, 185}},
    {'l', {120, 220, 120}}, {'n', {40, 60, 150}},
};

struct Icon {
  const char* name;
  const char* rows[kSize];
};

const Icon kIcons[] = {
    {"Work",  // briefcase
     {"...............", "...............", ".....kkkkk.....", ".....k...k.....", ".kkkkkkkkkkkkk.",
      ".kbbbbbbbbbbbk.", ".kbbbbbbbbbbbk.", ".kbbbbbbbbbbbk.", ".kkkkkkyykkkkk.", ".kbbbbbyybbbbk.",
      ".kbbbbbbbbbbbk.", ".kbbbbbbbbbbbk.", ".kkkkkkkkkkkkk.", "...............",
      "..............."}},
    {"Home",  // house
     {".......k.......", "......krk......", ".....krrrk.....", "....krrrrrk....", "...krrrrrrrk...",
      "..krrrrrrrrrk..", ".kkkkkkkkkkkkk.", "..kwwwwwwwwwk..", "..kwsswwwsswk..", "..kwsswwwsswk..",
      "..kwwwwddwwwk..", "..kwwwwddwwwk..", "..kwwwwddwwwk..", "..kkkkkkkkkkk..",
      "..............."}},
    {"Main",  // star
     {".......k.......", "......kyk......", "......kyk......", ".....kyyyk.....", "kkkkkkyyyykkkkk",
      ".kyyyyyyyyyyyk.", "..kyyyyyyyyyk..", "...kyyyyyyyk...", "....kyyyyyk....", "...kyyyyyyyk...",
      "...kyyykyyyk...", "..kyyk...kyyk..", "..kyk.....kyk..", ".kk.........kk.",
      "..............."}},
    {"Mobile",  // handset with its aerial
     {"....k..........", "....k..........", "....k..........", "...kkkkkkkk....", "...kllllllk....",
      "...kllllllk....", "...kllllllk....", "...kkkkkkkk....", "...kwkwwkwk....", "...kkkkkkkk....",
      "...kwkwwkwk....", "...kkkkkkkk....", "...kwkwwkwk....", "...kkkkkkkk....",
      "..............."}},
    {"Fax",  // fax machine with a sheet coming out
     {"...............", "....kkkkkkk....", "....kwwwwwk....", "....kwkkkwk....", "....kwwwwwk....",
      "....kwkkkwk....", ".kkkkkkkkkkkkk.", ".kgggggggggggk.", ".kgkkkkgggkgkk.", ".kgggggggggggk.",
      ".kgkkkkgggkgkk.", ".kgggggggggggk.", ".kkkkkkkkkkkkk.", "...............",
      "..............."}},
    {"Pager",  // pager with its little screen
     {"...............", "...............", "...............", "..kkkkkkkkkkk..", ".knnnnnnnnnnnk.",
      ".knkkkkkkkkknk.", ".knklllllllknk.", ".knklkklkklknk.", ".knklllllllknk.", ".knkkkkkkkkknk.",
      ".knnnknnnknnnk.", ".knnnnnnnnnnnk.", "..kkkkkkkkkkk..", "...............",
      "..............."}},
    {"Email",  // envelope
     {"...............", "...............", "...............", ".kkkkkkkkkkkkk.", ".kkwwwwwwwwwkk.",
      ".kwkwwwwwwwkwk.", ".kwwkwwwwwkwwk.", ".kwwwkwwwkwwwk.", ".kwwwwkwkwwwwk.", ".kwwwwwkwwwwwk.",
      ".kwwwwwwwwwwwk.", ".kwwwwwwwwwwwk.", ".kkkkkkkkkkkkk.", "...............",
      "..............."}},
    {"Subscribe",  // list
     {"...............", ".kkkkkkkkkkkkk.", ".kwwwwwwwwwwwk.", ".kwnwkkkkkkkwk.", ".kwwwwwwwwwwwk.",
      ".kwnwkkkkkkkwk.", ".kwwwwwwwwwwwk.", ".kwnwkkkkkkkwk.", ".kwwwwwwwwwwwk.", ".kwnwkkkkkkkwk.",
      ".kwwwwwwwwwwwk.", ".kwnwkkkkkkkwk.", ".kwwwwwwwwwwwk.", ".kkkkkkkkkkkkk.",
      "..............."}},
};

void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(v & 0xFF);
  out.push_back((v >> 8) & 0xFF);
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

std::vector<std::uint8_t> Bitmap(const Icon& icon) {
  constexpr std::uint32_t stride = (kSize * 3 + 3) / 4 * 4;
  constexpr std::uint32_t pixels = stride * kSize;
  std::vector<std::uint8_t> out;
  out.push_back('B');
  out.push_back('M');
  Put32(out, 14 + 40 + pixels);
  Put32(out, 0);
  Put32(out, 14 + 40);
  Put32(out, 40);
  Put32(out, kSize);
  Put32(out, kSize);  // positive height: rows bottom-up
  Put16(out, 1);
  Put16(out, 24);
  Put32(out, 0);  // no compression
  Put32(out, pixels);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; ++x) {
      const Rgb c = kPalette.at(icon.rows[y][x]);
      out.push_back(c.b);
      out.push_back(c.g);
      out.push_back(c.r);
    }
    for (std::uint32_t pad = kSize * 3; pad < stride; ++pad) out.push_back(0);
  }
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIRECTORY\n", argv[0]);
    return 2;
  }
  for (const Icon& icon : kIcons) {
    const std::string path = std::string(argv[1]) + "/" + icon.name + ".bmp";
    const std::vector<std::uint8_t> data = Bitmap(icon);
    std::ofstream file(path, std::ios::binary);
    file.write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
    if (!file.flush()) {
      std::fprintf(stderr, "%s: cannot write %s\n", argv[0], path.c_str());
      return 1;
    }
  }
  return 0;
}
