#include <gtest/gtest.h>

#include <QFontInfo>

#include "core/model/Model.h"
#include "render/platform/FontResolution.h"

namespace plicora {
namespace {

TEST(FontResolution, NamedFacesResolveToMetricCompatibleFonts) {
  EXPECT_EQ(QFontInfo(MakeFaceFont("Arial")).family(), "Liberation Sans");
  EXPECT_EQ(QFontInfo(MakeFaceFont(kMsGothicFaceName)).family(), "IPAGothic");
  EXPECT_EQ(QFontInfo(MakeFaceFont("MS Gothic")).family(), "IPAGothic");
  EXPECT_TRUE(IsFontFaceAvailable("Arial"));
  EXPECT_TRUE(IsFontFaceAvailable(kMsGothicFaceName));
  EXPECT_FALSE(IsFontFaceAvailable("No Such Face 123"));
}

}  // namespace
}  // namespace plicora
