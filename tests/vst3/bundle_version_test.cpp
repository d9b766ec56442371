// The Windows module's version resource, as Windows' file properties and hosts
// read it: product, company, version and a description.

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "bundle_location.h"

namespace {

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }

TEST(BundleVersion, TheModuleNamesItsProductCompanyAndVersion) {
  const std::wstring module = Widen(BundlePath() + "/Contents/x86_64-win/stereoPulseWeaver.vst3");
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(module.c_str(), &handle);
  ASSERT_GT(size, 0u) << "no version resource";
  std::vector<char> block(size);
  ASSERT_TRUE(GetFileVersionInfoW(module.c_str(), 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 1u);  // 1.1
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);               // .0.0

  struct Field {
    const wchar_t* name;
    const wchar_t* value;  // null: any non-empty text
  };
  const Field fields[] = {{L"ProductName", L"stereoPulseWeaver"}, {L"CompanyName", L"Orvanti"},
                          {L"ProductVersion", L"" SPW_VERSION},   {L"FileVersion", L"" SPW_VERSION},
                          {L"FileDescription", nullptr}};
  for (const Field& field : fields) {
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + field.name;
    wchar_t* text = nullptr;
    ASSERT_TRUE(VerQueryValueW(block.data(), path.c_str(), reinterpret_cast<void**>(&text), &length))
        << std::string(path.begin(), path.end());
    const std::wstring value(text);
    if (field.value) {
      EXPECT_EQ(value, field.value);
    } else {
      EXPECT_FALSE(value.empty());
    }
  }
}

}  // namespace
