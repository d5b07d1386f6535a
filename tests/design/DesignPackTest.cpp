// The build packs PackedForm.txt with designpack (splicing a file made at configure time)
// and, for Windows, links it and SecondForm.txt in as resources.
#include "framework/core/CodePage.h"
#include "framework/core/Stream.h"
#include "framework/design/DesignReader.h"
#include "tests/core/Sample.h"

#include <gtest/gtest.h>

namespace {
void ReadPacked(const char* Resource, const char* File, TComponent* Root)
{
#ifdef _WIN32
    (void)File;
    ReadComponentRes(Resource, Root);
#else
    (void)Resource;
    TMemoryStream S;
    S.LoadFromFile(File);
    ReadComponentText(std::string(reinterpret_cast<const char*>(S.Memory()), size_t(S.Size())), Root, File);
#endif
}
} // namespace

TEST(DesignPack, SplicesFilesWithAndWithoutLength)
{
    TSampleForm Form(nullptr);
    ReadPacked("TPackedForm", PACKED_DESIGN, &Form);   // resource names ignore case
    auto* Holder = dynamic_cast<TSampleControl*>(Form.FindComponent("Holder"));
    auto* Raw = dynamic_cast<TSampleControl*>(Form.FindComponent("Raw"));
    ASSERT_TRUE(Holder && Raw);
    const std::string Blob = "Pantrel\n";
    EXPECT_EQ(Raw->FData.Bytes(), std::vector<uint8_t>(Blob.begin(), Blob.end()));
    std::vector<uint8_t> Sized = {8, 0, 0, 0};
    Sized.insert(Sized.end(), Blob.begin(), Blob.end());
    EXPECT_EQ(Holder->FData.Bytes(), Sized);
    EXPECT_EQ(Form.Caption(), "packed");
}

TEST(DesignPack, SecondDesignInTheSameProgram)
{
    TSampleForm Form(nullptr);
    ReadPacked("SECONDFORM", SECOND_DESIGN, &Form);
    EXPECT_EQ(Form.Caption(), Utf8ToGbk(u8"第二"));
}

#ifdef _WIN32
TEST(DesignPack, MissingResource)
{
    TSampleForm Form(nullptr);
    EXPECT_THROW(ReadComponentRes("NOSUCHDESIGN", &Form), EDesignError);
}
#endif
