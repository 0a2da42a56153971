#include "platform/desktop.h"

#include <gtest/gtest.h>

#include "platform/desktop_readback_test_support.h"
#include "platform/folders.h"

namespace {

class DesktopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(DesktopSettingsReachable()) << "the desktop's settings cannot be reached";
    ForgetDesktopSettings();
  }
};

#ifdef _WIN32
// The system is handed each name as it stands, in code page 932.
TEST_F(DesktopTest, SetDesktopWallpaperHandsOnTheNameAsItStands) {
  const std::string names[] = {"C:\\壁紙\\ソース画像.bmp", "ZELMORA.BMP", kNoWallpaper,
                               WindowsFolder() + "\\ZELMORA.BMP"};
  for (const std::string& name : names) {
    SetDesktopWallpaper(name.c_str());
    EXPECT_EQ(StoredWallpaper(), name);
  }
}
#else
TEST_F(DesktopTest, SetDesktopWallpaperStoresTheFilesUriForBothVariants) {
  const std::string folder = WindowsFolder();
  struct Case {
    std::string path;
    std::string uri;
  };
  const Case cases[] = {
      {"/pictures/tulip.bmp", "file:///pictures/tulip.bmp"},
      // Spaces and Japanese in a file name are escaped.
      {"/home/u/my wallpaper 壁紙.bmp", "file:///home/u/my%20wallpaper%20%E5%A3%81%E7%B4%99.bmp"},
      // A bare name is the file of that name in the Windows folder.
      {"ZELMORA.BMP", "file://" + folder + "/ZELMORA.BMP"},
      // No wallpaper: the desktop shows its plain colour.
      {kNoWallpaper, ""},
      {"", ""},
  };
  for (const Case& c : cases) {
    SetDesktopWallpaper("/somewhere/else.bmp");
    SetDesktopWallpaper(c.path.c_str());
    EXPECT_EQ(StoredWallpaper(), c.uri) << "path " << c.path;
    EXPECT_EQ(StoredDarkWallpaper(), c.uri) << "path " << c.path;
  }
}
#endif

}  // namespace
