// The memo keeps CR LF line breaks byte for byte through Text and Lines, with and without
// its window, and lines typed by the user end with CR LF too.
#include "tests/controls/GalleryFixture.h"

namespace {

void CheckLines(TMemo* Memo)
{
    const std::string Text = "第一行\r\n\r\n第三行 with  spaces\r\nlast";
    Memo->SetText(Text);
    EXPECT_EQ(Memo->Text(), Text);
    TStrings* Lines = Memo->Lines();
    ASSERT_EQ(Lines->Count(), 4);
    EXPECT_EQ((*Lines)[0], "第一行");
    EXPECT_EQ((*Lines)[1], "");
    EXPECT_EQ((*Lines)[2], "第三行 with  spaces");
    EXPECT_EQ((*Lines)[3], "last");
    EXPECT_EQ(Lines->Text(), Text + "\r\n");

    Lines->Add("added");
    EXPECT_EQ(Memo->Text(), Text + "\r\nadded");
    Lines->Insert(1, "inserted");
    Lines->Delete(2);
    Lines->Put(0, "一");
    EXPECT_EQ(Memo->Text(), "一\r\ninserted\r\n第三行 with  spaces\r\nlast\r\nadded");

    // Whole texts set through Lines get CR LF for every kind of line break.
    Lines->SetText("a\nb\rc\r\nd\r\n");
    EXPECT_EQ(Memo->Text(), "a\r\nb\r\nc\r\nd\r\n");
    EXPECT_EQ(Lines->Count(), 4);
    Lines->Add("e");   // after a final line break: a line of its own
    EXPECT_EQ(Memo->Text(), "a\r\nb\r\nc\r\nd\r\ne\r\n");
    Lines->Clear();
    EXPECT_EQ(Memo->Text(), "");
    EXPECT_EQ(Lines->Count(), 0);
    EXPECT_THROW(Lines->Delete(0), EStringListError);
}

} // namespace

TEST_F(GalleryTest, MemoKeepsLineBreaksInItsWindow)
{
    ASSERT_TRUE(Form->Memo2->HandleAllocated());
    CheckLines(Form->Memo2);
}

TEST(Memo, KeepsLineBreaksWithoutAWindow)
{
    TMemo Memo(nullptr);
    CheckLines(&Memo);
    EXPECT_FALSE(Memo.HandleAllocated());
}

TEST_F(GalleryTest, TypedLinesEndWithCrLf)
{
    TMemo* Memo = Form->Memo2;
    Memo->Clear();
    Memo->SetFocus();
    for (WORD Key : {WORD('A'), WORD(VK_RETURN), WORD('B'), WORD(VK_RETURN), WORD(VK_RETURN), WORD('C')})
        PressKey(Key);
    AppPumpUntil([&] { return Memo->Text().size() >= 9; });
    EXPECT_EQ(Memo->Text(), "a\r\nb\r\n\r\nc");
    EXPECT_EQ(Memo->Lines()->Count(), 4);
    // Enter stays in the memo: the form's default button did not run.
    EXPECT_TRUE(Form->Clicks.empty());
}
