// tido.exe carries msizap.exe as resource "MSIZAP" 131 (src/CMakeLists.txt embeds it), and
// writes that resource out to run it: it must be the built tool, byte for byte.
#include "platform/unique_handle.h"
#include "support/machine.h"
#include "support/paths.h"

#include <gtest/gtest.h>

namespace {

TEST(ZapResource, TidoCarriesTheBuiltToolByteForByte)
{
    UniqueLibrary tido(LoadLibraryExW(test::BuildPath(L"tido.exe").c_str(), nullptr,
                                      LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    ASSERT_TRUE(tido.Valid());
    HRSRC resource = FindResourceW(tido.Get(), MAKEINTRESOURCEW(131), L"MSIZAP");
    ASSERT_NE(resource, nullptr);
    HGLOBAL loaded = LoadResource(tido.Get(), resource);
    ASSERT_NE(loaded, nullptr);
    std::string embedded(static_cast<const char*>(LockResource(loaded)),
                         SizeofResource(tido.Get(), resource));

    std::string built = test::Machine::ReadFile(test::BuildPath(L"zap\\msizap.exe"));
    ASSERT_FALSE(built.empty());
    EXPECT_EQ(embedded.size(), built.size());
    EXPECT_TRUE(embedded == built);
}

}  // namespace
