// The resources that the built Zelmora.exe carries, read back out of it by windres (into a .res
// file, and into a script for the languages) and compared item by item with what the program's
// interface is made of: the menu, both dialog templates, the tooltip strings, the toolbar strip,
// the icon and the version block.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#ifndef ZELMORA_DECOMPILED
#error "ZELMORA_DECOMPILED must name the resources read out of Zelmora.exe, without .res or .rc"
#endif

namespace {

using Bytes = std::vector<std::uint8_t>;

// A bounds-checked little-endian reader over one resource's data; a read past the end marks
// the reader as failed and gives zeros.
class Reader {
 public:
  Reader(const Bytes& bytes, size_t at = 0) : bytes_(bytes), at_(at) {}
  bool ok() const { return ok_; }
  size_t at() const { return at_; }
  void Seek(size_t at) { at_ = at; }
  void Align4() { at_ = (at_ + 3) & ~static_cast<size_t>(3); }
  std::uint16_t U16() {
    if (at_ + 2 > bytes_.size()) {
      ok_ = false;
      return 0;
    }
    const std::uint16_t v = static_cast<std::uint16_t>(bytes_[at_] | bytes_[at_ + 1] << 8);
    at_ += 2;
    return v;
  }
  std::uint32_t U32() {
    const std::uint32_t low = U16();
    return low | static_cast<std::uint32_t>(U16()) << 16;
  }
  std::int16_t S16() { return static_cast<std::int16_t>(U16()); }
  // A zero-ended UTF-16 string.
  std::wstring Text() {
    std::wstring text;
    for (std::uint16_t c = U16(); ok_ && c != 0; c = U16())
      text += static_cast<wchar_t>(c);
    return text;
  }
  // A name or number as resources and dialog templates store them: 0xFFFF and a number, or text.
  std::wstring NameOrNumber() {
    const size_t start = at_;
    if (U16() == 0xFFFF)
      return L"#" + std::to_wstring(U16());
    at_ = start;
    return Text();
  }

 private:
  const Bytes& bytes_;
  size_t at_;
  bool ok_ = true;
};

std::string Utf8(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) {
    const unsigned u = static_cast<unsigned>(c);
    if (u < 0x80) {
      out += static_cast<char>(u);
    } else if (u < 0x800) {
      out += static_cast<char>(0xC0 | u >> 6);
      out += static_cast<char>(0x80 | (u & 0x3F));
    } else {
      out += static_cast<char>(0xE0 | u >> 12);
      out += static_cast<char>(0x80 | (u >> 6 & 0x3F));
      out += static_cast<char>(0x80 | (u & 0x3F));
    }
  }
  return out;
}

struct Resource {
  std::wstring type;  // "#4" for a numbered type
  std::wstring name;  // "#1100" for a numbered resource
  Bytes data;
};

// The entries of a .res file: each a header (sizes, type, name) and its data, both
// padded to whole 32-bit words. The first entry is the format's empty marker.
std::vector<Resource> ReadResFile(const char* path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  const Bytes file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (file.empty()) {
    error = std::string("cannot read ") + path;
    return {};
  }
  std::vector<Resource> resources;
  Reader r(file);
  while (r.at() + 8 <= file.size()) {
    const size_t start = r.at();
    const std::uint32_t dataSize = r.U32();
    const std::uint32_t headerSize = r.U32();
    Resource res;
    res.type = r.NameOrNumber();
    res.name = r.NameOrNumber();
    r.Align4();
    r.U32();  // data version
    r.U16();  // memory flags
    r.U16();  // language: the .res output of windres leaves it 0
    if (!r.ok() || headerSize < 32 || dataSize > file.size() ||
        start + headerSize > file.size() - dataSize) {
      error = "damaged entry at offset " + std::to_string(start);
      return {};
    }
    const size_t data = start + headerSize;
    res.data.assign(file.begin() + data, file.begin() + data + dataSize);
    if (!(dataSize == 0 && res.type == L"#0"))
      resources.push_back(res);
    r.Seek(data + dataSize);
    r.Align4();
  }
  return resources;
}

constexpr wchar_t kMenu[] = L"#4";
constexpr wchar_t kDialog[] = L"#5";
constexpr wchar_t kString[] = L"#6";
constexpr wchar_t kBitmap[] = L"#2";
constexpr wchar_t kIcon[] = L"#3";
constexpr wchar_t kGroupIcon[] = L"#14";
constexpr wchar_t kVersion[] = L"#16";

class ZelmoraResources : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    resources_ = ReadResFile(ZELMORA_DECOMPILED ".res", error);
    error_ = error;
  }

  void SetUp() override { ASSERT_TRUE(error_.empty()) << error_; }

  // The data of one resource; fails the test when it is not there exactly once.
  const Bytes& Data(const wchar_t* type, const std::wstring& name) {
    const Resource* found = nullptr;
    int count = 0;
    for (const Resource& res : resources_) {
      if (res.type == type && res.name == name) {
        found = &res;
        ++count;
      }
    }
    static const Bytes kNone;
    EXPECT_EQ(count, 1) << "resource " << Utf8(type) << " " << Utf8(name);
    return found ? found->data : kNone;
  }

  static std::vector<Resource> resources_;
  static std::string error_;
};

std::vector<Resource> ZelmoraResources::resources_;
std::string ZelmoraResources::error_;

TEST_F(ZelmoraResources, AreExactlyTheProgramsOwn) {
  std::map<std::wstring, int> have;
  for (const Resource& res : resources_)
    ++have[res.type + L" " + res.name];
  // Strings 2000 to 2015 form block 126.
  const std::map<std::wstring, int> want = {
      {L"#4 ZELMORA", 1}, {L"#5 TXSIZE", 1}, {L"#5 TXABOUT", 1},  {L"#6 #126", 1},
      {L"#2 #1100", 1},   {L"#3 #1", 1},     {L"#14 ZELMORA", 1}, {L"#16 #1", 1},
  };
  for (const auto& [key, count] : have)
    EXPECT_EQ(want.count(key), 1u) << "unexpected resource " << Utf8(key);
  for (const auto& [key, count] : want)
    EXPECT_EQ(have[key], count) << "resource " << Utf8(key);
}

// The script names a language whenever it changes from one resource to the next: a single
// statement before the first resource marks every one of them.
TEST_F(ZelmoraResources, AreAllMarkedJapanese) {
  std::ifstream script(ZELMORA_DECOMPILED ".rc");
  ASSERT_TRUE(script) << "cannot read the decompiled script";
  std::vector<std::string> languages;
  bool resourceSeen = false;
  bool languageFirst = false;
  for (std::string line; std::getline(script, line);) {
    if (line.rfind("LANGUAGE", 0) == 0) {
      languages.push_back(line);
      languageFirst = languageFirst || !resourceSeen;
    }
    if (line.rfind("BEGIN", 0) == 0)
      resourceSeen = true;
  }
  ASSERT_EQ(languages.size(), 1u) << "languages change between resources";
  EXPECT_EQ(languages[0], "LANGUAGE 17, 1") << "LANG_JAPANESE, SUBLANG_DEFAULT";
  EXPECT_TRUE(languageFirst) << "a resource comes before the language statement";
}

struct MenuEntry {
  int depth;
  std::uint16_t flags;
  std::uint16_t id;  // none for a popup
  std::wstring text;
};

// One level of a classic menu template, up to the item marked MF_END; a popup's own level
// follows it at once.
void ReadMenuLevel(Reader& r, int depth, std::vector<MenuEntry>& out) {
  for (;;) {
    const std::uint16_t flags = r.U16();
    if (!r.ok())
      return;
    const bool popup = flags & MF_POPUP;
    const std::uint16_t id = popup ? 0 : r.U16();
    out.push_back({depth, flags, id, r.Text()});
    if (popup)
      ReadMenuLevel(r, depth + 1, out);
    if (flags & MF_END)
      return;
  }
}

struct WantMenuItem {
  int depth;
  bool popup;
  std::uint16_t id;  // 0 for a separator and for a popup
  const wchar_t* text;
};

TEST_F(ZelmoraResources, MenuListsEveryCommandInOrder) {
  const WantMenuItem want[] = {
      {0, true, 0, L"ファイル(&F)"},
      {1, false, 1000, L"元絵を開く(&O)..."},
      {1, false, 1001, L"ﾌｧｲﾙに保存(&S)..."},
      {1, false, 0, L""},
      {1, false, 1008, L"終了(&X)"},
      {0, false, 1002, L"実行(&G)"},
      {0, true, 0, L"壁紙表示(&V)"},
      {1, false, 1003, L"ﾀｲﾙ表示(&T)"},
      {1, false, 1004, L"中央に表示(&C)"},
      {1, false, 0, L""},
      {1, false, 1005, L"壁紙ｸﾘｱ(&D)"},
      {1, false, 0, L""},
      {1, false, 40026, L"壁紙ﾘｺｰﾙ(ﾀｲﾙ)"},
      {1, false, 40029, L"壁紙ﾘｺｰﾙ(中央)"},
      {1, false, 0, L""},
      {1, false, 40027, L"壁紙設定(ﾀｲﾙ)..."},
      {1, false, 40028, L"壁紙設定(中央)..."},
      {0, true, 0, L"ヘルプ(&H)"},
      {1, false, 1006, L"目次(&C)..."},
      {1, false, 0, L""},
      {1, false, 1007, L"ﾊﾞｰｼﾞｮﾝ情報(&A)..."},
  };
  const Bytes& data = Data(kMenu, L"ZELMORA");
  Reader r(data);
  ASSERT_EQ(r.U16(), 0) << "a classic menu template, version 0";
  ASSERT_EQ(r.U16(), 0) << "header size 0";
  std::vector<MenuEntry> have;
  ReadMenuLevel(r, 0, have);
  ASSERT_TRUE(r.ok()) << "the menu template ends early";
  EXPECT_EQ(r.at(), data.size()) << "bytes after the last item";
  ASSERT_EQ(have.size(), std::size(want)) << "have " << have.size() << " items";
  for (size_t i = 0; i < have.size(); ++i) {
    const MenuEntry& item = have[i];
    SCOPED_TRACE(testing::Message() << "menu item " << i << " '" << Utf8(item.text) << "'");
    EXPECT_EQ(item.depth, want[i].depth);
    EXPECT_EQ((item.flags & MF_POPUP) != 0, want[i].popup);
    EXPECT_EQ(item.id, want[i].id);
    EXPECT_EQ(Utf8(item.text), Utf8(want[i].text));
    // No check mark, no grey, nothing disabled; a separator may carry only its own bit.
    EXPECT_EQ(item.flags & ~(MF_POPUP | MF_END | MF_SEPARATOR), 0) << "flags " << item.flags;
    if (item.flags & MF_SEPARATOR) {
      EXPECT_EQ(want[i].id, 0) << "a separator where a command belongs";
    }
  }
}

struct WantControl {
  std::uint16_t windowClass;  // 0x80 button, 0x81 edit, 0x82 static
  std::uint16_t id;
  const wchar_t* text;
  std::uint32_t style;
  std::int16_t x, y, cx, cy;
};

struct WantDialog {
  const wchar_t* name;
  std::int16_t cx, cy;
  const wchar_t* caption;
  std::vector<WantControl> controls;
};

class DialogTemplate : public ZelmoraResources, public testing::WithParamInterface<WantDialog> {};

constexpr std::uint32_t kButton = WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON;
constexpr std::uint32_t kLabel = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_LEFT;
constexpr std::uint32_t kCentred = WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER;
constexpr std::uint32_t kField = WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;

TEST_P(DialogTemplate, MatchesItsTable) {
  const WantDialog& want = GetParam();
  const Bytes& data = Data(kDialog, want.name);
  Reader r(data);
  const std::uint32_t style = r.U32();
  ASSERT_NE(style, 0xFFFF0001u) << "an extended template";
  EXPECT_EQ(style, static_cast<std::uint32_t>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                                              DS_SETFONT))
      << "style " << std::hex << style;
  EXPECT_EQ(r.U32(), 0u) << "extended style";
  const std::uint16_t count = r.U16();
  EXPECT_EQ(r.S16(), 0);
  EXPECT_EQ(r.S16(), 0);
  EXPECT_EQ(r.S16(), want.cx);
  EXPECT_EQ(r.S16(), want.cy);
  EXPECT_EQ(Utf8(r.NameOrNumber()), "") << "menu";
  EXPECT_EQ(Utf8(r.NameOrNumber()), "") << "window class";
  EXPECT_EQ(Utf8(r.Text()), Utf8(want.caption));
  EXPECT_EQ(r.U16(), 9) << "font size";
  EXPECT_EQ(Utf8(r.Text()), Utf8(L"ＭＳ Ｐゴシック"));
  ASSERT_EQ(count, want.controls.size());
  for (size_t i = 0; i < count; ++i) {
    const WantControl& c = want.controls[i];
    SCOPED_TRACE(testing::Message() << "control " << i + 1 << " '" << Utf8(c.text) << "'");
    r.Align4();
    EXPECT_EQ(r.U32(), c.style) << "style";
    EXPECT_EQ(r.U32(), 0u) << "extended style";
    EXPECT_EQ(r.S16(), c.x);
    EXPECT_EQ(r.S16(), c.y);
    EXPECT_EQ(r.S16(), c.cx);
    EXPECT_EQ(r.S16(), c.cy);
    EXPECT_EQ(r.U16(), c.id) << "control number";
    std::string wantClass = "#";
    wantClass += std::to_string(c.windowClass);
    EXPECT_EQ(Utf8(r.NameOrNumber()), wantClass) << "class";
    EXPECT_EQ(Utf8(r.NameOrNumber()), Utf8(c.text));
    const std::uint16_t extra = r.U16();
    r.Seek(r.at() + extra);
  }
  EXPECT_TRUE(r.ok()) << "the template ends early";
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, DialogTemplate,
    testing::Values(
        WantDialog{L"TXSIZE",
                   115,
                   93,
                   L"作成画像ｻｲｽﾞ",
                   {{0x80, 1, L"OK", kButton, 61, 14, 40, 19},
                    {0x82, 0xFFFF, L"Y:", kLabel, 10, 30, 8, 8},
                    {0x82, 0xFFFF, L"X:", kLabel, 10, 10, 8, 8},
                    {0x81, 1011, L"", kField, 19, 7, 36, 14},
                    {0x81, 1012, L"", kField, 19, 27, 36, 14},
                    {0x82, 1013, L"", kLabel, 11, 49, 91, 44}}},
        WantDialog{
            L"TXABOUT",
            126,
            93,
            L"Zelmoraのﾊﾞｰｼﾞｮﾝ情報",
            {{0x80, 1, L"OK", kButton, 30, 65, 50, 14},
             {0x82, 0xFFFF, L"Zelmora", kCentred, 38, 9, 81, 8},
             {0x82, 0xFFFF, L"Ver1.40", kCentred, 54, 25, 41, 8},
             {0x82, 0xFFFF, L"Copyright (C) 2026 Zelmora developers", kCentred, 8, 44, 113, 8},
             {0x82, 0xFFFF, L"ZELMORA", WS_CHILD | WS_VISIBLE | SS_ICON, 7, 10, 20, 20}}}),
    [](const auto& info) { return Utf8(info.param.name); });

TEST_F(ZelmoraResources, StringsAreTheTooltipsAtCommandPlus1000) {
  const wchar_t* want[16] = {
      L"元になる画像を開く",  L"作成した画像をﾌｧｲﾙに保存する", L"壁紙用の画像作成を実行する",
      L"壁紙表示（ﾀｲﾙ表示）", L"壁紙表示（中央表示）",         L"壁紙を消す",
      L"ﾍﾙﾌﾟの目次",
  };
  // Block 126 holds strings 2000 to 2015, each a length and that many UTF-16 units.
  const Bytes& data = Data(kString, L"#126");
  Reader r(data);
  for (int i = 0; i < 16; ++i) {
    SCOPED_TRACE(testing::Message() << "string " << 2000 + i);
    const std::uint16_t length = r.U16();
    std::wstring text;
    for (std::uint16_t k = 0; k < length; ++k)
      text += static_cast<wchar_t>(r.U16());
    EXPECT_EQ(Utf8(text), Utf8(want[i] ? want[i] : L"")) << "no string follows 2006";
  }
  EXPECT_TRUE(r.ok());
  EXPECT_EQ(r.at(), data.size());
}

TEST_F(ZelmoraResources, ToolbarStripIsSevenCellsOf4BitPixelsOnGrey) {
  const Bytes& data = Data(kBitmap, L"#1100");
  Reader r(data);
  EXPECT_EQ(r.U32(), 40u) << "biSize";
  EXPECT_EQ(r.U32(), 114u) << "biWidth";
  EXPECT_EQ(r.U32(), 17u) << "biHeight";
  EXPECT_EQ(r.U16(), 1) << "biPlanes";
  EXPECT_EQ(r.U16(), 4) << "biBitCount";
  EXPECT_EQ(r.U32(), 0u) << "biCompression";
  r.Seek(32);
  const std::uint32_t used = r.U32();
  EXPECT_TRUE(used == 0 || used == 16) << "biClrUsed " << used;
  // Table entry 7, blue-green-red, is the background grey.
  r.Seek(40 + 4 * 7);
  EXPECT_EQ(r.U32() & 0xFFFFFF, 0xC0C0C0u) << "colour 7";
  constexpr size_t kStride = 60;  // 114 four-bit pixels, padded to whole words
  ASSERT_EQ(data.size(), 40u + 64u + kStride * 17) << "header, 16 entries and 17 rows";
  auto index = [&](int x, int y) {  // y from the top
    const std::uint8_t byte = data[40 + 64 + (16 - y) * kStride + x / 2];
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
  };
  for (int x = 0; x < 114; ++x)
    EXPECT_EQ(index(x, 16), 7) << "bottom row, x " << x;
  for (int cell = 0; cell < 7; ++cell) {
    SCOPED_TRACE(testing::Message() << "cell " << cell);
    const int left = 16 * cell;
    // Background at the corners, a picture inside.
    for (const auto& [x, y] : {std::pair{0, 0}, {15, 0}, {0, 15}, {15, 15}})
      EXPECT_EQ(index(left + x, y), 7) << "corner " << x << ", " << y;
    int drawn = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x)
        drawn += index(left + x, y) != 7;
    EXPECT_GT(drawn, 40) << "an empty cell";
  }
}

TEST_F(ZelmoraResources, IconIsOne32By32SixteenColourImage) {
  const Bytes& group = Data(kGroupIcon, L"ZELMORA");
  Reader g(group);
  EXPECT_EQ(g.U16(), 0) << "reserved";
  EXPECT_EQ(g.U16(), 1) << "type: icon";
  ASSERT_EQ(g.U16(), 1) << "one image";
  EXPECT_EQ(g.U16(), 32 | 32 << 8) << "width, height";
  EXPECT_EQ(g.U16(), 16) << "16 colours, reserved 0";
  EXPECT_EQ(g.U16(), 1) << "planes";
  EXPECT_EQ(g.U16(), 4) << "bits per pixel";
  EXPECT_EQ(g.U32(), 744u) << "bytes";
  EXPECT_EQ(g.U16(), 1) << "image number";
  EXPECT_TRUE(g.ok());

  // 40-byte header, 16 colours, 512 bytes of colour bits, 128 bytes of mask.
  const Bytes& image = Data(kIcon, L"#1");
  ASSERT_EQ(image.size(), 744u);
  Reader r(image);
  EXPECT_EQ(r.U32(), 40u);
  EXPECT_EQ(r.U32(), 32u) << "width";
  EXPECT_EQ(r.U32(), 64u) << "height of colour rows and mask rows";
  EXPECT_EQ(r.U16(), 1);
  EXPECT_EQ(r.U16(), 4);
  EXPECT_EQ(r.U32(), 0u) << "uncompressed";
}

// The version block: a tree of (length, value length, type, key, value, children) records.
struct VersionNode {
  std::wstring key;
  Bytes value;
  std::uint16_t valueLength;
  std::uint16_t type;  // 1 for text
  std::vector<VersionNode> children;
};

VersionNode ReadVersionNode(Reader& r, const Bytes& data) {
  VersionNode node;
  const size_t start = r.at();
  const std::uint16_t length = r.U16();
  node.valueLength = r.U16();
  node.type = r.U16();
  node.key = r.Text();
  r.Align4();
  const size_t valueBytes = node.type == 1 ? node.valueLength * 2u : node.valueLength;
  const size_t end = start + length;
  if (r.at() + valueBytes > data.size() || end > data.size() || length < 6) {
    r.Seek(data.size() + 1);
    r.U16();  // marks the reader as failed
    return node;
  }
  node.value.assign(data.begin() + r.at(), data.begin() + r.at() + valueBytes);
  r.Seek(r.at() + valueBytes);
  r.Align4();
  while (r.ok() && r.at() < end) {
    node.children.push_back(ReadVersionNode(r, data));
    r.Align4();
  }
  r.Seek(end);
  return node;
}

std::wstring TextValue(const VersionNode& node) {
  std::wstring text;
  for (size_t i = 0; i + 1 < node.value.size(); i += 2) {
    const wchar_t c = static_cast<wchar_t>(node.value[i] | node.value[i + 1] << 8);
    if (c == 0)
      break;
    text += c;
  }
  return text;
}

TEST_F(ZelmoraResources, VersionBlockIs1400JapaneseUnicode) {
  const Bytes& data = Data(kVersion, L"#1");
  Reader r(data);
  const VersionNode root = ReadVersionNode(r, data);
  ASSERT_TRUE(r.ok()) << "damaged version block";
  EXPECT_EQ(Utf8(root.key), "VS_VERSION_INFO");
  ASSERT_EQ(root.value.size(), 52u) << "VS_FIXEDFILEINFO";
  Reader f(root.value);
  EXPECT_EQ(f.U32(), 0xFEEF04BDu) << "signature";
  f.U32();  // structure version
  EXPECT_EQ(f.U32(), 0x00010004u) << "file version 1.4";
  EXPECT_EQ(f.U32(), 0u) << "file version .0.0";
  EXPECT_EQ(f.U32(), 0x00010004u) << "product version 1.4";
  EXPECT_EQ(f.U32(), 0u) << "product version .0.0";
  EXPECT_EQ(f.U32(), 0x3Fu) << "flags mask";
  EXPECT_EQ(f.U32(), 0u) << "flags";
  EXPECT_EQ(f.U32(), static_cast<std::uint32_t>(VOS_NT_WINDOWS32)) << "operating system";
  EXPECT_EQ(f.U32(), static_cast<std::uint32_t>(VFT_APP)) << "file type";
  EXPECT_EQ(f.U32(), 0u) << "subtype";
  EXPECT_EQ(f.U32(), 0u) << "date";
  EXPECT_EQ(f.U32(), 0u) << "date";

  ASSERT_EQ(root.children.size(), 2u);
  const VersionNode& strings = root.children[0];
  const VersionNode& vars = root.children[1];
  EXPECT_EQ(Utf8(strings.key), "StringFileInfo");
  ASSERT_EQ(strings.children.size(), 1u) << "one string table";
  const VersionNode& table = strings.children[0];
  EXPECT_EQ(Utf8(table.key), "041104b0");
  // Keys in this order; an empty value means the implementer's free choice, which must be there.
  const std::pair<const char*, const char*> want[] = {
      {"Comments", nullptr},
      {"CompanyName", nullptr},
      {"FileDescription", "Zelmora"},
      {"FileVersion", "1, 4, 0, 0"},
      {"InternalName", "Zelmora"},
      {"LegalCopyright", nullptr},
      {"LegalTrademarks", nullptr},
      {"OriginalFilename", "Zelmora.exe"},
      {"PrivateBuild", ""},
      {"ProductName", "Zelmora"},
      {"ProductVersion", "1, 4, 0, 0"},
      {"SpecialBuild", ""},
  };
  ASSERT_EQ(table.children.size(), std::size(want));
  for (size_t i = 0; i < std::size(want); ++i) {
    const VersionNode& entry = table.children[i];
    EXPECT_EQ(Utf8(entry.key), want[i].first) << "key " << i;
    const std::string value = Utf8(TextValue(entry));
    if (want[i].second != nullptr) {
      EXPECT_EQ(value, want[i].second) << want[i].first;
    } else {
      EXPECT_FALSE(value.empty()) << want[i].first;
    }
  }
  EXPECT_NE(Utf8(TextValue(table.children[5])).find("2026"), std::string::npos)
      << "the rights notice names its year";

  EXPECT_EQ(Utf8(vars.key), "VarFileInfo");
  ASSERT_EQ(vars.children.size(), 1u);
  EXPECT_EQ(Utf8(vars.children[0].key), "Translation");
  ASSERT_EQ(vars.children[0].value.size(), 4u);
  Reader t(vars.children[0].value);
  EXPECT_EQ(t.U16(), 0x0411) << "Japanese";
  EXPECT_EQ(t.U16(), 1200) << "Unicode";
}

}  // namespace
