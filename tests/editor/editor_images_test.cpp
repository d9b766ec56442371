// Every image of the editor is in the module, under its id, at its size.

#include <gtest/gtest.h>

#include "editor_images.h"
#include "module_resources.h"
#include "raster_png.h"

namespace {

TEST(EditorImages, EveryImageIsInTheModuleAtItsSize) {
  for (const spw_editor::ImageInfo& image : spw_editor::kEditorImages) {
    SCOPED_TRACE(image.name);
    const uint8_t* data = nullptr;
    size_t size = 0;
    ASSERT_TRUE(FindModulePng(image.id, &data, &size));
    const auto decoded = RasterDecodePng(data, size);
    ASSERT_TRUE(decoded);
    EXPECT_EQ(decoded->Width(), image.width);
    EXPECT_EQ(decoded->Height(), image.height);
    // Frames divide the image evenly.
    EXPECT_EQ((image.stacked ? image.height : image.width) % image.frames, 0);
  }
  EXPECT_EQ(std::size(spw_editor::kEditorImages), 18u);
  for (int unused : {105, 106, 99, 120}) EXPECT_FALSE(FindModulePng(unused, nullptr, nullptr)) << unused;
}

}  // namespace
