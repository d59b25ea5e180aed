#include <GL/gl.h>
#include <gtest/gtest.h>

#include "core/model/Settings.h"
#include "render/platform/OffscreenGlContext.h"

namespace plicora {
namespace {

TEST(OffscreenGlContextTest, GlSymbolsComeFromOsMesa) {
  EXPECT_TRUE(GlResolvesToOsMesa());
}

TEST(OffscreenGlContextTest, ClearsIntoItsOwnBufferAndReportsTextureLimit) {
  const int known = CurrentSettings().maxTextureSize;
  auto context = OffscreenGlContext::Create(5, 3);
  ASSERT_TRUE(context);
  EXPECT_GT(context->MaxTextureSize(), 64);
  EXPECT_EQ(CurrentSettings().maxTextureSize, known);  // told to whoever asks, not stored behind the caller
  {
    OffscreenGlContext::Scope scope(*context);
    ASSERT_TRUE(scope.ok());
    glClearColor(1.f, 0.f, 0.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
  }
  EXPECT_FALSE(context->IsCurrent());
  const std::vector<std::uint8_t> bgr = context->ToBottomUpBgr24();
  EXPECT_EQ(bgr.size(), 16u * 3u);  // 5 pixels -> 15 bytes, padded to 16
  EXPECT_EQ(bgr[0], 0);             // blue
  EXPECT_EQ(bgr[2], 255);           // red
  EXPECT_EQ(bgr[15], 0);            // padding
}

TEST(OffscreenGlContextTest, TwoContextsKeepTheirOwnPictures) {
  auto a = OffscreenGlContext::Create(4, 4);
  auto b = OffscreenGlContext::Create(4, 4);
  ASSERT_TRUE(a && b);
  for (auto* c : {a.get(), b.get()}) {
    OffscreenGlContext::Scope scope(*c);
    const float g = c == a.get() ? 1.f : 0.f;
    glClearColor(0.f, g, 0.f, 1.f);
    glClear(GL_COLOR_BUFFER_BIT);
    glFinish();
  }
  EXPECT_EQ(a->ToImage().pixel(0, 0), 0xFF00FF00u);
  EXPECT_EQ(b->ToImage().pixel(0, 0), 0xFF000000u);
}

}  // namespace
}  // namespace plicora
