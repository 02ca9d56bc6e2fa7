// msizap.exe against genuine registrations: packages built by wixl, installed by Wine's msiexec.
#include "test_products.h"

#include "support/machine.h"
#include "support/paths.h"
#include "support/process.h"

#include <gtest/gtest.h>
#include <shlobj.h>

namespace {

using zaptest::Msiexec;
using zaptest::productA;
using zaptest::productB;
using zaptest::RegistryMentions;

const unsigned long unknownProduct = ERROR_UNKNOWN_PRODUCT;  // 1605

std::wstring Code(const zaptest::TestProduct& product)
{
    return product.code;
}

// Installs the products from copies of their packages (so a test can take a source away) and
// uninstalls whatever is left at the end, checks passed or not.
class ZapPackages : public ::testing::Test {
protected:
    ZapPackages() { zaptest::ForgetTestProducts(); }
    ~ZapPackages() override
    {
        for (const zaptest::TestProduct* product : {&productA, &productB})
            Msiexec(L"/x " + Code(*product) + L" /qn");
        zaptest::ForgetTestProducts();
    }

    std::wstring SourceCopy(const zaptest::TestProduct& product)
    {
        std::wstring name = product.package;
        return L"C:\\TidoTest\\zap\\" + name.substr(name.rfind(L'\\') + 1);
    }

    unsigned long Install(const zaptest::TestProduct& product)
    {
        machine_.WriteFile(SourceCopy(product),
                           test::Machine::ReadFile(test::BuildPath(product.package)));
        return Msiexec(L"/i " + test::QuoteArgument(SourceCopy(product)) + L" /qn");
    }

    static std::wstring LocalPackage(const zaptest::TestProduct& product)
    {
        return test::Machine::ReadString(
            HKEY_LOCAL_MACHINE,
            L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Installer\\UserData\\S-1-5-18\\"
            L"Products\\" + std::wstring(product.packed) + L"\\InstallProperties",
            L"LocalPackage");
    }

    test::Machine machine_;
};

std::vector<std::wstring> Mentions(const zaptest::TestProduct& product)
{
    std::vector<std::wstring> mentions;
    for (const wchar_t* name : {product.packed, product.code, product.upgradePacked,
                                product.componentPacked})
        for (const std::wstring& mention : RegistryMentions(name))
            mentions.push_back(mention);
    return mentions;
}

TEST_F(ZapPackages, StuckProductIsForgottenAndInstallsAfresh)
{
    ASSERT_EQ(Install(productA), 0u);
    ASSERT_EQ(Install(productB), 0u);
    std::vector<std::wstring> installedB = Mentions(productB);
    ASSERT_FALSE(installedB.empty());

    // A loses its cached package and its source: its own uninstall can no longer run.
    std::wstring cachedA = LocalPackage(productA);
    ASSERT_FALSE(cachedA.empty());
    test::Machine::DeletePath(cachedA);
    test::Machine::DeletePath(SourceCopy(productA));
    unsigned long stuck = Msiexec(L"/x " + Code(productA) + L" /qn");
    ASSERT_NE(stuck, 0u);
    ASSERT_NE(stuck, unknownProduct);

    zaptest::ToolRun run = zaptest::RunTool(L"TW " + Code(productA));
    EXPECT_EQ(run.exitCode, 0u) << run.output;

    EXPECT_EQ(Msiexec(L"/x " + Code(productA) + L" /qn"), unknownProduct);
    EXPECT_TRUE(Mentions(productA).empty());
    EXPECT_EQ(Mentions(productB), installedB);

    // B was left alone: its own uninstall still works.
    EXPECT_EQ(Msiexec(L"/x " + Code(productB) + L" /qn"), 0u);
    EXPECT_EQ(Msiexec(L"/x " + Code(productB) + L" /qn"), unknownProduct);

    // A installs again as a new product, and uninstalls normally.
    ASSERT_EQ(Install(productA), 0u);
    EXPECT_FALSE(Mentions(productA).empty());
    EXPECT_TRUE(test::Machine::Exists(LocalPackage(productA)));
    EXPECT_TRUE(test::Machine::Exists(
        test::ShellFolder(CSIDL_PROGRAM_FILES) + L"\\TidoZapTest\\A\\a.txt"));
    EXPECT_EQ(Msiexec(L"/x " + Code(productA) + L" /qn"), 0u);
}

}  // namespace
