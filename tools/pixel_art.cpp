// Turns the text pixel art of ui/art/ into the files the resource script names: an uncompressed
// 4-bit BMP file (the toolbar strip) or a one-image 16-colour ICO file (the program icon).
// Built with the machine's own compiler during the build, so it is plain portable C++.
//
// Usage: pixel_art bmp|ico ART-FILE OUTPUT-FILE
//
// Art file: "#" comment lines; "size W H"; sixteen "colour INDEX CHAR RED GREEN BLUE" lines;
// for an icon, "transparent CHAR" (colour 0 with the mask bit set); then "pixels" and H rows of
// W characters, top row first. Spaces inside a row only group the pixels for the reader.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kColours = 16;

struct Art {
  int width = 0;
  int height = 0;
  std::uint8_t table[kColours][3] = {};  // red, green, blue
  bool tableSet[kColours] = {};
  std::map<char, int> indexOf;
  char transparent = 0;
  std::vector<std::string> rows;
};

bool Fail(const std::string& why) {
  std::fprintf(stderr, "pixel_art: %s\n", why.c_str());
  return false;
}

bool ReadArt(const char* path, Art& art) {
  std::ifstream in(path);
  if (!in)
    return Fail(std::string("cannot read ") + path);
  std::string line;
  bool inPixels = false;
  int lineNumber = 0;
  while (std::getline(in, line)) {
    ++lineNumber;
    const std::string where = std::string(path) + ":" + std::to_string(lineNumber) + ": ";
    if (inPixels) {
      std::string row;
      for (char c : line)
        if (c != ' ')
          row += c;
      if (row.empty())
        continue;
      if (static_cast<int>(row.size()) != art.width)
        return Fail(where + "row of " + std::to_string(row.size()) + " pixels, want " +
                    std::to_string(art.width));
      for (char c : row)
        if (c != art.transparent && art.indexOf.count(c) == 0)
          return Fail(where + "unknown pixel character '" + std::string(1, c) + "'");
      art.rows.push_back(row);
      continue;
    }
    if (line.empty() || line[0] == '#')
      continue;
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "size") {
      words >> art.width >> art.height;
    } else if (keyword == "colour") {
      int index = -1, red = -1, green = -1, blue = -1;
      char c = 0;
      words >> index >> c >> red >> green >> blue;
      if (!words || index < 0 || index >= kColours || red < 0 || red > 255 || green < 0 ||
          green > 255 || blue < 0 || blue > 255 || art.indexOf.count(c) != 0)
        return Fail(where + "bad colour line");
      art.table[index][0] = static_cast<std::uint8_t>(red);
      art.table[index][1] = static_cast<std::uint8_t>(green);
      art.table[index][2] = static_cast<std::uint8_t>(blue);
      art.tableSet[index] = true;
      art.indexOf[c] = index;
    } else if (keyword == "transparent") {
      words >> art.transparent;
    } else if (keyword == "pixels") {
      inPixels = true;
    } else {
      return Fail(where + "unknown line");
    }
  }
  if (art.width < 1 || art.height < 1)
    return Fail(std::string(path) + ": no size");
  for (bool set : art.tableSet)
    if (!set)
      return Fail(std::string(path) + ": the colour table needs all 16 entries");
  if (static_cast<int>(art.rows.size()) != art.height)
    return Fail(std::string(path) + ": " + std::to_string(art.rows.size()) + " rows, want " +
                std::to_string(art.height));
  return true;
}

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

// Rows are padded to whole 32-bit words.
std::uint32_t Stride(int width, int bits) {
  return ((static_cast<std::uint32_t>(width) * bits + 31) / 32) * 4;
}

int IndexAt(const Art& art, int x, int y) {
  const char c = art.rows[y][x];
  return c == art.transparent ? 0 : art.indexOf.at(c);
}

// Information header, colour table and 4-bit rows (bottom row first); for an icon the height
// field counts the colour rows and the mask rows, and the mask rows follow.
std::vector<std::uint8_t> DibRecord(const Art& art, bool withMask) {
  const std::uint32_t colourBytes = Stride(art.width, 4) * art.height;
  const std::uint32_t maskBytes = withMask ? Stride(art.width, 1) * art.height : 0;
  std::vector<std::uint8_t> out;
  Put32(out, 40);                               // biSize
  Put32(out, art.width);                        // biWidth
  Put32(out, art.height * (withMask ? 2 : 1));  // biHeight
  Put16(out, 1);                                // biPlanes
  Put16(out, 4);                                // biBitCount
  Put32(out, 0);                                // biCompression: none
  Put32(out, colourBytes + maskBytes);          // biSizeImage
  Put32(out, 0);                                // biXPelsPerMeter
  Put32(out, 0);                                // biYPelsPerMeter
  Put32(out, 0);                                // biClrUsed: the full table
  Put32(out, 0);                                // biClrImportant
  for (const auto& entry : art.table) {
    out.push_back(entry[2]);  // blue
    out.push_back(entry[1]);  // green
    out.push_back(entry[0]);  // red
    out.push_back(0);
  }
  for (int y = art.height - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(Stride(art.width, 4), 0);
    for (int x = 0; x < art.width; ++x)
      row[x / 2] |= static_cast<std::uint8_t>(IndexAt(art, x, y) << (x % 2 == 0 ? 4 : 0));
    out.insert(out.end(), row.begin(), row.end());
  }
  if (withMask) {
    for (int y = art.height - 1; y >= 0; --y) {
      std::vector<std::uint8_t> row(Stride(art.width, 1), 0);
      for (int x = 0; x < art.width; ++x)
        if (art.rows[y][x] == art.transparent)
          row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
      out.insert(out.end(), row.begin(), row.end());
    }
  }
  return out;
}

std::vector<std::uint8_t> BmpFile(const Art& art) {
  const std::vector<std::uint8_t> record = DibRecord(art, false);
  constexpr std::uint32_t kFileHeader = 14;
  std::vector<std::uint8_t> out = {'B', 'M'};
  Put32(out, kFileHeader + static_cast<std::uint32_t>(record.size()));  // bfSize
  Put32(out, 0);                                                        // reserved
  Put32(out, kFileHeader + 40 + 4 * kColours);                          // bfOffBits
  out.insert(out.end(), record.begin(), record.end());
  return out;
}

std::vector<std::uint8_t> IcoFile(const Art& art) {
  const std::vector<std::uint8_t> image = DibRecord(art, true);
  constexpr std::uint32_t kDirectory = 6 + 16;
  std::vector<std::uint8_t> out;
  Put16(out, 0);  // reserved
  Put16(out, 1);  // type: icon
  Put16(out, 1);  // one image
  out.push_back(static_cast<std::uint8_t>(art.width));
  out.push_back(static_cast<std::uint8_t>(art.height));
  out.push_back(kColours);
  out.push_back(0);
  Put16(out, 1);  // planes
  Put16(out, 4);  // bits per pixel
  Put32(out, static_cast<std::uint32_t>(image.size()));
  Put32(out, kDirectory);
  out.insert(out.end(), image.begin(), image.end());
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 || (std::string(argv[1]) != "bmp" && std::string(argv[1]) != "ico")) {
    std::fprintf(stderr, "usage: pixel_art bmp|ico ART-FILE OUTPUT-FILE\n");
    return 2;
  }
  const bool icon = std::string(argv[1]) == "ico";
  Art art;
  if (!ReadArt(argv[2], art))
    return 1;
  if (icon && (art.width != 32 || art.height != 32)) {
    Fail("an icon is 32 x 32");
    return 1;
  }
  const std::vector<std::uint8_t> bytes = icon ? IcoFile(art) : BmpFile(art);
  std::ofstream out(argv[3], std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (!out) {
    Fail(std::string("cannot write ") + argv[3]);
    return 1;
  }
  return 0;
}
